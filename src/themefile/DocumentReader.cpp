#include "themefile/DocumentReader.h"

#include <algorithm>

#include "text/Cp1252.h"
#include "base/Log.h"

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
}  // namespace

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

std::optional<std::string> FindTag(std::string_view line) {
    for (std::size_t j = 1; j < line.size(); ++j) {
        if (line[j] == ' ' || line[j] == '\t') return std::string(line.substr(1, j - 1));
        if (line[j] == '>') return std::string();
    }
    return std::nullopt;
}

std::optional<std::string> FindSourceValue(Log& log, std::string_view line) {
    const std::size_t p = line.find("Source=");
    if (p == std::string_view::npos) {
        log.WriteLog(std::string(kNoValue) + std::string(line));
        return std::string();
    }
    std::string s(line.substr(std::min(line.size(), p + 8)));
    std::erase(s, ' ');
    const std::size_t q = s.find('/');
    // The name ends two characters before that slash, before the closing quote of "/>.
    if (q == std::string::npos || q < 1) return std::nullopt;
    return s.substr(0, q - 1);
}

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

std::string FindColourValue(Log& log, std::string_view line) {
    const std::size_t p = line.find("Color=\"0x");
    if (p == std::string_view::npos) {
        log.WriteLog(std::string(kNoValue) + std::string(line));
        return "000000";
    }
    return std::string(line.substr(p + 9, 6));
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
