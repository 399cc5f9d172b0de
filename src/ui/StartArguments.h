#pragma once
// The editor's command line: `tintora [FILE.thm]`, `tintora --help`, `tintora --version`.
// Read twice: before Qt starts, only for --help and --version, which print and end without a
// window (and so without a display); after Qt has taken its own options (-platform, -style, ...)
// for the file to open.

#include <ostream>
#include <string>
#include <vector>

namespace tintora {

struct StartArguments {
    enum class Action { Run, Help, Version, Usage };
    Action action = Action::Run;
    std::string file;     // Run: the theme file to open after start-up, or empty
    std::string problem;  // Usage: what is wrong, one line
};

// `args` without the program's name. --help and --version win wherever they stand before "--";
// otherwise one file at most, and no other option ("--" ends the options, so a file may begin
// with "-").
StartArguments ReadStartArguments(const std::vector<std::string>& args);

// The text --help prints.
void PrintEditorHelp(std::ostream& out);
// The line --version prints: "tintora 4.2.5".
void PrintEditorVersion(std::ostream& out);

}  // namespace tintora
