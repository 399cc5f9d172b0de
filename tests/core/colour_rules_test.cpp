#include "colourrules/ColourRules.h"
#include "colourrules/PhoneColours.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/Catalogue.h"
#include "text/Texts.h"

namespace tintora {
namespace {

ColourValues DefaultColours() {
    ColourValues colours;
    for (const ElementDef& e : kElements) colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return colours;
}

TEST(ColourComponents, TruncateKeepsTheTopBitsAndSnapTiesGoToTheLowerLevel) {
    const struct { const char* pair; int bits, truncated; const char* snapped; } cases[] = {
        {"FF", 3, 224, "FF"}, {"DF", 3, 192, "DB"}, {"1F", 3, 0, "24"}, {"20", 3, 32, "24"}, {"5B", 3, 64, "49"},
        {"12", 3, 0, "00"},   {"13", 3, 0, "24"},  // 18: 0 and 36 both 18 away
        {"ED", 3, 224, "DB"}, {"EE", 3, 224, "FF"}, {"aa", 3, 160, "B6"},  // lower-case digits read too
        {"3F", 2, 0, "55"},   {"BF", 2, 128, "AA"}, {"c6", 2, 192, "AA"}, {"2A", 2, 0, "00"}, {"2B", 2, 0, "55"},
        {"D4", 2, 192, "AA"}, {"D5", 2, 192, "FF"},
        // Short and broken pairs by the pair rule; only the first two characters count.
        {"", 3, 0, "00"}, {"F", 3, 0, "00"}, {"G0", 3, 0, "00"}, {"EZ", 3, 0, "00"}, {"FFFF", 3, 224, "FF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TruncateComponent(c.pair, c.bits), c.truncated) << c.pair << "/" << c.bits;
        EXPECT_EQ(SnapComponent(c.pair, c.bits), c.snapped) << c.pair << "/" << c.bits;
    }
    // The phone's colour of a whole colour snaps the same way, blue on its four levels.
    EXPECT_EQ(PhoneColour(0xFF13EDD5u), 0x24DBFFu);
    EXPECT_EQ(PhoneColour(Rgb{0x12, 0xEE, 0x2A}), (Rgb{0x00, 0xFF, 0x00}));
}

// Pairs compare truncated components, triples snapped ones; the two reductions can disagree.
TEST(ColourRuleMeasures, FarApartTruncatesAndNotAllSameSnaps) {
    // No c: ColoursFarApart(a, b), else ColoursNotAllSame(a, b, c).
    const struct { const char *a, *b, *c; bool apart; } cases[] = {
        {"FFC600", "FFDF10", nullptr, false}, {"FFC600", "DFC600", nullptr, true}, {"FFC600", "FFA600", nullptr, true},
        {"FFC600", "FFC640", nullptr, true},  {"FFC600", "FFC63F", nullptr, false},
        {"FFF", "E01F3F", nullptr, false},    {"FFF", "FFFFFF", nullptr, true},  // FFF reads as 255, 15, 0
        {"XYZ123", "000000", nullptr, false},
        {"1F0000", "200000", nullptr, true},  {"1F0000", "200000", "240000", false},
        {"E00000", "FF0000", nullptr, false}, {"E00000", "FF0000", "FF0000", true},
        {"000000", "000000", "000001", false}, {"000000", "FFFFFF", "000000", true}, {"000000", "000000", "FFFFFF", true},
        {"FF5200", "FF5A10", "F04A20", false},  // all FF4900
        {"FF5200", "FF5A10", "F05C20", true},   // 5C=92 -> 109
        {"FFF", "FF0F00", "FF1200", false}};    // short value: FF 00 00
    for (const auto& t : cases)
        EXPECT_EQ(t.c ? ColoursNotAllSame(t.a, t.b, t.c) : ColoursFarApart(t.a, t.b), t.apart)
            << t.a << " " << t.b << " " << (t.c ? t.c : "");
}

// Each case starts from the default theme and changes only the elements (by index) of one rule,
// using near values rather than copies so that the reduction, not plain equality, makes it fail.
const struct { std::vector<std::pair<int, std::string>> changes; std::string message; } kEachRule[] = {
    {{{12, "FFDF10"}}, "Highlight and highlight text are too close"},
    {{{14, "F0E0A0"}}, "Prompt and background are too close"},
    {{{22, "E0FF3F"}}, "Popup prompt and popup background are too close"},
    {{{20, "FFE03F"}}, "Popup text and popup background are too close"},
    {{{1, "BF3F3F"}}, "Operator name and operator name outline are too close"},
    {{{9, "E5F0A0"}}, "Text and background are too close"},
    {{{8, "000000"}, {36, "000001"}, {37, "110A1F"}},
     "Desktop title, desktop background and desktop title outline can not have the same value"},
    {{{16, "FF5200"}, {17, "FF5A10"}, {18, "F04A20"}},
     "Popup title text, popup title and popup title text shadow can not have the same value"},
    {{{5, "FF5200"}, {6, "FF5A10"}, {7, "F04A20"}},
     "Title text, title and title text shadow can not have the same value"},
};

TEST(CheckColours, EachRuleFailsAloneWithItsMessageAndAllStandNewestFirst) {
    const Texts texts;
    EXPECT_EQ(CheckColours(DefaultColours(), texts), "-->All colors are safe\r\n");
    std::string all;
    for (int rule = 1; rule <= kColourRuleCount; ++rule) {
        ColourValues colours = DefaultColours();
        for (const auto& [index, value] : kEachRule[rule - 1].changes) colours[static_cast<std::size_t>(index)] = value;
        EXPECT_EQ(FailedRules(colours), std::vector<int>{rule});
        EXPECT_EQ(CheckColours(colours, texts), "-->" + kEachRule[rule - 1].message + "\r\n") << rule;
        all.insert(0, "-->" + kEachRule[rule - 1].message + "\r\n");
    }
    // With every value empty (read as 000000) every rule fails and none stops the others.
    EXPECT_EQ(FailedRules(ColourValues{}), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(CheckColours(ColourValues{}, texts), all);
}

TEST(CheckColours, MessagesFollowTheLanguageInForce) {
    Texts texts;
    texts.SetLanguageOffset(kGerman);
    ColourValues colours = DefaultColours();
    EXPECT_EQ(CheckColours(colours, texts), "-->Alle Farben gespeichert\r\n");
    colours[12] = "FFDF10";  // Highlight_text
    colours[9] = "E5F0A0";   // Text
    EXPECT_EQ(CheckColours(colours, texts), "-->Text und Hintergrund sind zu \xC3\xA4hnlich\r\n"
                                           "-->Markiert und Markierter Text liegen sind zu \xC3\xA4hnlich\r\n");
}

}  // namespace
}  // namespace tintora
