#pragma once
// frmMain: the editor's one window. It owns the editor core and the preview's state, builds the
// element and slot rows from the catalogue, and shows what the core reports through EditorView.
// Start-up runs in the constructor, before the window is first shown; the exit procedure runs
// exactly once, from the Exit button, from closing the window, or at the latest when the window
// is destroyed.

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "model/Catalogue.h"
#include "preview/Marks.h"
#include "preview/PreviewModel.h"
#include "settings/Settings.h"
#include "editor/Editor.h"
#include "editor/EditorView.h"
#include "ui/ElementRow.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace tintora {

class FilesTab;
class Log;
class PreviewWidget;
class RecoveryWriter;
class SettingsStore;
class Toolkit;

class MainWindow : public QMainWindow, public EditorView {
    Q_OBJECT
public:
    // `dataFolder` holds the log files and the work folders ("temp-PID"). The toolkit, the store and
    // the log must outlive the window.
    MainWindow(Toolkit& toolkit, SettingsStore& store, Log& log,
               const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    Editor& GetEditor() { return editor_; }
    const PreviewModel& Preview() const { return preview_; }
    // The arrows shown by the current selection.
    const std::vector<ArrowPlacement>& Arrows() const { return arrows_; }

    // --- Element selection and the colour chooser ---
    void lbl_Click(int index);
    void cmdSelect_Click(int index);

    // --- Languages ---
    void FillLanguageList(int languageNumber);
    void LanguageChoice();
    void ToggleTextNumbers();
    void ApplyLanguage();

    // --- The preview talks back (MainWindowPreview.cpp) ---
    // Selects the element as a click on its caption does (a selected one stays selected), shows
    // its tab and puts the focus in its hex box.
    void SelectElement(int index);
    // The preview's zoom factor 1..4, remembered in the settings.
    void SetPreviewZoom(int zoom);
    // Applies a contrast fix offered in the findings box ("fix:ELEMENT:RRGGBB"); false for any
    // other link.
    bool ApplyContrastFix(const QString& link);

    // --- Files from outside the window: the command line and drops (MainWindowFiles.cpp) ---
    // Opens a theme file as a click on it in the Files tab does.
    void OpenThemeFile(const QString& path);
    // A picture file for slot `slot` from outside: the Import button's fit dialog.
    void TakeSlotPicture(int slot, const QString& path);
    // The picture slot whose row lies under `globalPos` on the Image tab, or whose picture's
    // place in the preview does (shown or not yet); -1 for none.
    int SlotRowAt(QPoint globalPos) const;

    // --- Pictures from any image (MainWindowImport.cpp) ---
    // The Import button: an open dialog for any picture file, then ImportPictureFile.
    void cmdImport_Click(int slot);
    // Reads and decodes the file and runs the fit dialog for `slot`; OK loads the result into
    // the slot as Select does and remembers the choices. A file that cannot be read or decoded
    // is refused with a message and changes nothing. False unless a picture was loaded.
    bool ImportPictureFile(int slot, const std::string& path);
    // The preview as the phone's 256-colour display shows it.
    void SetPhoneColours(bool on);

    // --- Safe editing (MainWindowSafety.cpp) ---
    // Ctrl+S: Save to the file selected in the browser, Save As when there is none.
    void SaveShortcut();
    // The window title: the program's title, then the theme's file name and "*" while modified.
    QString TitleText() const;
    // Writes a recovery file now if one is due (the timer's job; tests call it directly).
    void WriteRecoveryNow();
    RecoveryWriter& Recovery() { return *recovery_; }

    // --- Exit: the log line, the settings and the work folder; then the window closes ---
    void cmdExit_Click();

    // --- EditorView ---
    void ColourTextChanged(int index) override;
    void ChangeColour(int index) override;
    void FindingsChanged() override;
    void SlotChanged(int slot) override;
    void SetStandbyFillTransparent(bool transparent) override;
    void ShowBackImage(int holder, bool visible) override;
    void ArrangeMenuItems() override;
    void ShowThemeInfo() override;
    void ClearStatusLabels() override;
    void SetBusy(BusyButton button, bool busy) override;
    void UpdateListFiles() override;
    void HistoryChanged() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    QWidget* BuildImageTab();
    QWidget* BuildGroupsTab(std::initializer_list<int> groups);
    QWidget* BuildSidePanel();
    void ConnectRows();
    void AcceptFileDrops();
    void StartUp();
    void RunExitSteps();
    void ClearSelection();
    void ShowSlotCaptions(int slot);
    void ShowSlotPicture(int slot);
    void ConnectPreview();
    void ShowPreviewMenu(QPoint pixel);
    // The nine rules' findings, then the contrast lines with their fixes for the pairs that are
    // hard to read on the phone.
    void ShowFindings();
    // Safe editing: the Undo and Redo buttons, the shortcuts, the title, the recovery file.
    void BuildHistoryButtons(QGridLayout* buttons, int row, QWidget* parent);
    void ConnectShortcuts();
    void ShowHistoryState();
    void StartSafety();
    void OfferRecoveryWhenShown(int triesLeft);

    Log& log_;
    SettingsStore& store_;
    std::filesystem::path tempfolder_;  // this process's own work folder in the data folder
    StoredSettings storedAtStart_;
    Editor editor_;
    PreviewModel preview_;
    std::vector<ArrowPlacement> arrows_;

    std::array<ElementRow, kElementCount> rows_{};
    std::array<SlotRow, kSlotCount> slotRows_{};
    std::array<QGroupBox*, kGroupCount> frames_{};
    QTabWidget* tabs_ = nullptr;
    FilesTab* filesTab_ = nullptr;
    PreviewWidget* previewWidget_ = nullptr;
    QLabel* hint_ = nullptr;  // lblStatus(3)
    QPlainTextEdit* txtSafe_ = nullptr;
    QPushButton* cmdSafe_ = nullptr;
    QComboBox* cboLang_ = nullptr;
    QLabel* lblZoom_ = nullptr;
    QComboBox* cboZoom_ = nullptr;
    QString shownLinks_;  // the fix links txtSafe shows, to skip needless layouts
    QCheckBox* chkPhoneColours_ = nullptr;
    QPushButton* cmdAbout_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QPushButton* cmdUndo_ = nullptr;
    QPushButton* cmdRedo_ = nullptr;
    QString baseTitle_;
    std::unique_ptr<RecoveryWriter> recovery_;
    QTimer* recoveryTimer_ = nullptr;

    bool fillingLanguageList_ = false;  // the guard of FillLanguageList
    bool exited_ = false;
};

}  // namespace tintora
