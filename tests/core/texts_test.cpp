#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
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

constexpr int kAllOffsets[] = {kEnglish, kSwedish, kGerman};

// --- Lookup in the language in force -------------------------------------------------------------

TEST(GetText, LanguageDecidesTheTextAndMissingHasNoFallBack) {
    EXPECT_EQ(InLanguage(kEnglish).GetText(132), "Theme Name:");
    EXPECT_EQ(InLanguage(kGerman).GetText(132), "Gestalter");
    EXPECT_EQ(InLanguage(kSwedish).GetText(132), "Missing");
    EXPECT_EQ(InLanguage(kGerman).GetText(134), "Missing");
    EXPECT_EQ(InLanguage(kEnglish).GetText(256), kMakerAddress);
    EXPECT_EQ(InLanguage(kGerman).GetText(256), kMakerAddress);
    EXPECT_EQ(InLanguage(kSwedish).GetText(256), "Missing");
    // Trailing blanks are kept.
    EXPECT_EQ(InLanguage(kEnglish).GetText(276), "The image should be: ");
    EXPECT_EQ(InLanguage(kGerman).GetText(187), "Blendrahmen ");
    // A number outside the base range never reaches another language: 100 + 200 is the English
    // 300, 100 + 400 the Swedish 500, and 301 is Swedish.
    for (int offset : kAllOffsets)
        for (int n : {0, 100, 104, 301, 501, -5}) EXPECT_EQ(InLanguage(offset).GetText(n), "Missing") << offset << "/" << n;
    EXPECT_EQ(InLanguage(kSwedish).GetText(300), "Arkivet innehåller inget temadokument (theme.xml).");
}

TEST(GetText, NumberModeShowsNumbersAboveLanguageNames) {
    const char* names[] = {"English", "Engelska", "Englisch"};
    for (int i = 0; i < 3; ++i) {
        const Texts texts = InLanguage(kAllOffsets[i], true);
        EXPECT_EQ(texts.GetText(160), "160");
        EXPECT_EQ(texts.GetText(134), "134") << "even where the language lacks the text";
        EXPECT_EQ(texts.GetText(101), names[i]);
        EXPECT_EQ(texts.GetText(109), "Missing");
        EXPECT_NE(InLanguage(kAllOffsets[i]).GetText(160), "160");
    }
}

// --- The catalogue's contents ---------------------------------------------------------------------

// A spread of entries across every block of every language, as the translators wrote them.
constexpr std::pair<int, std::string_view> kListed[] = {
    {101, "English"}, {116, "Created:"}, {153, "Previous"}, {186, "Highlight text disabled"},
    {220, "TELIA"}, {229, "Buy milk and bread...."}, {255, "5 Oct 2001"},
    {279, "Incorrect checksum for file - will try anyway"},
    {286, "Desktop title, desktop background and desktop title outline can not have the same value"},
    {294, "Error when unpacking TAR file...."}, {297, "The picture file could not be read: "},
    {303, "Tyska"}, {322, "Återställ"}, {361, "Operatörs namn XXX"},
    {498, "Bilden är för stor för att sparas (mer än 32767 byte): "}, {502, "Swedisch"},
    {533, "Verändert von:"}, {537, "Speichern als Standart"}, {568, "Destop Hintergrund"},
    {570, "Deaktiviertter Text"}, {603, "Titel - gross"}, {636, "5. Gesend. Nachr."},
    {661, "About"}, {680, "Markiert und Markierter Text liegen sind zu ähnlich"},
    {687, "Dialogf. Titel Text, Titel und Titel Text schatten können nicht den selben Wert haben."},
    {694, "Fehler beim entpacken der TAR Datei"}, {700, "Das Archiv enthält kein Themendokument (theme.xml)."},
};

TEST(Catalogue, ListedTextsThroughTheirLanguage) {
    for (const auto& [number, text] : kListed) {
        const int offset = number > 500 ? kGerman : number > 300 ? kSwedish : kEnglish;
        EXPECT_EQ(InLanguage(offset).GetText(number - offset), text) << number;
        EXPECT_EQ(CatalogueText(number), text) << number;
    }
}

