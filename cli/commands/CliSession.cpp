#include "commands/CliSession.h"

#include <cstdlib>
#include <unistd.h>

namespace tintora::cli {

namespace {
// A private folder per process, so that several command-line runs never share a work folder. It
// lives in memory when the system offers a memory file system: checking a folder of themes
// unpacks and removes every one of them.
std::filesystem::path MakeWorkRoot() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (const char* tmpdir = std::getenv("TMPDIR"); (tmpdir == nullptr || *tmpdir == '\0') &&
                                                    std::filesystem::is_directory("/dev/shm", ec) &&
                                                    access("/dev/shm", W_OK) == 0)
        base = "/dev/shm";
    std::string pattern = (base / "tintora-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}
}  // namespace

Answer StreamToolkit::MessageBox(const std::string& text, const std::string& title,
                                 Buttons buttons, Icon) {
    err_ << (title.empty() ? "" : title + ": ") << text << '\n';
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

CliSession::CliSession(std::ostream& err)
    : toolkit_(err),
      log_({}, clock_, &toolkit_),
      workRoot_(MakeWorkRoot()),
      editor_(log_, toolkit_, view_, workRoot_.empty() ? std::string() : (workRoot_ / "temp").string()) {
    ResetTheme();
}

CliSession::~CliSession() {
    std::error_code ec;
    if (!workRoot_.empty()) std::filesystem::remove_all(workRoot_, ec);
}

void CliSession::ResetTheme() {
    Theme& theme = editor_.GetTheme();
    theme.slots.fill(SlotState::Empty);
    theme.members = {};
    theme.info = {};
    editor_.IniDefault();
}

}  // namespace tintora::cli
