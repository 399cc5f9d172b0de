#include "ui/MainWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/ColourText.h"
#include "platform/QtConvert.h"
#include "editor/EditorSettings.h"
#include "ui/AboutDialog.h"
#include "ui/FilesTab.h"
#include "ui/HexBox.h"
#include "ui/PreviewPictures.h"
#include "ui/PreviewWidget.h"
#include "base/FileOps.h"
#include "base/Log.h"
#include "editor/Recovery.h"
#include "base/WorkFolder.h"
#include "settings/SettingsStore.h"
#include "text/WindowTexts.h"

namespace tintora {

namespace {

constexpr int kFilesTab = 5;
constexpr int kImageGroup = 7;



std::string VersionText() {
    return std::to_string(TINTORA_VERSION_MAJOR) + "." + std::to_string(TINTORA_VERSION_MINOR) +
           "." + std::to_string(TINTORA_VERSION_REVISION);
}

// Qt's key for a pixmap loaded from a file: the path, the file's time and size and the pixmap
// type, each number as the hexadecimal digits of its bytes, low nibble first.
template <typename T>
QString PixmapKeyHex(T value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    QString text;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        text += QLatin1Char(kDigits[bytes[i] & 0xf]);
        text += QLatin1Char(kDigits[bytes[i] >> 4]);
    }
    return text;
}

// The Fusion style draws every group frame from a small PNG among Qt's resources, loaded on the
// first paint. Loaded that way, Qt first asks every image-format plug-in whether it reads PNG,
// loading all of them and the SVG module with them, which costs the first frame over a
// millisecond. Decoded here by the built-in reader and put in the pixmap cache under the key the
// style's load looks for, the frame costs a fraction of that. Should Qt's key ever differ, the
// style simply loads the picture itself as before.
void PreloadGroupFrame() {
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) return;
    const QString path = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
    const QFileInfo info(path);
    if (!info.exists()) return;
    constexpr uint kPixmapType = 0;
    const QString key = QLatin1String("qt_pixmap") + info.absoluteFilePath() +
                        PixmapKeyHex(static_cast<uint>(info.lastModified().toSecsSinceEpoch())) +
                        PixmapKeyHex(static_cast<quint64>(info.size())) + PixmapKeyHex(kPixmapType);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return;
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);  // the built-in reader only
    const QImage image = reader.read();
    if (!image.isNull()) QPixmapCache::insert(key, QPixmap::fromImage(image));
}

}  // namespace

MainWindow::MainWindow(Toolkit& toolkit, SettingsStore& store, Log& log,
                       const std::filesystem::path& dataFolder, QWidget* parent)
    : QMainWindow(parent),
      log_(log),
      store_(store),
      tempfolder_(OwnWorkFolder(dataFolder)),
      editor_(log, toolkit, *this, tempfolder_.string()) {
    setObjectName(QStringLiteral("frmMain"));
    PreloadGroupFrame();
    BuildWidgets();
    ConnectRows();
    AcceptFileDrops();
    StartUp();
}

MainWindow::~MainWindow() { RunExitSteps(); }

// --- Widgets ---

void MainWindow::BuildWidgets() {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    // Compact enough that even the German captions fit a 1600 pixel wide screen.
    layout->setContentsMargins(8, 8, 6, 8);
    layout->setSpacing(8);

    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    // Every tab caption stays readable; the longer German ones widen the tab area instead.
    tabs_->setUsesScrollButtons(false);
    tabs_->addTab(BuildImageTab(), QString());
    tabs_->addTab(BuildGroupsTab({6, 5, 4}), QString());
    tabs_->addTab(BuildGroupsTab({3}), QString());
    tabs_->addTab(BuildGroupsTab({2}), QString());
    tabs_->addTab(BuildGroupsTab({0, 1}), QString());
    filesTab_ = new FilesTab(editor_);
    tabs_->addTab(filesTab_, QString());

    layout->addWidget(tabs_, 0);
    layout->addWidget(BuildSidePanel(), 1);
    setCentralWidget(central);
}

