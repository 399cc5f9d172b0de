#pragma once
// The raw layout of a 512-byte tar header block and the few converters the archive writer and
// reader share: the checksum, the octal field writer and a checked octal parser. Every offset and
// width lives in the table below and nowhere else.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

namespace tar {

inline constexpr std::size_t kBlockSize = 512;
// Bytes 500..511 of a header are block padding and always zero.
inline constexpr std::size_t kHeaderUsed = 500;

struct Field {
    std::size_t offset;
    std::size_t width;
};

inline constexpr Field kName{0, 100};
inline constexpr Field kMode{100, 8};
inline constexpr Field kUid{108, 8};
inline constexpr Field kGid{116, 8};
inline constexpr Field kSize{124, 12};
inline constexpr Field kMtime{136, 12};
inline constexpr Field kChksum{148, 8};
inline constexpr Field kTypeflag{156, 1};
inline constexpr Field kLinkname{157, 100};
inline constexpr Field kMagic{257, 6};
inline constexpr Field kVersion{263, 2};
inline constexpr Field kUname{265, 32};
inline constexpr Field kGname{297, 32};
inline constexpr Field kDevmajor{329, 8};
inline constexpr Field kDevminor{337, 8};
inline constexpr Field kPrefix{345, 155};

// Digits of the octal numbers this program writes and reads.
inline constexpr std::size_t kSizeDigits = 11;
inline constexpr std::size_t kChecksumDigits = 6;

// The largest member the phone's format allows (a 16-bit signed copy count).
inline constexpr std::size_t kMaxMemberSize = 32767;

// Rounds a byte count up to whole blocks.
constexpr std::uint64_t PaddedSize(std::uint64_t n) {
    return (n + kBlockSize - 1) / kBlockSize * kBlockSize;
}

// Writes `value` as exactly `digits` octal digits with leading zeros at `out`. False (and nothing
// written) when the value needs more digits.
bool WriteOctal(std::uint8_t* out, std::uint64_t value, std::size_t digits);

// Reads an octal number from `text` after dropping every NUL and space in it. nullopt when what
// is left is empty, holds anything but the digits 0..7, or does not fit in 64 bits.
std::optional<std::uint64_t> ParseOctal(std::string_view text);

// The bytes of a header field as text, for parsing and comparing.
inline std::string_view FieldText(const std::uint8_t* header, Field f) {
    return {reinterpret_cast<const char*>(header + f.offset), f.width};
}

}  // namespace tar

// The header checksum: bytes 0..147 and 156..499 as unsigned values plus 256 for the checksum
// field itself (counted as eight spaces whatever it holds), as six zero-padded octal digits.
// `header` must point at 500 readable bytes.
std::string TarChecksum(const std::uint8_t* header);

}  // namespace tintora
