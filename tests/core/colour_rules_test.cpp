#include "colourrules/ColourRules.h"

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
    for (const ElementDef& e : kElements)
        colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return colours;
}

void Set(ColourValues& colours, int index, std::string value) {
    colours[static_cast<std::size_t>(index)] = std::move(value);
}

// Element indices by their tags, so the cases read like the theme.
constexpr int kOperatorName = 0, kOperatorNameOutline = 1, kBackground = 4, kTitle = 5,
              kTitleText = 6, kTitleTextShadow = 7, kDesktopBackground = 8, kText = 9,
              kHighlight = 11, kHighlightText = 12, kPrompt = 14, kPopupTitle = 16,
              kPopupTitleText = 17, kPopupTitleTextShadow = 18, kPopupBackground = 19,
              kPopupText = 20, kPopupPrompt = 22, kDesktopTitle = 36, kDesktopTitleOutline = 37;

// --- Component reduction -------------------------------------------------------------------------

TEST(TruncateComponent, KeepsTheTopBits) {
    EXPECT_EQ(TruncateComponent("FF", 3), 224);
    EXPECT_EQ(TruncateComponent("DF", 3), 192);
    EXPECT_EQ(TruncateComponent("1F", 3), 0);
    EXPECT_EQ(TruncateComponent("20", 3), 32);
    EXPECT_EQ(TruncateComponent("B5", 3), 160);
    EXPECT_EQ(TruncateComponent("FF", 2), 192);
    EXPECT_EQ(TruncateComponent("3F", 2), 0);
    EXPECT_EQ(TruncateComponent("40", 2), 64);
    EXPECT_EQ(TruncateComponent("BF", 2), 128);
    EXPECT_EQ(TruncateComponent("c6", 2), 192);  // lower-case digits read too
}

TEST(TruncateComponent, ReadsShortAndBrokenPairsByThePairRule) {
    EXPECT_EQ(TruncateComponent("", 3), 0);
    EXPECT_EQ(TruncateComponent("F", 3), 0);    // 15
    EXPECT_EQ(TruncateComponent("G0", 3), 0);   // starts with a non-hex character
    EXPECT_EQ(TruncateComponent("EZ", 3), 0);   // reads "E" = 14
    EXPECT_EQ(TruncateComponent("FFFF", 3), 224);  // only the first two characters count
}

TEST(SnapComponent, TiesGoToTheLowerLevel) {
    EXPECT_EQ(SnapComponent("12", 3), "00");  // 18: 0 and 36 are both 18 away
    EXPECT_EQ(SnapComponent("5B", 3), "49");  // 91 -> 73
    EXPECT_EQ(SnapComponent("A4", 3), "92");  // 164 -> 146
    EXPECT_EQ(SnapComponent("ED", 3), "DB");  // 237 -> 219
    EXPECT_EQ(SnapComponent("13", 3), "24");  // 19 -> 36, just past the tie
    EXPECT_EQ(SnapComponent("EE", 3), "FF");  // 238 -> 255
}

TEST(SnapComponent, WritesTwoUpperCaseDigits) {
    EXPECT_EQ(SnapComponent("00", 3), "00");
    EXPECT_EQ(SnapComponent("24", 3), "24");
    EXPECT_EQ(SnapComponent("FF", 3), "FF");
    EXPECT_EQ(SnapComponent("aa", 3), "B6");  // 170 -> 182
    EXPECT_EQ(SnapComponent("6D", 3), "6D");  // 109 is a level
    EXPECT_EQ(SnapComponent("", 3), "00");
}

TEST(SnapComponent, BlueUsesFourLevels) {
    EXPECT_EQ(SnapComponent("2A", 2), "00");  // 42 -> 0
    EXPECT_EQ(SnapComponent("2B", 2), "55");  // 43 -> 85
    EXPECT_EQ(SnapComponent("7F", 2), "55");  // 127 -> 85
    EXPECT_EQ(SnapComponent("80", 2), "AA");  // 128 -> 170
    EXPECT_EQ(SnapComponent("D4", 2), "AA");  // 212 -> 170
    EXPECT_EQ(SnapComponent("D5", 2), "FF");  // 213 -> 255
    // Any other bit count snaps to the eight levels.
    EXPECT_EQ(SnapComponent("55", 3), "49");
    EXPECT_EQ(SnapComponent("55", 1), "49");
    EXPECT_EQ(SnapComponent("80", 4), "92");
}

// --- Pair and triple tests -----------------------------------------------------------------------

