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

Rgb ColourOf(const Theme& theme, int element) { return MakeRGB(theme.colours[element]); }

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

// The ids whose state differs between two snapshots.
std::vector<std::string> Changed(const PreviewModel& model, const std::vector<ItemState>& before) {
    std::vector<std::string> changed;
    for (int id = 0; id < model.ItemCount(); ++id) {
        if (!(model.State(id) == before[static_cast<std::size_t>(id)]))
            changed.push_back(std::string(model.Def(id).name) + "(" + std::to_string(model.Def(id).index) + ")");
    }
    return changed;
}

struct Ref {
    const char* name;
    int index;
};
constexpr Ref kStandbyTexts[] = {
    {"lblStandby_operatorname", 11}, {"lblStandby_operatorname", 2}, {"lblStandby_time", 7}, {"lblStandby_time", 1}};
constexpr Ref kNameOutline[] = {{"lblStandby_operatorname", 12}, {"lblStandby_operatorname", 13},
                                {"lblStandby_operatorname", 14}, {"lblStandby_operatorname", 15},
                                {"lblStandby_operatorname", 0},  {"lblStandby_operatorname", 1},
                                {"lblStandby_operatorname", 3},  {"lblStandby_operatorname", 4}};
constexpr Ref kTimeOutline[] = {{"lblStandby_time", 6}, {"lblStandby_time", 8}, {"lblStandby_time", 9},
                                {"lblStandby_time", 10}, {"lblStandby_time", 0}, {"lblStandby_time", 2},
                                {"lblStandby_time", 3}, {"lblStandby_time", 4}};

// --- The layout table -----------------------------------------------------------------------------

TEST(PreviewLayout, EveryItemHasAUniqueNameAndEveryTableNameResolves) {
    PreviewModel model;
    for (int id = 0; id < model.ItemCount(); ++id) {
        const ItemDef& d = model.Def(id);
        EXPECT_EQ(model.Find(d.name, d.index), id) << d.name << "(" << d.index << ") is listed twice";
        EXPECT_GE(d.screen, 0);
        EXPECT_LT(d.screen, kScreenCount);
    }
    // Run every table once in every slot configuration: a name that the layout lacks counts a miss.
    for (int mask = 0; mask < 64; ++mask) {
        Theme theme = DistinctTheme();
        for (int s = 0; s < kSlotCount; ++s) SetSlot(theme, s, (mask >> s) & 1);
        PreviewModel m = FreshModel(theme);
        for (int e = 0; e < kElementCount; ++e) (void)MarksFor(e, theme, m);
        EXPECT_EQ(m.MissedLookups(), 0) << "slot mask " << mask;
    }
    EXPECT_EQ(model.Find("lblText", 35), -1);
    model.Item("lblText", 35).visible = false;
    EXPECT_EQ(model.MissedLookups(), 1);
}

TEST(PreviewLayout, ScreensSitInAGridWithoutOverlapAndPicturesHaveTheirSlotSizes) {
    std::set<std::pair<int, int>> cells;
    for (int s = 0; s < kScreenCount; ++s) {
        EXPECT_TRUE(cells.insert({kScreens[s].column, kScreens[s].row}).second) << kScreens[s].name;
        EXPECT_GE(ScreenLeft(s), kScreenGap);
        EXPECT_LE(ScreenLeft(s) + kScreenWidth + kScreenGap, PreviewWidthTwips());
        EXPECT_LE(ScreenTop(s) + kScreenHeight + kScreenGap, PreviewHeightTwips());
    }
    EXPECT_EQ(kScreens[0].name, "f_operaotr");
    EXPECT_EQ(kScreens[4].name, "f_calling");
    EXPECT_EQ(kScreens[12].name, "f_table");

    PreviewModel model;
    const char* screenOf[kBackImageCount] = {"f_operaotr", "f_Setting", "f_Phonebook", "f_sms", "f_calendar", "f_table", "f_notes"};
    for (int holder = 0; holder < kBackImageCount; ++holder) {
        const int id = model.Find("BackImage", holder);
        ASSERT_GE(id, 0);
        const SlotDef& slot = kSlots[holder == 6 ? 0 : holder];
        EXPECT_EQ(model.State(id).width, slot.width * kTwipsPerPixel) << holder;
        EXPECT_EQ(model.State(id).height, slot.height * kTwipsPerPixel) << holder;
        EXPECT_EQ(kScreens[model.Def(id).screen].name, screenOf[holder]);
        EXPECT_FALSE(model.State(id).visible) << "pictures start hidden";
    }
}

