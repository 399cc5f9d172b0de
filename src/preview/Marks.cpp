#include "preview/Marks.h"

#include <string_view>

namespace tintora {

namespace {

constexpr SlotCondition kStandbyOn = SlotOnCondition(kStandbySlot);
constexpr SlotCondition kStandbyOff = SlotOffCondition(kStandbySlot);

// Arrow `arrow` of element `element`, while `when` holds, at anchor(index) + (dx, dy). The
// anchor is an item of the arrow's screen that carries the element's colour; a screen's own
// background is named after the screen.
struct ArrowRule {
    int element;
    SlotCondition when;
    int arrow;
    std::string_view anchor;
    int index;
    int dx;
    int dy;
};

// Offsets that hit a centred title: main titles are 1535 twips wide starting 10 left of the
// screen (popup titles 1555 starting 20 left), so +767 (+777) is the middle of the screen.
// Shadow marks sit 30 twips further right and 20 lower, on the shadow copy.
//
// Element 5 (Title): the bar of the SMS list and of the phone book is a shadow copy that turns
// transparent over its title picture, so those two arrows are shown only while the small
// (slot 3) or medium (slot 2) title is off. The hints 274 and 269 ("Only active if a Small /
// Medium Picture is active") are never shown: in this preview the Title colour shows on those
// bars exactly when the picture is off, so the hint would be false in either state, and the
// remaining arrows already mark where the colour is in use.
//
// Element 37 (Desktop_title_outline): its colour is in use in both desktop states, as a full
// outline over the desktop picture and as a drop shadow (copies 43 and 44) without it. So hint
// 278 ("Only active if no desktop picture is active") would be false in either state; instead
// the arrow points at copy 41 while the outline shows and at copy 43 while only the shadow does.
//
// Element 7 (Title_text_shadow) has no arrow in the text-entry screen: its title has no shadow
// copy, so the shadow colour is not used there.
const ArrowRule kArrowRules[] = {
    {0, kStandbyOn, 0, "lblStandby_operatorname", 11, 457, 150},
    {0, kStandbyOn, 3, "lblStandby_operatorname", 2, 457, 150},
    {1, kStandbyOn, 0, "lblStandby_operatorname", 11, 437, 120},
    {1, kStandbyOn, 3, "lblStandby_operatorname", 2, 437, 120},
    {2, kStandbyOn, 0, "lblStandby_time", 7, 557, 180},
    {2, kStandbyOn, 3, "lblStandby_time", 1, 557, 180},
    {3, kStandbyOn, 0, "lblStandby_time", 7, 537, 150},
    {3, kStandbyOn, 3, "lblStandby_time", 1, 537, 150},

    {4, kAlways, 0, "ShapeStandby", kNoIndex, 150, 850},
    {4, kAlways, 2, "lblText", 1, 1420, 40},
    {4, kAlways, 3, "f_notes", kNoIndex, 120, 150},
    {4, kAlways, 5, "lblText", 53, 1420, 25},
    {4, kAlways, 6, "lblText", 16, 400, 400},
    {4, kAlways, 10, "lblText", 32, 1200, 820},
    {4, kAlways, 11, "lblText", 6, 1200, 40},
    {4, kAlways, 12, "lblText", 21, 500, 760},

    {5, SlotOffCondition(kSmallTitleSlot), 5, "lblTitle_text", 2, 150, 100},
    {5, SlotOffCondition(kMediumTitleSlot), 2, "lblTitle_text", 0, 150, 150},
    {5, kAlways, 6, "lblTitle_text", 3, 150, 120},
    {5, kAlways, 10, "lblTitle_text", 8, 150, 120},
    {5, kAlways, 11, "lblText", 39, 80, 150},
    {5, kAlways, 12, "lblTitle_text", 1, 80, 150},

    {6, kAlways, 5, "lblTitle_text", 2, 767, 100},
    {6, kAlways, 2, "lblTitle_text", 0, 767, 130},
    {6, kAlways, 6, "lblTitle_text", 3, 757, 120},
    {6, kAlways, 10, "lblTitle_text", 8, 767, 120},
    {6, kAlways, 11, "lblText", 39, 767, 120},
    {6, kAlways, 12, "lblTitle_text", 1, 767, 120},

    {7, kAlways, 5, "lblTitle_text", 2, 797, 120},
    {7, kAlways, 2, "lblTitle_text", 0, 797, 150},
    {7, kAlways, 10, "lblTitle_text", 8, 797, 140},
    {7, kAlways, 11, "lblText", 39, 797, 140},
    {7, kAlways, 12, "lblTitle_text", 1, 797, 140},

    {8, SlotOffCondition(kDesktopSlot), 1, "f_Setting", kNoIndex, 120, 600},

    {9, kStandbyOff, 0, "lblStandby_operatorname", 11, 457, 150},
    {9, kStandbyOff, 3, "lblStandby_operatorname", 2, 457, 150},
    {9, kAlways, 2, "lblText", 1, 300, 100},
    {9, kAlways, 5, "lblText", 51, 300, 80},
    {9, kAlways, 10, "lblText", 23, 100, 80},
    {9, kAlways, 11, "lblText", 7, 100, 80},
    {9, kAlways, 12, "lblText", 19, 300, 120},

    {10, kAlways, 5, "lblText", 54, 300, 80},
    {11, kAlways, 2, "lblText", 2, 1420, 40},
    {11, kAlways, 5, "lblText", 52, 1420, 25},
    {12, kAlways, 2, "lblText", 2, 300, 100},
    {13, kAlways, 5, "lblText", 52, 300, 80},
    {14, kAlways, 6, "lblText", 15, 150, 90},
    {15, kAlways, 6, "lblText", 24, 50, 90},

    {16, kAlways, 7, "lblText", 36, 120, 100},
    {16, kAlways, 8, "lblPopup_title_text", 2, 120, 100},
    {16, kAlways, 9, "lblPopup_title_text", 0, 120, 100},
    {17, kAlways, 4, "ShapeProgressBar", 1, 200, 60},
    {17, kAlways, 7, "lblText", 37, 767, 130},
    {17, kAlways, 8, "lblPopup_title_text", 1, 777, 140},
    {17, kAlways, 9, "lblPopup_title_text", 3, 777, 140},
    {18, kAlways, 7, "lblText", 37, 797, 150},
    {18, kAlways, 8, "lblPopup_title_text", 1, 807, 160},
    {18, kAlways, 9, "lblPopup_title_text", 3, 807, 160},
    {19, kAlways, 4, "lblPopup_text", 13, 60, 60},
    {19, kAlways, 6, "lblPromptText", 0, 30, 30},
    {19, kAlways, 7, "lblPopup_text", 6, 1200, 400},
    {19, kAlways, 8, "lblPopup_text", 9, 1420, 40},
    {19, kAlways, 9, "lblPopup_text", 0, 1420, 40},
    {20, kAlways, 4, "lblPopup_text", 10, 652, 120},
    {20, kAlways, 6, "lblPromptText", 0, 420, 80},
    {20, kAlways, 7, "lblPromptText", 1, 420, 80},
    {20, kAlways, 8, "lblPopup_text", 9, 300, 120},
    {20, kAlways, 9, "lblPopup_text", 0, 300, 120},
    {21, kAlways, 8, "lblPopup_text", 8, 300, 120},
    {22, kAlways, 7, "lblText", 38, 150, 90},
    {23, kAlways, 7, "lblPopup_text", 11, 50, 90},
    {24, kAlways, 8, "lblPopup_text", 4, 1420, 40},
    {24, kAlways, 9, "lblPopup_text", 1, 1420, 40},
    {25, kAlways, 9, "lblPopup_text", 1, 300, 120},
    {26, kAlways, 8, "lblPopup_text", 4, 300, 120},
    {27, kAlways, 3, "shapeNotesBorder", kNoIndex, 1328, 150},
    {29, kAlways, 12, "ShapeWapTable", kNoIndex, 1328, 100},
    {30, kAlways, 11, "WapLine", 2, 100, 0},
    {31, kAlways, 3, "lblNotesText", kNoIndex, 300, 90},
    {32, kAlways, 3, "lblNotesText", kNoIndex, 1000, 380},
    {33, kAlways, 10, "lblText", 29, 108, 90},
    {34, kAlways, 10, "lblText", 33, 20, 20},
    {35, kAlways, 10, "lblText", 33, 100, 90},
    {36, kAlways, 1, "lblText", 34, 727, 150},
    {37, SlotOnCondition(kDesktopSlot), 1, "lblText", 41, 707, 130},
    {37, SlotOffCondition(kDesktopSlot), 1, "lblText", 43, 707, 130},
};

// Hints explain a mark that is missing; when two apply, the later one stays.
struct HintRule {
    int element;
    SlotCondition when;
    int hint;
};
const HintRule kHintRules[] = {
    {0, kStandbyOff, 270},
    {1, kStandbyOff, 270},
    {2, kStandbyOff, 270},
    {3, kStandbyOff, 270},
    {8, SlotOnCondition(kDesktopSlot), 278},
    {28, kAlways, 271},
};

}  // namespace

Marks MarksFor(int element, const Theme& theme, const PreviewModel& preview) {
    Marks marks;
    for (const ArrowRule& rule : kArrowRules) {
        if (rule.element != element || !Holds(rule.when, theme)) continue;
        const ItemState& anchor = preview.Item(rule.anchor, rule.index);
        marks.arrows.push_back({rule.arrow, anchor.left + rule.dx, anchor.top + rule.dy});
    }
    for (const HintRule& rule : kHintRules) {
        if (rule.element == element && Holds(rule.when, theme)) marks.hint = rule.hint;
    }
    return marks;
}

}  // namespace tintora
