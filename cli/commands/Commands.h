#pragma once
// The subcommands of tintora-cli. Each takes its arguments (without the subcommand's name) and
// the output and error streams, and returns the process exit status.

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tintora::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

using CommandFunction = int (*)(const Args& args, std::ostream& out, std::ostream& err);

// A command built outside this library (render needs the editor's painter and so Qt); the
// program hands it to RunCli when it links it. `help` is its block of the --help text.
struct ExtraCommand {
    std::string_view name;
    CommandFunction run;
    std::string_view help;
};

int RunCli(const Args& args, std::ostream& out, std::ostream& err, std::span<const ExtraCommand> extra = {});

int RunNew(const Args& args, std::ostream& out, std::ostream& err);
int RunShow(const Args& args, std::ostream& out, std::ostream& err);
int RunCheck(const Args& args, std::ostream& out, std::ostream& err);
int RunResave(const Args& args, std::ostream& out, std::ostream& err);
int RunUnpack(const Args& args, std::ostream& out, std::ostream& err);

void PrintHelp(std::ostream& out, std::span<const ExtraCommand> extra = {});

}  // namespace tintora::cli