TEST(PreviewLayout, ItemAtFindsTheTopmostVisibleItem) {
    PreviewModel model;
    const int calendar = 10;
    // The highlighted day lies on the calendar page; the page is found beside it.
    EXPECT_EQ(model.ItemAt(calendar, 1100, 300), model.Find("lblText", 33));
    EXPECT_EQ(model.ItemAt(calendar, 1300, 1100), model.Find("lblText", 32));
    EXPECT_EQ(model.ItemAt(calendar, 1000, 1100), model.Find("lblText", 27));
    // The main title is painted over its bar.
    EXPECT_EQ(model.ItemAt(calendar, 700, 100), model.Find("lblTitle_text", 8));
    // Hidden items are passed over: the desktop title's copies start hidden.
    EXPECT_EQ(model.ItemAt(1, 25, 100), model.Find("f_Setting"));
    EXPECT_EQ(model.ItemAt(calendar, -1, 10), -1);
    EXPECT_EQ(model.ItemAt(calendar, kScreenWidth, 10), -1);
}

// --- ChangeColor -----------------------------------------------------------------------------------

TEST(ChangeColor, PopupShadowAndStandbyColoursWithoutPictureChangeNothing) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    theme.colours[28] = "123456";
    theme.colours[0] = "123456";
    theme.colours[2] = "123456";
    const auto before = Snapshot(model);
    model.ChangeColor(28, theme);
    model.ChangeColor(0, theme);
    model.ChangeColor(2, theme);
    EXPECT_TRUE(Changed(model, before).empty()) << Changed(model, before).front();
}

TEST(ChangeColor, WithoutStandbyPictureTextColoursTheStandbyScreensAndOutlinesHide) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    for (const Ref& r : kStandbyTexts) EXPECT_EQ(model.Item(r.name, r.index).text, ColourOf(theme, 9)) << r.name << r.index;

    theme.colours[9] = "0A0B0C";
    model.ChangeColor(9, theme);
    for (const Ref& r : kStandbyTexts) EXPECT_EQ(model.Item(r.name, r.index).text, (Rgb{10, 11, 12})) << r.name << r.index;
    EXPECT_EQ(model.Item("lblText", 0).text, (Rgb{10, 11, 12}));
    EXPECT_EQ(model.Item("lblText", 53).text, (Rgb{10, 11, 12}));
    EXPECT_NE(model.Item("lblText", 54).text, (Rgb{10, 11, 12})) << "54 is the disabled row";
    EXPECT_NE(model.Item("lblText", 2).text, (Rgb{10, 11, 12})) << "2 is the highlighted row";

    // Make every copy visible by hand: elements 1 and 3 must hide all eight each.
    for (const Ref& r : kNameOutline) model.Item(r.name, r.index).visible = true;
    for (const Ref& r : kTimeOutline) model.Item(r.name, r.index).visible = true;
    model.ChangeColor(1, theme);
    for (const Ref& r : kNameOutline) EXPECT_FALSE(model.Item(r.name, r.index).visible) << r.name << r.index;
    for (const Ref& r : kTimeOutline) EXPECT_TRUE(model.Item(r.name, r.index).visible) << r.name << r.index;
    model.ChangeColor(3, theme);
    for (const Ref& r : kTimeOutline) EXPECT_FALSE(model.Item(r.name, r.index).visible) << r.name << r.index;
}

