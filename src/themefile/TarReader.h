#pragma once
// Unpacks a .thm archive into the work folder, one file per member.

#include <cstdint>
#include <string>
#include <vector>

namespace tintora {

class FileSystem;
class Log;
FileSystem& DiskFiles();
class Texts;

// No file larger than this is a theme: the phone's themes hold at most seven members of 32,767
// bytes, and no tool makes archives anywhere near it. A larger file is refused before it is read.
inline constexpr std::uint64_t kMaxThemeFileSize = std::uint64_t{16} << 20;  // 16 MiB

// Writes every regular-file member of `archive` into `tempfolder`, which must exist (nothing here
// creates folders). A wrong header checksum is logged and shown (text 279) and the member is
// unpacked all the same. Members with unsafe names and entries that are not files are skipped
// with a log line. Any other problem (a file over kMaxThemeFileSize among them) shows text 294
// with the reason on a line of its own and gives false; members written before it stay. `writtenNames`, when given, receives the names of the files written, in archive order.
bool UnpackTarFile(Log& log, const Texts& texts, const std::string& archive,
                   const std::string& tempfolder, std::vector<std::string>* writtenNames = nullptr,
                   FileSystem& files = DiskFiles());

}  // namespace tintora
