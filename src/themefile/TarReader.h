#pragma once
// Reads a .thm archive held in memory: its members in archive order, with the log lines that
// reading them gives. Nothing here touches a file.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

class Texts;

// No file larger than this is a theme: the phone's themes hold at most seven members of 32,767
// bytes, and no tool makes archives anywhere near it. A larger file is refused before it is read.
inline constexpr std::uint64_t kMaxThemeFileSize = std::uint64_t{16} << 20;  // 16 MiB

// One thing the reader found, in archive order: a log line or a member to unpack.
struct TarItem {
    enum class Kind { Log, Member };
    Kind kind = Kind::Log;
    std::string text;  // the log line, or the member's name (a plain file name, safe to write)
    int level = 1;     // of a log line: 2 also shows it to the user
    std::span<const std::uint8_t> data;  // a member's bytes, inside the archive's bytes
};

struct TarContents {
    std::vector<TarItem> items;
    std::optional<std::string> failure;  // why reading stopped; the items before it stand
};

// Reads every header of `archive`. A wrong header checksum gives the lines of both checksums and
// text 279 at level 2, and the member is read all the same. Entries that are not regular files
// and members with unsafe names are skipped with a log line. A name without end, a bad size
// field or a member running past the end stops reading with a reason. Reading ends at the end of
// the bytes or where only zeros follow. A name may come twice; the later member wins when written.
TarContents ReadTarArchive(std::span<const std::uint8_t> archive, const Texts& texts);

// `text` with every control character replaced by "?", so that a name from an archive cannot
// break a log line.
std::string PrintableText(std::string_view text);

}  // namespace tintora