TEST(ChangeColor, WithStandbyPictureOutlinesSurroundTheTextsInTheirOwnColours) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    SetSlot(theme, kStandbySlot, true);
    model.SetStandbyFillTransparent(true);
    for (int e = 0; e <= 3; ++e) model.ChangeColor(e, theme);

    EXPECT_TRUE(model.Item("ShapeStandby").transparent);
    for (const Ref& r : {kStandbyTexts[0], kStandbyTexts[1]}) EXPECT_EQ(model.Item(r.name, r.index).text, ColourOf(theme, 0));
    for (const Ref& r : {kStandbyTexts[2], kStandbyTexts[3]}) EXPECT_EQ(model.Item(r.name, r.index).text, ColourOf(theme, 2));
    for (const Ref& r : kNameOutline) {
        EXPECT_TRUE(model.Item(r.name, r.index).visible) << r.index;
        EXPECT_EQ(model.Item(r.name, r.index).text, ColourOf(theme, 1)) << r.index;
    }
    for (const Ref& r : kTimeOutline) {
        EXPECT_TRUE(model.Item(r.name, r.index).visible) << r.index;
        EXPECT_EQ(model.Item(r.name, r.index).text, ColourOf(theme, 3)) << r.index;
    }
    // With the picture on, Text no longer reaches the standby screens.
    theme.colours[9] = "0A0B0C";
    model.ChangeColor(9, theme);
    for (const Ref& r : kStandbyTexts) EXPECT_NE(model.Item(r.name, r.index).text, (Rgb{10, 11, 12}));
}

TEST(ChangeColor, DesktopTitleShowsADropShadowWithoutPictureAndAFullOutlineWithIt) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    ItemState& title = model.Item("lblText", 34);
    title.left = 100;
    title.top = 200;
    auto visibleCopies = [&] {
        std::vector<int> v;
        for (int i = 41; i <= 44; ++i)
            if (model.Item("lblText", i).visible) v.push_back(i);
        return v;
    };
    model.ChangeColor(37, theme);
    EXPECT_EQ(visibleCopies(), (std::vector<int>{43, 44}));
    EXPECT_EQ(model.Item("lblText", 43).left, 110);
    EXPECT_EQ(model.Item("lblText", 43).top, 200);
    EXPECT_EQ(model.Item("lblText", 44).left, 100);
    EXPECT_EQ(model.Item("lblText", 44).top, 210);
    EXPECT_EQ(model.Item("lblText", 43).text, ColourOf(theme, 37));

    SetSlot(theme, kDesktopSlot, true);
    model.ChangeColor(37, theme);
    EXPECT_EQ(visibleCopies(), (std::vector<int>{41, 42, 43, 44}));
    EXPECT_EQ(model.Item("lblText", 41).left, 90);
    EXPECT_EQ(model.Item("lblText", 42).top, 190);
    for (int i = 41; i <= 44; ++i) EXPECT_EQ(model.Item("lblText", i).text, ColourOf(theme, 37)) << i;
}