QWidget* MainWindow::BuildImageTab() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    auto* frame = new QGroupBox(page);
    frame->setObjectName(QStringLiteral("Frame_Color_%1").arg(kImageGroup));
    frames_[kImageGroup] = frame;
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    for (int slot = 0; slot < kSlotCount; ++slot)
        slotRows_[static_cast<std::size_t>(slot)] = AddSlotRow(grid, 3 * slot, slot, frame);
    grid->setColumnStretch(2, 1);
    outer->addWidget(frame);
    outer->addStretch(1);
    return page;
}

QWidget* MainWindow::BuildGroupsTab(std::initializer_list<int> groups) {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    outer->setSpacing(10);
    for (int g : groups) {
        auto* frame = new QGroupBox(page);
        frame->setObjectName(QStringLiteral("Frame_Color_%1").arg(g));
        frames_[static_cast<std::size_t>(g)] = frame;
        auto* grid = new QGridLayout(frame);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        grid->setColumnStretch(0, 1);
        int row = 0;
        for (int index : kGroups[static_cast<std::size_t>(g)].elements)
            rows_[static_cast<std::size_t>(index)] = AddElementRow(grid, row++, index, frame);
        outer->addWidget(frame);
    }
    outer->addStretch(1);
    return page;
}

QWidget* MainWindow::BuildSidePanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    previewWidget_ = new PreviewWidget(preview_, panel);
    previewWidget_->setObjectName(QStringLiteral("preview"));
    column->addWidget(previewWidget_, 0, Qt::AlignLeft | Qt::AlignTop);
    chkPhoneColours_ = new QCheckBox(panel);
    chkPhoneColours_->setObjectName(QStringLiteral("chkPhoneColours"));
    column->addWidget(chkPhoneColours_);

    hint_ = new QLabel(panel);
    hint_->setObjectName(QStringLiteral("lblStatus_3"));
    hint_->setMinimumHeight(hint_->fontMetrics().height() + 6);
    QPalette hintPalette = hint_->palette();
    hintPalette.setColor(QPalette::WindowText, QColor(0x8a, 0x1c, 0x1c));
    hint_->setPalette(hintPalette);
    column->addWidget(hint_);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(12);
    txtSafe_ = new QPlainTextEdit(panel);
    txtSafe_->setObjectName(QStringLiteral("txtSafe"));
    txtSafe_->setReadOnly(true);
    txtSafe_->setFixedHeight(96);
    bottom->addWidget(txtSafe_, 1);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(6);
    cmdSafe_ = new QPushButton(panel);
    cmdSafe_->setObjectName(QStringLiteral("cmdSafe"));
    cboLang_ = new QComboBox(panel);
    cboLang_->setObjectName(QStringLiteral("cboLang"));
    cboLang_->setInsertPolicy(QComboBox::NoInsert);
    cboLang_->setMinimumWidth(130);
    cmdAbout_ = new QPushButton(panel);
    cmdAbout_->setObjectName(QStringLiteral("cmdAbout"));
    cmdExit_ = new QPushButton(panel);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton* b : {cmdSafe_, cmdAbout_, cmdExit_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    buttons->addWidget(cmdSafe_, 0, 0);
    buttons->addWidget(cboLang_, 1, 0);
    buttons->addWidget(cmdAbout_, 2, 0);
    buttons->addWidget(cmdExit_, 3, 0);
    auto* zoomRow = new QHBoxLayout;
    lblZoom_ = new QLabel(panel);
    lblZoom_->setObjectName(QStringLiteral("lblZoom"));
    cboZoom_ = new QComboBox(panel);
    cboZoom_->setObjectName(QStringLiteral("cboZoom"));
    for (int z = PreviewWidget::kMinZoom; z <= PreviewWidget::kMaxZoom; ++z) cboZoom_->addItem(QStringLiteral("%1x").arg(z), z);
    zoomRow->addWidget(lblZoom_);
    zoomRow->addWidget(cboZoom_, 1);
    buttons->addLayout(zoomRow, 4, 0);
    BuildHistoryButtons(buttons, 5, panel);
    bottom->addLayout(buttons);
    column->addLayout(bottom);
    column->addStretch(1);
    return panel;
}

