// Colours on the phone: the nine rules, contrast and its fixes, and what colours a point of the preview.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "colourrules/ColourRules.h"
#include "colourrules/Contrast.h"
#include "colourrules/PhoneColours.h"
#include "model/Catalogue.h"
#include "preview/PreviewColours.h"
#include "support/TestGif.h"
#include "text/Texts.h"

namespace tintora {
namespace {

Theme DefaultTheme() {
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return theme;
}
ColourValues DefaultColours() { return DefaultTheme().colours; }

// Every element its own colour, so that a point's colour tells its element apart.
Theme DistinctTheme() {
    Theme theme;
    for (int i = 0; i < kElementCount; ++i) theme.colours[i] = ColourTextFromBgr(ToBgr({i + 1, 100 + i, 200 - i}));
    return theme;
}

TEST(ColourComponents, TruncateKeepsTheTopBitsAndSnapTiesGoToTheLowerLevel) {
    const struct { const char* pair; int bits, truncated; const char* snapped; } cases[] = {
        {"12", 3, 0, "00"},   {"13", 3, 0, "24"},  // 18: 0 and 36 both 18 away
        {"ED", 3, 224, "DB"}, {"EE", 3, 224, "FF"}, {"aa", 3, 160, "B6"},  // lower-case digits read too
        {"2A", 2, 0, "00"},   {"2B", 2, 0, "55"},   {"D4", 2, 192, "AA"}, {"D5", 2, 192, "FF"},
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
    // No c: ColoursFarApart(a, b), else ColoursNotAllSame(a, b, c); the rules' own cases follow.
    const struct { const char *a, *b, *c; bool apart; } cases[] = {
        {"FFC600", "DFC600", nullptr, true}, {"FFC600", "FFA600", nullptr, true}, {"FFC600", "FFC640", nullptr, true},
        {"FFC600", "FFC63F", nullptr, false}, {"FFF", "E01F3F", nullptr, false},  {"XYZ123", "000000", nullptr, false},
        {"FFF", "FFFFFF", nullptr, true},  // FFF reads as 255, 15, 0
        {"1F0000", "200000", nullptr, true},  {"1F0000", "200000", "240000", false},
        {"E00000", "FF0000", nullptr, false}, {"E00000", "FF0000", "FF0000", true},
        {"000000", "000000", "000001", false}, {"000000", "FFFFFF", "000000", true}, {"000000", "000000", "FFFFFF", true},
        {"FF5200", "FF5A10", "F05C20", true},   // 5C=92 -> 109, the others FF4900
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

    // The messages follow the language in force.
    Texts german;
    german.SetLanguageOffset(kGerman);
    EXPECT_EQ(CheckColours(DefaultColours(), german), "-->Alle Farben gespeichert\r\n");
    const std::string findings = CheckColours(ColourValues{}, german);
    EXPECT_TRUE(findings.ends_with("-->Markiert und Markierter Text liegen sind zu \xC3\xA4hnlich\r\n")) << findings;
}

// Lab values worked by hand; the contrast ratios and their texts are pinned by the pairs below.
TEST(Contrast, LabFollowsTheCieFormulaOnWorkedValues) {
    EXPECT_NEAR(ToLab({255, 255, 255}).l, 100.0, 1e-3);
    EXPECT_NEAR(LabDistance(ToLab({255, 0, 0}), {53.2408, 80.0925, 67.2032}), 0.0, 1e-2);
}

TEST(ContrastPairs, TheDefaultThemeHasOneHardPairOnThePhonesColours) {
    const Theme theme = DefaultTheme();
    const auto pairs = ContrastPairs(theme, PreviewFor(theme, Texts{}));
    std::set<std::pair<int, int>> all, hard;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        all.insert({pairs[i].text, pairs[i].fill});
        if (pairs[i].HardToRead()) hard.insert({pairs[i].text, pairs[i].fill});
        EXPECT_LE(pairs[i > 0 ? i - 1 : 0].ratio, pairs[i].ratio) << "worst first";
    }
    EXPECT_EQ(hard, (std::set<std::pair<int, int>>{{33, 4}})) << "Calendar weekend text on Background";
    // Transparent texts are measured on the bar or screen beneath them; copies and marks never.
    EXPECT_TRUE(all.count({6, 5}) && all.count({36, 8}) && all.count({9, 4}));
    for (int notOwn : {1, 3, 7, 15, 18, 23, 37}) EXPECT_FALSE(all.count({notOwn, 4}) || all.count({notOwn, 5})) << notOwn;
}

TEST(ContrastPairs, DarkTextOnDarkBackgroundGetsALineAndTheNearestReadablePaletteFix) {
    Theme theme = DefaultTheme();
    theme.colours[9] = "5C1D0E";  // Text
    theme.colours[4] = "123456";  // Background
    const auto pairs = ContrastPairs(theme, PreviewFor(theme, Texts{}));
    const auto it = std::ranges::find_if(pairs, [](const ContrastPair& p) { return p.text == 9 && p.fill == 4; });
    ASSERT_NE(it, pairs.end());
    EXPECT_NEAR(it->ratio, 1.3752, 1e-4);  // 6D2400 on 002455
    EXPECT_EQ(ContrastLine(*it, Texts{}), "Text on Background: 1.3:1 \xE2\x80\x94 hard to read on the phone");

    const ContrastFix fix = FixFor(*it, theme);
    ASSERT_EQ(fix.element, 9);
    const Rgb fixed = MakeRGB(fix.value);
    const Rgb shownFill = PhoneColour(MakeRGB("123456"));
    EXPECT_EQ(PhoneColour(fixed), fixed) << fix.value << " is not a palette colour";
    EXPECT_GE(ContrastRatio(fixed, shownFill), kReadableRatio);
    // No readable palette colour is nearer to the text colour.
    const double distance = LabDistance(ToLab(MakeRGB("5C1D0E")), ToLab(fixed));
    for (int r : SafeLevels8)
        for (int g : SafeLevels8)
            for (int b : SafeLevels4)
                if (ContrastRatio({r, g, b}, shownFill) >= kReadableRatio) {
                    EXPECT_GE(LabDistance(ToLab(MakeRGB("5C1D0E")), ToLab({r, g, b})) + 1e-9, distance);
                }
    EXPECT_EQ(FixText(fix, Texts{}), "Use " + fix.value + " for Text (" + RatioText(fix.ratio) + ":1)");
}

TEST(ColoursAt, TopmostFirstEndingAtTheFillAndDescribedWithValues) {
    Theme theme = DistinctTheme();
    const PreviewModel model = PreviewFor(theme, Texts{});
    const auto at = [&](const char* name, int index, int dx, int dy) {
        const int id = model.Find(name, index);
        const ItemState& s = model.State(id);
        return ColoursAt(model, model.Def(id).screen, s.left + dx, s.top + dy);
    };
    const auto& c = theme.colours;
    const auto popup = at("lblPopup_text", 0, 300, 100);
    EXPECT_EQ(DescribeColours(popup, theme, Texts{}), "Popup text " + c[20] + " on Popup background " + c[19]);
    // Ctrl+click picks by the colour painted there: the text on a glyph, the fill beside it.
    EXPECT_EQ(PickElement(popup, model, MakeRGB(c[20])), 20);
    EXPECT_EQ(PickElement(popup, model, MakeRGB(c[19])), 19);
    // The phone book title over its bar: the title text, the shadow the bar carries, the bar.
    EXPECT_EQ(DescribeColours(at("lblTitle_text", 0, 500, 100), theme, Texts{}),
              "Title text " + c[6] + " on Title " + c[5] + "\nTitle text shadow " + c[7]);

    // Over the standby picture: the slot, its picture and its size.
    const std::string gif = test::SolidGif(101, 80, 1, 2, 3);
    theme.members[0].data = Bytes(gif.begin(), gif.end());
    theme.slots[0] = SlotState::On;
    EXPECT_EQ(DescribeColours(ColoursAt(PreviewFor(theme, Texts{}), 0, 20, 1100), theme, Texts{}),
              "Background picture stand.gif, 101 x 80");
}

}  // namespace
}  // namespace tintora
