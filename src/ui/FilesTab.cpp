#include "ui/FilesTab.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "text/Texts.h"
#include "text/WindowTexts.h"
#include "editor/Editor.h"
#include "platform/QtConvert.h"

namespace tintora {

namespace {


// The rows of the information frame: caption text, and the value label beside it (-1: none).
struct StatusRow {
    int caption;
    int text;
    int value;
};
constexpr std::array<StatusRow, 5> kStatusRows{{
    {0, kTextThemeNameLabel, 0},
    {1, kTextModifiedByLabel, 1},
    {2, kTextCreatedByLabel, 2},
    {3, kTextCreatedLabel, 4},
    {4, kTextSizeLabel, -1},
}};

QPushButton* MakeButton(const char* name, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

std::vector<std::string> PlatformDriveList() {
    std::vector<MountedVolume> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        volumes.push_back({s.rootPath().toStdString(), QString::fromLatin1(s.fileSystemType()).toStdString(),
                           s.isValid() && s.isReady()});
    return MakeDriveList(QDir::homePath().toStdString(), volumes);
}

FilesTab::FilesTab(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), browser_(editor) {
    BuildWidgets();
    browser_.SetListener([this] { ShowBrowser(); });
}

void FilesTab::BuildWidgets() {
    frame2_ = new QGroupBox(this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    cmdInfo_ = MakeButton("cmdInfo", frame2_);  // no action: the frame below shows the texts
    cmdReadFile_ = MakeButton("cmdReadFile", frame2_);
    cmdReset_ = MakeButton("cmdReset", frame2_);
    cmdSaveAs_ = MakeButton("cmdSaveAs", frame2_);
    cmdSave_ = MakeButton("cmdSave", frame2_);
    cmdSave_->setEnabled(false);

    lblDrive_ = new QLabel(frame2_);
    lblDrive_->setObjectName(QStringLiteral("lblDrive"));
    cboDrives_ = new QComboBox(frame2_);
    cboDrives_->setObjectName(QStringLiteral("cboDrives"));
    listFiles_ = new QListWidget(frame2_);
    listFiles_->setObjectName(QStringLiteral("ListFiles"));
    lblCurrentFolderText_ = new QLabel(frame2_);
    lblCurrentFolderText_->setObjectName(QStringLiteral("lblCurrentFolderText"));
    lblCurrentFolder_ = new QLabel(frame2_);
    lblCurrentFolder_->setObjectName(QStringLiteral("lblCurrentFolder"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdInfo_, cmdReadFile_, cmdReset_, cmdSaveAs_, cmdSave_}) buttons->addWidget(b);
    buttons->addStretch();
    auto* browser = new QVBoxLayout;
    browser->addWidget(lblDrive_);
    browser->addWidget(cboDrives_);
    browser->addWidget(listFiles_, 1);
    browser->addWidget(lblCurrentFolderText_);
    browser->addWidget(lblCurrentFolder_);
    auto* frame2Layout = new QHBoxLayout(frame2_);
    frame2Layout->addLayout(buttons);
    frame2Layout->addLayout(browser, 1);

    frame1_ = new QGroupBox(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    auto* rows = new QGridLayout(frame1_);
    for (const StatusRow& row : kStatusRows) {
        auto* caption = new QLabel(frame1_);
        caption->setObjectName(QStringLiteral("lblStatusText_%1").arg(row.caption));
        lblStatusText_[row.caption] = caption;
        rows->addWidget(caption, row.caption, 0);
        if (row.value < 0) continue;
        auto* value = new QLabel(frame1_);
        value->setObjectName(QStringLiteral("lblStatus_%1").arg(row.value));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lblStatus_[row.value] = value;
        rows->addWidget(value, row.caption, 1);
    }
    rows->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame2_, 1);
    layout->addWidget(frame1_);

    connect(cmdReadFile_, &QPushButton::clicked, this, [this] { editor_.OpenThemeWithDialog(); });
    connect(cmdReset_, &QPushButton::clicked, this, [this] { editor_.Reset(); });
    connect(cmdSaveAs_, &QPushButton::clicked, this, [this] { editor_.SaveAs(); });
    connect(cmdSave_, &QPushButton::clicked, this, [this] { SaveClicked(); });
    connect(cboDrives_, &QComboBox::activated, this, [this](int index) {
        browser_.ChooseDrive(index);
        ShowBrowser();
    });
    connect(listFiles_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListClicked(item); });
    // The selection moving by keyboard is a click too; a mouse press moves it as well, but
    // that click is taken when the button is released.
    connect(listFiles_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!filling_ && item && QApplication::mouseButtons() == Qt::NoButton) ListClicked(item);
    });
    connect(listFiles_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ListDoubleClicked(item); });
}

void FilesTab::FillPlaces() {
    browser_.SetDrives(PlatformDriveList());
    FillDriveCombo();
}

void FilesTab::FillDriveCombo() {
    cboDrives_->clear();
    for (const std::string& place : browser_.Drives()) cboDrives_->addItem(ToQString(place));
    cboDrives_->setCurrentIndex(browser_.DriveIndex());
}

