#include "commands/Commands.h"

#include <functional>
#include <string_view>

namespace tintora::cli {

namespace {
struct Command {
    std::string_view name;
    CommandFunction run;
};
constexpr Command kCommands[] = {
    {"new", RunNew}, {"show", RunShow}, {"check", RunCheck}, {"resave", RunResave}, {"unpack", RunUnpack},
};
}  // namespace

void PrintHelp(std::ostream& out, std::span<const ExtraCommand> extra) {
    out << "tintora-cli: the command-line companion of the Tintora theme editor\n"
           "\n"
           "Usage:\n"
           "  tintora-cli new OUT.thm [--name N] [--modified-by M] [--creator C] [--created T]\n"
           "      Write the default theme with these descriptive texts. Without --created the\n"
           "      creation stamp is the current date and time (day.month.year h:m:s).\n"
           "  tintora-cli show FILE.thm\n"
           "      Open the theme as the editor's file browser does and print it as JSON: the four\n"
           "      texts, the 38 colours and the six picture slots. Exit 1 when it cannot be read.\n"
           "  tintora-cli check [--contrast] FILE.thm...\n"
           "      Print the colour findings, newest first. With several files each starts with a\n"
           "      line \"== FILE\". Exit 0 all safe, 1 a rule fails, 2 a file cannot be opened.\n"
           "      --contrast adds every text/fill pair the phone shows with its contrast ratio,\n"
           "      worst first, and a fix for each pair under 3:1; such a pair also exits 1.\n"
           "  tintora-cli resave IN.thm OUT.thm\n"
           "      Open IN and save it as OUT (the creation date is kept when set, made when empty).\n"
           "  tintora-cli unpack FILE.thm DIR\n"
           "      Extract the archive's members safely into DIR (created when missing).\n";
    for (const ExtraCommand& c : extra) out << c.help;
    out << "  tintora-cli --help\n"
           "  tintora-cli --version\n"
           "\n"
           "Messages the editor would show in a box are written to standard error.\n"
           "Exit status 2 means the command line was wrong.\n";
}

int RunCli(const Args& args, std::ostream& out, std::ostream& err, std::span<const ExtraCommand> extra) {
    if (args.empty()) {
        PrintHelp(err, extra);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out, extra);
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "tintora-cli " << TINTORA_VERSION_MAJOR << '.' << TINTORA_VERSION_MINOR << '.'
            << TINTORA_VERSION_REVISION << '\n';
        return kExitOk;
    }
    for (const Command& c : kCommands)
        if (args[0] == c.name) return c.run(Args(args.begin() + 1, args.end()), out, err);
    for (const ExtraCommand& c : extra)
        if (args[0] == c.name) return c.run(Args(args.begin() + 1, args.end()), out, err);
    err << "tintora-cli: unknown command '" << args[0] << "' (see tintora-cli --help)\n";
    return kExitUsage;
}

}  // namespace tintora::cli
