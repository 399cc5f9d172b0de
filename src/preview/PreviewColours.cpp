#include "preview/PreviewColours.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "colourrules/Contrast.h"
#include "colourrules/PhoneColours.h"
#include "pictures/ImageInfo.h"
#include "text/FillIn.h"
#include "text/PreviewTexts.h"

namespace tintora {

namespace {

// Outlines, shadows and cursors colour copies or marks of a text, not texts of their own.
constexpr int kNotOwnTexts[] = {1, 3, 7, 15, 18, 23, 37};
// The disabled texts are meant to look faint.
constexpr int kFaintTexts[] = {10, 13, 21, 26};

bool In(std::span<const int> list, int element) { return std::ranges::find(list, element) != list.end(); }

int SlotOfHolder(int holder) { return holder == kBackImageCount - 1 ? kStandbySlot : holder; }

bool Covers(const ItemState& s, int x, int y) {
    return x >= s.left && y >= s.top && x < s.left + s.width && y < s.top + s.height;
}

bool OnBorder(const ItemDef& d, const ItemState& s, int x, int y) {
    const int w = d.borderWidth;
    return w > 0 && (x < s.left + w || y < s.top + w || x >= s.left + s.width - w || y >= s.top + s.height - w);
}

// Painted later means on top: a higher z, or the same z and later in the layout.
bool Above(const PreviewModel& p, int a, int b) {
    const int za = p.Def(a).z, zb = p.Def(b).z;
    return za != zb ? za > zb : a > b;
}

// The walk of ColoursAt, leaving out the items painted at or above `below` (-1: none left out)
// and, with `fillOnly`, every text.
std::vector<ColourSource> Walk(const PreviewModel& p, int screen, int x, int y, int below, bool fillOnly) {
    std::vector<ColourSource> out;
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return out;
    std::array<int, 64> ids{};
    std::size_t count = 0;
    for (int id = 0; id < p.ItemCount() && count < ids.size(); ++id) {
        const ItemDef& d = p.Def(id);
        if (d.screen != screen || !p.State(id).visible || !Covers(p.State(id), x, y)) continue;
        if (below >= 0 && !Above(p, below, id)) continue;
        ids[count++] = id;
    }
    std::sort(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(count),
              [&](int a, int b) { return Above(p, a, b); });
    const auto add = [&](SourceKind kind, int element, int id) {
        if (element < 0) return;
        for (const ColourSource& s : out)
            if (s.element == element && (s.kind == SourceKind::Picture) == (kind == SourceKind::Picture)) return;
        out.push_back({kind, element, id});
    };
    for (std::size_t i = 0; i < count; ++i) {
        const int id = ids[i];
        const ItemDef& d = p.Def(id);
        const ItemState& s = p.State(id);
        switch (d.kind) {
            case ItemKind::Picture: add(SourceKind::Picture, SlotOfHolder(d.index), id); return out;
            case ItemKind::Line: add(SourceKind::Border, s.borderElement, id); return out;
            case ItemKind::FrameBackground: add(SourceKind::Fill, s.backElement, id); return out;
            case ItemKind::Shape:
                if (OnBorder(d, s, x, y)) {
                    add(SourceKind::Border, s.borderElement, id);
                    return out;
                }
                if (!s.transparent) {
                    add(SourceKind::Fill, s.backElement, id);
                    return out;
                }
                break;
            case ItemKind::Label:
                if (!fillOnly && !s.caption.empty()) add(SourceKind::Text, s.textElement, id);
                if (!s.transparent) {
                    add(SourceKind::Fill, s.backElement, id);
                    return out;
                }
                break;
        }
    }
    return out;
}

// Where a text item is measured: the middle of the part of it that lies on its screen; false
// when none does.
bool MiddleOnScreen(const ItemState& s, int& x, int& y) {
    const int l = std::max(s.left, 0), t = std::max(s.top, 0);
    const int r = std::min(s.left + s.width, kScreenWidth), b = std::min(s.top + s.height, kScreenHeight);
    if (l >= r || t >= b) return false;
    x = (l + r) / 2;
    y = (t + b) / 2;
    return true;
}

Rgb Shown(const Theme& theme, int element) {
    return PhoneColour(MakeRGB(theme.colours[static_cast<std::size_t>(element)]));
}

std::string SourceText(const ColourSource& s, const Theme& theme, const Texts& texts) {
    if (s.kind != SourceKind::Picture)
        return ElementName(s.element) + " " + theme.colours[static_cast<std::size_t>(s.element)];
    const SlotDef& slot = kSlots[static_cast<std::size_t>(s.element)];
    std::string text = FillIn(texts.GetText(kTextSlotPicture), {texts.GetText(slot.LabelNumber())});
    text += " " + std::string(slot.member);
    const auto& data = theme.members[static_cast<std::size_t>(slot.index)].data;
    if (data)
        if (const auto info = MeasureImage(*data); info && info->width > 0)
            text += ", " + std::to_string(info->width) + " x " + std::to_string(info->height);
    return text;
}

Rgb SourceColour(const ColourSource& s, const PreviewModel& p) {
    const ItemState& item = p.State(s.item);
    return s.kind == SourceKind::Text ? item.text : s.kind == SourceKind::Border ? item.border : item.back;
}

}  // namespace

std::vector<ColourSource> ColoursAt(const PreviewModel& preview, int screen, int x, int y) {
    return Walk(preview, screen, x, y, -1, false);
}

int PickElement(const std::vector<ColourSource>& sources, const PreviewModel& preview, const Rgb& painted) {
    int best = -1;
    long bestDistance = 0;
    for (const ColourSource& s : sources) {
        if (s.kind == SourceKind::Picture) continue;
        const Rgb c = SourceColour(s, preview);
        const long dr = c.red - painted.red, dg = c.green - painted.green, db = c.blue - painted.blue;
        const long d = dr * dr + dg * dg + db * db;
        if (best < 0 || d < bestDistance) {
            best = s.element;
            bestDistance = d;
        }
    }
    return best;
}

std::string ElementName(int element) {
    if (element < 0 || element >= kElementCount) return {};
    std::string name(kElements[static_cast<std::size_t>(element)].tag);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '_') name[i] = ' ';
        else if (i > 0) name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    }
    return name;
}

