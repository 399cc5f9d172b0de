#include "commands/CliSession.h"

#include <unistd.h>

namespace tintora::cli {

namespace {
// The work folder's name: in the temporary folder, which exists, though nothing is ever created
// there. One per process, so that the names of several runs never meet.
std::string WorkFolderName() {
    std::error_code ec;
    return (std::filesystem::temp_directory_path(ec) / ("tintora-cli-" + std::to_string(getpid()))).string();
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
      workFolder_(WorkFolderName()),
      editor_(log_, toolkit_, view_, WorkFolderName(), workFolder_) {
    ResetTheme();
}

void CliSession::ResetTheme() {
    Theme& theme = editor_.GetTheme();
    theme.slots.fill(SlotState::Empty);
    theme.members = {};
    theme.info = {};
    editor_.ApplyDefaultColours();
}

}  // namespace tintora::cli
