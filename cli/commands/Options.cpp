#include "commands/Options.h"

#include <algorithm>
#include <set>

namespace tintora::cli {

OptionWalk WalkOptions(const Args& args, std::span<const KnownOption> options,
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
        const auto known = std::find_if(options.begin(), options.end(), [&](const KnownOption& s) { return s.name == a; });
        if (known != options.end() && !(known->once && seen.count(known->name))) {
            seen.insert(known->name);
            if (known->takesValue && i + 1 >= args.size()) return stop(OptionProblem::MissingValue, a);
            const std::string value = known->takesValue ? args[++i] : std::string();
            if (!take(known->name, value)) return stop(OptionProblem::Refused, a);
        } else if (a.rfind("--", 0) == 0) {
            return stop(OptionProblem::Unknown, a);
        } else {
            if (!take("", a)) return stop(OptionProblem::Refused, a);
        }
    }
    return walk;
}

}  // namespace tintora::cli