std::string DescribeColours(const std::vector<ColourSource>& sources, const Theme& theme, const Texts& texts) {
    std::string out;
    std::size_t first = 0, last = sources.size();
    if (sources.size() >= 2 && sources.front().kind == SourceKind::Text && sources.back().kind != SourceKind::Text &&
        sources.back().kind != SourceKind::Border) {
        out = FillIn(texts.GetText(kTextColourOn),
                     {SourceText(sources.front(), theme, texts), SourceText(sources.back(), theme, texts)});
        first = 1;
        --last;
    }
    for (std::size_t i = first; i < last; ++i) {
        if (!out.empty()) out += '\n';
        out += SourceText(sources[i], theme, texts);
    }
    return out;
}

bool ContrastPair::HardToRead() const { return !faint && ratio < kHardToReadRatio; }

std::vector<ContrastPair> ContrastPairs(const Theme& theme, const PreviewModel& preview) {
    std::vector<ContrastPair> pairs;
    for (int id = 0; id < preview.ItemCount(); ++id) {
        const ItemDef& d = preview.Def(id);
        const ItemState& s = preview.State(id);
        if (d.kind != ItemKind::Label || !s.visible || s.caption.empty() || s.textElement < 0) continue;
        if (In(kNotOwnTexts, s.textElement)) continue;
        int x = 0, y = 0;
        if (!MiddleOnScreen(s, x, y)) continue;
        int fill = -1;
        if (!s.transparent) {
            fill = s.backElement;
        } else {
            const std::vector<ColourSource> beneath = Walk(preview, d.screen, x, y, id, true);
            if (!beneath.empty() && beneath.back().kind == SourceKind::Fill) fill = beneath.back().element;
        }
        if (fill < 0) continue;  // on a picture, or on nothing an element colours
        auto it = std::ranges::find_if(pairs, [&](const ContrastPair& p) { return p.text == s.textElement && p.fill == fill; });
        if (it == pairs.end()) {
            ContrastPair p;
            p.text = s.textElement;
            p.fill = fill;
            p.ratio = ContrastRatio(Shown(theme, p.text), Shown(theme, fill));
            p.faint = In(kFaintTexts, p.text);
            pairs.push_back(std::move(p));
            it = pairs.end() - 1;
        }
        it->items.push_back(id);
    }
    std::ranges::stable_sort(pairs, [](const ContrastPair& a, const ContrastPair& b) {
        if (a.ratio != b.ratio) return a.ratio < b.ratio;
        return a.text != b.text ? a.text < b.text : a.fill < b.fill;
    });
    return pairs;
}

ContrastFix FixFor(const ContrastPair& pair, const Theme& theme) {
    ContrastFix fix;
    const Rgb fill = MakeRGB(theme.colours[static_cast<std::size_t>(pair.fill)]);
    const auto colour = ReadableTextColour(MakeRGB(theme.colours[static_cast<std::size_t>(pair.text)]), fill);
    if (!colour) return fix;
    fix.element = pair.text;
    fix.value = ColourTextFromBgr(ToBgr(*colour));
    fix.ratio = ContrastRatio(*colour, PhoneColour(fill));
    return fix;
}

std::string ContrastHeading(const Texts& texts) { return texts.GetText(kTextContrastHeading); }

std::string ContrastLine(const ContrastPair& pair, const Texts& texts) {
    std::string line = FillIn(texts.GetText(kTextColourOn), {ElementName(pair.text), ElementName(pair.fill)});
    line += ": " + RatioText(pair.ratio) + ":1";
    if (pair.HardToRead()) line += " \xE2\x80\x94 " + texts.GetText(kTextHardToRead);
    else if (pair.faint && pair.ratio < kHardToReadRatio) line += " (" + texts.GetText(kTextMeantFaint) + ")";
    return line;
}

std::string FixText(const ContrastFix& fix, const Texts& texts) {
    return FillIn(texts.GetText(kTextUseColour), {fix.value, ElementName(fix.element), RatioText(fix.ratio)});
}

PreviewModel PreviewFor(const Theme& theme, const Texts& texts) {
    PreviewModel preview;
    preview.ApplyLanguageTexts(texts);
    preview.RepaintAll(theme);
    return preview;
}

}  // namespace tintora
