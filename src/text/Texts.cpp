#include "text/Texts.h"

namespace tintora {

std::string Texts::GetText(int number) const {
    // Number-display mode leaves the language names alone so the language list stays usable.
    if (number > 109 && showNumbers_) return std::to_string(number);
    // Only base numbers are looked up: number + offset of anything else could land in another
    // language's range and show its text instead of "Missing".
    if (!IsBaseNumber(number)) return "Missing";
    const auto text = CatalogueText(number + offset_);
    return text ? std::string(*text) : std::string("Missing");
}

}  // namespace tintora
