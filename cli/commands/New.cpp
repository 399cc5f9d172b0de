#include <map>

#include "commands/CliSession.h"
#include "commands/Commands.h"
#include "commands/Options.h"
#include "model/InfoText.h"
#include "editor/SaveTheme.h"

namespace tintora::cli {

int RunNew(const Args& args, std::ostream& out, std::ostream& err) {
    (void)out;
    std::string target;
    std::map<std::string, std::string> texts;
    static constexpr KnownOption kOptions[] = {
        {"--name", true}, {"--modified-by", true}, {"--creator", true}, {"--created", true}};
    const OptionWalk walk = WalkOptions(args, kOptions, [&](std::string_view option, const std::string& value) {
        if (!option.empty()) texts[std::string(option)] = value;
        else if (target.empty()) target = value;
        else return false;
        return true;
    });
    switch (walk.problem) {
        case OptionProblem::None: break;
        case OptionProblem::MissingValue: err << "tintora-cli new: " << walk.option << " needs a value\n"; return kExitUsage;
        case OptionProblem::Unknown: err << "tintora-cli new: unknown option '" << walk.option << "'\n"; return kExitUsage;
        case OptionProblem::Refused: err << "tintora-cli new: only one output file may be given\n"; return kExitUsage;
    }
    if (target.empty()) {
        err << "tintora-cli new: missing OUT.thm (usage: tintora-cli new OUT.thm [--name N] "
               "[--modified-by M] [--creator C] [--created T])\n";
        return kExitUsage;
    }

    CliSession session(err);
    Editor& editor = session.GetEditor();
    Theme& theme = editor.GetTheme();
    if (!texts.count("--created")) texts["--created"] = MakeCreationStamp(session.GetClock().Now());
    // Each text is stored as the editor's information dialog would store it; the user hears of
    // every change.
    const std::pair<const char*, std::string*> fields[] = {{"--name", &theme.info.name},
                                                           {"--modified-by", &theme.info.modifiedBy},
                                                           {"--creator", &theme.info.creator},
                                                           {"--created", &theme.info.created}};
    for (const auto& [option, field] : fields) {
        *field = SafeInfoText(texts[option]);
        if (*field != texts[option])
            err << "tintora-cli new: " << option << " is stored as \"" << *field
                << "\" (quotes become ', line breaks and tabs blanks, and -- becomes - -)\n";
    }
    std::string reason;
    if (!SaveTheme(editor.GetLog(), editor.GetTexts(), theme, target, reason)) {
        err << "tintora-cli new: " << reason << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tintora::cli
