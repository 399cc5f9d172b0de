#include "themefile/TarHeader.h"

#include <limits>

namespace tintora {

namespace tar {

bool WriteOctal(std::uint8_t* out, std::uint64_t value, std::size_t digits) {
    std::uint64_t rest = value;
    for (std::size_t i = digits; i > 0; --i) {
        rest >>= 3;
    }
    if (rest != 0) return false;
    for (std::size_t i = digits; i > 0; --i) {
        out[i - 1] = static_cast<std::uint8_t>('0' + (value & 7u));
        value >>= 3;
    }
    return true;
}

std::optional<std::uint64_t> ParseOctal(std::string_view text) {
    constexpr std::uint64_t kLimit = std::numeric_limits<std::uint64_t>::max() >> 3;
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (const char c : text) {
        if (c == '\0' || c == ' ') continue;
        if (c < '0' || c > '7') return std::nullopt;
        if (value > kLimit) return std::nullopt;  // one more digit would overflow
        value = (value << 3) | static_cast<std::uint64_t>(c - '0');
        anyDigit = true;
    }
    if (!anyDigit) return std::nullopt;
    return value;
}

}  // namespace tar

std::string TarChecksum(const std::uint8_t* header) {
    std::uint64_t sum = 8 * std::uint64_t{' '};
    for (std::size_t i = 0; i < tar::kHeaderUsed; ++i) {
        if (i >= tar::kChksum.offset && i < tar::kChksum.offset + tar::kChksum.width) continue;
        sum += header[i];
    }
    // 500 bytes of at most 255 stay below 8^6, so six digits always suffice.
    std::string text(tar::kChecksumDigits, '0');
    tar::WriteOctal(reinterpret_cast<std::uint8_t*>(text.data()), sum, tar::kChecksumDigits);
    return text;
}

}  // namespace tintora
