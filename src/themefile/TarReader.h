#pragma once
// Unpacks a .thm archive into the work folder, one file per member.

#include <string>
#include <vector>

namespace tintora {

class Log;
class Texts;

// Writes every regular-file member of `archive` into `tempfolder`, which must exist (nothing here
// creates folders). A wrong header checksum is logged and shown (text 279) and the member is
// unpacked all the same. Members with unsafe names and entries that are not files are skipped
// with a log line. Any other problem shows text 294 and gives false; members written before it
// stay. `writtenNames`, when given, receives the names of the files written, in archive order.
bool UnpackTarFile(Log& log, const Texts& texts, const std::string& archive,
                   const std::string& tempfolder, std::vector<std::string>* writtenNames = nullptr);

}  // namespace tintora
