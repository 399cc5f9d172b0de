#pragma once
// The rule every descriptive text of a theme (name, modified by, created, creator) follows, so
// that it can never end its value, its line or the comment it is written in: a double quote
// becomes a single one, CR, LF and Tab become a blank, and "--" is broken as "- -".

#include <string>
#include <string_view>

namespace tintora {

std::string SafeInfoText(std::string_view text);

}  // namespace tintora
