#include "commands/ContrastReport.h"

#include "preview/PreviewColours.h"

namespace tintora::cli {

bool PrintContrast(const Theme& theme, const Texts& texts, std::ostream& out) {
    bool hard = false;
    out << ContrastHeading(texts) << '\n';
    for (const ContrastPair& pair : ContrastPairs(theme, PreviewFor(theme, texts))) {
        out << "  " << ContrastLine(pair, texts);
        if (pair.HardToRead()) {
            hard = true;
            const ContrastFix fix = FixFor(pair, theme);
            if (fix.element >= 0) out << ". " << FixText(fix, texts);
        }
        out << '\n';
    }
    return hard;
}

}  // namespace tintora::cli
