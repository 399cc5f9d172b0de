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

Texts InLanguage(int offset) {
    Texts texts;
    texts.SetLanguageOffset(offset);
    return texts;
}

constexpr int kAllOffsets[] = {kEnglish, kSwedish, kGerman};

// --- Lookup in the language in force -------------------------------------------------------------

TEST(GetText, LanguageDecidesTextAndMissingHasNoFallBack) {
    EXPECT_EQ(InLanguage(kEnglish).GetText(132), "Theme Name:");
    EXPECT_EQ(InLanguage(kGerman).GetText(132), "Gestalter");
    EXPECT_EQ(InLanguage(kSwedish).GetText(132), "Missing");
    EXPECT_EQ(InLanguage(kGerman).GetText(134), "Missing");
    EXPECT_EQ(InLanguage(kEnglish).GetText(134), "Created by:");
    for (int offset : kAllOffsets) {
        EXPECT_EQ(InLanguage(offset).GetText(0), "Missing") << offset;
        EXPECT_EQ(InLanguage(offset).GetText(104), "Missing") << offset;
        EXPECT_EQ(InLanguage(offset).GetText(-5), "Missing") << offset;
    }
}

TEST(GetText, NumberOutsideTheBaseRangeNeverReachesAnotherLanguage) {
    // 100 + 200 is the English 300 and 100 + 400 the Swedish 500; 301 is Swedish.
    EXPECT_EQ(InLanguage(kSwedish).GetText(100), "Missing");
    EXPECT_EQ(InLanguage(kGerman).GetText(100), "Missing");
    EXPECT_EQ(InLanguage(kEnglish).GetText(301), "Missing");
    EXPECT_EQ(InLanguage(kEnglish).GetText(501), "Missing");
    EXPECT_EQ(InLanguage(kSwedish).GetText(300), "Arkivet innehåller inget temadokument (theme.xml).");
}

TEST(GetText, NumberModeShowsNumbersAboveLanguageNames) {
    const char* names[] = {"English", "Engelska", "Englisch"};
    int i = 0;
    for (int offset : kAllOffsets) {
        Texts texts = InLanguage(offset);
        texts.SetShowTextNumbers(true);
        EXPECT_EQ(texts.GetText(160), "160");
        EXPECT_EQ(texts.GetText(110), "110");
        EXPECT_EQ(texts.GetText(134), "134");  // even where the language lacks the text
        EXPECT_EQ(texts.GetText(101), names[i++]);
        EXPECT_EQ(texts.GetText(109), "Missing");
        texts.SetShowTextNumbers(false);
        EXPECT_NE(texts.GetText(160), "160");
    }
}

TEST(GetText, TrailingBlanksAreKept) {
    EXPECT_EQ(InLanguage(kEnglish).GetText(276), "The image should be: ");
    EXPECT_EQ(InLanguage(kGerman).GetText(187), "Blendrahmen ");
    EXPECT_EQ(InLanguage(kEnglish).GetText(297), "The picture file could not be read: ");
}

TEST(GetText, MakersAddressInEnglishAndGerman) {
    EXPECT_EQ(InLanguage(kEnglish).GetText(256), kMakerAddress);
    EXPECT_EQ(InLanguage(kGerman).GetText(256), kMakerAddress);
    EXPECT_EQ(InLanguage(kSwedish).GetText(256), "Missing");
}

// --- The catalogue's contents ---------------------------------------------------------------------

struct Listed {
    int number;
    std::string_view text;
};

