#pragma once
// Shortening a caption that is too long for its label.

#include <string>
#include <string_view>

namespace tintora {

// Cuts `text` (UTF-8) at the last blank among its first `max` characters and appends "...";
// without such a blank keeps the first max - 4 characters and appends "...". Characters are
// counted as code points, so an umlaut counts once. The caller decides whether to shorten.
std::string ShortenText(std::string_view text, int max);

// The number of characters (code points) of a UTF-8 text, counted as ShortenText counts them;
// for the callers' "longer than max" decision.
int CharacterCount(std::string_view text);

}  // namespace tintora
