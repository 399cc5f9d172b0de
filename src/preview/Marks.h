#pragma once
// Where the marker arrows point when a colour element is selected, and the hint line's text.
// View state only: computing marks changes nothing.

#include <vector>

#include "model/Theme.h"
#include "preview/PreviewModel.h"

namespace tintora {

// Arrow `arrow` (0..12) shown in its own screen (kScreens[arrow]); (x, y) is the arrow's tip,
// the top-left corner of its kArrowWidth x kArrowHeight box, in twips within the screen.
struct ArrowPlacement {
    int arrow;
    int x;
    int y;
    friend bool operator==(const ArrowPlacement&, const ArrowPlacement&) = default;
};

struct Marks {
    std::vector<ArrowPlacement> arrows;
    int hint = 0;  // catalogue number of the hint line's text; 0 leaves the line empty
};

// The marks of element 0..37 for the theme's slot states. Every arrow is placed at the current
// top-left corner of a preview item plus an offset, so arrows follow the list rows and the text
// copies wherever the preview has moved them.
Marks MarksFor(int element, const Theme& theme, const PreviewModel& preview);

}  // namespace tintora
