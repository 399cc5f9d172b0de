#include "themefile/DocumentReader.h"

#include <algorithm>

#include "model/Catalogue.h"
#include "text/Cp1252.h"

namespace tintora {

namespace {
constexpr std::string_view kNoValue = "Could Not find the value in FindValue -- sTag=";

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lx = static_cast<char>(x >= 'A' && x <= 'Z' ? x + 32 : x);
               const auto ly = static_cast<char>(y >= 'A' && y <= 'Z' ? y + 32 : y);
               return lx == ly;
           });
}

// Splits the document into lines (CR LF, CR or LF end a line), decoded from Windows-1252 to UTF-8.
std::vector<std::string> DocumentLines(std::string_view bytes) {
    // CR and LF are the same bytes in both encodings, so the text is decoded once and split after.
    const std::string text = Cp1252ToUtf8(bytes);
    const std::string_view all(text);
    std::vector<std::string> lines;
    lines.reserve(64);
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(all.substr(start));
            break;
        }
        lines.emplace_back(all.substr(start, end - start));
        start = end + ((all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

// The tag of a line that begins at its first "<": the characters after "<" up to the first blank
// or Tab. Empty when a ">" comes first ("<Ericsson_theme>"); nullopt when the line has neither.
std::optional<std::string> FindTag(std::string_view line) {
    for (std::size_t j = 1; j < line.size(); ++j) {
        if (line[j] == ' ' || line[j] == '\t') return std::string(line.substr(1, j - 1));
        if (line[j] == '>') return std::string();
    }
    return std::nullopt;
}

void Note(DocumentContents& out, std::string_view line) {
    out.steps.push_back({DocumentStep::Kind::Log, 0, std::string(kNoValue) + std::string(line)});
}

// The file name of a picture line, read up to the closing quote before the first "/" after
// `Source="`; blanks removed. Notes the line and gives "" when the line has no `Source=`; nullopt
// when the name has no following "/" (a damaged line).
std::optional<std::string> FindSourceValue(DocumentContents& out, std::string_view line) {
    const std::size_t p = line.find("Source=");
    if (p == std::string_view::npos) {
        Note(out, line);
        return std::string();
    }
    std::string s(line.substr(std::min(line.size(), p + 8)));
    std::erase(s, ' ');
    const std::size_t q = s.find('/');
    // The name ends two characters before that slash, before the closing quote of "/>.
    if (q == std::string::npos || q < 1) return std::nullopt;
    return s.substr(0, q - 1);
}

// The text between the quotes after `Value=`; without `Value=` the first quoted attribute's value
// (other theme tools write Name="..." or Time="..."), or "" when there is none. A value without a
// closing quote runs to the end of the line.
std::string FindInfoValue(std::string_view line) {
    std::size_t start;
    if (const std::size_t p = line.find("Value="); p != std::string_view::npos) {
        start = p + 6;
        if (start < line.size() && line[start] == '"') ++start;
    } else {
        const std::size_t q = line.find('"');
        if (q == std::string_view::npos) return "";
        start = q + 1;
    }
    if (start >= line.size()) return "";
    const std::size_t end = line.find('"', start);
    return std::string(line.substr(start, end == std::string_view::npos ? line.size() - start : end - start));
}

// The six characters after `Color="0x` (fewer at the end of the line), unchecked. Without
// `Color="0x` notes the line and gives "000000".
std::string FindColourValue(DocumentContents& out, std::string_view line) {
    const std::size_t p = line.find("Color=\"0x");
    if (p == std::string_view::npos) {
        Note(out, line);
        return "000000";
    }
    return std::string(line.substr(p + 9, 6));
}

int InfoForTag(std::string_view tag) {
    const auto it = std::find(kInfoTags.begin(), kInfoTags.end(), tag);
    return it == kInfoTags.end() ? -1 : static_cast<int>(it - kInfoTags.begin());
}

}  // namespace

DocumentContents ReadDocument(std::span<const std::uint8_t> bytes) {
    DocumentContents out;
    const std::vector<std::string> lines =
        DocumentLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::size_t lt = lines[index].find('<');
        if (lt == std::string::npos) continue;
        const std::string_view line = std::string_view(lines[index]).substr(lt);
        const std::optional<std::string> tag = FindTag(line);
        if (!tag) {  // a "<" with no blank, Tab or ">" after the name
            out.failure = DocumentFailure{index, {}};
            break;
        }
        if (tag->empty()) continue;

        if (const int slot = SlotForTag(*tag); slot >= 0) {
            std::optional<std::string> name = FindSourceValue(out, line);
            if (!name) {
                out.failure = DocumentFailure{index, *tag};
                break;
            }
            out.steps.push_back({DocumentStep::Kind::Picture, slot, std::move(*name)});
        } else if (const int info = InfoForTag(*tag); info >= 0) {
            out.steps.push_back({DocumentStep::Kind::Info, info, FindInfoValue(line)});
        } else if (const int element = ElementForTag(*tag); element >= 0) {
            std::string value = FindColourValue(out, line);
            out.steps.push_back({DocumentStep::Kind::Colour, element, std::move(value)});
        }
    }
    return out;
}

std::array<std::string, 3> DocumentFailureLines(const DocumentFailure& failure) {
    return {"Error in ReadFile", "Line Number-> " + std::to_string(failure.line),
            "Current sTag->" + failure.tag};
}

std::optional<std::string> MatchMemberName(const std::vector<std::string>& names,
                                           std::string_view wanted) {
    if (wanted.empty() || wanted == "." || wanted == ".." ||
        wanted.find_first_of("/\\") != std::string_view::npos)
        return std::nullopt;
    for (const std::string& name : names)
        if (SameIgnoringCase(name, wanted)) return name;
    return std::nullopt;
}

}  // namespace tintora
