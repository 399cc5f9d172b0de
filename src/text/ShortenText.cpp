#include "text/ShortenText.h"

#include <algorithm>
#include <vector>

namespace tintora {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset at which each character begins, plus the text's end as the last entry.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || !IsContinuationByte(text[i])) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

}  // namespace

int CharacterCount(std::string_view text) { return static_cast<int>(CharacterStarts(text).size()) - 1; }

std::string ShortenText(std::string_view text, int max) {
    const std::vector<std::size_t> starts = CharacterStarts(text);
    const int length = static_cast<int>(starts.size()) - 1;
    // The first `count` characters, never more than the text holds.
    auto firstCharacters = [&](int count) {
        if (count < 0) count = 0;
        if (count > length) count = length;
        return std::string(text.substr(0, starts[static_cast<std::size_t>(count)]));
    };
    for (int p = std::min(max, length); p >= 1; --p) {
        if (text[starts[static_cast<std::size_t>(p - 1)]] == ' ') return firstCharacters(p - 1) + "...";
    }
    return firstCharacters(max - 4) + "...";
}

}  // namespace tintora
