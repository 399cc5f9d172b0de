#pragma once
// File and folder procedures on a file system (the disk unless another is given). Paths are UTF-8
// texts with "/" as separator. None of them throws; each reports through its result and its log
// lines.

#include <string>
#include <string_view>

namespace tintora {

class FileSystem;
class Log;

// The disk, for callers that pass no file system of their own.
FileSystem& DiskFiles();

// The log line of a file deletion that found nothing, followed by the path.
inline constexpr std::string_view kDeleteFileNotFound = "Could not find the file in bDeleteFile....->";

// "Folder" tests for a folder; any other kind for an entry of that name (a folder counts too).
bool FileExists(Log& log, const std::string& path, std::string_view kind, FileSystem& files = DiskFiles());
// Splits `path` into the bare file name (in `path`) and the text after its last "." (in
// `extension`). On failure logs at level 2 and leaves what the two hold at that moment.
void SplitFileName(Log& log, std::string& path, std::string& extension);
bool DeleteFile(Log& log, const std::string& path, FileSystem& files = DiskFiles());
// Empties and removes a folder; not recursive: a sub-folder stays and the result is false.
bool DeleteFolder(Log& log, const std::string& path, FileSystem& files = DiskFiles());
// Leaves an empty folder at `path` when it can.
void CreateFolder(Log& log, const std::string& path, FileSystem& files = DiskFiles());
// Name of the first file in `folder` whose extension is `extension` (any letter case), or "".
std::string FindFileWithExtension(Log& log, const std::string& folder, const std::string& extension,
                                  FileSystem& files = DiskFiles());

}  // namespace tintora
