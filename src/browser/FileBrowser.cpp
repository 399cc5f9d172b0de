#include "browser/FileBrowser.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "text/Texts.h"
#include "text/WindowTexts.h"
#include "editor/Editor.h"
#include "base/Log.h"
#include "text/AsciiCase.h"

namespace fs = std::filesystem;

namespace tintora {

namespace {

// File systems that hold no user files: kernel views, memory-backed scratch space, container
// layers and package images.
constexpr std::array<std::string_view, 24> kPseudoFileSystems = {
    "proc",      "sysfs",       "tmpfs",   "devtmpfs", "devpts",   "cgroup",
    "cgroup2",   "securityfs",  "debugfs", "tracefs",  "pstore",   "bpf",
    "configfs",  "fusectl",     "mqueue",  "hugetlbfs", "autofs",  "binfmt_misc",
    "efivarfs",  "rpc_pipefs",  "nsfs",    "ramfs",    "squashfs", "overlay",
};

// The longest folder label shown whole.
constexpr std::size_t kLabelLength = 50;

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// Name order for people: letter case only breaks ties.
bool NameLess(const std::string& a, const std::string& b) {
    const auto la = [](char x, char y) { return AsciiLower(x) < AsciiLower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), la)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), la)) return false;
    return a < b;
}

// Every entry name of `folder` that `keep` accepts, sorted. An unreadable folder gives an empty
// list; false when the listing broke off part way.
template <typename Keep>
bool ListEntries(const std::string& folder, std::vector<std::string>& names, Keep keep) {
    names.clear();
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec) return true;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (keep(*it, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NameLess);
    return !ec;
}

}  // namespace

std::vector<std::string> MakeDriveList(const std::string& home,
                                       const std::vector<MountedVolume>& volumes) {
    std::vector<std::string> drives;
    const auto add = [&](const std::string& folder) {
        const std::string place = WithSlash(folder);
        if (std::find(drives.begin(), drives.end(), place) == drives.end()) drives.push_back(place);
    };
    if (!home.empty()) add(home);
    add("/");
    for (const MountedVolume& v : volumes) {
        if (!v.ready || v.root.empty() || v.root.front() != '/') continue;
        if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), v.type) !=
            kPseudoFileSystems.end())
            continue;
        // Single files mounted into place (a container's /etc/hosts) are no place to browse.
        std::error_code ec;
        if (!fs::is_directory(fs::path(v.root), ec)) continue;
        add(v.root);
    }
    return drives;
}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    // Greedy match with one back-track point: the last "*" seen.
    std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool ListFolders(std::string& folder, std::vector<std::string>& folderNames) {
    folder = WithSlash(std::move(folder));
    // A link to a folder is a folder to the user; the directory test follows it.
    return ListEntries(folder, folderNames, [](const fs::directory_entry& e, const std::string&) {
        std::error_code ec;
        return e.is_directory(ec);
    });
}

bool ListMatchingFiles(std::string& folder, std::string_view pattern,
                       std::vector<std::string>& fileNames) {
    folder = WithSlash(std::move(folder));
    return ListEntries(folder, fileNames,
                       [pattern](const fs::directory_entry&, const std::string& name) {
                           return MatchesWildcard(name, pattern);
                       });
}

std::string ParentEntry(const Texts& texts) { return "[" + texts.GetText(kTextParentFolder) + "]"; }

std::vector<std::string> BrowserEntries(const std::string& folder,
                                        const std::vector<std::string>& folderNames,
                                        const std::vector<std::string>& fileNames,
                                        const Texts& texts) {
    std::vector<std::string> entries;
    entries.reserve(folderNames.size() + fileNames.size() + 1);
    if (folder != "/") entries.push_back(ParentEntry(texts));
    for (const std::string& name : folderNames) entries.push_back("[" + name + "]");
    entries.insert(entries.end(), fileNames.begin(), fileNames.end());
    return entries;
}

std::string ShortenFolderLabel(const std::string& folder) {
    if (folder.size() <= kLabelLength) return folder;
    const std::size_t first = folder.find('/');
    if (first == std::string::npos) return folder;

    // The head up to the first "/", then the longest end after a "/" that fits beside it and
    // ".../". A folder ending with "/" always has one: the empty end.
    const std::string head = folder.substr(0, first + 1);
    for (std::size_t p = first + 1; p <= folder.size();) {
        const std::size_t next = folder.find('/', p);
        if (next == std::string::npos) break;
        p = next + 1;
        const std::string tail = folder.substr(p);
        if (head.size() + tail.size() + 3 < kLabelLength) return head + ".../" + tail;
    }
    // A last name too long to fit: cut bluntly.
    return head + ".../..." + folder.substr(19);
}

