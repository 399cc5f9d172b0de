#pragma once
// The Files tab: the buttons Read, Save, Save As, Reset and Info, the file browser (the place
// list, the folder list and the current-folder label) and the information frame that shows the
// theme's descriptive texts. It shows what the browser logic and the editor core hold.

#include <QWidget>

#include <array>
#include <string>

#include "editor/EditorView.h"
#include "browser/FileBrowser.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tintora {

class Editor;

// The places to browse from on this machine: the home folder and the mounted file systems.
std::vector<std::string> PlatformDriveList();

class FilesTab : public QWidget {
    Q_OBJECT
public:
    explicit FilesTab(Editor& editor, QWidget* parent = nullptr);

    // Start-up: the places to browse from and the place list. The folder list is already there:
    // the captions' refresh that runs before this at start-up has read the folder.
    void FillPlaces();
    // The tab's own captions in the language in force, then the folder list again.
    void ApplyLanguage();

    // The information frame shows the theme's descriptive texts.
    void ShowThemeInfo();
    // Name, modified by and creator read empty (the document reader starts afresh).
    void ClearStatusLabels();
    // "Wait" on the button of a running operation, its own caption afterwards.
    void SetBusy(BusyButton button, bool busy);
    // Lists the browse folder again.
    void UpdateListFiles();

    // Opens a theme file named from outside the list (the command line, a drop): the list shows
    // the file's folder with the file selected, as if it had been clicked there.
    void OpenFile(const std::string& path);

    FileBrowser& Browser() { return browser_; }
    // Save follows whether the theme in the editor is still the selected file's (an undone
    // open gives back another one's).
    void ShowSaveState();

private:
    void BuildWidgets();
    void FillDriveCombo();
    // Shows the browser's entries, label, place and Save state.
    void ShowBrowser();
    void ListClicked(QListWidgetItem* item);
    void ListDoubleClicked(QListWidgetItem* item);
    void SaveClicked();
    // After the question about unsaved changes was cancelled: the selection as it was.
    void KeepSelection();

    Editor& editor_;
    FileBrowser browser_;
    bool filling_ = false;  // the list is being rebuilt: its selection changes are no clicks

    QGroupBox* frame2_ = nullptr;
    QPushButton* cmdInfo_ = nullptr;
    QPushButton* cmdReadFile_ = nullptr;
    QPushButton* cmdReset_ = nullptr;
    QPushButton* cmdSaveAs_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QLabel* lblDrive_ = nullptr;
    QComboBox* cboDrives_ = nullptr;
    QListWidget* listFiles_ = nullptr;
    QLabel* lblCurrentFolderText_ = nullptr;
    QLabel* lblCurrentFolder_ = nullptr;

    QGroupBox* frame1_ = nullptr;
    std::array<QLabel*, 5> lblStatusText_{};
    std::array<QLabel*, 5> lblStatus_{};  // (3) is the main window's hint line: not here
};

}  // namespace tintora
