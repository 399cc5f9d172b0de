#pragma once
// File and folder procedures on a file system (the disk unless another is given). Paths are UTF-8
// texts with "/" as separator. None of them throws; each reports through its result and its log
// lines.

#include <string>
#include <string_view>

#include "base/FileSystem.h"

namespace tintora {

class Log;

// The log line of a file deletion that found nothing, followed by the path.
inline constexpr std::string_view kDeleteFileNotFound = "Could not find the file in bDeleteFile....->";

// "Folder" tests for a folder; any other kind for an entry of that name (a folder counts too).
bool FileExists(Log& log, const std::string& path, std::string_view kind, FileSystem& files = DiskFiles());
bool DeleteFile(Log& log, const std::string& path, FileSystem& files = DiskFiles());
// Empties and removes a folder; not recursive: a sub-folder stays and the result is false.
bool DeleteFolder(Log& log, const std::string& path, FileSystem& files = DiskFiles());
// Leaves an empty folder at `path` when it can.
void CreateFolder(Log& log, const std::string& path, FileSystem& files = DiskFiles());

}  // namespace tintora