TEST(ChangeColor, NeighbouringElementsLeaveEachOthersItemsAlone) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    theme.colours[6] = "010203";
    model.ChangeColor(6, theme);
    EXPECT_EQ(model.Item("lblTitle_text", 4).text, ColourOf(theme, 7)) << "the table title's shadow";
    EXPECT_EQ(model.Item("lblTitle_text", 1).text, (Rgb{1, 2, 3}));
    EXPECT_EQ(model.Item("lblText", 39).text, (Rgb{1, 2, 3}));

    theme.colours[20] = "010203";
    model.ChangeColor(20, theme);
    EXPECT_EQ(model.Item("lblPopup_text", 1).text, ColourOf(theme, 25)) << "the highlighted popup item";
    EXPECT_EQ(model.Item("lblPopup_text", 4).text, ColourOf(theme, 26));
    EXPECT_EQ(model.Item("lblPopup_text", 8).text, ColourOf(theme, 21));
    EXPECT_EQ(model.Item("lblPopup_text", 10).text, (Rgb{1, 2, 3}));
    EXPECT_EQ(model.Item("lblPromptText", 1).text, (Rgb{1, 2, 3}));

    // Background paints the two screens' own backgrounds and the standby fill, not the highlights.
    theme.colours[4] = "010203";
    model.ChangeColor(4, theme);
    EXPECT_EQ(model.Item("f_notes").back, (Rgb{1, 2, 3}));
    EXPECT_EQ(model.Item("f_calling").back, (Rgb{1, 2, 3}));
    EXPECT_EQ(model.Item("ShapeStandby").back, (Rgb{1, 2, 3}));
    EXPECT_EQ(model.Item("lblText", 24).back, (Rgb{1, 2, 3}));
    EXPECT_EQ(model.Item("lblText", 2).back, ColourOf(theme, 11));
    EXPECT_EQ(model.Item("lblText", 52).back, ColourOf(theme, 11));
    EXPECT_NE(model.Item("f_Setting").back, (Rgb{1, 2, 3}));

    // The progress bar takes the popup title colours whole.
    EXPECT_EQ(model.Item("ShapeProgressBar", 0).back, ColourOf(theme, 16));
    EXPECT_EQ(model.Item("ShapeProgressBar", 0).border, ColourOf(theme, 16));
    EXPECT_EQ(model.Item("ShapeProgressBar", 1).back, ColourOf(theme, 17));
    EXPECT_EQ(model.Item("ShapeProgressBar", 1).border, ColourOf(theme, 17));
}

TEST(ChangeColor, TitleBarsTurnTransparentOverTheirOwnTitlePicture) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    const Rgb title = ColourOf(theme, 5);
    EXPECT_FALSE(model.Item("lblTitle_text", 7).transparent);
    EXPECT_FALSE(model.Item("lblTitle_text", 6).transparent);
    EXPECT_EQ(model.Item("lblTitle_text", 7).back, title);

    SetSlot(theme, kSmallTitleSlot, true);
    model.ChangeColor(5, theme);
    EXPECT_TRUE(model.Item("lblTitle_text", 7).transparent);
    EXPECT_EQ(model.Item("lblTitle_text", 7).back, title) << "keeps its colour for when it turns opaque";
    EXPECT_FALSE(model.Item("lblTitle_text", 6).transparent);

    SetSlot(theme, kSmallTitleSlot, false);
    SetSlot(theme, kMediumTitleSlot, true);
    model.ChangeColor(5, theme);
    EXPECT_FALSE(model.Item("lblTitle_text", 7).transparent);
    EXPECT_TRUE(model.Item("lblTitle_text", 6).transparent);
    for (int i : {3, 4, 5}) EXPECT_FALSE(model.Item("lblTitle_text", i).transparent) << i;
    EXPECT_EQ(model.Item("lblText", 40).back, title);
}

TEST(ChangeColor, IncompleteValuesPaintWhatTheirPairsGive) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    theme.colours[31] = "FFF";
    model.ChangeColor(31, theme);
    EXPECT_EQ(model.Item("lblNotesText").text, (Rgb{255, 15, 0}));
    const auto before = Snapshot(model);
    model.ChangeColor(-1, theme);
    model.ChangeColor(kElementCount, theme);
    EXPECT_TRUE(Changed(model, before).empty());
}

TEST(RepaintAll, PicturesAndStandbyFillFollowTheSlots) {
    Theme theme = DistinctTheme();
    SetSlot(theme, kStandbySlot, true);
    SetSlot(theme, 4, true);
    PreviewModel model = FreshModel(theme);
    EXPECT_TRUE(model.Item("BackImage", 0).visible);
    EXPECT_TRUE(model.Item("BackImage", 6).visible);
    EXPECT_TRUE(model.Item("BackImage", 4).visible);
    for (int holder : {1, 2, 3, 5}) EXPECT_FALSE(model.Item("BackImage", holder).visible) << holder;
    EXPECT_TRUE(model.Item("ShapeStandby").transparent);

    model.ShowBackImage(0, false);
    model.ShowBackImage(7, true);  // no such holder: ignored
    model.SetStandbyFillTransparent(false);
    EXPECT_FALSE(model.Item("BackImage", 0).visible);
    EXPECT_FALSE(model.Item("ShapeStandby").transparent);
    EXPECT_EQ(model.MissedLookups(), 0);
}

