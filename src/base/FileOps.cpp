#include "base/FileOps.h"

#include <algorithm>
#include <vector>

#include "base/FileSystem.h"
#include "base/Log.h"
#include "text/AsciiCase.h"

namespace tintora {

namespace {

bool IsFolder(FileSystem& files, const std::string& path) { return files.Status(path) == FileSystem::Kind::Folder; }

// Entry names of a folder, sorted so that every listing is reproducible; false when the folder
// cannot be read.
bool ListNames(FileSystem& files, const std::string& folder, std::vector<std::string>& names) {
    return files.List(folder, names);
}

struct FileTestResult {
    bool exists = false;
    bool folder = false;
};

// The file test with its log line. The lookup is on the exact path, so the name found is the
// name asked for: the entry existing is the whole answer. A name without extension is a fine
// answer too, not an error.
FileTestResult FileTest(Log& log, const std::string& path, FileSystem& files) {
    log.WriteLog("bFileExist calls getfilename....-->Filename-->" + path);
    const FileSystem::Kind kind = files.Status(path);
    return {kind != FileSystem::Kind::None, kind == FileSystem::Kind::Folder};
}

}  // namespace

bool FileExists(Log& log, const std::string& path, std::string_view kind, FileSystem& files) {
    if (kind == "Folder") return IsFolder(files, path);
    return FileTest(log, path, files).exists;
}

void SplitFileName(Log& log, std::string& path, std::string& extension) {
    const auto fail = [&] {
        log.WriteLog("Error in getfilename.......", 2);
        log.WriteLog("sFileName->" + path);
        log.WriteLog("sExtension->" + extension);
    };
    // The extension is looked for in the last part of the path only: a dot in a folder name
    // is not the file's extension.
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        fail();
        return;
    }
    extension = path.substr(dot + 1);
    path.erase(dot);
    if (slash == std::string::npos) {
        fail();
        return;
    }
    path.erase(0, slash + 1);
}

bool DeleteFile(Log& log, const std::string& path, FileSystem& files) {
    const FileTestResult found = FileTest(log, path, files);
    if (!found.exists) {
        log.WriteLog(std::string(kDeleteFileNotFound) + path);
        return false;
    }
    if (!found.folder) files.Remove(path);  // like the platform's deletion: never a folder
    if (FileExists(log, path, "File", files)) {
        log.WriteLog("Failed to remove the file in bDeleteFile->" + path);
        return false;
    }
    return true;
}

bool DeleteFolder(Log& log, const std::string& path, FileSystem& files) {
    if (!FileExists(log, path, "Folder", files)) {
        log.WriteLog("Could not find the folder in bDeleteFolder....->" + path);
        return false;
    }
    std::vector<std::string> names{".", ".."};  // the directory search reports these first
    if (!ListNames(files, path, names)) {
        files.Remove(path);
        return !FileExists(log, path, "Folder", files);
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name == "." || name == "..") {
            log.WriteLog("Not possible to remove ->" + name);
            continue;
        }
        const bool removed = DeleteFile(log, path + "/" + name, files);
        log.WriteLog(std::string(removed ? "Success when removing arrfile->"
                                         : "Failed to remove arrfile->") +
                     " " + std::to_string(i) + " Name->" + name);
    }
    files.Remove(path);
    if (FileExists(log, path, "Folder", files)) {
        log.WriteLog("Failed to remove the file in bDeleteFolder->" + path);
        return false;
    }
    return true;
}

void CreateFolder(Log& log, const std::string& path, FileSystem& files) {
    if (!FileExists(log, path, "Folder", files)) {
        log.WriteLog("Path didnt exist -> Create it");
        files.MakeFolder(path);
        if (!FileExists(log, path, "Folder", files)) log.WriteLog("Failed to create folder ->" + path);
    } else if (DeleteFolder(log, path, files)) {
        files.MakeFolder(path);
        if (!FileExists(log, path, "Folder", files)) log.WriteLog("Failed to create folder ->" + path);
    }
}

std::string FindFileWithExtension(Log& log, const std::string& folder, const std::string& extension, FileSystem& files) {
    std::vector<std::string> names;
    if (!IsFolder(files, folder)) return "";
    if (!ListNames(files, folder, names)) {
        log.WriteLog("Error in sFindFileName");
        return "";
    }
    const std::string wanted = "." + AsciiLower(extension);
    for (const std::string& name : names) {
        if (name.size() <= wanted.size() || IsFolder(files, folder + "/" + name)) continue;
        if (AsciiLower(name.substr(name.size() - wanted.size())) == wanted) return name;
    }
    return "";
}

}  // namespace tintora