std::string ParentFolder(const std::string& folder) {
    if (folder.size() < 2) return folder;
    const std::size_t slash = folder.rfind('/', folder.size() - 2);
    if (slash == std::string::npos) return folder;
    return folder.substr(0, slash + 1);
}

bool IsFolderEntry(std::string_view entry) {
    return !entry.empty() && entry.front() == '[' && entry.back() == ']';
}

FileBrowser::FileBrowser(Editor& editor) : editor_(editor) {}

const std::string& FileBrowser::Folder() const { return editor_.Settings().browseFolder; }

int FileBrowser::DriveIndex() const {
    const std::string folder = WithSlash(Folder());
    int best = -1;
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        const std::string& d = drives_[i];
        if (folder.compare(0, d.size(), d) != 0) continue;
        if (best < 0 || d.size() > drives_[best].size()) best = static_cast<int>(i);
    }
    return best;
}

bool FileBrowser::SaveEnabled() const { return saveTarget_ && *saveTarget_ == editor_.FilePath(); }

std::optional<std::string> FileBrowser::SaveTarget() const {
    return SaveEnabled() ? saveTarget_ : std::nullopt;
}

void FileBrowser::ChooseDrive(int index) {
    saveTarget_.reset();
    if (index < 0 || index >= static_cast<int>(drives_.size())) return;
    if (index == DriveIndex()) return;
    editor_.Settings().browseFolder = drives_[index];
    UpdateListFiles();
}

void FileBrowser::UpdateListFiles() {
    std::string& folder = editor_.Settings().browseFolder;
    Log& log = editor_.GetLog();
    if (!ListFolders(folder, folderNames_))
        log.WriteLog("Could not list all folders in UpdateListFiles");
    if (!ListMatchingFiles(folder, "*.thm", fileNames_))
        log.WriteLog("Could not list all files in UpdateListFiles");
    entries_ = BrowserEntries(folder, folderNames_, fileNames_, editor_.GetTexts());
    label_ = ShortenFolderLabel(folder);
    // The entry that Save wrote to is no longer selected in the new list.
    saveTarget_.reset();
    if (listChanged_) listChanged_();
}

std::string FileBrowser::EntryPath(const std::string& entry, std::string_view logLine) {
    const std::string& folder = Folder();
    if (!folder.empty() && folder.back() == '/') return folder + entry;
    editor_.GetLog().WriteLog(logLine);
    return folder + "/" + entry;
}

bool FileBrowser::KeepGoing() {
    cancelled_ = !confirmed_ && !editor_.ConfirmDropChanges();
    return !cancelled_;
}

bool FileBrowser::Open(const std::string& path) {
    const Editor::OpenResult result = editor_.OpenTheme(path);
    // A file deleted behind the browser's back: the editor has said so; show what is there now.
    if (result == Editor::OpenResult::FileMissing) UpdateListFiles();
    // A file that did not open is not the theme in the editor: Save must not write over it.
    if (result != Editor::OpenResult::Opened) saveTarget_.reset();
    return result == Editor::OpenResult::Opened;
}

namespace {
// BrowserBusy for the length of one handler.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};
}  // namespace

void FileBrowser::Click(const std::string& entry) {
    if (busy_) return;
    cancelled_ = false;
    BusyScope scope(busy_);
    if (IsFolderEntry(entry)) {
        saveTarget_.reset();
        return;
    }
    const std::string path = EntryPath(entry, "Found sBrowseFolder without /");
    if (!KeepGoing()) return;
    saveTarget_.reset();
    if (Open(path)) saveTarget_ = path;
}

void FileBrowser::DoubleClick(const std::string& entry) {
    if (busy_) return;
    cancelled_ = false;
    BusyScope scope(busy_);
    if (!entry.empty() && entry.front() == '[') {
        std::string& folder = editor_.Settings().browseFolder;
        if (entry != ParentEntry(editor_.GetTexts())) {
            // Only the brackets' places are looked at: a file named "[x.thm" moves into "x.th".
            folder += entry.substr(1, entry.size() >= 2 ? entry.size() - 2 : 0);
        } else {
            folder = ParentFolder(folder);
        }
        UpdateListFiles();
        return;
    }
    const std::string path = EntryPath(entry, "sBrowseFolder without /");
    if (KeepGoing()) Open(path);
}

void FileBrowser::OpenFile(const std::string& path) {
    if (busy_ || !KeepGoing()) return;
    std::error_code ec;
    fs::path file = fs::absolute(fs::path(path), ec);
    if (ec) file = fs::path(path);
    file = file.lexically_normal();
    if (!fs::is_directory(file.parent_path(), ec)) {
        Open(file.string());
        return;
    }
    editor_.Settings().browseFolder = WithSlash(file.parent_path().string());
    UpdateListFiles();
    confirmed_ = true;  // asked above
    Click(file.filename().string());
    confirmed_ = false;
}

}  // namespace tintora