TEST(ColorsFarApart, TooCloseExactlyWhenTruncatedComponentsAgree) {
    EXPECT_FALSE(ColorsFarApart("FFC600", "FFDF10"));  // E0 C0 00 both
    EXPECT_TRUE(ColorsFarApart("FFC600", "DFC600"));   // red 224 vs 192
    EXPECT_TRUE(ColorsFarApart("FFC600", "FFA600"));   // green 192 vs 160
    EXPECT_TRUE(ColorsFarApart("FFC600", "FFC640"));   // blue 0 vs 64
    EXPECT_FALSE(ColorsFarApart("FFC600", "FFC63F"));  // blue 0 vs 0
    EXPECT_FALSE(ColorsFarApart("000000", "000000"));
    EXPECT_TRUE(ColorsFarApart("000000", "FFFFFF"));
}

TEST(ColorsFarApart, ShortValuesMissPairsAsZero) {
    // FFF reads as 255, 15, 0.
    EXPECT_FALSE(ColorsFarApart("FFF", "FF0F00"));
    EXPECT_FALSE(ColorsFarApart("FFF", "E01F3F"));
    EXPECT_TRUE(ColorsFarApart("FFF", "FFFFFF"));
    EXPECT_FALSE(ColorsFarApart("", "1F1F3F"));
    EXPECT_FALSE(ColorsFarApart("XYZ123", "000000"));  // non-hex pairs read as 0
}

TEST(ColorsNotAllSame, FailsOnlyWhenAllThreeSnapAlike) {
    EXPECT_FALSE(ColorsNotAllSame("000000", "000000", "000001"));
    EXPECT_TRUE(ColorsNotAllSame("000000", "000000", "FFFFFF"));
    EXPECT_TRUE(ColorsNotAllSame("FFFFFF", "000000", "000000"));
    EXPECT_TRUE(ColorsNotAllSame("000000", "FFFFFF", "000000"));
    EXPECT_FALSE(ColorsNotAllSame("FF5200", "FF5A10", "F04A20"));  // all FF4900
    EXPECT_TRUE(ColorsNotAllSame("FF5200", "FF5A10", "F05C20"));   // 5C=92 -> 109
    EXPECT_FALSE(ColorsNotAllSame("FFF", "FF0F00", "FF1200"));      // short value: FF 00 00
}

TEST(ColourRuleMeasures, TruncationAndSnappingDisagree) {
    // Red 31 and 32 truncate to 0 and 32 but both snap to 36.
    EXPECT_TRUE(ColorsFarApart("1F0000", "200000"));
    EXPECT_FALSE(ColorsNotAllSame("1F0000", "200000", "240000"));
    // And the reverse: 224 and 255 truncate alike but snap to 219 and 255.
    EXPECT_FALSE(ColorsFarApart("E00000", "FF0000"));
    EXPECT_TRUE(ColorsNotAllSame("E00000", "FF0000", "FF0000"));
}

TEST(AddColorFinding, PutsTheNewestLineFirst) {
    std::string box;
    AddColorFinding(box, "one");
    EXPECT_EQ(box, "-->one\r\n");
    AddColorFinding(box, "two");
    EXPECT_EQ(box, "-->two\r\n-->one\r\n");
}

// --- The whole check -----------------------------------------------------------------------------

TEST(CheckColors, DefaultThemeIsSafe) {
    const Texts texts;
    EXPECT_EQ(CheckColors(DefaultColours(), texts), "-->All colors are safe\r\n");
    EXPECT_TRUE(FailedRules(DefaultColours()).empty());
}

TEST(CheckColors, Rule1ComparesHighlightWithItsText) {
    const Texts texts;
    ColourValues colours = DefaultColours();
    Set(colours, kHighlight, "FFC600");
    Set(colours, kHighlightText, "FFDF10");
    EXPECT_EQ(CheckColors(colours, texts), "-->Highlight and highlight text are too close\r\n");
    Set(colours, kHighlightText, "DFC600");
    EXPECT_EQ(CheckColors(colours, texts), "-->All colors are safe\r\n");
}

TEST(CheckColors, Rule9AllowsTwoEqualOfThree) {
    const Texts texts;
    ColourValues colours = DefaultColours();
    Set(colours, kTitle, "000000");
    Set(colours, kTitleText, "000000");
    Set(colours, kTitleTextShadow, "000001");
    EXPECT_EQ(FailedRules(colours), std::vector<int>{9});
    EXPECT_EQ(CheckColors(colours, texts),
              "-->Title text, title and title text shadow can not have the same value\r\n");
    Set(colours, kTitleTextShadow, "FFFFFF");
    EXPECT_TRUE(FailedRules(colours).empty());
    EXPECT_EQ(CheckColors(colours, texts), "-->All colors are safe\r\n");
}

TEST(CheckColors, LaterFailuresStandFirstAndNoSafeLine) {
    const Texts texts;
    ColourValues colours = DefaultColours();
    Set(colours, kHighlight, "FFC600");
    Set(colours, kHighlightText, "FFDF10");
    Set(colours, kText, "000000");
    Set(colours, kBackground, "000000");
    EXPECT_EQ(FailedRules(colours), (std::vector<int>{1, 6}));
    EXPECT_EQ(CheckColors(colours, texts),
              "-->Text and background are too close\r\n"
              "-->Highlight and highlight text are too close\r\n");
}

