#include "themefile/TarWriter.h"

#include <algorithm>
#include <string_view>

#include "themefile/TarHeader.h"

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

}  // namespace tintora
