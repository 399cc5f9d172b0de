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
    for (const ElementDef& e : kElements) colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return colours;
}

void Set(ColourValues& colours, int index, std::string value) {
    colours[static_cast<std::size_t>(index)] = std::move(value);
}

// Element indices by their tags, so the cases read like the theme.
constexpr int kOperatorNameOutline = 1, kBackground = 4, kTitle = 5, kTitleText = 6, kTitleTextShadow = 7,
              kDesktopBackground = 8, kText = 9, kHighlight = 11, kHighlightText = 12, kPrompt = 14,
              kPopupTitle = 16, kPopupTitleText = 17, kPopupTitleTextShadow = 18, kPopupText = 20,
              kPopupPrompt = 22, kDesktopTitle = 36, kDesktopTitleOutline = 37;

// --- Component reduction -------------------------------------------------------------------------

struct ComponentCase {
    const char* pair;
    int bits;
    int truncated;
    const char* snapped;
};

TEST(ColourComponents, TruncateKeepsTheTopBitsAndSnapTiesGoToTheLowerLevel) {
    const ComponentCase cases[] = {
        {"FF", 3, 224, "FF"}, {"DF", 3, 192, "DB"}, {"1F", 3, 0, "24"},  {"20", 3, 32, "24"},
        {"B5", 3, 160, "B6"}, {"12", 3, 0, "00"},   // 18: 0 and 36 both 18 away
        {"13", 3, 0, "24"},   {"5B", 3, 64, "49"},  {"A4", 3, 160, "92"}, {"ED", 3, 224, "DB"},
        {"EE", 3, 224, "FF"}, {"6D", 3, 96, "6D"},  {"aa", 3, 160, "B6"},  // lower-case digits read too
        {"FF", 2, 192, "FF"}, {"3F", 2, 0, "55"},   {"40", 2, 64, "55"},  {"BF", 2, 128, "AA"},
        {"c6", 2, 192, "AA"}, {"2A", 2, 0, "00"},   {"2B", 2, 0, "55"},   {"7F", 2, 64, "55"},
        {"80", 2, 128, "AA"}, {"D4", 2, 192, "AA"}, {"D5", 2, 192, "FF"},
        // Short and broken pairs by the pair rule; only the first two characters count.
        {"", 3, 0, "00"},     {"F", 3, 0, "00"},    {"G0", 3, 0, "00"},   {"EZ", 3, 0, "00"},
        {"FFFF", 3, 224, "FF"},
    };
    for (const ComponentCase& c : cases) {
        EXPECT_EQ(TruncateComponent(c.pair, c.bits), c.truncated) << c.pair << "/" << c.bits;
        EXPECT_EQ(SnapComponent(c.pair, c.bits), c.snapped) << c.pair << "/" << c.bits;
    }
    // Any bit count but 2 snaps to the eight levels.
    EXPECT_EQ(SnapComponent("55", 1), "49");
    EXPECT_EQ(SnapComponent("80", 4), "92");
}

// --- Pair and triple tests -----------------------------------------------------------------------

TEST(ColourRuleMeasures, FarApartComparesTruncatedComponents) {
    EXPECT_FALSE(ColorsFarApart("FFC600", "FFDF10"));  // E0 C0 00 both
    EXPECT_TRUE(ColorsFarApart("FFC600", "DFC600"));   // red 224 vs 192
    EXPECT_TRUE(ColorsFarApart("FFC600", "FFA600"));   // green 192 vs 160
    EXPECT_TRUE(ColorsFarApart("FFC600", "FFC640"));   // blue 0 vs 64
    EXPECT_FALSE(ColorsFarApart("FFC600", "FFC63F"));  // blue 0 vs 0
    // Short values miss pairs as zero: FFF reads as 255, 15, 0; non-hex pairs read as 0.
    EXPECT_FALSE(ColorsFarApart("FFF", "E01F3F"));
    EXPECT_TRUE(ColorsFarApart("FFF", "FFFFFF"));
    EXPECT_FALSE(ColorsFarApart("", "1F1F3F"));
    EXPECT_FALSE(ColorsFarApart("XYZ123", "000000"));
}

