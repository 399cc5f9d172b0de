#pragma once
// Paints the phone preview into any QPainter: the editor's preview widget, the command line's
// image export and the tests all draw through this one function.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRegion>
#include <QSize>

#include <array>
#include <span>

#include "preview/Marks.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"

namespace tintora {

inline constexpr double kDefaultPreviewZoom = 2.0;

// The preview's size in pixels at `zoom` (zoom 1: one phone pixel per screen pixel).
QSize PreviewSize(double zoom = kDefaultPreviewZoom);

// What PaintPreview changes or leaves out: the preview in the phone's colours paints every fill,
// line, border and caption in the colour the phone shows (the pictures it is given already are),
// and may leave the captions to a second pass, since antialiased text mixes colours.
struct PreviewStyle {
    bool phoneColours = false;
    bool captions = true;
};

// Draws every screen with its items in paint order, the pictures of the visible holders
// (`pictures[holder]`; a null image in a visible holder shows a hatched area) and the given
// arrows, starting at the painter's origin. Each screen clips what lies on it (within any clip
// the painter has). Rectangles are aligned to whole pixels; only text is antialiased. A non-empty
// `only` (pixels) leaves out the screens outside it, for a widget that repaints part of the
// preview. Returns where captions were drawn (around their text, within their labels): the only
// places where painted colours mix, besides pictures with half-clear pixels.
QRegion PaintPreview(QPainter& painter, const PreviewModel& preview,
                     const std::array<QImage, kBackImageCount>& pictures, double zoom = kDefaultPreviewZoom,
                     std::span<const ArrowPlacement> arrows = {}, const QRegion& only = {}, PreviewStyle style = {});

// The places of the visible pictures of the holders marked in `holders`, within their screens.
QRegion PicturePlaces(const PreviewModel& preview, double zoom, const std::array<bool, kBackImageCount>& holders);

// Outlines the given items (ids of the model) where they lie on their screens, in a colour no
// theme element is expected to use, one screen pixel per phone pixel wide.
void PaintOutlines(QPainter& painter, const PreviewModel& preview, std::span<const int> items,
                   double zoom = kDefaultPreviewZoom);
inline const QColor kOutlineColour(255, 0, 255);

// The screen under `pixel` (a position in the painted preview) and the point there in twips
// within it; screen -1 outside every screen.
struct PreviewPoint {
    int screen = -1;
    int x = 0;
    int y = 0;
};
PreviewPoint PointAt(QPointF pixel, double zoom = kDefaultPreviewZoom);

// The id of the topmost visible item under `pixel` (a position in the painted preview), the
// screen's own background between items, or -1 outside every screen.
int HitTestItem(const PreviewModel& preview, QPointF pixel, double zoom = kDefaultPreviewZoom);

}  // namespace tintora