// --- Copies and list rows -----------------------------------------------------------------------------

TEST(PlaceTextCopies, CopiesFollowTheirMainLabelByTheirOffsets) {
    PreviewModel model;
    struct Case {
        const char* name;
        int main;
        int copy;
        int dx;
        int dy;
    };
    const Case cases[] = {
        {"lblStandby_time", 7, 6, -10, 0}, {"lblStandby_time", 7, 10, 0, -10}, {"lblStandby_time", 7, 9, 10, 0},
        {"lblStandby_time", 7, 8, 0, 10},  {"lblStandby_time", 1, 4, 0, -10},  {"lblStandby_time", 1, 3, 0, 10},
        {"lblStandby_operatorname", 2, 0, -10, 0}, {"lblStandby_operatorname", 11, 15, 0, 10},
        {"lblText", 34, 42, 0, -10},       {"lblTitle_text", 0, 6, 10, 10},    {"lblTitle_text", 2, 7, 10, 10},
        {"lblText", 37, 36, 10, 10},       {"lblPopup_title_text", 1, 2, 20, 20}, {"lblPopup_title_text", 3, 0, 20, 20},
    };
    int shift = 0;
    for (const Case& c : cases) {
        ItemState& main = model.Item(c.name, c.main);
        main.left = 500 + shift;
        main.top = 300 + shift;
        shift += 7;
    }
    model.PlaceTextCopies();
    for (const Case& c : cases) {
        const ItemState& main = model.Item(c.name, c.main);
        const ItemState& copy = model.Item(c.name, c.copy);
        EXPECT_EQ(copy.left, main.left + c.dx) << c.name << c.copy;
        EXPECT_EQ(copy.top, main.top + c.dy) << c.name << c.copy;
    }
    // The calendar, WAP table and WAP page shadows keep their own places.
    const ItemState bar = model.Item("lblTitle_text", 5);
    model.Item("lblTitle_text", 8).left = 400;
    model.Item("lblText", 39).left = 400;
    model.PlaceTextCopies();
    EXPECT_EQ(model.Item("lblTitle_text", 5), bar);
    EXPECT_EQ(model.Item("lblText", 40).left, 0);
}

TEST(ArrangeMenuItems, TitlePicturesPushTheirListsDown) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(model.Item("lblText", 50 + k).top, 200 + 175 * k) << k;
        EXPECT_EQ(model.Item("lblText", 50 + k).height, 175);
    }
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(model.Item("lblText", k).top, 240 + 240 * k) << k;
        EXPECT_EQ(model.Item("lblText", k).height, 240);
    }

    SetSlot(theme, kSmallTitleSlot, true);
    model.ArrangeMenuItems(theme);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(model.Item("lblText", 50 + k).top, 200 + 175 * k + 160) << k;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(model.Item("lblText", k).top, 240 + 240 * k) << "phone book stays";

    SetSlot(theme, kMediumTitleSlot, true);
    model.ArrangeMenuItems(theme);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(model.Item("lblText", k).top, 240 + 240 * k + 246) << k;

    SetSlot(theme, kSmallTitleSlot, false);
    SetSlot(theme, kMediumTitleSlot, false);
    model.ArrangeMenuItems(theme);
    EXPECT_EQ(model.Item("lblText", 56).top, 200 + 175 * 6);
    EXPECT_EQ(model.Item("lblText", 4).top, 240 + 240 * 4);
}

// --- Sample texts --------------------------------------------------------------------------------------

