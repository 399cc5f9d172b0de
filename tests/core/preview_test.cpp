// The phone preview model: what each element colours, the text copies, the list rows, the
// sample texts, and where the marker arrows point.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/Catalogue.h"
#include "model/ColourText.h"
#include "preview/Marks.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"
#include "text/Texts.h"

namespace tintora {
namespace {

// A theme whose every element has a colour of its own, none black or white (the colours of
// items nobody has painted yet).
Theme DistinctTheme() {
    Theme theme;
    for (int i = 0; i < kElementCount; ++i) {
        char text[7];
        std::snprintf(text, sizeof text, "%02X%02X%02X", i + 1, 100 + i, 200 - i);
        theme.colours[i] = text;
    }
    return theme;
}

void SetSlot(Theme& theme, int slot, bool on) { theme.slots[slot] = on ? SlotState::On : SlotState::Off; }

PreviewModel FreshModel(const Theme& theme) {
    PreviewModel model;
    model.ApplyLanguageTexts(Texts{});
    model.RepaintAll(theme);
    return model;
}

std::vector<ItemState> Snapshot(const PreviewModel& model) {
    std::vector<ItemState> states;
    for (int id = 0; id < model.ItemCount(); ++id) states.push_back(model.State(id));
    return states;
}

std::vector<int> ArrowsOf(const Marks& marks) {
    std::vector<int> arrows;
    for (const ArrowPlacement& a : marks.arrows) arrows.push_back(a.arrow);
    std::ranges::sort(arrows);
    return arrows;
}

// The standby name (11, 2) and time (7, 1) labels, and the eight outline copies of each.
constexpr int kNameTexts[] = {11, 2}, kTimeTexts[] = {7, 1};
constexpr int kNameOutline[] = {12, 13, 14, 15, 0, 1, 3, 4}, kTimeOutline[] = {6, 8, 9, 10, 0, 2, 3, 4};
constexpr const char* kName = "lblStandby_operatorname";
constexpr const char* kTime = "lblStandby_time";
constexpr Rgb kProbe{10, 11, 12};

// A preview freshly painted from a theme of distinct colours.
struct Preview : ::testing::Test {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);