TEST(ColourRuleMeasures, NotAllSameFailsOnlyWhenAllThreeSnapAlike) {
    EXPECT_FALSE(ColorsNotAllSame("000000", "000000", "000001"));
    EXPECT_TRUE(ColorsNotAllSame("FFFFFF", "000000", "000000"));
    EXPECT_TRUE(ColorsNotAllSame("000000", "FFFFFF", "000000"));
    EXPECT_TRUE(ColorsNotAllSame("000000", "000000", "FFFFFF"));
    EXPECT_FALSE(ColorsNotAllSame("FF5200", "FF5A10", "F04A20"));  // all FF4900
    EXPECT_TRUE(ColorsNotAllSame("FF5200", "FF5A10", "F05C20"));   // 5C=92 -> 109
    EXPECT_FALSE(ColorsNotAllSame("FFF", "FF0F00", "FF1200"));     // short value: FF 00 00
}

TEST(ColourRuleMeasures, TruncationAndSnappingDisagree) {
    // Red 31 and 32 truncate to 0 and 32 but both snap to 36.
    EXPECT_TRUE(ColorsFarApart("1F0000", "200000"));
    EXPECT_FALSE(ColorsNotAllSame("1F0000", "200000", "240000"));
    // And the reverse: 224 and 255 truncate alike but snap to 219 and 255.
    EXPECT_FALSE(ColorsFarApart("E00000", "FF0000"));
    EXPECT_TRUE(ColorsNotAllSame("E00000", "FF0000", "FF0000"));
}

// --- The whole check -----------------------------------------------------------------------------

TEST(CheckColors, FindingsStandNewestFirstWithoutTheSafeLine) {
    std::string box;
    AddColorFinding(box, "one");
    AddColorFinding(box, "two");
    EXPECT_EQ(box, "-->two\r\n-->one\r\n");

    const Texts texts;
    ColourValues colours = DefaultColours();
    EXPECT_EQ(CheckColors(colours, texts), "-->All colors are safe\r\n");
    Set(colours, kHighlight, "FFC600");
    Set(colours, kHighlightText, "FFDF10");
    Set(colours, kText, "000000");
    Set(colours, kBackground, "000000");
    EXPECT_EQ(FailedRules(colours), (std::vector<int>{1, 6}));
    EXPECT_EQ(CheckColors(colours, texts),
              "-->Text and background are too close\r\n"
              "-->Highlight and highlight text are too close\r\n");
    Set(colours, kHighlightText, "DFC600");
    Set(colours, kText, "FFFFFF");
    EXPECT_EQ(CheckColors(colours, texts), "-->All colors are safe\r\n");
}

TEST(CheckColors, EveryRuleRunsAfterAFailure) {
    ColourValues colours;  // all empty: every value reads as 000000
    EXPECT_EQ(FailedRules(colours), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    const std::string box = CheckColors(colours, Texts{});
    EXPECT_TRUE(box.starts_with("-->Title text, title and title text shadow")) << box;
    EXPECT_TRUE(box.ends_with("-->Highlight and highlight text are too close\r\n")) << box;
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = box.find("-->", at)) != std::string::npos; ++at) ++lines;
    EXPECT_EQ(lines, 9u);
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
        SingleRuleCase{1, {{kHighlightText, "FFDF10"}}, "Highlight and highlight text are too close"},
        SingleRuleCase{2, {{kPrompt, "F0E0A0"}}, "Prompt and background are too close"},
        SingleRuleCase{3, {{kPopupPrompt, "E0FF3F"}}, "Popup prompt and popup background are too close"},
        SingleRuleCase{4, {{kPopupText, "FFE03F"}}, "Popup text and popup background are too close"},
        SingleRuleCase{5, {{kOperatorNameOutline, "BF3F3F"}},
                       "Operator name and operator name outline are too close"},
        SingleRuleCase{6, {{kText, "E5F0A0"}}, "Text and background are too close"},
        SingleRuleCase{7, {{kDesktopBackground, "000000"}, {kDesktopTitle, "000001"}, {kDesktopTitleOutline, "110A1F"}},
                       "Desktop title, desktop background and desktop title outline can not have the same value"},
        SingleRuleCase{8, {{kPopupTitle, "FF5200"}, {kPopupTitleText, "FF5A10"}, {kPopupTitleTextShadow, "F04A20"}},
                       "Popup title text, popup title and popup title text shadow can not have the same value"},
        SingleRuleCase{9, {{kTitle, "FF5200"}, {kTitleText, "FF5A10"}, {kTitleTextShadow, "F04A20"}},
                       "Title text, title and title text shadow can not have the same value"}),
    [](const ::testing::TestParamInfo<SingleRuleCase>& param) { return "Rule" + std::to_string(param.param.rule); });

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
    texts.SetShowTextNumbers(true);  // findings then show their catalogue numbers
    EXPECT_EQ(CheckColors(colours, texts), "-->285\r\n-->280\r\n");
}

}  // namespace
}  // namespace tintora
