#include <map>

#include "commands/CliSession.h"
#include "commands/Commands.h"
#include "themefile/DocumentWriter.h"
#include "themefile/TarWriter.h"

namespace tintora::cli {

int RunNew(const Args& args, std::ostream& out, std::ostream& err) {
    (void)out;
    std::string target;
    std::map<std::string, std::string> texts;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--name" || a == "--modified-by" || a == "--creator" || a == "--created") {
            if (i + 1 >= args.size()) {
                err << "tintora-cli new: " << a << " needs a value\n";
                return kExitUsage;
            }
            texts[a] = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            err << "tintora-cli new: unknown option '" << a << "'\n";
            return kExitUsage;
        } else if (target.empty()) {
            target = a;
        } else {
            err << "tintora-cli new: only one output file may be given\n";
            return kExitUsage;
        }
    }
    if (target.empty()) {
        err << "tintora-cli new: missing OUT.thm (usage: tintora-cli new OUT.thm [--name N] "
               "[--modified-by M] [--creator C] [--created T])\n";
        return kExitUsage;
    }

    CliSession session(err);
    Editor& editor = session.GetEditor();
    Theme& theme = editor.GetTheme();
    theme.info.name = texts["--name"];
    theme.info.modifiedBy = texts["--modified-by"];
    theme.info.creator = texts["--creator"];
    theme.info.created = texts.count("--created") ? texts["--created"]
                                                  : MakeCreationStamp(session.GetClock().Now());
    bSaveFile(theme);
    theme.Document().active = true;
    std::string reason;
    if (!CreateTarFile(editor.GetLog(), editor.GetTexts(), theme, target, &reason)) {
        err << "tintora-cli new: " << reason << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tintora::cli
