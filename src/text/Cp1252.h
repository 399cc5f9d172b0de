#pragma once
// Windows-1252, the 8-bit code page of theme.xml, to and from the UTF-8 used everywhere else.

#include <string>
#include <string_view>

namespace tintora {

// A character the code page cannot hold becomes "?"; so does a malformed UTF-8 sequence.
std::string Utf8ToCp1252(std::string_view utf8);
// Every byte decodes; the five unassigned bytes map to the control characters of the same code.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace tintora
