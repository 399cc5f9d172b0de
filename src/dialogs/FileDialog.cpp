#include "dialogs/FileDialog.h"

#include <filesystem>
#include <system_error>

#include "base/Toolkit.h"

namespace tintora {

namespace {

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsExistingFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(std::filesystem::path(path), ec);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

std::optional<std::string> ShowFileDialog(Toolkit& toolkit, const std::string& folder,
                                          const std::string& extension, const std::string& title,
                                          bool save) {
    const auto chosen = toolkit.FileDialog({folder, extension, title, save});
    if (!chosen) return std::nullopt;
    std::string path = TrimBlanks(*chosen);
    // A confirmed dialog without a name is a platform failure, taken like a cancel.
    if (path.empty()) return std::nullopt;
    if (IsExistingFile(path)) return path;
    if (path.find("." + extension) == std::string::npos) path += "." + extension;
    return path;
}

}  // namespace tintora