    ItemState& At(const char* name, int index = kNoIndex) { return model.Item(name, index); }
    Rgb ColourOf(int element) const { return MakeRGB(theme.colours[element]); }
    void Paint(int element, const std::string& colour) {
        theme.colours[element] = colour;
        model.ChangeColor(element, theme);
    }
};

// --- The layout table -----------------------------------------------------------------------------

TEST(PreviewLayout, ItemsAreUniqueScreensApartAndPicturesSizedLikeTheirSlots) {
    PreviewModel model;
    for (int id = 0; id < model.ItemCount(); ++id) {
        const ItemDef& d = model.Def(id);
        EXPECT_EQ(model.Find(d.name, d.index), id) << d.name << "(" << d.index << ") is listed twice";
        EXPECT_TRUE(d.screen >= 0 && d.screen < kScreenCount) << d.name;
    }
    std::set<std::pair<int, int>> cells;
    for (int s = 0; s < kScreenCount; ++s) {
        EXPECT_TRUE(cells.insert({kScreens[s].column, kScreens[s].row}).second) << kScreens[s].name;
        EXPECT_LE(ScreenLeft(s) + kScreenWidth + kScreenGap, PreviewWidthTwips());
        EXPECT_LE(ScreenTop(s) + kScreenHeight + kScreenGap, PreviewHeightTwips());
    }
    for (int holder = 0; holder < kBackImageCount; ++holder) {
        const ItemState& picture = model.Item("BackImage", holder);
        const SlotDef& slot = kSlots[holder == 6 ? 0 : holder];
        EXPECT_EQ(picture.width, slot.width * kTwipsPerPixel) << holder;
        EXPECT_EQ(picture.height, slot.height * kTwipsPerPixel) << holder;
        EXPECT_FALSE(picture.visible) << "pictures start hidden";
    }
    model.ShowBackImage(7, true);  // no such holder: ignored
    EXPECT_EQ(model.MissedLookups(), 0);
    EXPECT_EQ(model.Find("lblText", 35), -1);
    model.Item("lblText", 35).visible = false;
    EXPECT_EQ(model.MissedLookups(), 1) << "a name the layout lacks counts a miss";
}

TEST(PreviewLayout, ItemAtFindsTheTopmostVisibleItem) {
    PreviewModel model;
    const int calendar = 10;
    // The highlighted day lies on the calendar page; the page is found beside it.
    EXPECT_EQ(model.ItemAt(calendar, 1100, 300), model.Find("lblText", 33));
    EXPECT_EQ(model.ItemAt(calendar, 1300, 1100), model.Find("lblText", 32));
    // The main title is painted over its bar.
    EXPECT_EQ(model.ItemAt(calendar, 700, 100), model.Find("lblTitle_text", 8));
    // Hidden items are passed over: the desktop title's copies start hidden.
    EXPECT_EQ(model.ItemAt(1, 25, 100), model.Find("f_Setting"));
    EXPECT_EQ(model.ItemAt(calendar, -1, 10), -1);
    EXPECT_EQ(model.ItemAt(calendar, kScreenWidth, 10), -1);
}

// --- ChangeColor -----------------------------------------------------------------------------------

TEST_F(Preview, ElementsWithNothingToPaintChangeNothing) {
    const auto before = Snapshot(model);
    // The popup shadow always; name and time colours without standby picture; no such element.
    for (int e : {28, 0, 2, -1, kElementCount}) {
        if (e >= 0 && e < kElementCount) theme.colours[e] = "123456";
        model.ChangeColor(e, theme);
    }
    EXPECT_TRUE(Snapshot(model) == before);
}

TEST_F(Preview, StandbyTextsTakeTextWithoutPictureAndTheirOwnColoursInOutlinesWithIt) {
    const auto expectTexts = [&](Rgb name, Rgb time) {
        for (int i : kNameTexts) EXPECT_EQ(At(kName, i).text, name) << i;
        for (int i : kTimeTexts) EXPECT_EQ(At(kTime, i).text, time) << i;
    };
    // element -1: visibility only.
    const auto expectOutline = [&](const char* label, const int* copies, bool visible, int element = -1) {
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(At(label, copies[k]).visible, visible) << label << copies[k];
            if (element >= 0) { EXPECT_EQ(At(label, copies[k]).text, ColourOf(element)) << label << copies[k]; }
        }
    };
    expectTexts(ColourOf(9), ColourOf(9));
    Paint(9, "0A0B0C");
    expectTexts(kProbe, kProbe);
    EXPECT_EQ(At("lblText", 0).text, kProbe);
    EXPECT_EQ(At("lblText", 53).text, kProbe);
    EXPECT_NE(At("lblText", 54).text, kProbe) << "54 is the disabled row";
    EXPECT_NE(At("lblText", 2).text, kProbe) << "2 is the highlighted row";

    // Make every copy visible by hand: elements 1 and 3 must hide all eight each.
    for (int k = 0; k < 8; ++k) At(kName, kNameOutline[k]).visible = At(kTime, kTimeOutline[k]).visible = true;
    model.ChangeColor(1, theme);
    expectOutline(kName, kNameOutline, false);
    expectOutline(kTime, kTimeOutline, true);
    model.ChangeColor(3, theme);
    expectOutline(kTime, kTimeOutline, false);

    // With the standby picture on, the outlines show in their own colours and Text no longer reaches.
    SetSlot(theme, kStandbySlot, true);
    model.SetStandbyFillTransparent(true);
    for (int e = 0; e <= 3; ++e) model.ChangeColor(e, theme);
    EXPECT_TRUE(At("ShapeStandby").transparent);
    expectTexts(ColourOf(0), ColourOf(2));
    expectOutline(kName, kNameOutline, true, 1);
    expectOutline(kTime, kTimeOutline, true, 3);
    Paint(9, "0A0B0C");
    expectTexts(ColourOf(0), ColourOf(2));
}

TEST_F(Preview, DesktopTitleShowsADropShadowWithoutPictureAndAFullOutlineWithIt) {
    At("lblText", 34).left = 100;
    At("lblText", 34).top = 200;
    auto visibleCopies = [&] {
        std::vector<int> v;
        for (int i = 41; i <= 44; ++i)
            if (At("lblText", i).visible) v.push_back(i);
        return v;
    };
    model.ChangeColor(37, theme);
    EXPECT_EQ(visibleCopies(), (std::vector<int>{43, 44}));
    EXPECT_EQ(std::pair(At("lblText", 43).left, At("lblText", 43).top), std::pair(110, 200));
    EXPECT_EQ(std::pair(At("lblText", 44).left, At("lblText", 44).top), std::pair(100, 210));

    SetSlot(theme, kDesktopSlot, true);
    model.ChangeColor(37, theme);
    EXPECT_EQ(visibleCopies(), (std::vector<int>{41, 42, 43, 44}));
    EXPECT_EQ(At("lblText", 41).left, 90);
    EXPECT_EQ(At("lblText", 42).top, 190);
    for (int i = 41; i <= 44; ++i) EXPECT_EQ(At("lblText", i).text, ColourOf(37)) << i;
}