// A spread of entries across every block of every language, as the translators wrote them.
constexpr Listed kListed[] = {
    {101, "English"},
    {115, "Files"},
    {116, "Created:"},
    {129, "Wait"},
    {147, "Image"},
    {153, "Previous"},
    {160, "Operator name"},
    {186, "Highlight text disabled"},
    {203, "Title - large"},
    {220, "TELIA"},
    {229, "Buy milk and bread...."},
    {255, "5 Oct 2001"},
    {268, "Can not find the file"},
    {279, "Incorrect checksum for file - will try anyway"},
    {286, "Desktop title, desktop background and desktop title outline can not have the same value"},
    {294, "Error when unpacking TAR file...."},
    {296, "Cancel"},
    {300, "The archive holds no theme document (theme.xml)."},
    {303, "Tyska"},
    {310, "Viloläge"},
    {322, "Återställ"},
    {325, "På"},
    {345, "WAP läsare"},
    {361, "Operatörs namn XXX"},
    {363, "Viloläge tid XXX"},
    {369, "Text"},
    {498, "Bilden är för stor för att sparas (mer än 32767 byte): "},
    {502, "Swedisch"},
    {511, "Menü"},
    {533, "Verändert von:"},
    {536, "Überspringen"},
    {537, "Speichern als Standart"},
    {553, "Vorschau"},
    {554, "Aktueller Ordner."},
    {568, "Destop Hintergrund"},
    {570, "Deaktiviertter Text"},
    {603, "Titel - gross"},
    {620, "D2"},
    {636, "5. Gesend. Nachr."},
    {648, "3. Vorschläge"},
    {657, "News"},
    {661, "About"},
    {676, "Erforderliche Bildgrösse:"},
    {680, "Markiert und Markierter Text liegen sind zu ähnlich"},
    {687, "Dialogf. Titel Text, Titel und Titel Text schatten können nicht den selben Wert haben."},
    {689, "Alle Farben gespeichert"},
    {690, "Über"},
    {694, "Fehler beim entpacken der TAR Datei"},
    {700, "Das Archiv enthält kein Themendokument (theme.xml)."},
};

TEST(Catalogue, ListedTextsThroughTheirLanguage) {
    for (const Listed& entry : kListed) {
        const int offset = entry.number > 500 ? kGerman : entry.number > 300 ? kSwedish : kEnglish;
        EXPECT_EQ(InLanguage(offset).GetText(entry.number - offset), entry.text) << entry.number;
        EXPECT_EQ(CatalogueText(entry.number), entry.text) << entry.number;
    }
}

struct Range {
    int first;
    int last;
};

// The numbers each language holds, inclusive ranges.
const std::vector<Range> kEnglishNumbers = {{101, 103}, {110, 117}, {119, 154}, {160, 203}, {220, 261},
                                            {268, 271}, {274, 291}, {292, 293}, {294, 300}};
const std::vector<Range> kSwedishNumbers = {{301, 303}, {310, 314}, {320, 329}, {340, 347}, {360, 369},
                                            {492, 493}, {497, 500}};
const std::vector<Range> kGermanNumbers = {{501, 503}, {510, 515}, {520, 533}, {535, 554}, {560, 603},
                                           {620, 661}, {668, 671}, {674, 691}, {692, 693}, {694, 694}, {697, 700}};

std::set<int> Numbers(const std::vector<Range>& ranges) {
    std::set<int> numbers;
    for (const Range& r : ranges) {
        for (int n = r.first; n <= r.last; ++n) numbers.insert(n);
    }
    return numbers;
}

TEST(Catalogue, HoldsExactlyTheNumbersOfEachLanguage) {
    std::set<int> expected = Numbers(kEnglishNumbers);
    const std::set<int> swedish = Numbers(kSwedishNumbers);
    const std::set<int> german = Numbers(kGermanNumbers);
    EXPECT_EQ(expected.size(), 158u + 6u);
    EXPECT_EQ(swedish.size(), 36u + 6u);
    EXPECT_EQ(german.size(), 152u + 6u);
    expected.insert(swedish.begin(), swedish.end());
    expected.insert(german.begin(), german.end());

    std::set<int> present;
    for (int n = -32768; n <= 32767; ++n) {
        if (const auto text = CatalogueText(n)) {
            present.insert(n);
            EXPECT_FALSE(text->empty()) << n;
        }
    }
    EXPECT_EQ(present, expected);
}

TEST(Catalogue, EveryTranslationHasAnEnglishBase) {
    for (int n = 301; n <= 700; ++n) {
        if (!CatalogueText(n)) continue;
        const int base = n - (n > 500 ? kGerman : kSwedish);
        EXPECT_TRUE(CatalogueText(base).has_value()) << n;
    }
}

