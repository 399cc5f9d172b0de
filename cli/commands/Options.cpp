#include "commands/Options.h"

#include <algorithm>
#include <set>

namespace tintora::cli {

OptionWalk WalkOptions(const Args& args, std::span<const OptionSpec> specs,
                       const std::function<bool(std::string_view option, const std::string& value)>& take) {
    OptionWalk walk;
    std::set<std::string_view> seen;
    const auto stop = [&](OptionProblem problem, const std::string& at) {
        walk.problem = problem;
        walk.option = at;
        return walk;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto spec = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == a; });
        if (spec != specs.end() && !(spec->once && seen.count(spec->name))) {
            seen.insert(spec->name);
            if (spec->takesValue && i + 1 >= args.size()) return stop(OptionProblem::MissingValue, a);
            const std::string value = spec->takesValue ? args[++i] : std::string();
            if (!take(spec->name, value)) return stop(OptionProblem::Refused, a);
        } else if (a.rfind("--", 0) == 0) {
            return stop(OptionProblem::Unknown, a);
        } else {
            if (!take("", a)) return stop(OptionProblem::Refused, a);
        }
    }
    return walk;
}

}  // namespace tintora::cli