TEST(ApplyLanguageTexts, GermanTextsReachEveryCopyAndTheEditTitleShrinks) {
    PreviewModel model;
    Texts texts;
    texts.SetLanguageOffset(kGerman);
    model.ApplyLanguageTexts(texts);
    for (int i : {0, 1, 2, 3, 4, 11, 12, 13, 14, 15}) EXPECT_EQ(model.Item("lblStandby_operatorname", i).caption, "D2") << i;
    for (int i : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}) EXPECT_EQ(model.Item("lblStandby_time", i).caption, "13:16") << i;
    for (int i : {34, 41, 42, 43, 44}) EXPECT_EQ(model.Item("lblText", i).caption, "Einstellungen") << i;
    EXPECT_EQ(model.Item("lblText", 0).caption, "1. Anrufen");
    EXPECT_EQ(model.Item("lblText", 56).caption, "7. Speicherstatus");
    EXPECT_EQ(model.Item("lblPopup_text", 4).caption, "4. Wort akzeptieren");
    EXPECT_EQ(model.Item("lblTitle_text", 6).caption, "Telefonbuch");
    EXPECT_EQ(model.Item("lblPromptText", 1).caption, "Schwedisch");
    EXPECT_EQ(model.Item("lblTitle_text", 1).caption, "WAP") << "the table title is not the language's";
    // "Wort bearbeiten" has 15 characters.
    EXPECT_EQ(model.Item("lblText", 36).fontSize, 8);
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 8);
    EXPECT_EQ(model.Item("lblText", 37).caption, "Wort bearbeiten");

    texts.SetLanguageOffset(kEnglish);
    model.ApplyLanguageTexts(texts);
    EXPECT_EQ(model.Item("lblText", 2).caption, "3. Manage contact") << "17 characters are shown whole";
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 9) << "Edit Word";
    EXPECT_EQ(model.Item("lblText", 36).fontSize, 9);
    EXPECT_EQ(model.Item("lblNotesText").caption, "Buy milk and bread....");
}

TEST(ApplyLanguageTexts, NumberModeShowsWhichNumberFeedsEachItem) {
    PreviewModel model;
    Texts texts;
    texts.SetShowTextNumbers(true);
    model.ApplyLanguageTexts(texts);
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(model.Item("lblText", k).caption, std::to_string(224 + k));
    for (int k = 0; k <= 6; ++k) EXPECT_EQ(model.Item("lblText", 50 + k).caption, std::to_string(232 + k));
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(model.Item("lblText", 5 + k).caption, std::to_string(257 + k));
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(model.Item("lblPopup_text", k).caption, std::to_string(251 + k));
    const std::map<std::pair<std::string, int>, std::string> singles = {
        {{"lblPopup_text", 10}, "230"}, {{"lblTitle_text", 7}, "231"},  {{"lblTitle_text", 3}, "239"},
        {{"lblText", 15}, "240"},       {{"lblPromptText", 0}, "241"},  {{"lblText", 36}, "242"},
        {{"lblText", 38}, "243"},       {{"lblPopup_title_text", 2}, "245"}, {{"lblPopup_text", 9}, "246"},
        {{"lblPopup_text", 8}, "247"},  {{"lblPopup_text", 5}, "248"},  {{"lblPopup_title_text", 0}, "250"},
        {{"lblTitle_text", 5}, "255"},  {{"lblText", 40}, "256"},       {{"lblNotesText", kNoIndex}, "229"},
    };
    for (const auto& [ref, number] : singles) EXPECT_EQ(model.Item(ref.first, ref.second).caption, number) << ref.first << ref.second;
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 9) << "\"242\" is short";
}

