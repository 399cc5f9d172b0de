#pragma once
// What colours each point of the preview, and the text/fill pairs whose contrast the phone
// shows. Both are read off the preview model as it stands (slots, places, captions), so they
// follow every change the window shows.

#include <string>
#include <vector>

#include "model/ColourText.h"
#include "model/Theme.h"
#include "preview/PreviewModel.h"
#include "text/Texts.h"

namespace tintora {

enum class SourceKind { Text, Fill, Border, Picture };

struct ColourSource {
    SourceKind kind;
    int element;  // the colour element; for a picture, the slot
    int item;     // the preview item it colours there
    friend bool operator==(const ColourSource&, const ColourSource&) = default;
};

// What colours the point (twips within `screen`), topmost first: walking the items that cover it
// from the top down, the text of each label with a caption, a shape's border where the point is
// on it, and the first fill, line or picture that hides what lies below, where the walk ends.
// Each element is named once. Empty outside the screen.
std::vector<ColourSource> ColoursAt(const PreviewModel& preview, int screen, int x, int y);

// The element among `sources` whose colour is nearest to the colour painted there (`painted`),
// as a Ctrl+click picks it: a point on a glyph picks the text, one beside it the fill. Of equally
// near ones the topmost; pictures are never picked. -1 when no element colours the point.
int PickElement(const std::vector<ColourSource>& sources, const PreviewModel& preview, const Rgb& painted);

// The element's name as the phone's format spells it, blanks for underscores: "Popup text".
std::string ElementName(int element);

// The tooltip over a point: one line per source, values included ("Popup text 5C1D0E on Popup
// background FFF000" for a text on its fill, "Background picture stand.gif, 101 x 80" for a
// picture); further texts between the two (outlines, shadows) on lines of their own.
std::string DescribeColours(const std::vector<ColourSource>& sources, const Theme& theme, const Texts& texts);

// One text element measured against the fill beneath its items.
struct ContrastPair {
    int text = -1;
    int fill = -1;
    double ratio = 1;        // on the colours the phone shows
    bool faint = false;      // a disabled text, meant to look faint: never hard to read
    std::vector<int> items;  // the text items measured, in layout order
    bool HardToRead() const;
};

// Every text the preview shows on a fill of an element (not on a picture), one entry per element
// pair, worst first (ties in element order). Outlines, shadows and cursors are not texts of
// their own; items off their screen or hidden are not shown and so not measured.
std::vector<ContrastPair> ContrastPairs(const Theme& theme, const PreviewModel& preview);

struct ContrastFix {
    int element = -1;
    std::string value;  // six upper-case hex digits, a colour of the phone's palette
    double ratio = 1;
};
// The palette colour nearest to the pair's text colour that reaches the readable ratio.
ContrastFix FixFor(const ContrastPair& pair, const Theme& theme);

// The lines the findings box and the command line show: the heading, "Text on Background: 1.6:1
// — hard to read on the phone" (the words after the ratio only for a pair that is), and the fix
// "Use 000000 for Text (5.3:1)".
std::string ContrastHeading(const Texts& texts);
std::string ContrastLine(const ContrastPair& pair, const Texts& texts);
std::string FixText(const ContrastFix& fix, const Texts& texts);

// A preview model brought in line with a theme the way the window's is after an open.
PreviewModel PreviewFor(const Theme& theme, const Texts& texts);

}  // namespace tintora
