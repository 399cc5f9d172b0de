#pragma once
// Reads theme.xml held in memory, the mirror of DocumentBytes. The reader is line based and
// tolerant: a line is known by the name after its first "<", everything else is ignored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Theme.h"

namespace tintora {

// The descriptive texts in the order of the document's lines and the tags that hold them.
inline constexpr std::array<std::string ThemeInfo::*, 4> kInfoFields = {
    &ThemeInfo::name, &ThemeInfo::modifiedBy, &ThemeInfo::created, &ThemeInfo::creator};
inline constexpr std::array<std::string_view, 4> kInfoTags = {"Theme_name", "Theme_modified_by",
                                                              "Theme_created", "Theme_creator"};

// One thing read, in document order.
struct DocumentStep {
    enum class Kind {
        Log,      // `text` is a log line
        Colour,   // element `index` gets the value `text`: the six characters after Color="0x,
                  // unchecked, or "000000" after the log line of a line without it
        Picture,  // slot `index` names the file `text` ("" after the log line of a line without
                  // Source=); blanks are removed, letter case and folder parts are as written
        Info,     // descriptive text `index` (see kInfoFields) is `text`
    };
    Kind kind = Kind::Log;
    int index = 0;
    std::string text;
};

// Where reading stopped: a line with a "<" but no end to its tag, or a picture line whose name
// has no "/" after it. `line` counts from 0; `tag` is the tag of the line when it had one.
struct DocumentFailure {
    std::size_t line = 0;
    std::string tag;
};

struct DocumentContents {
    std::vector<DocumentStep> steps;         // the steps up to the failure
    std::optional<DocumentFailure> failure;  // the steps before it stand
};

// Reads 8-bit document bytes: Windows-1252, lines ended by CR LF, CR or LF. Values come decoded
// to UTF-8.
DocumentContents ReadDocument(std::span<const std::uint8_t> bytes);

// The three log lines of a failed read, which are also shown as one message.
std::array<std::string, 3> DocumentFailureLines(const DocumentFailure& failure);

// The member of `names` that `wanted` names, compared without regard to letter case; nullopt
// when none does or when `wanted` is not a plain file name (a folder part, "..", or empty).
std::optional<std::string> MatchMemberName(const std::vector<std::string>& names,
                                           std::string_view wanted);

}  // namespace tintora
