#include "preview/PreviewModel.h"

#include <algorithm>

#include "text/ShortenText.h"

namespace tintora {

namespace {

constexpr SlotCondition kStandbyOn = SlotOnCondition(kStandbySlot);
constexpr SlotCondition kStandbyOff = SlotOffCondition(kStandbySlot);

enum class Part { Text, Back, Border, Whole };  // Whole: back, border and fill of a shape

// What each element colours: the items name(first..last); single controls use kNoIndex.
struct ColourTarget {
    int element;
    SlotCondition when;
    Part part;
    std::string_view name;
    int first;
    int last;
};

const ColourTarget kColourTargets[] = {
    {0, kStandbyOn, Part::Text, "lblStandby_operatorname", 11, 11},
    {0, kStandbyOn, Part::Text, "lblStandby_operatorname", 2, 2},
    {1, kStandbyOn, Part::Text, "lblStandby_operatorname", 12, 15},
    {1, kStandbyOn, Part::Text, "lblStandby_operatorname", 0, 1},
    {1, kStandbyOn, Part::Text, "lblStandby_operatorname", 3, 4},
    {2, kStandbyOn, Part::Text, "lblStandby_time", 7, 7},
    {2, kStandbyOn, Part::Text, "lblStandby_time", 1, 1},
    {3, kStandbyOn, Part::Text, "lblStandby_time", 6, 6},
    {3, kStandbyOn, Part::Text, "lblStandby_time", 8, 10},
    {3, kStandbyOn, Part::Text, "lblStandby_time", 0, 0},
    {3, kStandbyOn, Part::Text, "lblStandby_time", 2, 4},
    {4, kAlways, Part::Back, "ShapeStandby", kNoIndex, kNoIndex},
    {4, kAlways, Part::Back, "f_notes", kNoIndex, kNoIndex},
    {4, kAlways, Part::Back, "f_calling", kNoIndex, kNoIndex},
    {4, kAlways, Part::Back, "lblText", 0, 1},
    {4, kAlways, Part::Back, "lblText", 3, 9},
    {4, kAlways, Part::Back, "lblText", 15, 32},
    {4, kAlways, Part::Back, "lblText", 50, 51},
    {4, kAlways, Part::Back, "lblText", 53, 56},
    {5, kAlways, Part::Back, "lblTitle_text", 3, 7},
    {5, kAlways, Part::Back, "lblText", 40, 40},
    {6, kAlways, Part::Text, "lblTitle_text", 0, 3},
    {6, kAlways, Part::Text, "lblTitle_text", 8, 8},
    {6, kAlways, Part::Text, "lblText", 39, 39},
    {7, kAlways, Part::Text, "lblTitle_text", 4, 7},
    {7, kAlways, Part::Text, "lblText", 40, 40},
    {8, kAlways, Part::Back, "f_Setting", kNoIndex, kNoIndex},
    {9, kAlways, Part::Text, "lblText", 0, 1},
    {9, kAlways, Part::Text, "lblText", 3, 9},
    {9, kAlways, Part::Text, "lblText", 17, 20},
    {9, kAlways, Part::Text, "lblText", 22, 23},
    {9, kAlways, Part::Text, "lblText", 25, 27},
    {9, kAlways, Part::Text, "lblText", 50, 51},
    {9, kAlways, Part::Text, "lblText", 53, 53},
    {9, kAlways, Part::Text, "lblText", 55, 56},
    {9, kStandbyOff, Part::Text, "lblStandby_operatorname", 11, 11},
    {9, kStandbyOff, Part::Text, "lblStandby_operatorname", 2, 2},
    {9, kStandbyOff, Part::Text, "lblStandby_time", 7, 7},
    {9, kStandbyOff, Part::Text, "lblStandby_time", 1, 1},
    {10, kAlways, Part::Text, "lblText", 54, 54},
    {11, kAlways, Part::Back, "lblText", 2, 2},
    {11, kAlways, Part::Back, "lblText", 52, 52},
    {12, kAlways, Part::Text, "lblText", 2, 2},
    {13, kAlways, Part::Text, "lblText", 52, 52},
    {14, kAlways, Part::Text, "lblText", 15, 15},
    {15, kAlways, Part::Text, "lblText", 24, 24},
    {16, kAlways, Part::Back, "lblPopup_title_text", 0, 0},
    {16, kAlways, Part::Back, "lblPopup_title_text", 2, 2},
    {16, kAlways, Part::Back, "lblText", 36, 36},
    {16, kAlways, Part::Whole, "ShapeProgressBar", 0, 0},
    {17, kAlways, Part::Text, "lblPopup_title_text", 1, 1},
    {17, kAlways, Part::Text, "lblPopup_title_text", 3, 3},
    {17, kAlways, Part::Text, "lblText", 37, 37},
    {17, kAlways, Part::Whole, "ShapeProgressBar", 1, 1},
    {18, kAlways, Part::Text, "lblText", 36, 36},
    {18, kAlways, Part::Text, "lblPopup_title_text", 2, 2},
    {18, kAlways, Part::Text, "lblPopup_title_text", 0, 0},
    {19, kAlways, Part::Back, "lblPopup_text", 0, 0},
    {19, kAlways, Part::Back, "lblPopup_text", 2, 3},
    {19, kAlways, Part::Back, "lblPopup_text", 5, 6},
    {19, kAlways, Part::Back, "lblPopup_text", 8, 9},
    {19, kAlways, Part::Back, "lblPopup_text", 11, 11},
    {19, kAlways, Part::Back, "lblPopup_text", 13, 13},
    {19, kAlways, Part::Back, "lblPromptText", 0, 1},
    {19, kAlways, Part::Back, "lblText", 38, 38},
    {20, kAlways, Part::Text, "lblPopup_text", 0, 0},
    {20, kAlways, Part::Text, "lblPopup_text", 2, 3},
    {20, kAlways, Part::Text, "lblPopup_text", 5, 5},
    {20, kAlways, Part::Text, "lblPopup_text", 9, 10},
    {20, kAlways, Part::Text, "lblPopup_text", 13, 13},
    {20, kAlways, Part::Text, "lblPromptText", 0, 1},
    {21, kAlways, Part::Text, "lblPopup_text", 8, 8},
    {22, kAlways, Part::Text, "lblText", 38, 38},
    {23, kAlways, Part::Text, "lblPopup_text", 11, 11},
    {24, kAlways, Part::Back, "lblPopup_text", 1, 1},
    {24, kAlways, Part::Back, "lblPopup_text", 4, 4},
    {25, kAlways, Part::Text, "lblPopup_text", 1, 1},
    {26, kAlways, Part::Text, "lblPopup_text", 4, 4},
    {27, kAlways, Part::Border, "shapeNotesBorder", kNoIndex, kNoIndex},
    // 28 Popup_shadow colours no preview item.
    {29, kAlways, Part::Border, "WapLine", 5, 6},
    {29, kAlways, Part::Border, "ShapeWapTable", kNoIndex, kNoIndex},
    {30, kAlways, Part::Border, "WapLine", 0, 4},
    {31, kAlways, Part::Text, "lblNotesText", kNoIndex, kNoIndex},
    {32, kAlways, Part::Back, "lblNotesText", kNoIndex, kNoIndex},
    {33, kAlways, Part::Text, "lblText", 28, 31},
    {34, kAlways, Part::Back, "lblText", 33, 33},
    {35, kAlways, Part::Text, "lblText", 33, 33},
    {36, kAlways, Part::Text, "lblText", 34, 34},
    {37, kAlways, Part::Text, "lblText", 41, 44},
};

// Elements whose copies are shown only while the standby picture is on.
constexpr int kOutlineElements[] = {1, 3};
constexpr int kTitleElement = 5;
constexpr int kDesktopOutlineElement = 37;

// The title bars that turn transparent over their title picture (element 5).
struct BarOverPicture {
    std::string_view name;
    int index;
    int slot;
};
constexpr BarOverPicture kBarsOverPictures[] = {
    {"lblTitle_text", 7, kSmallTitleSlot},
    {"lblTitle_text", 6, kMediumTitleSlot},
};

// Outline and shadow copies and their offsets from the main label.
struct TextCopy {
    std::string_view name;
    int main;
    int copy;
    int dx;
    int dy;
};
constexpr TextCopy kTextCopies[] = {
    {"lblStandby_operatorname", 11, 12, -10, 0}, {"lblStandby_operatorname", 11, 13, 0, -10},
    {"lblStandby_operatorname", 11, 14, 10, 0},  {"lblStandby_operatorname", 11, 15, 0, 10},
    {"lblStandby_operatorname", 2, 0, -10, 0},   {"lblStandby_operatorname", 2, 1, 0, -10},
    {"lblStandby_operatorname", 2, 3, 10, 0},    {"lblStandby_operatorname", 2, 4, 0, 10},
    {"lblText", 34, 41, -10, 0},                 {"lblText", 34, 42, 0, -10},
    {"lblText", 34, 43, 10, 0},                  {"lblText", 34, 44, 0, 10},
    {"lblStandby_time", 7, 6, -10, 0},           {"lblStandby_time", 7, 10, 0, -10},
    {"lblStandby_time", 7, 9, 10, 0},            {"lblStandby_time", 7, 8, 0, 10},
    {"lblStandby_time", 1, 0, -10, 0},           {"lblStandby_time", 1, 4, 0, -10},
    {"lblStandby_time", 1, 2, 10, 0},            {"lblStandby_time", 1, 3, 0, 10},
    {"lblTitle_text", 0, 6, 10, 10},
    {"lblTitle_text", 2, 7, 10, 10},
    {"lblText", 37, 36, 10, 10},
    {"lblPopup_title_text", 1, 2, 20, 20},
    {"lblPopup_title_text", 3, 0, 20, 20},
};
// Without a desktop picture the desktop title keeps only these two copies, as a drop shadow.
constexpr int kDesktopShadowCopies[] = {43, 44};

// The list rows that make room for a title picture.
struct MenuList {
    int first;  // lblText(first .. first + count - 1)
    int count;
    int slot;
    int topWithout;
    int topWith;
    int rowHeight;
};
constexpr MenuList kMenuLists[] = {
    {50, 7, kSmallTitleSlot, 200, 360, 175},
    {0, 5, kMediumTitleSlot, 240, 486, 240},
};

// The preview's sample texts. A numbered row gives name(i) the text `text + i - first`, else
// every item of the row gets `text`. A text longer than `shortenOver` characters is shortened
// to 17. The font-size row sizes the popup entry title by the length of its text.
enum class RuleKind { Caption, EditWordFontSize };
struct CaptionRule {
    std::string_view name;
    int first;
    int last;
    int text;
    bool numbered = false;
    int shortenOver = 0;  // 0: never shortened
    RuleKind kind = RuleKind::Caption;
};
constexpr int kShortenTo = 17;
const CaptionRule kCaptionRules[] = {
    {"lblStandby_operatorname", 0, 4, 220},
    {"lblStandby_operatorname", 11, 15, 220},
    {"lblStandby_time", 0, 4, 221},
    {"lblStandby_time", 6, 10, 221},
    {"lblText", 34, 34, 222},
    {"lblText", 41, 44, 222},
    {"lblTitle_text", 0, 0, 223},
    {"lblTitle_text", 6, 6, 223},
    {"lblText", 0, 4, 224, true, 17},
    {"lblNotesText", kNoIndex, kNoIndex, 229},
    {"lblPopup_text", 10, 10, 230},
    {"lblTitle_text", 2, 2, 231},
    {"lblTitle_text", 7, 7, 231},
    {"lblText", 50, 56, 232, true},
    {"lblTitle_text", 3, 3, 239},
    {"lblText", 15, 15, 240},
    {"lblPromptText", 0, 0, 241},
    {"lblText", 36, 37, 242, false, 0, RuleKind::EditWordFontSize},
    {"lblText", 36, 37, 242},
    {"lblText", 38, 38, 243},
    {"lblPromptText", 1, 1, 244},
    {"lblPopup_title_text", 1, 2, 245},
    {"lblPopup_text", 9, 9, 246},
    {"lblPopup_text", 8, 8, 247, false, 16},
    {"lblPopup_text", 5, 5, 248},
    {"lblPopup_text", 4, 4, 249},
    {"lblPopup_title_text", 3, 3, 250},
    {"lblPopup_title_text", 0, 0, 250},
    {"lblPopup_text", 0, 3, 251, true},
    {"lblTitle_text", 8, 8, 255},
    {"lblTitle_text", 5, 5, 255},
    {"lblText", 39, 40, 256},
    {"lblText", 5, 9, 257, true},
};
constexpr int kEditWordLongText = 10;  // longer texts get the smaller font
constexpr int kEditWordSmallFont = 8;
constexpr int kEditWordLargeFont = 9;

}  // namespace

PreviewModel::PreviewModel() : defs_(PreviewItems()) {
    items_.reserve(defs_.size());
    for (std::size_t id = 0; id < defs_.size(); ++id) {
        const ItemDef& d = defs_[id];
        ItemState s;
        s.transparent = d.transparent;
        s.visible = d.visible;
        s.left = d.left;
        s.top = d.top;
        s.width = d.width;
        s.height = d.height;
        s.caption = std::string(d.caption);
        s.fontSize = d.fontSize;
        s.bold = d.bold;
        items_.push_back(std::move(s));
        byName_.emplace(std::make_pair(d.name, d.index), static_cast<int>(id));
    }
    PlaceTextCopies();
}

int PreviewModel::Find(std::string_view name, int index) const {
    const auto it = byName_.find({name, index});
    return it == byName_.end() ? -1 : it->second;
}

const ItemState& PreviewModel::Item(std::string_view name, int index) const {
    const int id = Find(name, index);
    if (id >= 0) return State(id);
    ++misses_;
    return spare_;
}

ItemState& PreviewModel::Item(std::string_view name, int index) {
    const int id = Find(name, index);
    if (id >= 0) return State(id);
    ++misses_;
    spare_ = ItemState{};
    return spare_;
}

int PreviewModel::ItemAt(int screen, int x, int y) const {
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return -1;
    int found = -1;
    for (int id = 0; id < ItemCount(); ++id) {
        const ItemDef& d = Def(id);
        const ItemState& s = State(id);
        if (d.screen != screen || !s.visible) continue;
        if (x < s.left || y < s.top || x >= s.left + s.width || y >= s.top + s.height) continue;
        // Later items of the same z are painted over earlier ones.
        if (found < 0 || d.z >= Def(found).z) found = id;
    }
    return found;
}

void PreviewModel::ChangeColour(int index, const Theme& theme) {
    if (index < 0 || index >= kElementCount) return;
    const Rgb c = MakeRGB(theme.colours[static_cast<std::size_t>(index)]);
    const bool standbyOn = theme.SlotOn(kStandbySlot);

    for (const ColourTarget& t : kColourTargets) {
        if (t.element != index || !Holds(t.when, theme)) continue;
        for (int i = t.first; i <= t.last; ++i) {
            ItemState& item = Item(t.name, i);
            switch (t.part) {
                case Part::Text: item.text = c, item.textElement = index; break;
                case Part::Back: item.back = c, item.backElement = index; break;
                case Part::Border: item.border = c, item.borderElement = index; break;
                case Part::Whole:
                    item.back = item.border = c;
                    item.backElement = item.borderElement = index;
                    break;
            }
        }
    }

    // The outline copies of the standby texts exist only over the standby picture.
    if (std::ranges::find(kOutlineElements, index) != std::end(kOutlineElements)) {
        for (const ColourTarget& t : kColourTargets) {
            if (t.element != index) continue;
            for (int i = t.first; i <= t.last; ++i) Item(t.name, i).visible = standbyOn;
        }
    }

    // A title bar over its title picture keeps the colour but lets the picture show.
    if (index == kTitleElement) {
        for (const BarOverPicture& b : kBarsOverPictures) Item(b.name, b.index).transparent = theme.SlotOn(b.slot);
    }

    // The desktop title: a full outline over the desktop picture, a drop shadow without it.
    if (index == kDesktopOutlineElement) {
        const bool desktopOn = theme.SlotOn(kDesktopSlot);
        const ItemState& main = Item("lblText", 34);
        const int l = main.left;
        const int t = main.top;
        for (const TextCopy& copy : kTextCopies) {
            if (copy.name != "lblText" || copy.main != 34) continue;
            ItemState& item = Item(copy.name, copy.copy);
            item.left = l + copy.dx;
            item.top = t + copy.dy;
            item.visible = desktopOn || std::ranges::find(kDesktopShadowCopies, copy.copy) != std::end(kDesktopShadowCopies);
        }
    }
}

void PreviewModel::PlaceTextCopies() {
    for (const TextCopy& copy : kTextCopies) {
        const ItemState& main = Item(copy.name, copy.main);
        const int l = main.left;
        const int t = main.top;
        ItemState& item = Item(copy.name, copy.copy);
        item.left = l + copy.dx;
        item.top = t + copy.dy;
    }
}

void PreviewModel::ArrangeMenuItems(const Theme& theme) {
    for (const MenuList& list : kMenuLists) {
        const int top = theme.SlotOn(list.slot) ? list.topWith : list.topWithout;
        for (int k = 0; k < list.count; ++k) {
            ItemState& row = Item("lblText", list.first + k);
            row.top = top + list.rowHeight * k;
            row.height = list.rowHeight;
        }
    }
}

void PreviewModel::SetStandbyFillTransparent(bool transparent) { Item("ShapeStandby").transparent = transparent; }

void PreviewModel::ShowBackImage(int holder, bool visible) {
    if (holder < 0 || holder >= kBackImageCount) return;
    Item("BackImage", holder).visible = visible;
}

void PreviewModel::ApplyLanguageTexts(const Texts& texts) {
    ApplyLanguageTexts([&texts](int number) { return texts.GetText(number); });
}

void PreviewModel::ApplyLanguageTexts(const std::function<std::string(int)>& getText) {
    for (const CaptionRule& rule : kCaptionRules) {
        if (rule.kind == RuleKind::EditWordFontSize) {
            const int size = CharacterCount(getText(rule.text)) > kEditWordLongText ? kEditWordSmallFont
                                                                                        : kEditWordLargeFont;
            for (int i = rule.first; i <= rule.last; ++i) Item(rule.name, i).fontSize = size;
            continue;
        }
        for (int i = rule.first; i <= rule.last; ++i) {
            std::string text = getText(rule.numbered ? rule.text + i - rule.first : rule.text);
            if (rule.shortenOver > 0 && CharacterCount(text) > rule.shortenOver) text = ShortenText(text, kShortenTo);
            Item(rule.name, i).caption = std::move(text);
        }
    }
    PlaceTextCopies();
}

void PreviewModel::RepaintAll(const Theme& theme) {
    for (int slot = 0; slot < kSlotCount; ++slot) ShowBackImage(slot, theme.SlotOn(slot));
    ShowBackImage(kBackImageCount - 1, theme.SlotOn(kStandbySlot));
    SetStandbyFillTransparent(theme.SlotOn(kStandbySlot));
    ArrangeMenuItems(theme);
    for (int i = 0; i < kElementCount; ++i) ChangeColour(i, theme);
}

}  // namespace tintora
