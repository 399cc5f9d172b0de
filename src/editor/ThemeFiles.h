#pragma once
// The theme file on the disk: unpacking it into the work folder and writing it, with the log
// lines and messages of both.

#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "model/Theme.h"

namespace tintora {

class Log;
class Texts;

// Writes every regular-file member of the file `archive` into `tempfolder`, which must exist
// (nothing here creates folders), deleting any file of the name first. The checksum lines, text
// 279 and the lines of what was skipped come as ReadTarArchive gives them. Any other problem (a
// file over kMaxThemeFileSize or not a file among them) shows text 294 with the reason on a line
// of its own and gives false; members written before it stay. `writtenNames`, when given,
// receives the names of the files written, in archive order, each once. The archive is read from
// the disk; the members are written into `files`.
bool UnpackTarFile(Log& log, const Texts& texts, const std::string& archive,
                   const std::string& tempfolder, std::vector<std::string>* writtenNames = nullptr,
                   FileSystem& files = DiskFiles());

// Writes the archive of `theme`'s active members to `target`, replacing any file there. The new
// archive goes to a temporary file in the target's folder first and is renamed over the target
// only when it is complete, so a failed save leaves the old file as it was. On failure: false, a
// log line with the reason and, when `userReason` is given, a text for the user.
bool CreateTarFile(Log& log, const Texts& texts, const Theme& theme, const std::string& target,
                   std::string* userReason = nullptr);

}  // namespace tintora
