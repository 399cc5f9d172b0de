#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "text/LanguageChoice.h"
#include "text/ShortenText.h"
#include "text/Texts.h"

namespace tintora {
namespace {

Texts InLanguage(int offset, bool numbers = false) {
    Texts texts;
    texts.SetLanguageOffset(offset);
    texts.SetShowTextNumbers(numbers);
    return texts;
}

TEST(GetText, TextsOfTheLanguageInForceWithoutFallBackAndNumberMode) {
    const struct { int offset; bool numbers; int number; std::string_view text; } cases[] = {
        // As the translators wrote them, trailing blanks included.
        {kEnglish, false, 132, "Theme Name:"}, {kEnglish, false, 256, kMakerAddress},
        {kSwedish, false, 103, "Tyska"}, {kSwedish, false, 161, "Operatörs namn XXX"},
        {kSwedish, false, 300, "Arkivet innehåller inget temadokument (theme.xml)."},
        {kGerman, false, 132, "Gestalter"}, {kGerman, false, 187, "Blendrahmen "},
        {kGerman, false, 168, "Destop Hintergrund"}, {kGerman, false, 256, kMakerAddress},
        // What a language lacks is missing, never taken from another language.
        {kSwedish, false, 132, "Missing"}, {kGerman, false, 134, "Missing"}, {kSwedish, false, 256, "Missing"},
        // Number mode shows numbers above the language names, even where the language lacks the text.
        {kEnglish, true, 160, "160"}, {kGerman, true, 134, "134"}, {kEnglish, true, 101, "English"},
        {kSwedish, true, 101, "Engelska"}, {kGerman, true, 101, "Englisch"}, {kSwedish, true, 109, "Missing"}};
    for (const auto& c : cases)
        EXPECT_EQ(InLanguage(c.offset, c.numbers).GetText(c.number), c.text) << c.offset << "/" << c.number << c.numbers;
    // A number outside the base range never reaches another language (100 + 200 is the English 300).
    for (int offset : {kEnglish, kSwedish, kGerman})
        for (int n : {0, 100, 104, 301, 501, 700, 900, 1101, -5}) EXPECT_EQ(InLanguage(offset).GetText(n), "Missing") << offset << "/" << n;
}

TEST(Catalogue, HoldsExactlyTheNumbersOfEachLanguage) {
    // Inclusive ranges of the first texts: English, then Swedish, then German.
    const std::pair<int, int> ranges[] = {
        {101, 103}, {110, 117}, {119, 154}, {160, 203}, {220, 261}, {268, 271}, {274, 300},
        {301, 303}, {310, 314}, {320, 329}, {340, 347}, {360, 369}, {492, 493}, {497, 500},
        {501, 503}, {510, 515}, {520, 533}, {535, 554}, {560, 603}, {620, 661}, {668, 671}, {674, 694}, {697, 700}};
    std::set<int> expected, present;
    for (const auto& [first, last] : ranges)
        for (int n = first; n <= last; ++n) expected.insert(n);
    // A text added later stands in all three languages.
    for (int n = kFirstAddedBaseNumber; n <= kLastAddedBaseNumber; ++n)
        if (CatalogueText(n) || CatalogueText(n + kSwedish) || CatalogueText(n + kGerman))
            expected.insert({n, n + kSwedish, n + kGerman});
    for (int n = -32768; n <= 32767; ++n)
        if (const auto text = CatalogueText(n)) {
            present.insert(n);
            EXPECT_FALSE(text->empty()) << n;
        }
    EXPECT_EQ(present, expected);
}

// Each step chooses as the language combo box does: match in the old language, then switch.
TEST(LanguageChoice, NamesAreMatchedExactlyInTheLanguageInForce) {
    using Entries = std::vector<std::string>;
    const Entries english{"English", "German"}, german{"Englisch", "Deutsch"}, swedish{"Engelska", "Tyska"};
    const struct { std::string_view displayed; int language, offset; Entries entries; } steps[] = {
        {"german", 0, kEnglish, english}, {"German ", 0, kEnglish, english}, {"German", 103, kGerman, german},
        {"deutsch", 0, kGerman, german}, {"Deutsch ", 0, kGerman, german},
        {"Missing", 0, kGerman, german}, {"", 0, kGerman, german}, {"Swedish", 0, kGerman, german},
        {"Englisch", 101, kEnglish, english},
        {"Swedish", 102, kSwedish, swedish},  // Swedish is reached only by its name in the language in force
        {"Tyska", 103, kGerman, german}, {"Swedisch", 102, kSwedish, swedish}};
    Texts texts;
    for (const auto& step : steps) {
        const int language = MatchLanguage(texts, step.displayed);
        if (const int offset = OffsetForLanguage(language); offset >= 0) texts.SetLanguageOffset(offset);
        EXPECT_EQ(language, step.language) << step.displayed;
        EXPECT_EQ(texts.LanguageOffset(), step.offset) << step.displayed;
        EXPECT_EQ(LanguageListEntries(texts), step.entries) << step.displayed;
    }
    EXPECT_EQ(OffsetForLanguage(104), -1);
}

TEST(ShortenText, CutsAtTheLastBlankWithinMaxOrKeepsMaxMinusFour) {
    const std::tuple<std::string_view, int, std::string_view> cases[] = {
        {"3. Manage contacts", 17, "3. Manage..."},         // 18 characters, blank at 10
        {"ABCDEFGHIJKLMNOPQ RST", 17, "ABCDEFGHIJKLM..."},  // blank at 18 is past max
        {" leading", 5, "..."}, {"ABCDEFG", 2, "..."}, {"", 17, "..."},
        // Umlauts count as one character: in bytes the blank at character 14 would lie at 17.
        {"Größe für Änd xyz", 14, "Größe für Änd..."}, {"Überspringenöäüxyzab", 17, "Überspringenö..."},
    };
    for (const auto& [text, max, shortened] : cases) EXPECT_EQ(ShortenText(text, max), shortened) << text;
}

}  // namespace
}  // namespace tintora
