#include "themefile/TarWriter.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "text/Texts.h"
#include "themefile/TarHeader.h"
#include "base/FileOps.h"
#include "base/FileReplace.h"
#include "base/Log.h"

namespace fs = std::filesystem;
using namespace std::string_view_literals;

namespace tintora {

namespace {

struct FixedField {
    tar::Field field;
    std::string_view bytes;
};

// What every header holds whatever it packs: read-write for everyone, owner and group 0, one
// fixed modification time (2002-02-15 01:09:40 UTC), a regular file, ustar magic. Fields not
// listed stay NUL.
constexpr std::array<FixedField, 9> kFixedFields{{
    {tar::kMode, "000666 \0"sv},
    {tar::kUid, "000000 \0"sv},
    {tar::kGid, "000000 \0"sv},
    {tar::kMtime, "07433057724 "sv},
    {tar::kTypeflag, "0"sv},
    {tar::kMagic, "ustar\0"sv},
    {tar::kVersion, "00"sv},
    {tar::kDevmajor, "000000 \0"sv},
    {tar::kDevminor, "000000 \0"sv},
}};

void Put(std::uint8_t* header, tar::Field f, std::string_view bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), f.width), header + f.offset);
}

// Fills a zeroed 512-byte block with the header of one member.
void WriteHeader(std::uint8_t* header, std::string_view name, std::uint64_t size) {
    Put(header, tar::kName, name);
    for (const FixedField& f : kFixedFields) Put(header, f.field, f.bytes);
    // Sizes are capped at 32,767 bytes before we get here, so eleven digits always suffice.
    tar::WriteOctal(header + tar::kSize.offset, size, tar::kSizeDigits);
    header[tar::kSize.offset + tar::kSizeDigits] = ' ';
    // The checksum counts its own field as spaces, so it is computed last.
    const std::string sum = TarChecksum(header);
    Put(header, tar::kChksum, sum);
    header[tar::kChksum.offset + tar::kChecksumDigits] = ' ';
    header[tar::kChksum.offset + tar::kChecksumDigits + 1] = '\0';
}

TarBuildResult Failure(std::string_view member, TarBuildError error, std::string reason) {
    TarBuildResult r;
    r.failedMember = std::string(member);
    r.error = error;
    r.reason = std::move(reason);
    return r;
}

// The slot's caption with the member's name, as the user knows the picture: "Background
// (stand.gif)".
std::string PictureName(const Texts& texts, const std::string& member) {
    for (const SlotDef& slot : kSlots)
        if (slot.member == member) return texts.GetText(slot.LabelNumber()) + " (" + member + ")";
    return member;
}

// The log tells the same story as packing that deletes the old archive while the first member
// is packed and finds nothing to delete for each later member: the lines of the file test, then
// whether a saved file was removed. They are written once the new archive stands in place.
void LogRemovalSteps(Log& log, const std::string& target, int packed, bool oldFileReplaced) {
    for (int i = 0; i < packed; ++i) {
        FileExists(log, target, "File");
        if (i == 0 && oldFileReplaced) {
            FileExists(log, target, "File");
            log.WriteLog("Removed a saved thm file");
        } else {
            log.WriteLog(std::string(kDeleteFileNotFound) + target);
            log.WriteLog("No file to remove");
        }
    }
}

}  // namespace

TarBuildResult BuildTarArchive(const std::array<MemberRecord, kMemberCount>& members) {
    // Check every active record and size the buffer once.
    std::uint64_t total = 2 * tar::kBlockSize;
    for (int i = 0; i < kMemberCount; ++i) {
        const MemberRecord& m = members[i];
        if (!m.active) continue;
        if (!IsBufferAllocated(m.data))
            return Failure(kMemberNames[i], TarBuildError::NoData, "holds no data");
        if (m.data->size() > tar::kMaxMemberSize)
            return Failure(kMemberNames[i], TarBuildError::TooLarge,
                           "is larger than 32767 bytes (" + std::to_string(m.data->size()) + ")");
        total += tar::kBlockSize + tar::PaddedSize(m.data->size());
    }

    // Header, data and padding per active record; the zeroed buffer already holds the padding
    // and the two end blocks.
    TarBuildResult r;
    r.bytes.assign(total, 0);
    std::size_t pos = 0;
    for (int i = 0; i < kMemberCount; ++i) {
        const MemberRecord& m = members[i];
        if (!m.active) continue;
        WriteHeader(r.bytes.data() + pos, kMemberNames[i], m.data->size());
        pos += tar::kBlockSize;
        std::copy(m.data->begin(), m.data->end(), r.bytes.begin() + static_cast<std::ptrdiff_t>(pos));
        pos += tar::PaddedSize(m.data->size());
    }
    r.ok = true;
    return r;
}

bool CreateTarFile(Log& log, const Texts& texts, const Theme& theme, const std::string& target,
                   std::string* userReason) {
    const auto fail = [&](const std::string& reason, const std::string& shown) {
        log.WriteLog("Failed to write tar file -> " + target + ": " + reason);
        if (userReason) *userReason = shown;
        return false;
    };

    TarBuildResult built = BuildTarArchive(theme.members);
    if (!built.ok) {
        const std::string reason = built.failedMember + " " + built.reason;
        return fail(reason, built.error == TarBuildError::TooLarge
                                ? texts.GetText(298) + PictureName(texts, built.failedMember)
                                : texts.GetText(299) + reason);
    }

    std::error_code ec;
    const bool oldFileThere = fs::exists(fs::symlink_status(fs::path(target), ec));
    std::string reason;
    if (!ReplaceFile(target, built.bytes, reason)) return fail(reason, texts.GetText(299) + reason);

    const int packed = static_cast<int>(
        std::count_if(theme.members.begin(), theme.members.end(), [](const MemberRecord& m) {
            return m.active;
        }));
    LogRemovalSteps(log, target, packed, oldFileThere);
    return true;
}

}  // namespace tintora
