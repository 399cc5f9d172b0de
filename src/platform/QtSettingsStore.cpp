#include "platform/QtSettingsStore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tintora {

namespace {

// ~/.config/Tintora/Tintora.conf: the file QSettings gives organisation and application
// "Tintora" on Linux, but always in INI form (IniFormat alone would name it Tintora.ini).
QString UserStoreFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tintora/Tintora.conf");
}

QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(SettingsKeyPath(section, key));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(UserStoreFile(), QSettings::IniFormat)) {}

QtSettingsStore::QtSettingsStore(const std::string& file)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(file), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Read(const std::string& section,
                                                 const std::string& key) const {
    const QString path = KeyPath(section, key);
    if (!settings_->contains(path)) return std::nullopt;
    const QVariant value = settings_->value(path);
    // QSettings writes a text with a comma in quotes; an unquoted one, edited by hand, comes
    // back as a list, which is joined again so the text is not lost.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& section, const std::string& key,
                            const std::string& value) {
    settings_->setValue(KeyPath(section, key), QString::fromStdString(value));
}

bool QtSettingsStore::Sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

bool QtSettingsStore::Flush(std::string& why) {
    if (Sync()) return true;
    // QSettings keeps no error number; what stands in the way is looked up instead.
    const QFileInfo file(settings_->fileName());
    const QFileInfo folder(file.absolutePath());
    QString reason = QStringLiteral("cannot be written");
    if (file.isDir()) reason = QStringLiteral("is a folder");
    else if (folder.exists() && !folder.isWritable()) reason = QStringLiteral("its folder is read-only");
    else if (file.exists() && !file.isWritable()) reason = QStringLiteral("is read-only");
    else if (settings_->status() == QSettings::FormatError) reason = QStringLiteral("cannot be read as settings");
    why = (settings_->fileName() + QStringLiteral(": ") + reason).toStdString();
    return false;
}

std::string QtSettingsStore::FileName() const { return settings_->fileName().toStdString(); }

}  // namespace tintora
