#pragma once
// The phone preview as constant data: thirteen screens of 101 x 80 phone pixels, the items on
// them (labels, shapes, lines, picture holders, the screens' own backgrounds) and where the
// screens sit in the preview. All lengths are twips (15 twips make one pixel at zoom 1).

#include <array>
#include <span>
#include <string_view>

#include "model/Theme.h"

namespace tintora {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kScreenCount = 13;
inline constexpr int kScreenWidth = 1515;   // 101 phone pixels
inline constexpr int kScreenHeight = 1200;  // 80 phone pixels
inline constexpr int kScreenGap = 120;      // between screens and around the grid
inline constexpr int kScreenColumns = 5;
inline constexpr int kArrowCount = 13;
inline constexpr int kArrowWidth = 240;     // marker arrows are 16 x 32 pixels
inline constexpr int kArrowHeight = 480;
inline constexpr int kBackImageCount = 7;   // holder 6 shows slot 0's picture a second time
inline constexpr int kNoIndex = -1;         // the index of an item that is not part of an array

// Screen s is the screen of marker arrow s.
struct ScreenDef {
    std::string_view name;
    int column;  // place in the preview grid
    int row;
};
extern const std::array<ScreenDef, kScreenCount> kScreens;

// Top-left corner of a screen inside the preview, and the preview's whole size.
int ScreenLeft(int screen);
int ScreenTop(int screen);
int PreviewWidthTwips();
int PreviewHeightTwips();

enum class ItemKind { FrameBackground, Label, Shape, Line, Picture };
// Columns: the caption's blank-separated fields are centred in `columns` equal cells (the
// calendar's day numbers line up that way whatever the font).
enum class Align { Left, Center, Right, Columns };

// One item as the screen layout gives it. Labels, shapes and lines are named as the editor
// window names its controls: an array name and an index, or kNoIndex for a single control. A
// screen's own background is named after the screen. Picture holders are `BackImage`(holder).
struct ItemDef {
    ItemKind kind;
    std::string_view name;
    int index;
    int screen;
    int left, top, width, height;  // within the screen; a line is a width x height strip
    int z;                         // paint order within the screen, lowest first
    int fontSize = 0;              // points
    bool bold = false;
    Align align = Align::Left;
    int columns = 0;
    bool wrap = false;             // word-wrapped from the top instead of one centred line
    bool transparent = false;      // background not painted
    bool visible = true;
    std::string_view caption = {}; // a fixed caption the language routine does not set
    int borderWidth = 0;           // shapes; lines are always one phone pixel thick
};

std::span<const ItemDef> PreviewItems();

// A condition on a picture slot: always (slot -1), or while the slot is on / not on.
struct SlotCondition {
    int slot = -1;
    bool on = true;
};
inline constexpr SlotCondition kAlways{};
inline constexpr SlotCondition SlotOnCondition(int slot) { return {slot, true}; }
inline constexpr SlotCondition SlotOffCondition(int slot) { return {slot, false}; }
inline bool Holds(const SlotCondition& c, const Theme& theme) {
    return c.slot < 0 || theme.SlotOn(c.slot) == c.on;
}

// The picture slots whose state changes the preview's colours and rows.
inline constexpr int kStandbySlot = 0;
inline constexpr int kDesktopSlot = 1;
inline constexpr int kMediumTitleSlot = 2;
inline constexpr int kSmallTitleSlot = 3;

}  // namespace tintora