TEST(ApplyLanguageTexts, ShorteningCountsCharactersNotBytes) {
    std::map<int, std::string> custom = {
        {224, "Übersicht Kontakt"},    // 17 characters in 18 bytes: whole
        {225, "Call every contact"},   // 18: cut at the blank at position 11
        {247, "2. Input methodsx"},    // 17: shortened although it fits
        {242, "Wörterbuch"},           // 10 characters: the larger font
    };
    auto lookup = [&](int n) { return custom.count(n) ? custom[n] : std::string("x"); };
    PreviewModel model;
    model.ApplyLanguageTexts(lookup);
    EXPECT_EQ(model.Item("lblText", 0).caption, "Übersicht Kontakt");
    EXPECT_EQ(model.Item("lblText", 1).caption, "Call every...");
    EXPECT_EQ(model.Item("lblPopup_text", 8).caption, "2. Input...");
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 9);

    custom[247] = "2. Input methods";  // 16: whole
    custom[242] = "Edit a word";        // 11: the smaller font
    model.ApplyLanguageTexts(lookup);
    EXPECT_EQ(model.Item("lblPopup_text", 8).caption, "2. Input methods");
    EXPECT_EQ(model.Item("lblText", 37).fontSize, 8);
}

TEST(ApplyLanguageTexts, PlacesTheCopiesAgain) {
    PreviewModel model;
    model.Item("lblTitle_text", 2).left = 77;
    model.ApplyLanguageTexts(Texts{});
    EXPECT_EQ(model.Item("lblTitle_text", 7).left, 87);
}

// --- Marks ---------------------------------------------------------------------------------------------

std::vector<int> ArrowsOf(const Marks& marks) {
    std::vector<int> arrows;
    for (const ArrowPlacement& a : marks.arrows) arrows.push_back(a.arrow);
    std::ranges::sort(arrows);
    return arrows;
}

TEST(Marks, TableRowsAndSlotConditions) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    EXPECT_EQ(ArrowsOf(MarksFor(11, theme, model)), (std::vector<int>{2, 5}));
    EXPECT_EQ(ArrowsOf(MarksFor(12, theme, model)), (std::vector<int>{2}));
    EXPECT_EQ(ArrowsOf(MarksFor(4, theme, model)), (std::vector<int>{0, 2, 3, 5, 6, 10, 11, 12}));
    EXPECT_EQ(ArrowsOf(MarksFor(16, theme, model)), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(MarksFor(11, theme, model).hint, 0);

    const Marks name = MarksFor(0, theme, model);
    EXPECT_TRUE(name.arrows.empty());
    EXPECT_EQ(name.hint, 270);
    EXPECT_EQ(MarksFor(9, theme, model).arrows.size(), 7u);
    const Marks shadow = MarksFor(28, theme, model);
    EXPECT_TRUE(shadow.arrows.empty());
    EXPECT_EQ(shadow.hint, 271);
    EXPECT_EQ(ArrowsOf(MarksFor(8, theme, model)), (std::vector<int>{1}));
    EXPECT_EQ(MarksFor(8, theme, model).hint, 0);

    SetSlot(theme, kStandbySlot, true);
    SetSlot(theme, kDesktopSlot, true);
    model.RepaintAll(theme);
    for (int e = 0; e <= 3; ++e) {
        EXPECT_EQ(ArrowsOf(MarksFor(e, theme, model)), (std::vector<int>{0, 3})) << e;
        EXPECT_EQ(MarksFor(e, theme, model).hint, 0) << e;
    }
    EXPECT_EQ(MarksFor(9, theme, model).arrows.size(), 5u);
    EXPECT_TRUE(MarksFor(8, theme, model).arrows.empty());
    EXPECT_EQ(MarksFor(8, theme, model).hint, 278);
    EXPECT_EQ(MarksFor(99, theme, model).arrows.size(), 0u);
}

TEST(Marks, TitleMarksFollowTheTitlePicturesWithoutAFalseHint) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    EXPECT_EQ(ArrowsOf(MarksFor(5, theme, model)), (std::vector<int>{2, 5, 6, 10, 11, 12}));
    SetSlot(theme, kSmallTitleSlot, true);
    EXPECT_EQ(ArrowsOf(MarksFor(5, theme, model)), (std::vector<int>{2, 6, 10, 11, 12}));
    SetSlot(theme, kMediumTitleSlot, true);
    EXPECT_EQ(ArrowsOf(MarksFor(5, theme, model)), (std::vector<int>{6, 10, 11, 12}));
    EXPECT_EQ(MarksFor(5, theme, model).hint, 0);
    SetSlot(theme, kSmallTitleSlot, false);
    EXPECT_EQ(ArrowsOf(MarksFor(5, theme, model)), (std::vector<int>{5, 6, 10, 11, 12}));
    EXPECT_EQ(MarksFor(5, theme, model).hint, 0);
}

