#pragma once
// The file browser of the Files tab without its widgets: the places to browse from, the entries
// of one folder (the parent entry, the sub-folders in brackets, the theme files), the shortened
// folder label, and what a click or double-click on an entry does. The folder shown is the
// editor's browse folder (sBrowseFolder), which ends with "/" after every refresh.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

class Editor;
class Texts;

// A mounted file system as the platform reports it.
struct MountedVolume {
    std::string root;  // its mount point
    std::string type;  // the file system type, such as "ext4" or "proc"
    bool ready = true;
};

// The places the drive list offers, each ending with "/": the home folder first, then the root
// and the mount points of real file systems in the order given, without repeats. Pseudo file
// systems (proc, sysfs, tmpfs and the like) and volumes that are not ready are left out.
std::vector<std::string> MakeDriveList(const std::string& home,
                                       const std::vector<MountedVolume>& volumes);

// Whether `name` matches a wildcard pattern of "*" and "?". Letter case is ignored, as the file
// dialogs and the phone's own platform do, so "SUMMER.THM" matches "*.thm".
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// FolderNames: the sub-folders of `folder`, sorted by name. Appends "/" to `folder` when it lacks
// one. A folder that does not exist or cannot be opened lists as empty (true); false only when
// the listing broke off part way.
bool ListFolders(std::string& folder, std::vector<std::string>& folderNames);
// FileNames: every entry of `folder` whose name matches `pattern`, sorted by name. There is no
// test of the entry's kind: a folder named old.thm is listed too. Results as ListFolders.
bool ListMatchingFiles(std::string& folder, std::string_view pattern,
                       std::vector<std::string>& fileNames);

// The parent entry "[" + text 153 + "]" in the language in force.
std::string ParentEntry(const Texts& texts);
// The entries in list order: the parent entry unless `folder` is the root "/", one "[name]" per
// folder, then the bare file names.
std::vector<std::string> BrowserEntries(const std::string& folder,
                                        const std::vector<std::string>& folderNames,
                                        const std::vector<std::string>& fileNames,
                                        const Texts& texts);

// The folder as the current-folder label shows it: unchanged up to 50 characters, otherwise the
// head up to the first "/", then ".../" and the longest end of the path after a "/" that fits.
std::string ShortenFolderLabel(const std::string& folder);

// The folder one level up: cut after the "/" found searching left from the second-last
// character ("/data/phone/" gives "/data/"). A folder without such a "/" stays as it is.
std::string ParentFolder(const std::string& folder);

// A folder or parent entry: begins with "[" and ends with "]".
bool IsFolderEntry(std::string_view entry);

class FileBrowser {
public:
    explicit FileBrowser(Editor& editor);

    // GetDriveList: the places to browse from, as the platform found them.
    void SetDrives(std::vector<std::string> drives) { drives_ = std::move(drives); }
    const std::vector<std::string>& Drives() const { return drives_; }
    // FillDriveCombo's selection: the place that holds the browse folder (the longest one that
    // begins it), or -1.
    int DriveIndex() const;
    // A place chosen in the drive list: a place other than the browse folder's own becomes the
    // browse folder and the list is refreshed. Saving back is disabled in every case.
    void ChooseDrive(int index);

    // UpdateListFiles: lists the browse folder again and makes its label. The selection is
    // gone with the old list, and with it the file that Save would write to.
    void UpdateListFiles();
    const std::vector<std::string>& Entries() const { return entries_; }
    const std::string& FolderLabel() const { return label_; }
    const std::string& Folder() const;

    // A click on an entry (or the selection moving onto it): a theme file is opened at once and,
    // when it opened, becomes the file that Save writes to; a folder entry or a file that did not
    // open disables Save.
    void Click(const std::string& entry);
    // A double-click: a folder entry moves into that folder, the parent entry one level up; a
    // theme file is opened again (and Save is disabled when that fails).
    void DoubleClick(const std::string& entry);
    // A theme file named from outside the browser (the editor's command line, a file dropped on
    // the window), relative paths from the current folder: its folder becomes the browse folder
    // and the file is clicked there, so it opens as from the list and Save writes back to it.
    // When its folder does not exist the browse folder stays and the open flow reports the
    // missing file. Ignored while the browser is busy.
    void OpenFile(const std::string& path);
    // The last open from the browser was called off at the question about unsaved changes:
    // the editor, the browse folder and the file Save writes to are as they were.
    bool Cancelled() const { return cancelled_; }
    // BrowserBusy: a click or double-click is being handled; another one meanwhile is ignored.
    bool Busy() const { return busy_; }

    // Save is enabled while a theme file entry was the last one clicked; the file it writes to.
    // Only while the editor holds that file's theme: undoing an open gives back the theme of
    // another file, which must not be written over the one opened.
    bool SaveEnabled() const;
    std::optional<std::string> SaveTarget() const;

    // Called after every refresh of the list, so that the widgets show the new entries.
    void SetListener(std::function<void()> listChanged) { listChanged_ = std::move(listChanged); }

private:
    // The full path of a theme file entry in the browse folder.
    std::string EntryPath(const std::string& entry, std::string_view logLine);
    // Asks before the theme's unsaved changes are dropped; false when the user keeps them.
    bool KeepGoing();
    // Opens a theme file; true when it opened.
    bool Open(const std::string& path);

    Editor& editor_;
    std::vector<std::string> drives_;
    std::vector<std::string> folderNames_;
    std::vector<std::string> fileNames_;
    std::vector<std::string> entries_;
    std::string label_;
    std::optional<std::string> saveTarget_;
    std::function<void()> listChanged_;
    bool busy_ = false;
    bool cancelled_ = false;
    bool confirmed_ = false;  // the question was asked already for this open
};

}  // namespace tintora
