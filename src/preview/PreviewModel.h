#pragma once
// The phone preview's current state: colours, visibility, places and captions of every item of
// the layout. Plain data; the window's view and the command line call its operations and a
// painter draws it.

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/ColourText.h"
#include "model/Theme.h"
#include "preview/PreviewLayout.h"
#include "text/Texts.h"

namespace tintora {

struct ItemState {
    Rgb text{0, 0, 0};
    Rgb back{255, 255, 255};
    Rgb border{0, 0, 0};  // a shape's border and fill, a line's colour
    bool transparent = false;
    bool visible = true;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string caption;
    int fontSize = 0;
    bool bold = false;
    // The colour elements that last painted the text, back and border: the ones the phone shows
    // there. -1 where no element paints (the value is then the layout's default).
    int textElement = -1;
    int backElement = -1;
    int borderElement = -1;
    friend bool operator==(const ItemState&, const ItemState&) = default;
};

class PreviewModel {
public:
    // Every item as the layout gives it, with the text copies placed around their main texts.
    PreviewModel();

    int ItemCount() const { return static_cast<int>(items_.size()); }
    const ItemDef& Def(int id) const { return defs_[static_cast<std::size_t>(id)]; }
    const ItemState& State(int id) const { return items_[static_cast<std::size_t>(id)]; }
    ItemState& State(int id) { return items_[static_cast<std::size_t>(id)]; }

    // The id of the item called name(index), or -1.
    int Find(std::string_view name, int index = kNoIndex) const;
    // The item called name(index). Asking for an item the layout lacks answers a spare item and
    // counts a miss, so a wrong name in a table shows up in MissedLookups instead of crashing.
    const ItemState& Item(std::string_view name, int index = kNoIndex) const;
    ItemState& Item(std::string_view name, int index = kNoIndex);
    int MissedLookups() const { return misses_; }

    // The topmost visible item of `screen` that covers the point (twips within the screen); the
    // screen's own background when nothing else does; -1 outside the screen.
    int ItemAt(int screen, int x, int y) const;

    // Repaints the preview items of element `index` with the element's value in `theme`, taking
    // the slots' on states into account.
    void ChangeColour(int index, const Theme& theme);
    // Puts every outline and shadow copy at its offset from its main text.
    void PlaceTextCopies();
    // Places the list rows under the medium and the small title pictures.
    void ArrangeMenuItems(const Theme& theme);
    // The standby screen's background fill; transparent while the standby picture is on.
    void SetStandbyFillTransparent(bool transparent);
    // Picture holder 0..6.
    void ShowBackImage(int holder, bool visible);
    // The sample texts and the title font size of the language in force, then PlaceTextCopies.
    void ApplyLanguageTexts(const Texts& texts);
    // The same with any lookup of catalogue texts by base number.
    void ApplyLanguageTexts(const std::function<std::string(int)>& getText);
    // Brings a fresh model in line with a theme: pictures per slot, the standby fill, the list
    // rows, and every element repainted.
    void RepaintAll(const Theme& theme);

private:
    std::span<const ItemDef> defs_;
    std::vector<ItemState> items_;
    std::map<std::pair<std::string_view, int>, int> byName_;
    mutable int misses_ = 0;
    mutable ItemState spare_;
};

}  // namespace tintora