TEST(Catalogue, HoldsExactlyTheNumbersOfEachLanguage) {
    // Inclusive ranges: English, then Swedish, then German.
    const std::pair<int, int> ranges[] = {
        {101, 103}, {110, 117}, {119, 154}, {160, 203}, {220, 261}, {268, 271}, {274, 300},
        {301, 303}, {310, 314}, {320, 329}, {340, 347}, {360, 369}, {492, 493}, {497, 500},
        {501, 503}, {510, 515}, {520, 533}, {535, 554}, {560, 603}, {620, 661}, {668, 671}, {674, 694}, {697, 700}};
    std::set<int> expected;
    for (const auto& [first, last] : ranges)
        for (int n = first; n <= last; ++n) expected.insert(n);
    ASSERT_EQ(expected.size(), 164u + 42u + 158u);

    std::set<int> present;
    for (int n = -32768; n <= 32767; ++n) {
        if (const auto text = CatalogueText(n)) {
            present.insert(n);
            EXPECT_FALSE(text->empty()) << n;
        }
    }
    EXPECT_EQ(present, expected);
}

// --- Language list and choice ---------------------------------------------------------------------

// The choice as the language combo box makes it: match in the old language, then switch.
int Choose(Texts& texts, std::string_view displayed) {
    const int language = MatchLanguage(texts, displayed);
    const int offset = OffsetForLanguage(language);
    if (offset >= 0) texts.SetLanguageOffset(offset);
    return language;
}

TEST(LanguageChoice, NamesAreMatchedInTheLanguageInForce) {
    Texts texts;
    EXPECT_EQ(LanguageListEntries(texts), (std::vector<std::string>{"English", "German"}));
    EXPECT_EQ(Choose(texts, "German"), 103);
    EXPECT_EQ(texts.LanguageOffset(), kGerman);
    EXPECT_EQ(LanguageListEntries(texts), (std::vector<std::string>{"Englisch", "Deutsch"}));
    EXPECT_EQ(Choose(texts, "Englisch"), 101);
    EXPECT_EQ(texts.LanguageOffset(), kEnglish);

    // Swedish is reached only by its name in the language in force.
    EXPECT_EQ(Choose(texts, "Swedish"), 102);
    EXPECT_EQ(texts.LanguageOffset(), kSwedish);
    EXPECT_EQ(LanguageListEntries(texts), (std::vector<std::string>{"Engelska", "Tyska"}));
    EXPECT_EQ(MatchLanguage(texts, "German"), 0);
    EXPECT_EQ(MatchLanguage(texts, "Tyska"), 103);
    EXPECT_EQ(MatchLanguage(InLanguage(kGerman), "Swedisch"), 102);
}

TEST(LanguageChoice, UnknownTextKeepsTheLanguage) {
    Texts texts = InLanguage(kGerman);
    for (std::string_view text : {"german", "Deutsch ", "Missing", ""}) {
        EXPECT_EQ(Choose(texts, text), 0) << text;
        EXPECT_EQ(texts.LanguageOffset(), kGerman) << text;
    }
    EXPECT_EQ(OffsetForLanguage(0), -1);
    EXPECT_EQ(OffsetForLanguage(104), -1);
}

// --- Shortening captions --------------------------------------------------------------------------

TEST(ShortenText, CutsAtTheLastBlankWithinMaxOrKeepsMaxMinusFour) {
    const std::tuple<std::string_view, int, std::string_view> cases[] = {
        {"3. Manage contacts", 17, "3. Manage..."},  // 18 characters, blank at 10
        {"Bestehende Datei überschreiben?", 17, "Bestehende Datei..."},
        {" leading", 5, "..."},
        {"ABCDEFGHIJKLMNOPQRST", 17, "ABCDEFGHIJKLM..."},
        {"ABCDEFGHIJKLMNOPQ RST", 17, "ABCDEFGHIJKLM..."},  // blank at 18 is past max
        {"ABCDEFG", 2, "..."},
        {"", 17, "..."},
        // Umlauts count as one character: in bytes the blank at character 14 would lie at 17.
        {"Größe für Änd xyz", 14, "Größe für Änd..."},
        {"Überspringenöäüxyzab", 17, "Überspringenö..."},
        {"äöüäöüäöüä", 7, "äöü..."},
    };
    for (const auto& [text, max, shortened] : cases) EXPECT_EQ(ShortenText(text, max), shortened) << text;
}

}  // namespace
}  // namespace tintora
