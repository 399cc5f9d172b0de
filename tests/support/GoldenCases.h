#pragma once
// Golden inputs: one folder per case in tests/data/<kind>/<case>/, named after what it holds,
// with the input and read.txt, what reading it gives, one item a line.

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/TempDir.h"

namespace tintora::test {

inline std::vector<std::filesystem::path> CaseFolders(std::string_view kind) {
    std::vector<std::filesystem::path> folders;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(TINTORA_TEST_DATA) / kind))
        folders.push_back(e.path());
    std::sort(folders.begin(), folders.end());
    return folders;
}

// The lines of a case's read.txt, each ended by "\n".
inline std::vector<std::string> ExpectedReading(const std::filesystem::path& folder) {
    const std::string text = ReadText(folder / "read.txt");
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace tintora::test
