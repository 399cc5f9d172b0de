#pragma once
// The logic behind the language list, kept apart from the combo box that shows it.

#include <string>
#include <string_view>
#include <vector>

#include "text/Texts.h"

namespace tintora {

// Language numbers: the base numbers of the language names.
inline constexpr int kLanguageEnglish = 101;
inline constexpr int kLanguageSwedish = 102;
inline constexpr int kLanguageGerman = 103;

// The entries of the language list in the language in force: English, then German. Swedish is
// not offered.
std::vector<std::string> LanguageListEntries(const Texts& texts);

// The language whose name in the language in force equals `displayed` exactly (letter case
// counts), trying English, Swedish, German in that order: 101, 102 or 103; 0 when none matches.
int MatchLanguage(const Texts& texts, std::string_view displayed);

// The offset that selects a language number; -1 for 0 or any other number, meaning the offset
// in force stays.
int OffsetForLanguage(int languageNumber);

}  // namespace tintora