TEST(CheckColors, EveryRuleRunsAfterAFailure) {
    const Texts texts;
    ColourValues colours;  // all empty: every value reads as 000000
    EXPECT_EQ(FailedRules(colours), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    const std::string box = CheckColors(colours, texts);
    EXPECT_TRUE(box.starts_with("-->Title text, title and title text shadow")) << box;
    EXPECT_TRUE(box.ends_with("-->Highlight and highlight text are too close\r\n")) << box;
    std::size_t lines = 0;
    for (std::size_t at = box.find("\r\n-->"); at != std::string::npos;
         at = box.find("\r\n-->", at + 1))
        ++lines;
    EXPECT_EQ(lines + 1, 9u);
    EXPECT_EQ(box.find("All colors are safe"), std::string::npos);
}

TEST(CheckColors, ShortValueIsJudgedWithMissingPairsAsZero) {
    const Texts texts;
    ColourValues colours = DefaultColours();
    Set(colours, kHighlight, "FFF");
    Set(colours, kHighlightText, "FF0F00");
    EXPECT_EQ(FailedRules(colours), std::vector<int>{1});
    Set(colours, kHighlightText, "FFFFFF");
    EXPECT_TRUE(FailedRules(colours).empty());
}

struct SingleRuleCase {
    int rule;
    std::vector<std::pair<int, std::string>> changes;
    std::string message;
};

class EachRuleAlone : public ::testing::TestWithParam<SingleRuleCase> {};

TEST_P(EachRuleAlone, FailsWithItsOwnMessage) {
    const SingleRuleCase& c = GetParam();
    ColourValues colours = DefaultColours();
    for (const auto& [index, value] : c.changes) Set(colours, index, value);
    EXPECT_EQ(FailedRules(colours), std::vector<int>{c.rule});
    EXPECT_EQ(CheckColors(colours, Texts{}), "-->" + c.message + "\r\n");
}

// Each case starts from the default theme and changes only the elements of one rule, using near
// values rather than copies so that the reduction, not plain equality, makes the rule fail.
INSTANTIATE_TEST_SUITE_P(
    ColourRules, EachRuleAlone,
    ::testing::Values(
        SingleRuleCase{1, {{kHighlightText, "FFDF10"}},
                       "Highlight and highlight text are too close"},
        SingleRuleCase{2, {{kPrompt, "F0E0A0"}}, "Prompt and background are too close"},
        SingleRuleCase{3, {{kPopupPrompt, "E0FF3F"}},
                       "Popup prompt and popup background are too close"},
        SingleRuleCase{4, {{kPopupText, "FFE03F"}},
                       "Popup text and popup background are too close"},
        SingleRuleCase{5, {{kOperatorNameOutline, "BF3F3F"}},
                       "Operator name and operator name outline are too close"},
        SingleRuleCase{6, {{kText, "E5F0A0"}}, "Text and background are too close"},
        SingleRuleCase{7,
                       {{kDesktopBackground, "000000"},
                        {kDesktopTitle, "000001"},
                        {kDesktopTitleOutline, "110A1F"}},
                       "Desktop title, desktop background and desktop title outline can not have "
                       "the same value"},
        SingleRuleCase{8,
                       {{kPopupTitle, "FF5200"},
                        {kPopupTitleText, "FF5A10"},
                        {kPopupTitleTextShadow, "F04A20"}},
                       "Popup title text, popup title and popup title text shadow can not have "
                       "the same value"},
        SingleRuleCase{9,
                       {{kTitle, "FF5200"}, {kTitleText, "FF5A10"}, {kTitleTextShadow, "F04A20"}},
                       "Title text, title and title text shadow can not have the same value"}),
    [](const ::testing::TestParamInfo<SingleRuleCase>& param) {
        return "Rule" + std::to_string(param.param.rule);
    });

TEST(CheckColors, MessagesFollowTheLanguageInForce) {
    Texts texts;
    texts.SetLanguageOffset(kGerman);
    ColourValues colours = DefaultColours();
    EXPECT_EQ(CheckColors(colours, texts), "-->Alle Farben gespeichert\r\n");
    Set(colours, kHighlightText, "FFDF10");
    Set(colours, kText, "E5F0A0");
    EXPECT_EQ(CheckColors(colours, texts),
              "-->Text und Hintergrund sind zu \xC3\xA4hnlich\r\n"
              "-->Markiert und Markierter Text liegen sind zu \xC3\xA4hnlich\r\n");

    // In number-display mode the findings show their catalogue numbers.
    texts.SetShowTextNumbers(true);
    EXPECT_EQ(CheckColors(colours, texts), "-->285\r\n-->280\r\n");
}

}  // namespace
}  // namespace tintora