TEST(Catalogue, GermanLacksExactlyTheListedCounterparts) {
    std::vector<int> lacking;
    for (int base = kFirstBaseNumber; base <= kLastBaseNumber; ++base) {
        if (CatalogueText(base) && !CatalogueText(base + kGerman)) lacking.push_back(base);
    }
    EXPECT_EQ(lacking, (std::vector<int>{116, 117, 119, 134, 295, 296}));
}

// --- Language list and choice ---------------------------------------------------------------------

// The choice as the language combo box makes it: match in the old language, then switch.
int Choose(Texts& texts, std::string_view displayed) {
    const int language = MatchLanguage(texts, displayed);
    const int offset = OffsetForLanguage(language);
    if (offset >= 0) texts.SetLanguageOffset(offset);
    return language;
}

TEST(LanguageChoice, GermanAndBackToEnglish) {
    Texts texts;
    EXPECT_EQ(LanguageListEntries(texts), (std::vector<std::string>{"English", "German"}));
    EXPECT_EQ(Choose(texts, "German"), 103);
    EXPECT_EQ(texts.LanguageOffset(), kGerman);
    EXPECT_EQ(LanguageListEntries(texts), (std::vector<std::string>{"Englisch", "Deutsch"}));
    EXPECT_EQ(texts.GetText(103), "Deutsch");
    EXPECT_EQ(Choose(texts, "Englisch"), 101);
    EXPECT_EQ(texts.LanguageOffset(), kEnglish);
}

TEST(LanguageChoice, SwedishOnlyByItsNameInTheLanguageInForce) {
    Texts texts;
    EXPECT_EQ(Choose(texts, "Swedish"), 102);
    EXPECT_EQ(texts.LanguageOffset(), kSwedish);
    EXPECT_EQ(LanguageListEntries(texts), (std::vector<std::string>{"Engelska", "Tyska"}));
    EXPECT_EQ(MatchLanguage(texts, "Tyska"), 103);
    EXPECT_EQ(MatchLanguage(texts, "German"), 0);  // names are compared in the old language
    EXPECT_EQ(MatchLanguage(InLanguage(kGerman), "Swedisch"), 102);
}

TEST(LanguageChoice, UnknownTextKeepsTheLanguage) {
    Texts texts = InLanguage(kGerman);
    for (std::string_view text : {"german", "Deutsch ", "Missing", ""}) {
        EXPECT_EQ(Choose(texts, text), 0) << text;
        EXPECT_EQ(texts.LanguageOffset(), kGerman) << text;
    }
    EXPECT_EQ(texts.GetText(0), "Missing");  // what the list then displays
    EXPECT_EQ(OffsetForLanguage(0), -1);
    EXPECT_EQ(OffsetForLanguage(104), -1);
}

// --- Shortening captions --------------------------------------------------------------------------

TEST(ShortenText, CutsAtTheLastBlankWithinMax) {
    EXPECT_EQ(ShortenText("3. Manage contacts", 17), "3. Manage...");  // 18 characters, blank at 10
    EXPECT_EQ(ShortenText("2. Input methods", 17), "2. Input...");
    EXPECT_EQ(ShortenText("Bestehende Datei überschreiben?", 17), "Bestehende Datei...");
    EXPECT_EQ(ShortenText(" leading", 5), "...");
}

TEST(ShortenText, WithoutBlankKeepsMaxMinusFour) {
    EXPECT_EQ(ShortenText("ABCDEFGHIJKLMNOPQRST", 17), "ABCDEFGHIJKLM...");
    EXPECT_EQ(ShortenText("ABCDEFGHIJKLMNOPQ RST", 17), "ABCDEFGHIJKLM...");  // blank at 18 is past max
    EXPECT_EQ(ShortenText("ABCDEFG", 2), "...");
    EXPECT_EQ(ShortenText("", 17), "...");
}

TEST(ShortenText, CountsUmlautsAsOneCharacter) {
    // 17 characters; counted in bytes the blank at character 14 would lie at byte 17.
    EXPECT_EQ(ShortenText("Größe für Änd xyz", 14), "Größe für Änd...");
    EXPECT_EQ(ShortenText("Überspringenöäüxyzab", 17), "Überspringenö...");
    EXPECT_EQ(ShortenText("äöüäöüäöüä", 7), "äöü...");
}

}  // namespace
}  // namespace tintora
