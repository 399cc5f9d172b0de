#include "themefile/TarReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_set>

#include "model/Theme.h"
#include "text/Texts.h"
#include "themefile/TarHeader.h"
#include "base/FileOps.h"
#include "base/FileSystem.h"
#include "base/Log.h"

namespace fs = std::filesystem;

namespace tintora {

namespace {

// The archive file held whole in memory. `image` is the file rounded up to whole blocks (at least
// one), so a header that starts before the end of the file can always be read; the bytes past the
// end read as zero. Positions are 64-bit, so headers may lie anywhere in the file.
struct ArchiveImage {
    Bytes image;
    std::uint64_t fileSize = 0;
};

// Reads the archive once, allocating no more than the file holds plus one block. Only regular
// files are read: a folder, a device or a pipe is refused before it is opened.
bool ReadArchive(const std::string& path, ArchiveImage& a, std::string& why, const Texts& texts) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) {
        why = "Can not find the file";
        return false;
    }
    if (!fs::is_regular_file(st)) {
        why = "Not a file";
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        why = ec.message();
        return false;
    }
    if (size > kMaxThemeFileSize) {
        why = texts.GetText(kTextFileTooLarge);
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        why = std::generic_category().message(errno);
        return false;
    }
    bool ok = true;
    try {
        a.image.assign(std::max<std::uint64_t>(tar::PaddedSize(size), tar::kBlockSize), 0);
        // A file that shrank since its size was taken is read as far as it goes; one that grew
        // is read up to the size taken.
        a.fileSize = std::fread(a.image.data(), 1, static_cast<std::size_t>(size), f);
        if (std::ferror(f)) {
            why = "Read error";
            ok = false;
        }
    } catch (const std::exception& e) {  // a file too large to hold
        why = e.what();
        ok = false;
    }
    std::fclose(f);
    return ok;
}

// Log lines carry names from the archive: control characters would break the line.
std::string Printable(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    return s;
}

void LogCharacterCodes(Log& log, std::string_view prefix, std::string_view text) {
    for (std::size_t p = 0; p < text.size(); ++p) {
        log.WriteLog(std::string(prefix) + " " + std::to_string(p + 1) + "<--> " +
                     std::to_string(static_cast<unsigned char>(text[p])));
    }
}

// Compares the stored checksum digits with the computed ones; a writer that pads with spaces
// instead of zeros passes too. A mismatch is reported but not fatal: the member is unpacked.
void CheckChecksum(Log& log, const Texts& texts, const std::uint8_t* header) {
    const std::string calculated = TarChecksum(header);
    std::string stored(tar::FieldText(header, tar::kChksum).substr(0, tar::kChecksumDigits));
    if (stored != calculated) std::replace(stored.begin(), stored.end(), ' ', '0');
    if (stored == calculated) {
        log.WriteLog("Correct checksum");
        return;
    }
    LogCharacterCodes(log, "Char(Calc)-->", calculated);
    LogCharacterCodes(log, "Char(InFile)-->", stored);
    log.WriteLog(texts.GetText(279), 2);
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

bool WriteMemberFile(FileSystem& files, const std::string& target, const std::uint8_t* data,
                     std::uint64_t size, std::string& why) {
    // The old file has been deleted; whatever still stands at the name (a folder, a file that
    // could not be deleted) is neither followed nor overwritten.
    return files.WriteNew(target, data, static_cast<std::size_t>(size), why);
}

bool OnlyZerosFrom(const ArchiveImage& a, std::uint64_t pos) {
    return std::all_of(a.image.begin() + static_cast<std::ptrdiff_t>(pos),
                       a.image.begin() + static_cast<std::ptrdiff_t>(a.fileSize),
                       [](std::uint8_t b) { return b == 0; });
}

}  // namespace

bool UnpackTarFile(Log& log, const Texts& texts, const std::string& archive,
                   const std::string& tempfolder, std::vector<std::string>* writtenNames,
                   FileSystem& files) {
    const auto fail = [&](const std::string& why) {
        log.WriteLog("Failed to unpack tar file -> " + Printable(archive) + ": " + Printable(why));
        log.WriteLogAndShow(texts.GetText(294), texts.GetText(294) + "\n" + Printable(why));
        return false;
    };

    ArchiveImage a;
    std::string why;
    if (!ReadArchive(archive, a, why, texts)) return fail(why);

    // Invariant: `pos` is a multiple of 512 below the file size (or 0), so the header block lies
    // inside the image.
    std::uint64_t pos = 0;
    bool end = false;
    std::unordered_set<std::string> written;  // a name written twice is reported once
    while (!end) {
        const std::uint8_t* header = a.image.data() + pos;
        CheckChecksum(log, texts, header);
        pos += tar::kBlockSize;

        const std::string_view nameField = tar::FieldText(header, tar::kName);
        const std::size_t nul = nameField.find('\0');
        if (nul == std::string_view::npos) return fail("member name without end");
        const std::string_view name = nameField.substr(0, nul);

        const std::optional<std::uint64_t> size =
            tar::ParseOctal(tar::FieldText(header, tar::kSize).substr(0, tar::kSizeDigits));
        if (!size) return fail("bad size field for " + Printable(name));
        const std::uint64_t left = pos <= a.fileSize ? a.fileSize - pos : 0;
        if (*size > left) return fail("member runs past the end of the file: " + Printable(name));

        const std::uint8_t typeflag = header[tar::kTypeflag.offset];
        const std::optional<std::string> safe =
            HasPathPrefix(header) ? std::nullopt : SafeMemberName(name);
        if (!IsRegularFile(typeflag)) {
            log.WriteLog("Skipped an entry that is not a file -> " + Printable(name) +
                         " (type " + TypeText(typeflag) + ")");
        } else if (!safe) {
            log.WriteLog("Skipped a member with an unsafe name -> " + Printable(name));
        } else {
            const std::string target = tempfolder + "/" + *safe;
            if (!DeleteFile(log, target, files)) log.WriteLog("No File to delete");
            if (!WriteMemberFile(files, target, a.image.data() + pos, *size, why)) return fail(why);
            if (writtenNames && written.insert(*safe).second) writtenNames->push_back(*safe);
        }

        pos += tar::PaddedSize(*size);
        end = pos >= a.fileSize || OnlyZerosFrom(a, pos);
    }
    return true;
}

}  // namespace tintora
