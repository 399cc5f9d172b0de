#include "base/Log.h"

#include <cstdio>
#include <cstdlib>

#include "base/Toolkit.h"

namespace tintora {

Log::Log(std::filesystem::path file, const Clock& clock, Toolkit* toolkit)
    : file_(std::move(file)), clock_(clock), toolkit_(toolkit) {}

void Log::WriteLog(std::string_view message, int level) {
    if (capture_) captured_.emplace_back(message);
    if (!file_.empty()) {
        std::string line = clock_.TimeText(clock_.Now());
        line += "\t\t";
        line += message;
        line += '\n';
        // Opened and closed for every line so that the line is on disk before we go on and
        // several running copies can share the day's file. A failure loses the line only.
        if (std::FILE* f = std::fopen(file_.c_str(), "ab")) {
            std::fwrite(line.data(), 1, line.size(), f);
            std::fclose(f);
        }
    }
    if (level == 2 && toolkit_) toolkit_->ShowMessage(std::string(message));
}

void Log::WriteLogAndShow(std::string_view message, std::string_view shown) {
    WriteLog(message);
    if (toolkit_) toolkit_->ShowMessage(std::string(shown));
}

std::filesystem::path DataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "Tintora";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share" / "Tintora";
}

std::filesystem::path MakeLogPath(const std::filesystem::path& folder, std::string dateText) {
    for (char& c : dateText)
        if (c == '/' || c == '.') c = '-';
    return folder / (dateText + ".txt");
}

}  // namespace tintora
