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

std::string FillText(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '0') : 0;
        if (text[i] == '%' && n >= 1 && n <= values.size()) {
            filled += *(values.begin() + (n - 1));
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

}  // namespace tintora
