#include "model/InfoText.h"

namespace tintora {

std::string SafeInfoText(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (const char c : text) {
        // A blank between two dashes, so that no run of them ever holds "--".
        if (c == '-' && !safe.empty() && safe.back() == '-') safe += ' ';
        if (c == '"')
            safe += '\'';
        else if (c == '\r' || c == '\n' || c == '\t')
            safe += ' ';
        else
            safe += c;
    }
    return safe;
}

}  // namespace tintora
