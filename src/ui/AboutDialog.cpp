#include "ui/AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/QtToolkit.h"
#include "text/Texts.h"

namespace tintora {

namespace {

// The people behind the program, by what they did.
constexpr const char* kCredits[] = {
    "Programming: the Tintora developers",
    "German translation: the Tintora translators",
    "Error reports, the theme format and ideas: the Tintora contributors",
};

constexpr const char* kDisclaimer =
    "THIS PROGRAM IS DISTRIBUTED AS IS, WITHOUT WARRANTY OF ANY KIND. YOU USE IT AT YOUR OWN "
    "RISK. ITS MAKER IS NOT LIABLE FOR DATA LOSS, DAMAGES, LOSS OF PROFITS OR ANY OTHER LOSS "
    "FROM USING OR MISUSING IT.";

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kApplicationTitle));

    QStringList credits;
    for (const char* line : kCredits) credits << QString::fromLatin1(line);
    const QString version = QStringLiteral("Version %1.%2.%3")
                                .arg(TINTORA_VERSION_MAJOR)
                                .arg(TINTORA_VERSION_MINOR)
                                .arg(TINTORA_VERSION_REVISION);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeLabel(QStringLiteral("lblVersion"), version, this));
    layout->addWidget(MakeLabel(QStringLiteral("lblDescription"), credits.join(QLatin1Char('\n')), this));
    layout->addWidget(MakeLabel(QStringLiteral("lblDisclaimer"), QString::fromLatin1(kDisclaimer), this));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMaximumWidth(480);
}

void ShowAboutDialog(QWidget* parent, const Texts& texts) {
    (void)texts;  // the dialog's texts are fixed; the parameter matches the other dialogs' calls
    AboutDialog dialog(parent);
    dialog.exec();
}

}  // namespace tintora
