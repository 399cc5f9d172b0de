// Contrast on the phone: the WCAG figures, the fix from the phone's palette, what colours each
// point of the preview (the hover and Ctrl+click), and the text/fill pairs of a theme.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "colourrules/ColourRules.h"
#include "colourrules/Contrast.h"
#include "colourrules/PhoneColours.h"
#include "model/Catalogue.h"
#include "preview/PreviewColours.h"
#include "support/TestGif.h"

namespace tintora {
namespace {

Theme DefaultTheme() {
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return theme;
}

// Every element its own colour, so that a point's colour tells its element apart.
Theme DistinctTheme(int slotsOn) {
    Theme theme;
    for (int i = 0; i < kElementCount; ++i) theme.colours[i] = ColourTextFromBgr(ToBgr({i + 1, 100 + i, 200 - i}));
    for (int s = 0; s < kSlotCount; ++s) theme.slots[s] = (slotsOn >> s) & 1 ? SlotState::On : SlotState::Off;
    return theme;
}

TEST(Contrast, RatiosFollowTheWcagFormulaOnWorkedValues) {
    // Worked by hand from the WCAG 2 definitions; the order of the two colours does not matter.
    const struct { Rgb a, b; double ratio; } cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},
        {{255, 255, 255}, {0xFF, 0x52, 0x00}, 3.2513},
        {{0x77, 0x77, 0x77}, {255, 255, 255}, 4.4781},
        {{0xFF, 0x52, 0x00}, {0xFF, 0xEA, 0xB6}, 2.7399},  // the calendar's weekend days by default
        {{0x12, 0x34, 0x56}, {0x12, 0x34, 0x56}, 1.0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 1e-4);
        EXPECT_NEAR(ContrastRatio(c.b, c.a), c.ratio, 1e-4);
    }
    EXPECT_NEAR(ToLab({255, 255, 255}).l, 100.0, 1e-3);
    EXPECT_NEAR(LabDistance(ToLab({255, 0, 0}), {53.2408, 80.0925, 67.2032}), 0.0, 1e-2);
    const struct { double ratio; const char* text; } shown[] = {{2.9999, "2.9"}, {21.0, "21.0"}, {4.5, "4.5"}, {1.04, "1.0"}};
    for (const auto& c : shown) EXPECT_EQ(RatioText(c.ratio), c.text);
}

TEST(ContrastPairs, TheDefaultThemeHasOneHardPairOnThePhonesColours) {
    const Theme theme = DefaultTheme();
    const auto pairs = ContrastPairs(theme, PreviewFor(theme, Texts{}));
    std::vector<std::pair<int, int>> hard;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].HardToRead()) hard.emplace_back(pairs[i].text, pairs[i].fill);
        EXPECT_LE(pairs[i > 0 ? i - 1 : 0].ratio, pairs[i].ratio) << "worst first";
    }
    // Calendar_weekend_text FF5200 on Background FFEAB6, shown as FF4900 on FFDBAA.
    EXPECT_EQ(hard, (std::vector<std::pair<int, int>>{{33, 4}}));
    const auto weekend = std::ranges::find_if(pairs, [](const ContrastPair& p) { return p.text == 33; });
    ASSERT_NE(weekend, pairs.end());
    EXPECT_NEAR(weekend->ratio, 2.5729, 1e-4);
    // Transparent texts are measured on the bar or screen beneath them; copies and marks never.
    std::set<std::pair<int, int>> all;
    for (const ContrastPair& p : pairs) all.insert({p.text, p.fill});
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
    EXPECT_TRUE(it->HardToRead());
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
    Theme theme = DistinctTheme(0);
    theme.colours[20] = "5C1D0E";
    theme.colours[19] = "FFF000";
    PreviewModel model = PreviewFor(theme, Texts{});
    const auto at = [&](const char* name, int index, int dx, int dy) {
        const int id = model.Find(name, index);
        const ItemState& s = model.State(id);
        return ColoursAt(model, model.Def(id).screen, s.left + dx, s.top + dy);
    };
    // A popup row: its text on its own fill.
    auto sources = at("lblPopup_text", 0, 300, 100);
    EXPECT_EQ(DescribeColours(sources, theme, Texts{}), "Popup text 5C1D0E on Popup background FFF000");
    const Rgb text = MakeRGB("5C1D0E"), fill = MakeRGB("FFF000");
    EXPECT_EQ(PickElement(sources, model, text), 20);
    EXPECT_EQ(PickElement(sources, model, fill), 19);
    // The phone book title over its bar: the title text, the shadow the bar carries, the bar.
    sources = at("lblTitle_text", 0, 500, 100);
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ((std::vector{sources[0].element, sources[1].element, sources[2].element}), (std::vector{6, 7, 5}));
    EXPECT_EQ(DescribeColours(sources, theme, Texts{}),
              "Title text " + theme.colours[6] + " on Title " + theme.colours[5] + "\nTitle text shadow " + theme.colours[7]);

    // Over the standby picture: the slot, its picture and its size.
    const SlotDef& slot = kSlots[0];
    const std::string gif = test::SolidGif(slot.width, slot.height, 1, 2, 3);
    theme.members[0].data = Bytes(gif.begin(), gif.end());
    theme.slots[0] = SlotState::On;
    model = PreviewFor(theme, Texts{});
    sources = ColoursAt(model, 0, 20, 1100);
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(DescribeColours(sources, theme, Texts{}), "Background picture stand.gif, 101 x 80");
}

}  // namespace
}  // namespace tintora
