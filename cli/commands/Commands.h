#pragma once
// The subcommands of tintora-cli. Each takes its arguments (without the subcommand's name) and
// the output and error streams, and returns the process exit status.

#include <ostream>
#include <string>
#include <vector>

namespace tintora::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int RunCli(const Args& args, std::ostream& out, std::ostream& err);

int RunNew(const Args& args, std::ostream& out, std::ostream& err);
int RunShow(const Args& args, std::ostream& out, std::ostream& err);
int RunCheck(const Args& args, std::ostream& out, std::ostream& err);
int RunResave(const Args& args, std::ostream& out, std::ostream& err);
int RunUnpack(const Args& args, std::ostream& out, std::ostream& err);

void PrintHelp(std::ostream& out);

}  // namespace tintora::cli
