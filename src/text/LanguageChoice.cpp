#include "text/LanguageChoice.h"

namespace tintora {

std::vector<std::string> LanguageListEntries(const Texts& texts) {
    return {texts.GetText(kLanguageEnglish), texts.GetText(kLanguageGerman)};
}

int MatchLanguage(const Texts& texts, std::string_view displayed) {
    for (int language : {kLanguageEnglish, kLanguageSwedish, kLanguageGerman}) {
        if (texts.GetText(language) == displayed) return language;
    }
    return 0;
}

int OffsetForLanguage(int languageNumber) {
    switch (languageNumber) {
        case kLanguageEnglish: return kEnglish;
        case kLanguageSwedish: return kSwedish;
        case kLanguageGerman: return kGerman;
        default: return -1;
    }
}

}  // namespace tintora
