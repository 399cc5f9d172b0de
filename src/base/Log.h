#pragma once
// The program's diary: one file per day, "time TAB TAB message" per line. Level 2 also shows
// the message to the user. The file is opened and closed for every line; a line that cannot be
// written is lost without disturbing the caller.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"

namespace tintora {

class Toolkit;

class Log {
public:
    // An empty path writes no file (the command line's quiet mode, the fuzzers).
    Log(std::filesystem::path file, const Clock& clock, Toolkit* toolkit);

    void WriteLog(std::string_view message, int level = 1);
    // Writes `message` to the log and shows `shown` to the user: a catalogue text kept in the
    // log as it always was, shown with its reason.
    void WriteLogAndShow(std::string_view message, std::string_view shown);

    const std::filesystem::path& Path() const { return file_; }
    void SetToolkit(Toolkit* toolkit) { toolkit_ = toolkit; }

    // Keeps every message in memory as well (tests, the command line's diagnostics).
    void SetCapture(bool on) { capture_ = on; }
    const std::vector<std::string>& Captured() const { return captured_; }
    void ClearCaptured() { captured_.clear(); }

private:
    std::filesystem::path file_;
    const Clock& clock_;
    Toolkit* toolkit_;
    bool capture_ = false;
    std::vector<std::string> captured_;
};

// Where the program keeps its logs and its work folder: $XDG_DATA_HOME/Tintora, or
// ~/.local/share/Tintora.
std::filesystem::path DataFolder();

// The day's log file in `folder`: the date text with every "/" and "." replaced by "-", + ".txt".
std::filesystem::path MakeLogPath(const std::filesystem::path& folder, std::string dateText);

}  // namespace tintora