void MainWindow::ConnectRows() {
    for (int i = 0; i < kElementCount; ++i) {
        const ElementRow& row = rows_[static_cast<std::size_t>(i)];
        connect(row.lbl, &ClickableLabel::clicked, this, [this, i] { lbl_Click(i); });
        connect(row.cmdSelect, &QPushButton::clicked, this, [this, i] { cmdSelect_Click(i); });
        // Typed and pasted text; texts the program sets come back through ColourTextChanged.
        connect(row.txtColor, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { editor_.SetColour(i, text.toStdString()); });
    }
    for (int s = 0; s < kSlotCount; ++s) {
        const SlotRow& row = slotRows_[static_cast<std::size_t>(s)];
        connect(row.cmdLoadFile, &QPushButton::clicked, this, [this, s] { editor_.ChooseSlotPicture(s); });
        connect(row.cmdOnOff, &QPushButton::clicked, this, [this, s] { editor_.ToggleSlot(s); });
        connect(row.cmdImport, &QPushButton::clicked, this, [this, s] { cmdImport_Click(s); });
    }
    connect(chkPhoneColours_, &QCheckBox::toggled, this, [this](bool on) { SetPhoneColours(on); });
    connect(cmdSafe_, &QPushButton::clicked, this, [this] { editor_.CheckColours(); });
    connect(cboLang_, &QComboBox::activated, this, [this] { LanguageChoice(); });
    connect(cmdAbout_, &QPushButton::clicked, this, [this] { ShowAboutDialog(this, editor_.GetTexts()); });
    connect(cmdExit_, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(previewWidget_, &PreviewWidget::itemClicked, this, [this](int id) {
        const ItemDef& def = preview_.Def(id);
        if (def.kind == ItemKind::Label && def.name == "lblText") ToggleTextNumbers();
    });
    ConnectPreview();
    ConnectShortcuts();
}

// --- Start-up and exit ---

void MainWindow::StartUp() {
    editor_.GetTexts().SetLanguageOffset(kEnglish);
    baseTitle_ = ToQString("Tintora ver:" + VersionText() + "      " + std::string(kMakerAddress));
    setWindowTitle(baseTitle_);
    log_.WriteLog("Application started", 1);
    log_.WriteLog("Version:" + VersionText(), 1);
    preview_.PlaceTextCopies();
    storedAtStart_ = LoadSettings(editor_, store_);
    SetPreviewZoom(editor_.Settings().previewZoom);
    ArrangeMenuItems();
    DeleteFolder(log_, tempfolder_.string());
    RemoveAbandonedWorkFolders(tempfolder_.parent_path());
    // Said once now rather than as a reasonless failure of every open later.
    if (const std::string problem = DataFolderProblem(tempfolder_.parent_path()); !problem.empty()) {
        log_.WriteLog("The data folder cannot be written: " + problem);
        editor_.GetToolkit().ShowMessage(editor_.GetTexts().GetText(kTextDataFolderUnwritable) + "\n" + problem);
    }
    tabs_->setCurrentIndex(kFilesTab);
    ClearSelection();
    FillLanguageList(101);
    hint_->clear();
    filesTab_->ClearStatusLabels();
    filesTab_->FillPlaces();  // the browser was filled by FillLanguageList's refresh
    log_.WriteLog("Ini of application complete", 1);
    editor_.CheckColours();
    StartSafety();
}

void MainWindow::cmdExit_Click() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!exited_ && !editor_.ConfirmDropChanges()) {
        event->ignore();
        return;
    }
    RunExitSteps();
    event->accept();
}

