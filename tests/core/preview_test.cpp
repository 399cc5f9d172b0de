// The phone's colours and its preview: colour text, the nine rules, contrast, and what each
// preview element colours, its copies, list rows, sample texts, arrows and points.

#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <set>

#include "colourrules/ColourRules.h"
#include "colourrules/Contrast.h"
#include "colourrules/PhoneColours.h"
#include "model/Catalogue.h"
#include "model/ColourText.h"
#include "preview/Marks.h"
#include "preview/PreviewColours.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"
#include "support/TestGif.h"
#include "text/Texts.h"

namespace tintora {
namespace {

Theme DefaultTheme() {
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return theme;
}
// Every element a colour of its own, none black or white (unpainted items), the slots of `slotsOn` on.
Rgb ColourOf(int element) { return {element + 1, 100 + element, 200 - element}; }
Theme DistinctTheme(int slotsOn = 0) {
    Theme theme;
    for (int i = 0; i < kElementCount; ++i) theme.colours[i] = ColourTextFromBgr(ToBgr(ColourOf(i)));
    for (int s = 0; s < kSlotCount; ++s) theme.slots[s] = (slotsOn >> s) & 1 ? SlotState::On : SlotState::Off;
    return theme;
}

constexpr int kStandbyOn = 1 << kStandbySlot, kDesktopOn = 1 << kDesktopSlot, kMediumOn = 1 << kMediumTitleSlot,
              kSmallOn = 1 << kSmallTitleSlot;
constexpr Rgb kProbe{10, 11, 12};
constexpr const char* kName = "lblStandby_operatorname";
constexpr const char* kTime = "lblStandby_time";
constexpr auto kText = &ItemState::text, kBack = &ItemState::back, kBorder = &ItemState::border;

PreviewModel Fresh(const Theme& theme) {
    PreviewModel model;
    model.ApplyLanguageTexts(Texts{});
    model.RepaintAll(theme);
    return model;
}

std::vector<int> ArrowsOf(const Marks& marks) {
    std::vector<int> arrows;
    for (const ArrowPlacement& a : marks.arrows) arrows.push_back(a.arrow);
    std::ranges::sort(arrows);
    return arrows;
}

TEST(PreviewLayout, ItemsAndScreensAreUniqueAndPicturesSizedLikeTheirSlots) {
    PreviewModel model;
    for (int id = 0; id < model.ItemCount(); ++id) {
        const ItemDef& d = model.Def(id);
        EXPECT_EQ(model.Find(d.name, d.index), id) << d.name << "(" << d.index << ") is listed twice";
        EXPECT_TRUE(d.screen >= 0 && d.screen < kScreenCount) << d.name;
    }
    std::set<std::pair<int, int>> cells;  // one screen to a cell of the grid
    for (const ScreenDef& s : kScreens) EXPECT_TRUE(cells.insert({s.column, s.row}).second) << s.name;
    for (int holder = 0; holder < kBackImageCount; ++holder) {
        const ItemState& picture = model.Item("BackImage", holder);
        const SlotDef& slot = kSlots[holder == 6 ? 0 : holder];
        EXPECT_EQ(std::pair(picture.width, picture.height), std::pair(slot.width * 15, slot.height * 15)) << holder;
    }
    model.ShowBackImage(7, true);  // no such holder: ignored
    model.Item("lblText", 35).visible = false;
    EXPECT_EQ(model.MissedLookups(), 1) << "a name the layout lacks counts a miss";

    // The calendar's day and title; the desktop title's hidden copies passed over; nothing off screen.
    const struct { int screen, x, y; const char* name; int index; } points[] = {
        {10, 1100, 300, "lblText", 33}, {10, 1300, 1100, "lblText", 32}, {10, 700, 100, "lblTitle_text", 8},
        {1, 25, 100, "f_Setting", kNoIndex}, {10, -1, 10, "", 0}, {10, kScreenWidth, 10, "", 0}};
    for (const auto& p : points)
        EXPECT_EQ(model.ItemAt(p.screen, p.x, p.y), model.Find(p.name, p.index)) << p.screen << ": " << p.x << "," << p.y;
}

// An element painted with a probe colour reaches the items it owns, not those of another `owner`.
TEST(ChangeColour, EachElementPaintsItsOwnItemsOnly) {
    const struct { int element, slotsOn; const char* name; int index; Rgb ItemState::*part; int owner; } cases[] = {
        // Text reaches the standby texts only without the standby picture, and not rows 54 or 2.
        {9, 0, kTime, 7, kText, 9}, {9, 0, kTime, 1, kText, 9}, {9, kStandbyOn, kName, 11, kText, 0},
        {9, kStandbyOn, kTime, 1, kText, 2}, {9, 0, "lblText", 53, kText, 9}, {9, 0, "lblText", 54, kText, 10},
        {9, 0, "lblText", 2, kText, 12}, {6, 0, "lblTitle_text", 4, kText, 7} /* the table title's shadow */,
        {20, 0, "lblPopup_text", 1, kText, 25}, {20, 0, "lblPopup_text", 4, kText, 26},
        {20, 0, "lblPopup_text", 8, kText, 21},
        // Background paints two screens' own backgrounds, not the highlights.
        {4, 0, "f_calling", kNoIndex, kBack, 4}, {4, 0, "lblText", 24, kBack, 4}, {4, 0, "lblText", 2, kBack, 11},
        {4, 0, "lblText", 52, kBack, 11}, {4, 0, "f_Setting", kNoIndex, kBack, 8},
        // The progress bar takes the popup title colours whole; a see-through title bar keeps its own.
        {16, 0, "ShapeProgressBar", 0, kBack, 16}, {16, 0, "ShapeProgressBar", 0, kBorder, 16},
        {17, 0, "ShapeProgressBar", 1, kBack, 17}, {17, 0, "ShapeProgressBar", 1, kBorder, 17},
        {5, kSmallOn, "lblTitle_text", 7, kBack, 5}, {29, 0, "WapLine", 6, kBorder, 29},
        // The desktop title's outline copies, with and without the desktop picture.
        {37, kDesktopOn, "lblText", 42, kText, 37}, {37, 0, "lblText", 44, kText, 37}, {37, 0, "lblText", 34, kText, 36}};
    for (const auto& c : cases) {
        Theme theme = DistinctTheme(c.slotsOn);
        PreviewModel model = Fresh(theme);
        theme.colours[c.element] = "0A0B0C";
        model.ChangeColour(c.element, theme);
        EXPECT_EQ(model.Item(c.name, c.index).*c.part, c.owner == c.element ? kProbe : ColourOf(c.owner))
            << "element " << c.element << " slots " << c.slotsOn << " at " << c.name << "(" << c.index << ")";
    }
    // No change for the popup shadow, name and time without standby picture, or no element.
    Theme theme = DistinctTheme();
    PreviewModel model = Fresh(theme);
    const PreviewModel before = model;
    for (int e : {28, 0, 2, -1, kElementCount}) {
        if (e >= 0 && e < kElementCount) theme.colours[e] = "123456";
        model.ChangeColour(e, theme);
    }
    for (int id = 0; id < model.ItemCount(); ++id) EXPECT_EQ(model.State(id), before.State(id)) << model.Def(id).name;
    theme.colours[31] = "FFF";
    model.ChangeColour(31, theme);
    EXPECT_EQ(model.Item("lblNotesText").text, (Rgb{255, 15, 0}));
}

// Each slot state is reached from another, so hiding and moving back are tested as well as showing.
TEST(RepaintAll, SlotsDecideCopiesTitleBarsAndListRows) {
    const int nameOutline[] = {12, 13, 14, 15, 0, 1, 3, 4}, timeOutline[] = {6, 8, 9, 10, 0, 2, 3, 4};
    PreviewModel model = Fresh(DistinctTheme());
    const auto At = [&](const char* name, int index = kNoIndex) { return model.Item(name, index); };
    for (int mask : {kStandbyOn | kDesktopOn | kSmallOn | kMediumOn, 0, kSmallOn, kStandbyOn | kMediumOn, 0}) {
        model.RepaintAll(DistinctTheme(mask));
        const bool standby = mask & kStandbyOn, desktop = mask & kDesktopOn;
        const bool small = mask & kSmallOn, medium = mask & kMediumOn;
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(At(kName, nameOutline[k]).visible, standby) << nameOutline[k] << " slots " << mask;
            EXPECT_EQ(At(kTime, timeOutline[k]).visible, standby) << timeOutline[k] << " slots " << mask;
            if (standby) {  // in their own colours
                EXPECT_EQ(At(kName, nameOutline[k]).text, ColourOf(1)) << nameOutline[k];
                EXPECT_EQ(At(kTime, timeOutline[k]).text, ColourOf(3)) << timeOutline[k];
            }
        }
        // The desktop title: a full outline over the desktop picture, a drop shadow without it.
        for (int i = 41; i <= 44; ++i) EXPECT_EQ(At("lblText", i).visible, desktop || i >= 43) << i << " slots " << mask;
        // Bar 7 and rows 50..56 go with the small title picture, bar 6 and rows 0..4 with the medium.
        EXPECT_EQ(At("lblTitle_text", 7).transparent, small);
        EXPECT_EQ(At("lblTitle_text", 6).transparent, medium);
        for (int i : {3, 4, 5}) EXPECT_FALSE(At("lblTitle_text", i).transparent) << i;
        for (int k = 0; k < 7; ++k) EXPECT_EQ(At("lblText", 50 + k).top, (small ? 360 : 200) + 175 * k) << k;
        for (int k = 0; k < 5; ++k) EXPECT_EQ(At("lblText", k).top, (medium ? 486 : 240) + 240 * k) << k;
    }
}

TEST(ApplyLanguageTexts, TextsReachEveryCopyShortenByCharactersAndSizeTheEditTitle) {
    PreviewModel model;
    model.Item(kTime, 7).left = 500;  // new texts place its outline copies again, copy 6 10 to the left
    Texts texts;
    texts.SetLanguageOffset(kGerman);
    model.ApplyLanguageTexts(texts);
    const ItemState &time = model.Item(kTime, 7), &copy = model.Item(kTime, 6);
    EXPECT_EQ(std::pair(copy.left, copy.top), std::pair(time.left - 10, time.top));
    const struct { const char* name; std::vector<int> copies; const char* caption; } german[] = {
        {kName, {0, 1, 2, 3, 4, 11, 12, 13, 14, 15}, "D2"}, {kTime, {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}, "13:16"},
        {"lblText", {34, 41, 42, 43, 44}, "Einstellungen"}, {"lblText", {56}, "7. Speicherstatus"},
        {"lblPopup_text", {4}, "4. Wort akzeptieren"}, {"lblText", {36, 37}, "Wort bearbeiten"},
        {"lblTitle_text", {1}, "WAP"}};  // the table title is not the language's
    for (const auto& c : german)
        for (int i : c.copies) EXPECT_EQ(model.Item(c.name, i).caption, c.caption) << c.name << i;
    // "Wort bearbeiten" has 15 characters: the smaller font for both edit titles.
    EXPECT_EQ(std::pair(model.Item("lblText", 36).fontSize, model.Item("lblText", 37).fontSize), std::pair(8, 8));

    // Number mode shows which number feeds each item.
    texts.SetShowTextNumbers(true);
    model.ApplyLanguageTexts(texts);
    EXPECT_EQ(model.Item("lblNotesText").caption, "229");

    // In characters: phone book rows shorten over 17, the input-methods entry over 16; edit title font.
    const struct { const char *text224, *row0, *text247, *entry, *text242; int fontSize; } cases[] = {
        {"Übersicht Kontakt", "Übersicht Kontakt", "2. Input methodsx", "2. Input...", "Wörterbuch", 9},
        {"Call every contact", "Call every...", "2. Input methods", "2. Input methods", "Edit a word", 8}};
    for (const auto& c : cases) {
        model.ApplyLanguageTexts(
            [&](int n) { return std::string(n == 224 ? c.text224 : n == 247 ? c.text247 : n == 242 ? c.text242 : "x"); });
        EXPECT_EQ(model.Item("lblText", 0).caption, c.row0);
        EXPECT_EQ(model.Item("lblPopup_text", 8).caption, c.entry);
        EXPECT_EQ(model.Item("lblText", 37).fontSize, c.fontSize) << c.text242;
    }
}

// Chosen marks; then every arrow, in every slot state, points at a visible item in the element's colour.
TEST(Marks, FollowTheirTableRowsAndTheSlotsAndPointAtTheirColour) {
    const struct { int element, slotsOn; std::vector<int> arrows; int hint; } cases[] = {
        {11, 0, {2, 5}, 0}, {12, 0, {2}, 0}, {4, 0, {0, 2, 3, 5, 6, 10, 11, 12}, 0}, {16, 0, {7, 8, 9}, 0},
        {0, 0, {}, 270}, {28, 0, {}, 271}, {8, 0, {1}, 0}, {8, kDesktopOn, {}, 278}, {99, 0, {}, 0},
        {5, 0, {2, 5, 6, 10, 11, 12}, 0}, {5, kSmallOn, {2, 6, 10, 11, 12}, 0}, {5, kMediumOn, {5, 6, 10, 11, 12}, 0},
        {5, kSmallOn | kMediumOn, {6, 10, 11, 12}, 0}, {9, 0, {0, 2, 3, 5, 10, 11, 12}, 0},
        {9, kStandbyOn, {2, 5, 10, 11, 12}, 0}, {0, kStandbyOn, {0, 3}, 0}, {3, kStandbyOn, {0, 3}, 0}};
    for (const auto& c : cases) {
        const Theme theme = DistinctTheme(c.slotsOn);
        const Marks marks = MarksFor(c.element, theme, Fresh(theme));
        EXPECT_EQ(ArrowsOf(marks), c.arrows) << c.element << " slots " << c.slotsOn;
        EXPECT_EQ(marks.hint, c.hint) << c.element << " slots " << c.slotsOn;
    }
    for (int mask = 0; mask < 64; ++mask) {
        const Theme theme = DistinctTheme(mask);
        const PreviewModel model = Fresh(theme);
        const auto hits = [&](const ArrowPlacement& a, Rgb c) {
            return std::ranges::any_of(std::views::iota(0, model.ItemCount()), [&](int id) {
                const ItemState& s = model.State(id);
                return model.Def(id).screen == a.arrow && s.visible && a.x >= s.left && a.y >= s.top &&
                       a.x < s.left + s.width && a.y < s.top + s.height && (s.text == c || s.back == c || s.border == c);
            });
        };
        for (int e = 0; e < kElementCount; ++e) {
            const Marks marks = MarksFor(e, theme, model);
            EXPECT_TRUE(marks.hint == 0 || marks.arrows.empty()) << "element " << e << " slots " << mask;
            const std::vector<int> arrows = ArrowsOf(marks);
            EXPECT_TRUE(std::ranges::adjacent_find(arrows) == arrows.end()) << "an arrow twice for element " << e;
            for (const ArrowPlacement& a : marks.arrows)
                EXPECT_TRUE(a.arrow >= 0 && a.arrow < kArrowCount && a.x >= 0 && a.y >= 0 && a.x < kScreenWidth &&
                            a.y < kScreenHeight && hits(a, ColourOf(e)))
                    << "element " << e << " arrow " << a.arrow << " at " << a.x << "," << a.y << " slots " << mask;
        }
        for (int h = 0; h < kBackImageCount; ++h)  // pictures follow the slots; holder 6 shows slot 0 again
            EXPECT_EQ(model.Item("BackImage", h).visible, theme.SlotOn(h % 6)) << h << " " << mask;
        EXPECT_EQ(model.MissedLookups(), 0) << "slot mask " << mask;
    }
}

TEST(ColourText, PairRuleInverseAndKeyFilter) {
    // A pair stops at its first non-digit, so one starting with a non-digit is 0; six characters count.
    const std::pair<const char*, Rgb> pairs[] = {{"b52908", {181, 41, 8}}, {"G1F00Z", {0, 240, 0}},
                                                 {"1G2H3I", {1, 2, 3}}, {"FFFFFFFF", {255, 255, 255}}};
    for (const auto& [text, rgb] : pairs) EXPECT_EQ(MakeRGB(text), rgb) << text;
    EXPECT_EQ(ColourTextFromBgr(0xEFCDAB), "ABCDEF");

    const std::pair<char, char> keys[] = {{'b', 'B'}, {'f', 'F'}, {'A', 'A'}, {'9', '9'}, {kBackspace, kBackspace}};
    for (const auto& [key, shown] : keys) EXPECT_EQ(FilterHexKey(key), shown) << int(key);
    for (char c : {'g', 'G', ' ', '#', '@', '`'}) EXPECT_FALSE(FilterHexKey(c).has_value()) << int(c);
}

TEST(ColourComponents, TruncateAndSnapAndTheRuleMeasuresThatUseThem) {
    const struct { const char* pair; int bits, truncated; const char* snapped; } components[] = {
        {"12", 3, 0, "00"},   {"13", 3, 0, "24"},  // 18: 0 and 36 both 18 away
        {"ED", 3, 224, "DB"}, {"EE", 3, 224, "FF"}, {"aa", 3, 160, "B6"},  // lower-case digits read too
        {"2A", 2, 0, "00"},   {"2B", 2, 0, "55"},   {"D4", 2, 192, "AA"}, {"D5", 2, 192, "FF"},
    };
    for (const auto& c : components) {
        EXPECT_EQ(TruncateComponent(c.pair, c.bits), c.truncated) << c.pair << "/" << c.bits;
        EXPECT_EQ(SnapComponent(c.pair, c.bits), c.snapped) << c.pair << "/" << c.bits;
    }

    // Pairs compare truncated components, triples snapped ones; the two reductions can disagree.
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

// From the default theme, one rule's elements get near values, so that the reduction makes it fail.
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

TEST(CheckColours, EachRuleFailsAloneWithItsMessageAndNoneStopsTheOthers) {
    const Texts texts;
    for (int rule = 1; rule <= kColourRuleCount; ++rule) {
        ColourValues colours = DefaultTheme().colours;
        for (const auto& [index, value] : kEachRule[rule - 1].changes) colours[static_cast<std::size_t>(index)] = value;
        EXPECT_EQ(FailedRules(colours), std::vector<int>{rule});
        EXPECT_EQ(CheckColours(colours, texts), "-->" + kEachRule[rule - 1].message + "\r\n") << rule;
    }
    // With every value empty (read as 000000) every rule fails.
    EXPECT_EQ(FailedRules(ColourValues{}), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // The messages follow the language in force.
    Texts german;
    german.SetLanguageOffset(kGerman);
    EXPECT_EQ(CheckColours(DefaultTheme().colours, german), "-->Alle Farben gespeichert\r\n");
    const std::string findings = CheckColours(ColourValues{}, german);
    EXPECT_TRUE(findings.ends_with("-->Markiert und Markierter Text liegen sind zu \xC3\xA4hnlich\r\n")) << findings;
}

TEST(ContrastPairs, TransparentTextsAreMeasuredOnWhatIsBeneathThemAndCopiesNever) {
    const Theme theme = DefaultTheme();
    const auto pairs = ContrastPairs(theme, PreviewFor(theme, Texts{}));
    std::set<std::pair<int, int>> all;
    for (const ContrastPair& p : pairs) all.insert({p.text, p.fill});
    // Transparent texts are measured on the bar or screen beneath them; copies and marks never.
    EXPECT_TRUE(all.count({6, 5}) && all.count({36, 8}) && all.count({9, 4}));
    for (int notOwn : {1, 3, 7, 15, 18, 23, 37}) EXPECT_FALSE(all.count({notOwn, 4}) || all.count({notOwn, 5})) << notOwn;
}

TEST(ContrastPairs, DarkTextOnDarkBackgroundGetsTheNearestReadablePaletteFix) {
    // The fix is the nearest in Lab, whose values are worked by hand here.
    EXPECT_NEAR(ToLab({255, 255, 255}).l, 100.0, 1e-3);
    EXPECT_NEAR(LabDistance(ToLab({255, 0, 0}), {53.2408, 80.0925, 67.2032}), 0.0, 1e-2);
    Theme theme = DefaultTheme();
    theme.colours[9] = "5C1D0E";  // Text
    theme.colours[4] = "123456";  // Background
    const auto pairs = ContrastPairs(theme, PreviewFor(theme, Texts{}));
    const auto it = std::ranges::find_if(pairs, [](const ContrastPair& p) { return p.text == 9 && p.fill == 4; });
    ASSERT_NE(it, pairs.end());
    EXPECT_NEAR(it->ratio, 1.3752, 1e-4);  // 6D2400 on 002455

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
}

TEST(ColoursAt, TopmostFirstEndingAtTheFillAndDescribedWithValues) {
    Theme theme = DistinctTheme();
    const PreviewModel model = PreviewFor(theme, Texts{});
    const auto at = [&](const char* name, int index, int dx, int dy) {
        const ItemState& s = model.Item(name, index);
        return ColoursAt(model, model.Def(model.Find(name, index)).screen, s.left + dx, s.top + dy);
    };
    const auto& c = theme.colours;
    const auto popup = at("lblPopup_text", 0, 300, 100);
    EXPECT_EQ(DescribeColours(popup, theme, Texts{}), "Popup text " + c[20] + " on Popup background " + c[19]);
    // An opaque shape or label ends the walk: the progress bar over the popup, the notes over their page.
    EXPECT_EQ(at("ShapeProgressBar", 1, 20, 20).size(), 1u);
    EXPECT_EQ(at("lblNotesText", kNoIndex, 20, 20).size(), 2u);
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
