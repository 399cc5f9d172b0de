#pragma once
// Golden inputs: one folder per case in tests/data/<kind>/<case>/, named after what it holds,
// with the input and read.txt, what reading it gives, one item a line.

#include <algorithm>
#include <sstream>
#include <string_view>

#include "support/TempDir.h"

namespace tintora::test {

inline std::vector<std::filesystem::path> CaseFolders(std::string_view kind) {
    std::vector<std::filesystem::path> folders;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(TINTORA_TEST_DATA) / kind))
        folders.push_back(e.path());
    std::sort(folders.begin(), folders.end());
    return folders;
}

inline std::vector<std::string> ExpectedReading(const std::filesystem::path& folder) {
    std::istringstream text(ReadText(folder / "read.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

}  // namespace tintora::test
