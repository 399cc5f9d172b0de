#pragma once
// The one walk over a command's arguments: options by name, with or without a value, and the
// files in between. Each command keeps its own messages; this says what went wrong and where.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "commands/Commands.h"

namespace tintora::cli {

struct KnownOption {
    std::string_view name;
    bool takesValue = false;
    bool once = false;  // a second occurrence counts as unknown
};

enum class OptionProblem { None, Unknown, MissingValue, Refused };

struct OptionWalk {
    OptionProblem problem = OptionProblem::None;
    std::string option;  // the argument the walk stopped at
};

// Walks `args` in order. An option of `options` goes to `take` with its value (the next argument,
// for an option that takes one; "" otherwise), any argument not beginning with "--" goes to
// `take` as a file (option ""); `take` returning false stops the walk (Refused). Any other
// argument beginning with "--" stops it as Unknown, as does a once-only option given again; a
// value option without a following argument stops it as MissingValue.
OptionWalk WalkOptions(const Args& args, std::span<const KnownOption> options,
                       const std::function<bool(std::string_view option, const std::string& value)>& take);

}  // namespace tintora::cli
