#pragma once
// The pieces of the theme document reader that look at one line. The reader is line based and
// tolerant: a line is known by the name after its first "<", everything else is ignored.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

class Log;

// Splits 8-bit document bytes into lines (CR LF, CR or LF end a line), decoded from
// Windows-1252 to UTF-8.
std::vector<std::string> DocumentLines(std::string_view bytes);

// The tag of a line that begins at its first "<": the characters after "<" up to the first blank
// or Tab. Empty when a ">" comes first ("<Ericsson_theme>"); nullopt when the line has neither.
std::optional<std::string> FindTag(std::string_view line);

// The file name of a picture line, read up to the closing quote before the first "/" after
// `Source="`; blanks removed. Logs and gives "" when the line has no `Source=`; nullopt when the
// name has no following "/" (a damaged line).
std::optional<std::string> FindSourceValue(Log& log, std::string_view line);

// The text between the quotes after `Value=`; without `Value=` the first quoted attribute's value
// (other theme tools write Name="..." or Time="..."), or "" when there is none. A value without a
// closing quote runs to the end of the line.
std::string FindInfoValue(std::string_view line);

// The six characters after `Color="0x` (fewer at the end of the line), unchecked. Without
// `Color="0x` logs the line and gives "000000".
std::string FindColourValue(Log& log, std::string_view line);

// The member of `names` that `wanted` names, compared without regard to letter case; nullopt
// when none does or when `wanted` is not a plain file name (a folder part, "..", or empty).
std::optional<std::string> MatchMemberName(const std::vector<std::string>& names,
                                           std::string_view wanted);

}  // namespace tintora