void FilesTab::ApplyLanguage() {
    const Texts& texts = editor_.GetTexts();
    const auto text = [&](int number) { return ToQString(texts.GetText(number)); };
    cmdReadFile_->setText(text(kTextRead));
    QFont font = cmdReadFile_->font();
    font.setPointSize(8);
    cmdReadFile_->setFont(font);
    cmdSave_->setText(text(kTextSave));
    cmdSaveAs_->setText(text(kTextSaveAs));
    cmdInfo_->setText(text(kTextInfo));
    frame1_->setTitle(text(kTextInfo));
    for (const StatusRow& row : kStatusRows) lblStatusText_[row.caption]->setText(text(row.text));
    lblCurrentFolderText_->setText(text(kTextCurrentFolder));
    cmdReset_->setText(text(kTextReset));
    lblDrive_->setText(text(kTextSelectDrive));
    // A running operation shows "Wait" on its button; the button keeps room for both texts so
    // that the window does not shift while a dialog of the operation is up.
    for (QPushButton* b : {cmdReadFile_, cmdSave_, cmdSaveAs_}) {
        const QString own = b->text();
        b->setMinimumWidth(0);
        int width = b->sizeHint().width();
        b->setText(text(kTextWait));
        width = std::max(width, b->sizeHint().width());
        b->setText(own);
        b->setMinimumWidth(width);
    }
    UpdateListFiles();
}

void FilesTab::ShowThemeInfo() {
    const ThemeInfo& info = editor_.GetTheme().info;
    lblStatus_[0]->setText(ToQString(info.name));
    lblStatus_[1]->setText(ToQString(info.modifiedBy));
    lblStatus_[2]->setText(ToQString(info.creator));
    lblStatus_[4]->setText(ToQString(info.created));
}

void FilesTab::ClearStatusLabels() {
    for (int i = 0; i < 3; ++i) lblStatus_[i]->clear();
}

void FilesTab::SetBusy(BusyButton button, bool busy) {
    struct Caption {
        QPushButton* button;
        int text;
    };
    const Caption c = button == BusyButton::Read   ? Caption{cmdReadFile_, kTextRead}
                      : button == BusyButton::Save ? Caption{cmdSave_, kTextSave}
                                                   : Caption{cmdSaveAs_, kTextSaveAs};
    c.button->setText(ToQString(editor_.GetTexts().GetText(busy ? kTextWait : c.text)));
    // Painted now: the operation runs before the event loop would paint it.
    c.button->repaint();
}

void FilesTab::UpdateListFiles() { browser_.UpdateListFiles(); }

void FilesTab::ShowBrowser() {
    filling_ = true;
    listFiles_->clear();
    for (const std::string& entry : browser_.Entries()) listFiles_->addItem(ToQString(entry));
    filling_ = false;
    lblCurrentFolder_->setText(ToQString(browser_.FolderLabel()));
    lblCurrentFolder_->setToolTip(ToQString(browser_.Folder()));
    cboDrives_->setCurrentIndex(browser_.DriveIndex());
    cmdSave_->setEnabled(browser_.SaveEnabled());
}

void FilesTab::ListClicked(QListWidgetItem* item) {
    if (!item) return;
    browser_.Click(item->text().toStdString());
    if (browser_.Cancelled()) KeepSelection();
    cmdSave_->setEnabled(browser_.SaveEnabled());
}

void FilesTab::KeepSelection() {
    // The user kept the theme: the list shows the file it belongs to selected again, or none.
    const std::optional<std::string> target = browser_.SaveTarget();
    QListWidgetItem* keep = nullptr;
    if (target) {
        const auto found = listFiles_->findItems(QFileInfo(ToQString(*target)).fileName(), Qt::MatchExactly);
        if (!found.isEmpty()) keep = found.front();
    }
    filling_ = true;
    listFiles_->setCurrentItem(keep);
    if (!keep) listFiles_->clearSelection();
    filling_ = false;
}

void FilesTab::ListDoubleClicked(QListWidgetItem* item) {
    if (!item) return;
    // The handler may rebuild the list, deleting `item`: take its text first.
    const std::string entry = item->text().toStdString();
    browser_.DoubleClick(entry);
    if (browser_.Cancelled()) KeepSelection();
    cmdSave_->setEnabled(browser_.SaveEnabled());
}

void FilesTab::OpenFile(const std::string& path) {
    browser_.OpenFile(path);
    if (browser_.Cancelled()) return;  // the theme and the list stay as they were
    // Selected without a click of its own; a file the open flow found missing is not listed.
    const QString name = QFileInfo(ToQString(path)).fileName();
    const auto found = listFiles_->findItems(name, Qt::MatchExactly);
    filling_ = true;
    listFiles_->setCurrentItem(browser_.SaveEnabled() && !found.isEmpty() ? found.front() : nullptr);
    filling_ = false;
    cmdSave_->setEnabled(browser_.SaveEnabled());
}

void FilesTab::ShowSaveState() { cmdSave_->setEnabled(browser_.SaveEnabled()); }

void FilesTab::SaveClicked() {
    // A copy: the save may refresh the browser, which forgets its target.
    if (const std::optional<std::string> target = browser_.SaveTarget()) editor_.Save(*target);
}

}  // namespace tintora