TEST_F(Preview, NeighbouringElementsLeaveEachOthersItemsAlone) {
    Paint(6, "0A0B0C");
    EXPECT_EQ(At("lblTitle_text", 4).text, ColourOf(7)) << "the table title's shadow";
    EXPECT_EQ(At("lblTitle_text", 1).text, kProbe);
    EXPECT_EQ(At("lblText", 39).text, kProbe);

    Paint(20, "0A0B0C");
    EXPECT_EQ(At("lblPopup_text", 1).text, ColourOf(25)) << "the highlighted popup item";
    EXPECT_EQ(At("lblPopup_text", 4).text, ColourOf(26));
    EXPECT_EQ(At("lblPopup_text", 8).text, ColourOf(21));
    EXPECT_EQ(At("lblPopup_text", 10).text, kProbe);
    EXPECT_EQ(At("lblPromptText", 1).text, kProbe);

    // Background paints the two screens' own backgrounds and the standby fill, not the highlights.
    Paint(4, "0A0B0C");
    for (const char* name : {"f_notes", "f_calling", "ShapeStandby"}) EXPECT_EQ(At(name).back, kProbe) << name;
    EXPECT_EQ(At("lblText", 24).back, kProbe);
    EXPECT_EQ(At("lblText", 2).back, ColourOf(11));
    EXPECT_EQ(At("lblText", 52).back, ColourOf(11));
    EXPECT_NE(At("f_Setting").back, kProbe);

    // The progress bar takes the popup title colours whole; an incomplete value paints its pairs.
    for (int k : {0, 1}) {
        EXPECT_EQ(At("ShapeProgressBar", k).back, ColourOf(16 + k));
        EXPECT_EQ(At("ShapeProgressBar", k).border, ColourOf(16 + k));
    }
    Paint(31, "FFF");
    EXPECT_EQ(At("lblNotesText").text, (Rgb{255, 15, 0}));
}

TEST_F(Preview, TitleBarsTurnTransparentOverTheirOwnTitlePicture) {
    // Bar 7 lies over the small title picture, bar 6 over the medium one; the others never turn.
    for (const auto& [small, medium] : {std::pair{false, false}, {true, false}, {false, true}}) {
        SetSlot(theme, kSmallTitleSlot, small);
        SetSlot(theme, kMediumTitleSlot, medium);
        model.ChangeColor(5, theme);
        EXPECT_EQ(At("lblTitle_text", 7).transparent, small);
        EXPECT_EQ(At("lblTitle_text", 6).transparent, medium);
        for (int i : {3, 4, 5}) EXPECT_FALSE(At("lblTitle_text", i).transparent) << i;
        EXPECT_EQ(At("lblTitle_text", 7).back, ColourOf(5)) << "keeps its colour for when it turns opaque";
    }
    EXPECT_EQ(At("lblText", 40).back, ColourOf(5));
}

// --- Copies and list rows -----------------------------------------------------------------------------

TEST(PlaceTextCopies, CopiesFollowTheirMainLabelByTheirOffsets) {
    PreviewModel model;
    const struct {
        const char* name;
        int main, copy, dx, dy;
    } cases[] = {
        {"lblStandby_time", 7, 6, -10, 0},         {"lblStandby_time", 1, 3, 0, 10},
        {"lblStandby_operatorname", 11, 15, 0, 10}, {"lblText", 34, 42, 0, -10},
        {"lblTitle_text", 2, 7, 10, 10},            {"lblPopup_title_text", 3, 0, 20, 20},
    };
    int shift = 0;
    for (const auto& c : cases) {
        model.Item(c.name, c.main).left = 500 + shift;
        model.Item(c.name, c.main).top = 300 + (shift += 7);
    }
    model.PlaceTextCopies();
    for (const auto& c : cases) {
        EXPECT_EQ(model.Item(c.name, c.copy).left, model.Item(c.name, c.main).left + c.dx) << c.name << c.copy;
        EXPECT_EQ(model.Item(c.name, c.copy).top, model.Item(c.name, c.main).top + c.dy) << c.name << c.copy;
    }
    // The calendar, WAP table and WAP page shadows keep their own places.
    const ItemState bar = model.Item("lblTitle_text", 5);
    model.Item("lblTitle_text", 8).left = 400;
    model.Item("lblText", 39).left = 400;
    model.PlaceTextCopies();
    EXPECT_EQ(model.Item("lblTitle_text", 5), bar);
    EXPECT_EQ(model.Item("lblText", 40).left, 0);

    // New sample texts place the copies again.
    model.Item("lblTitle_text", 2).left = 77;
    model.ApplyLanguageTexts(Texts{});
    EXPECT_EQ(model.Item("lblTitle_text", 7).left, 87);
}

