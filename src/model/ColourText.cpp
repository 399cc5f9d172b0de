#include "model/ColourText.h"

namespace tintora {

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

int HexPair(std::string_view text, std::size_t pos) {
    int value = 0;
    for (std::size_t i = pos; i < pos + 2 && i < text.size(); ++i) {
        const int d = HexDigit(text[i]);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

Rgb MakeRGB(std::string_view text) {
    return {HexPair(text, 0), HexPair(text, 2), HexPair(text, 4)};
}

std::uint32_t ToBgr(const Rgb& c) {
    return static_cast<std::uint32_t>(c.blue) << 16 | static_cast<std::uint32_t>(c.green) << 8 |
           static_cast<std::uint32_t>(c.red);
}

Rgb FromBgr(std::uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFF), static_cast<int>(bgr >> 8 & 0xFF),
            static_cast<int>(bgr >> 16 & 0xFF)};
}

std::string ColourTextFromBgr(std::uint32_t bgr) {
    // Six hex digits of BBGGRR, then swapped pairwise into RRGGBB.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string bbggrr(6, '0');
    std::uint32_t v = bgr & 0xFFFFFF;
    for (int i = 5; i >= 0; --i, v >>= 4) bbggrr[static_cast<std::size_t>(i)] = kDigits[v & 0xF];
    return bbggrr.substr(4, 2) + bbggrr.substr(2, 2) + bbggrr.substr(0, 2);
}

std::optional<char> FilterHexKey(char key) {
    if (key >= 'a' && key <= 'f') key = static_cast<char>(key - 32);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || key == kBackspace) return key;
    return std::nullopt;
}

std::string UpperColourText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

}  // namespace tintora
