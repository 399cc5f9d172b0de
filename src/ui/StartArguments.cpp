#include "ui/StartArguments.h"

namespace tintora {

StartArguments ReadStartArguments(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::string problem;
    bool options = true;
    bool version = false;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--help" || arg == "-h")) {
            return {StartArguments::Action::Help, {}, {}};
        } else if (options && arg == "--version") {
            version = true;
        } else if (options && arg.size() > 1 && arg.front() == '-') {
            if (problem.empty()) problem = "unknown option '" + arg + "'";
        } else {
            files.push_back(arg);
        }
    }
    if (version) return {StartArguments::Action::Version, {}, {}};
    if (problem.empty() && files.size() > 1) problem = "one theme file at most, not " + std::to_string(files.size());
    if (!problem.empty()) return {StartArguments::Action::Usage, {}, problem};
    return {StartArguments::Action::Run, files.empty() ? std::string() : files.front(), {}};
}

void PrintEditorHelp(std::ostream& out) {
    out << "tintora: the editor for the themes of an early-2000s mobile phone\n"
           "\n"
           "Usage:\n"
           "  tintora [FILE.thm]\n"
           "      Start the editor; with FILE.thm, open it as a click on it in the Files tab does,\n"
           "      so that Save writes back to it.\n"
           "  tintora --help       Print this text.\n"
           "  tintora --version    Print the version.\n"
           "\n"
           "Qt's own options, such as -platform NAME, are accepted too.\n"
           "The command-line companion is tintora-cli (see tintora-cli --help).\n";
}

void PrintEditorVersion(std::ostream& out) {
    out << "tintora " << TINTORA_VERSION_MAJOR << '.' << TINTORA_VERSION_MINOR << '.'
        << TINTORA_VERSION_REVISION << '\n';
}

}  // namespace tintora
