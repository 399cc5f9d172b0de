#pragma once
// The text form of a colour (RRGGBB) and its conversions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Reads the pair of characters at `pos` as a hexadecimal number. Reading stops at the first
// character that is not a hexadecimal digit; a pair that starts with such a character or lies
// past the end of the text gives 0. So "FFF" gives 255 at 0 and 15 at 2, and 0 at 4.
int HexPair(std::string_view text, std::size_t pos);

// Components of a colour text by the pair rule: "B52908" -> (181, 41, 8), "FFF" -> (255, 15, 0).
Rgb MakeRGB(std::string_view text);

// The platform's colour value has red in the lowest byte (0x00BBGGRR).
std::uint32_t ToBgr(const Rgb& c);
Rgb FromBgr(std::uint32_t bgr);

// Inverse conversion: a colour chosen in the chooser (0x00BBGGRR) to its six-character text.
std::string ColourTextFromBgr(std::uint32_t bgr);

inline constexpr char kBackspace = 8;

// Key filter of the hex boxes: a-f become upper case; 0-9, A-F and Backspace pass; every other
// character is discarded (nullopt).
std::optional<char> FilterHexKey(char key);

// Upper-cases the ASCII letters of a colour text.
std::string UpperColourText(std::string_view text);

inline constexpr std::size_t kColourTextLength = 6;
inline bool IsCompleteColourText(std::string_view text) { return text.size() == kColourTextLength; }

}  // namespace tintora