void MainWindow::RunExitSteps() {
    if (exited_) return;
    exited_ = true;
    log_.WriteLog("Exit Application", 1);
    SaveSettings(editor_, store_, storedAtStart_);
    if (std::string why; !store_.Flush(why)) {
        log_.WriteLog("The settings could not be saved: " + why);
        editor_.GetToolkit().ShowMessage(editor_.GetTexts().GetText(kTextSettingsNotSaved) + "\n" + why);
    }
    DeleteFolder(log_, tempfolder_.string());
    // Leaving on purpose: nothing is left to recover.
    if (recovery_) recovery_->Remove();
}

// --- What the core reports ---

void MainWindow::ColourTextChanged(int index) {
    HexBox* box = rows_[static_cast<std::size_t>(index)].txtColor;
    const std::string& value = editor_.Colour(index);
    box->ShowText(ToQString(value));
    box->SetComplete(IsCompleteColourText(value));
}

void MainWindow::ChangeColour(int index) {
    rows_[static_cast<std::size_t>(index)].shapeSelect->SetColour(ToQColor(MakeRGB(editor_.Colour(index))));
    previewWidget_->BeginChange();
    preview_.ChangeColour(index, editor_.GetTheme());
    previewWidget_->UpdateChangedScreens();
}

void MainWindow::FindingsChanged() { ShowFindings(); }

void MainWindow::SlotChanged(int slot) {
    ShowSlotCaptions(slot);
    ShowSlotPicture(slot);
}

void MainWindow::ShowSlotCaptions(int slot) {
    const SlotRow& row = slotRows_[static_cast<std::size_t>(slot)];
    const Texts& texts = editor_.GetTexts();
    const SlotState state = editor_.GetTheme().slots[static_cast<std::size_t>(slot)];
    row.cmdOnOff->setText(ToQString(texts.GetText(state == SlotState::On ? kTextSlotOn : kTextSlotOff)));
    // Room for the longer of "Loaded" and "Not Loaded", so that the tab, and the preview
    // beside it, keep their width when a picture comes in.
    const QFontMetrics metrics(row.lblPicFileName->font());
    row.lblPicFileName->setMinimumWidth(
        std::max(metrics.horizontalAdvance(ToQString(texts.GetText(kTextNotLoaded))),
                 metrics.horizontalAdvance(ToQString(texts.GetText(kTextLoaded)))));
    row.lblPicFileName->setText(
        ToQString(texts.GetText(state == SlotState::Empty ? kTextNotLoaded : kTextLoaded)));
}

void MainWindow::ShowSlotPicture(int slot) {
    const QImage image = DecodeSlotPicture(editor_.GetTheme(), slot);
    SlotRow& row = slotRows_[static_cast<std::size_t>(slot)];
    row.picture->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    for (int holder = 0; holder < kBackImageCount; ++holder)
        if (SlotOfHolder(holder) == slot) previewWidget_->SetPicture(holder, image);
}

void MainWindow::SetStandbyFillTransparent(bool transparent) {
    preview_.SetStandbyFillTransparent(transparent);
    previewWidget_->update();
    ShowFindings();  // what shows on a picture is not measured
}

void MainWindow::ShowBackImage(int holder, bool visible) {
    preview_.ShowBackImage(holder, visible);
    previewWidget_->update();
    ShowFindings();  // what shows on a picture is not measured
}

void MainWindow::ArrangeMenuItems() {
    preview_.ArrangeMenuItems(editor_.GetTheme());
    previewWidget_->update();
    ShowFindings();  // what shows on a picture is not measured
}

void MainWindow::ShowThemeInfo() { filesTab_->ShowThemeInfo(); }

void MainWindow::ClearStatusLabels() { filesTab_->ClearStatusLabels(); }

void MainWindow::SetBusy(BusyButton button, bool busy) { filesTab_->SetBusy(button, busy); }

void MainWindow::UpdateListFiles() { filesTab_->UpdateListFiles(); }

}  // namespace tintora