TEST_F(Preview, TitlePicturesPushTheirListsDown) {
    // Settings rows (50..56) sit below the small title picture, phone book rows (0..4) below the medium one.
    const auto expectRows = [&](int settingsShift, int phoneBookShift) {
        for (int k = 0; k < 7; ++k) EXPECT_EQ(At("lblText", 50 + k).top, 200 + 175 * k + settingsShift) << k;
        for (int k = 0; k < 5; ++k) EXPECT_EQ(At("lblText", k).top, 240 + 240 * k + phoneBookShift) << k;
    };
    expectRows(0, 0);
    EXPECT_EQ(At("lblText", 50).height, 175);
    EXPECT_EQ(At("lblText", 0).height, 240);
    for (const auto& [small, medium] : {std::pair{true, false}, {true, true}, {false, false}}) {
        SetSlot(theme, kSmallTitleSlot, small);
        SetSlot(theme, kMediumTitleSlot, medium);
        model.ArrangeMenuItems(theme);
        expectRows(small ? 160 : 0, medium ? 246 : 0);
    }
}

// --- Sample texts --------------------------------------------------------------------------------------

TEST(ApplyLanguageTexts, TextsReachEveryCopyShortenByCharactersAndSizeTheEditTitle) {
    PreviewModel model;
    Texts texts;
    texts.SetLanguageOffset(kGerman);
    model.ApplyLanguageTexts(texts);
    const struct {
        const char* name;
        std::vector<int> copies;
        const char* caption;
    } german[] = {{"lblStandby_operatorname", {0, 1, 2, 3, 4, 11, 12, 13, 14, 15}, "D2"},
                  {"lblStandby_time", {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}, "13:16"},
                  {"lblText", {34, 41, 42, 43, 44}, "Einstellungen"},
                  {"lblText", {56}, "7. Speicherstatus"},
                  {"lblPopup_text", {4}, "4. Wort akzeptieren"},
                  {"lblTitle_text", {1}, "WAP"},  // the table title is not the language's
                  {"lblText", {37}, "Wort bearbeiten"}};
    for (const auto& c : german)
        for (int i : c.copies) EXPECT_EQ(model.Item(c.name, i).caption, c.caption) << c.name << i;
    // "Wort bearbeiten" has 15 characters: the smaller font for both edit titles.
    EXPECT_EQ(model.Item("lblText", 36).fontSize, 8);
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 8);

    // Number mode shows which number feeds each item.
    texts.SetShowTextNumbers(true);
    model.ApplyLanguageTexts(texts);
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(model.Item("lblText", k).caption, std::to_string(224 + k));
    for (int k = 0; k <= 6; ++k) EXPECT_EQ(model.Item("lblText", 50 + k).caption, std::to_string(232 + k));
    EXPECT_EQ(model.Item("lblPopup_text", 8).caption, "247");
    EXPECT_EQ(model.Item("lblNotesText").caption, "229");
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 9) << "\"242\" is short";

    // Shortening counts characters, not bytes.
    std::map<int, std::string> custom = {
        {224, "Übersicht Kontakt"},   // 17 characters in 18 bytes: whole
        {225, "Call every contact"},  // 18: cut at the blank at position 11
        {247, "2. Input methodsx"},   // 17: shortened although it fits
        {242, "Wörterbuch"},          // 10 characters: the larger font
    };
    auto lookup = [&](int n) { return custom.count(n) ? custom[n] : std::string("x"); };
    model.ApplyLanguageTexts(lookup);
    EXPECT_EQ(model.Item("lblText", 0).caption, "Übersicht Kontakt");
    EXPECT_EQ(model.Item("lblText", 1).caption, "Call every...");
    EXPECT_EQ(model.Item("lblPopup_text", 8).caption, "2. Input...");
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 9);
    custom[247] = "2. Input methods";  // 16: whole
    custom[242] = "Edit a word";       // 11: the smaller font
    model.ApplyLanguageTexts(lookup);
    EXPECT_EQ(model.Item("lblPopup_text", 8).caption, "2. Input methods");
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 8);
}

// --- Marks ---------------------------------------------------------------------------------------------