TEST(Marks, ArrowsFollowTheItemsTheyPointAt) {
    Theme theme = DistinctTheme();
    PreviewModel model = FreshModel(theme);
    const ArrowPlacement before = MarksFor(10, theme, model).arrows.at(0);
    SetSlot(theme, kSmallTitleSlot, true);
    model.ArrangeMenuItems(theme);
    const ArrowPlacement after = MarksFor(10, theme, model).arrows.at(0);
    EXPECT_EQ(after.arrow, 5);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y + 160);

    const ItemState& title = model.Item("lblText", 34);
    const ArrowPlacement desk = MarksFor(36, theme, model).arrows.at(0);
    EXPECT_GE(desk.x, title.left);
    EXPECT_GE(desk.y, title.top);

    // The desktop outline's arrow points at a copy that is shown: copy 41 with the desktop
    // picture, the drop-shadow copy 43 without it, at the same offset from the copy.
    SetSlot(theme, kDesktopSlot, true);
    model.ChangeColor(37, theme);
    const ArrowPlacement outline = MarksFor(37, theme, model).arrows.at(0);
    const int dx = outline.x - model.Item("lblText", 41).left;
    const int dy = outline.y - model.Item("lblText", 41).top;
    SetSlot(theme, kDesktopSlot, false);
    model.ChangeColor(37, theme);
    ASSERT_FALSE(model.Item("lblText", 41).visible);
    const ArrowPlacement shadow = MarksFor(37, theme, model).arrows.at(0);
    EXPECT_EQ(shadow.x - model.Item("lblText", 43).left, dx);
    EXPECT_EQ(shadow.y - model.Item("lblText", 43).top, dy);
    EXPECT_EQ(MarksFor(37, theme, model).hint, 0);
}

// Every arrow, in every slot configuration, points from inside its own screen at a visible item
// of that screen that carries the selected element's colour.
TEST(Marks, EveryArrowPointsAtItsColourInsideItsScreen) {
    for (int mask = 0; mask < 64; ++mask) {
        Theme theme = DistinctTheme();
        for (int s = 0; s < kSlotCount; ++s) SetSlot(theme, s, (mask >> s) & 1);
        const PreviewModel model = FreshModel(theme);
        for (int e = 0; e < kElementCount; ++e) {
            const Marks marks = MarksFor(e, theme, model);
            if (marks.hint != 0) {
                EXPECT_TRUE(marks.arrows.empty()) << "element " << e << " slots " << mask;
            }
            const Rgb c = ColourOf(theme, e);
            std::set<int> seen;
            for (const ArrowPlacement& a : marks.arrows) {
                EXPECT_TRUE(seen.insert(a.arrow).second) << "arrow " << a.arrow << " twice for element " << e;
                ASSERT_GE(a.arrow, 0);
                ASSERT_LT(a.arrow, kArrowCount);
                EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x < kScreenWidth && a.y < kScreenHeight)
                    << "element " << e << " arrow " << a.arrow << " at " << a.x << "," << a.y;
                bool hit = false;
                for (int id = 0; id < model.ItemCount() && !hit; ++id) {
                    const ItemState& s = model.State(id);
                    if (model.Def(id).screen != a.arrow || !s.visible) continue;
                    if (a.x < s.left || a.y < s.top || a.x >= s.left + s.width || a.y >= s.top + s.height) continue;
                    hit = s.text == c || s.back == c || s.border == c;
                }
                EXPECT_TRUE(hit) << "element " << e << " arrow " << a.arrow << " at " << a.x << "," << a.y << " slots "
                                 << mask;
            }
        }
    }
}

}  // namespace
}  // namespace tintora
