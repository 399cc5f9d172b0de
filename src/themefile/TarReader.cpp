#include "themefile/TarReader.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "text/Texts.h"
#include "text/ThemeFileTexts.h"
#include "themefile/TarHeader.h"

namespace tintora {

namespace {

using Header = std::array<std::uint8_t, tar::kBlockSize>;

// The header block at `pos`; the bytes past the end of the archive read as zero.
Header HeaderAt(std::span<const std::uint8_t> archive, std::uint64_t pos) {
    Header h{};
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(tar::kBlockSize, archive.size() - pos));
    std::copy_n(archive.begin() + static_cast<std::ptrdiff_t>(pos), n, h.begin());
    return h;
}

void Note(TarContents& out, std::string line, int level = 1) {
    out.items.push_back({TarItem::Kind::Log, std::move(line), level, {}});
}

void NoteCharacterCodes(TarContents& out, std::string_view prefix, std::string_view text) {
    for (std::size_t p = 0; p < text.size(); ++p)
        Note(out, std::string(prefix) + " " + std::to_string(p + 1) + "<--> " +
                      std::to_string(static_cast<unsigned char>(text[p])));
}

// Compares the stored checksum digits with the computed ones; a writer that pads with spaces
// instead of zeros passes too. A mismatch is reported but not fatal: the member is read.
void CheckChecksum(TarContents& out, const Texts& texts, const std::uint8_t* header) {
    const std::string calculated = TarChecksum(header);
    std::string stored(tar::FieldText(header, tar::kChksum).substr(0, tar::kChecksumDigits));
    if (stored != calculated) std::replace(stored.begin(), stored.end(), ' ', '0');
    if (stored == calculated) {
        Note(out, "Correct checksum");
        return;
    }
    NoteCharacterCodes(out, "Char(Calc)-->", calculated);
    NoteCharacterCodes(out, "Char(InFile)-->", stored);
    Note(out, texts.GetText(kTextWrongChecksum), 2);
}

// Regular files only: '0', the old writers' NUL and the contiguous file '7'. Folders, links,
// devices and the extension headers of pax ('x', 'g') and GNU ('L', 'K', ...) are passed over:
// a theme is a flat set of files, and their data must not become member files.
bool IsRegularFile(std::uint8_t typeflag) {
    return typeflag == '0' || typeflag == '\0' || typeflag == '7';
}

std::string TypeText(std::uint8_t typeflag) {
    if (typeflag > 32 && typeflag < 127) return std::string(1, static_cast<char>(typeflag));
    return std::to_string(typeflag);
}

// The name a member may be written under in the work folder, or nullopt. A leading "./" (from
// packing a folder with `tar -C dir .`) is dropped; whatever still names a folder part, a parent,
// a drive or nothing at all is refused.
std::optional<std::string> SafeMemberName(std::string_view name) {
    if (name.substr(0, 2) == "./") name.remove_prefix(2);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    if (name.find_first_of("/\\") != std::string_view::npos) return std::nullopt;
    const bool driveLetter = name.size() >= 2 && name[1] == ':' &&
                             ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (driveLetter) return std::nullopt;
    return std::string(name);
}

// A POSIX ustar header may keep the leading folders of a long path in its prefix field; such a
// member lives in a folder even when its name field alone looks flat. (GNU headers use those
// bytes for other things, so only the POSIX magic is trusted.)
bool HasPathPrefix(const std::uint8_t* header) {
    return tar::FieldText(header, tar::kMagic) == std::string_view("ustar\0", 6) &&
           header[tar::kPrefix.offset] != '\0';
}

bool OnlyZerosFrom(std::span<const std::uint8_t> archive, std::uint64_t pos) {
    return std::all_of(archive.begin() + static_cast<std::ptrdiff_t>(pos), archive.end(),
                       [](std::uint8_t b) { return b == 0; });
}

}  // namespace

std::string PrintableText(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    return s;
}

TarContents ReadTarArchive(std::span<const std::uint8_t> archive, const Texts& texts) {
    TarContents out;
    const std::uint64_t fileSize = archive.size();
    // Invariant: `pos` is a multiple of 512 below the size of the archive (or 0).
    std::uint64_t pos = 0;
    bool end = false;
    while (!end) {
        const Header block = HeaderAt(archive, pos);
        const std::uint8_t* header = block.data();
        CheckChecksum(out, texts, header);
        pos += tar::kBlockSize;

        const std::string_view nameField = tar::FieldText(header, tar::kName);
        const std::size_t nul = nameField.find('\0');
        if (nul == std::string_view::npos) {
            out.failure = "member name without end";
            break;
        }
        const std::string_view name = nameField.substr(0, nul);

        const std::optional<std::uint64_t> size =
            tar::ParseOctal(tar::FieldText(header, tar::kSize).substr(0, tar::kSizeDigits));
        if (!size) {
            out.failure = "bad size field for " + PrintableText(name);
            break;
        }
        const std::uint64_t left = pos <= fileSize ? fileSize - pos : 0;
        if (*size > left) {
            out.failure = "member runs past the end of the file: " + PrintableText(name);
            break;
        }

        const std::uint8_t typeflag = header[tar::kTypeflag.offset];
        const std::optional<std::string> safe = HasPathPrefix(header) ? std::nullopt : SafeMemberName(name);
        if (!IsRegularFile(typeflag)) {
            Note(out, "Skipped an entry that is not a file -> " + PrintableText(name) + " (type " +
                          TypeText(typeflag) + ")");
        } else if (!safe) {
            Note(out, "Skipped a member with an unsafe name -> " + PrintableText(name));
        } else {
            out.items.push_back({TarItem::Kind::Member, *safe, 1,
                                 archive.subspan(static_cast<std::size_t>(pos), static_cast<std::size_t>(*size))});
        }

        pos += tar::PaddedSize(*size);
        end = pos >= fileSize || OnlyZerosFrom(archive, pos);
    }
    return out;
}

}  // namespace tintora