TEST_F(Preview, MarksFollowTheirTableRowsAndTheSlots) {
    // Title marks leave out the screens whose title picture is on (slots 2 small, 1 medium).
    const struct {
        int element, slotsOn;
        std::vector<int> arrows;
        int hint;
    } cases[] = {{11, 0, {2, 5}, 0}, {12, 0, {2}, 0}, {4, 0, {0, 2, 3, 5, 6, 10, 11, 12}, 0}, {16, 0, {7, 8, 9}, 0},
                 {0, 0, {}, 270},    {28, 0, {}, 271}, {8, 0, {1}, 0},  {5, 0, {2, 5, 6, 10, 11, 12}, 0},
                 {5, 1 << kSmallTitleSlot, {2, 6, 10, 11, 12}, 0},
                 {5, (1 << kSmallTitleSlot) | (1 << kMediumTitleSlot), {6, 10, 11, 12}, 0},
                 {5, 1 << kMediumTitleSlot, {5, 6, 10, 11, 12}, 0},
                 {8, 1 << kDesktopSlot, {}, 278}, {99, 0, {}, 0}};
    for (const auto& c : cases) {
        for (int s = 0; s < kSlotCount; ++s) SetSlot(theme, s, (c.slotsOn >> s) & 1);
        EXPECT_EQ(ArrowsOf(MarksFor(c.element, theme, model)), c.arrows) << c.element << " slots " << c.slotsOn;
        EXPECT_EQ(MarksFor(c.element, theme, model).hint, c.hint) << c.element << " slots " << c.slotsOn;
    }
    SetSlot(theme, kDesktopSlot, false);
    EXPECT_EQ(MarksFor(9, theme, model).arrows.size(), 7u);

    SetSlot(theme, kStandbySlot, true);
    SetSlot(theme, kDesktopSlot, true);
    model.RepaintAll(theme);
    for (int e = 0; e <= 3; ++e) EXPECT_EQ(ArrowsOf(MarksFor(e, theme, model)), (std::vector<int>{0, 3})) << e;
    EXPECT_EQ(MarksFor(0, theme, model).hint, 0);
    EXPECT_EQ(MarksFor(9, theme, model).arrows.size(), 5u);
}

// Every arrow, in every slot configuration, points from inside its own screen at a visible item
// of that screen that carries the selected element's colour; no table names an item the layout
// lacks.
TEST(Marks, EveryArrowPointsAtItsColourInsideItsScreen) {
    for (int mask = 0; mask < 64; ++mask) {
        Theme theme = DistinctTheme();
        for (int s = 0; s < kSlotCount; ++s) SetSlot(theme, s, (mask >> s) & 1);
        const PreviewModel model = FreshModel(theme);
        const auto hits = [&](const ArrowPlacement& a, Rgb c) {
            for (int id = 0; id < model.ItemCount(); ++id) {
                const ItemState& s = model.State(id);
                if (model.Def(id).screen == a.arrow && s.visible && a.x >= s.left && a.y >= s.top &&
                    a.x < s.left + s.width && a.y < s.top + s.height && (s.text == c || s.back == c || s.border == c))
                    return true;
            }
            return false;
        };
        for (int e = 0; e < kElementCount; ++e) {
            const Marks marks = MarksFor(e, theme, model);
            EXPECT_TRUE(marks.hint == 0 || marks.arrows.empty()) << "element " << e << " slots " << mask;
            const std::vector<int> arrows = ArrowsOf(marks);
            EXPECT_TRUE(std::ranges::adjacent_find(arrows) == arrows.end()) << "an arrow twice for element " << e;
            for (const ArrowPlacement& a : marks.arrows)
                EXPECT_TRUE(a.arrow >= 0 && a.arrow < kArrowCount && a.x >= 0 && a.y >= 0 && a.x < kScreenWidth &&
                            a.y < kScreenHeight && hits(a, MakeRGB(theme.colours[e])))
                    << "element " << e << " arrow " << a.arrow << " at " << a.x << "," << a.y << " slots " << mask;
        }
        // Pictures and the transparent standby fill follow the slots (holder 6 shows slot 0 again).
        for (int h = 0; h < kBackImageCount; ++h)
            EXPECT_EQ(model.State(model.Find("BackImage", h)).visible, theme.SlotOn(h == 6 ? 0 : h)) << h << " " << mask;
        EXPECT_EQ(model.State(model.Find("ShapeStandby", kNoIndex)).transparent, theme.SlotOn(kStandbySlot)) << mask;
        EXPECT_EQ(model.MissedLookups(), 0) << "slot mask " << mask;
    }
}

}  // namespace
}  // namespace tintora
