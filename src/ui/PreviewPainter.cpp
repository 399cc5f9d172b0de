#include "ui/PreviewPainter.h"

#include <QBrush>
#include <QFont>
#include <QPolygon>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

#include "colourrules/PhoneColours.h"
#include "platform/QtConvert.h"

namespace tintora {

namespace {

constexpr int kTextInset = 2 * kTwipsPerPixel;  // room between a label's edge and its text
const QColor kArrowFill(255, 0, 0);
const QColor kArrowOutline(0, 0, 0);
const QColor kUndecodedPicture(128, 128, 128);

// The pointer drawn in an arrow's 16 x 32 pixel box, tip at the top-left corner (zoom 1 pixels).
constexpr int kArrowShape[][2] = {{0, 0}, {0, 23}, {5, 18}, {9, 28}, {13, 26}, {9, 16}, {15, 16}};

int Px(double twips, double zoom) { return static_cast<int>(std::lround(twips / kTwipsPerPixel * zoom)); }

// A twips rectangle (absolute in the preview) on whole pixels: both edges are rounded, so
// neighbouring items meet without gaps or overlaps.
QRect PixelRect(int left, int top, int width, int height, double zoom) {
    const int x0 = Px(left, zoom);
    const int y0 = Px(top, zoom);
    return QRect(x0, y0, std::max(Px(left + width, zoom) - x0, 1), std::max(Px(top + height, zoom) - y0, 1));
}

// The colours of one paint: as given, or as the phone shows them.
class Colours {
public:
    explicit Colours(bool phone) : phone_(phone) {}
    QColor operator()(const Rgb& c) const { return ToQColor(phone_ ? PhoneColour(c) : c); }
    QColor operator()(const QColor& c) const { return (*this)(Rgb{c.red(), c.green(), c.blue()}); }

private:
    bool phone_;
};

// The fonts of one paint. Qt sets up every font size it meets with a round through the
// system's font configuration, which costs more than drawing all the preview's texts; so each
// weight has one font, at the size most labels use, and the other sizes are that font drawn
// scaled. The texts are drawn large and anti-aliased, where unhinted glyphs keep their true
// shapes and scale evenly; hinting would also cost every size a pass of the hinter.
struct PreviewFont {
    QFont font;
    double scale = 1.0;  // the label's size over the font's
};

class PreviewFonts {
public:
    explicit PreviewFonts(double zoom) : zoom_(zoom) {}

    PreviewFont Get(int points, bool bold) {
        QFont& font = bold ? bold_ : regular_;
        if (font.pixelSize() <= 0) {
            font = QFont(QStringLiteral("DejaVu Sans"));
            font.setStyleHint(QFont::SansSerif);
            font.setHintingPreference(QFont::PreferNoHinting);
            font.setBold(bold);
            font.setPixelSize(Pixels(bold ? kBoldPoints : kRegularPoints));
        }
        return {font, static_cast<double>(Pixels(points)) / font.pixelSize()};
    }

private:
    // The sizes of the list rows and of the titles.
    static constexpr int kRegularPoints = 7;
    static constexpr int kBoldPoints = 8;

    // Points at 96 dots per inch: 20 twips each.
    int Pixels(int points) const { return std::max(1, Px(points * 20.0, zoom_)); }

    double zoom_;
    QFont regular_;
    QFont bold_;
};

// Whether anything of a caption drawn into `r` can land on its screen. Text stays within its
// label or is clipped to it; a glyph may overhang the label by a little, never by a line.
bool CaptionReaches(const QRect& r, int pixels, const QRect& screen) {
    return screen.intersects(r.adjusted(-pixels, -pixels, pixels, pixels));
}

// Draws `text` into `box` with `flags`, the font scaled about the box's corner. Adds to `drawn`
// where the text lies: the box of its lines within `box` (drawText clips to it), wider by a
// part of the font's size for antialiased edges and glyphs reaching past their advance.
void DrawText(QPainter& p, const PreviewFont& f, const QRectF& box, int flags, const QString& text, QRegion& drawn) {
    QRectF lines;
    if (f.scale == 1.0) {
        p.drawText(box, flags, text, &lines);
    } else {
        p.save();
        p.translate(box.topLeft());
        p.scale(f.scale, f.scale);
        p.drawText(QRectF(0, 0, box.width() / f.scale, box.height() / f.scale), flags, text, &lines);
        p.restore();
        lines = QRectF(box.topLeft() + lines.topLeft() * f.scale, lines.size() * f.scale);
    }
    const int edge = 2 + static_cast<int>(f.font.pixelSize() * f.scale) / 8;
    drawn |= lines.intersected(box).toAlignedRect().adjusted(-edge, -edge, edge, edge);
}

void PaintLabel(QPainter& p, const ItemDef& d, const ItemState& s, const QRect& r, double zoom, PreviewFonts& fonts,
                const QRect& screen, const Colours& colour, bool captions, QRegion& drawn) {
    if (!s.transparent) p.fillRect(r, colour(s.back));
    if (s.caption.empty() || !captions) return;
    const PreviewFont font = fonts.Get(s.fontSize, s.bold);
    // Laying out a caption costs far more than filling its label: one that cannot show (a list
    // row below the screen's edge) is left out.
    if (!CaptionReaches(r, static_cast<int>(font.font.pixelSize() * font.scale), screen)) return;
    // drawText clips to the rectangle it is given, so a long caption stays inside its label.
    p.setFont(font.font);
    p.setPen(colour(s.text));
    const QString caption = QString::fromStdString(s.caption);
    const int inset = Px(kTextInset, zoom);
    if (d.align == Align::Columns && d.columns > 0) {
        const QStringList fields = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const double cell = static_cast<double>(r.width()) / d.columns;
        for (int i = 0; i < fields.size() && i < d.columns; ++i) {
            const QRectF box(r.left() + cell * i, r.top(), cell, r.height());
            DrawText(p, font, box, Qt::AlignCenter, fields[i], drawn);
        }
    } else if (d.wrap) {
        DrawText(p, font, r.adjusted(inset, inset, -inset, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption, drawn);
    } else {
        int horizontal = Qt::AlignLeft;
        if (d.align == Align::Center) horizontal = Qt::AlignHCenter;
        if (d.align == Align::Right) horizontal = Qt::AlignRight;
        DrawText(p, font, r.adjusted(inset, 0, -inset, 0), horizontal | Qt::AlignVCenter | Qt::TextSingleLine, caption, drawn);
    }
}

void PaintShape(QPainter& p, const ItemDef& d, const ItemState& s, const QRect& r, double zoom, const Colours& colour) {
    if (!s.transparent) p.fillRect(r, colour(s.back));
    if (d.borderWidth <= 0) return;
    const int w = std::max(1, Px(d.borderWidth, zoom));
    const QColor c = colour(s.border);
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), c);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
}

void PaintPicture(QPainter& p, const QImage& image, const QRect& r, const Colours& colour) {
    if (image.isNull()) {
        p.fillRect(r, QBrush(colour(kUndecodedPicture), Qt::DiagCrossPattern));
        return;
    }
    p.drawImage(r, image);  // nearest-neighbour: the painter does not smooth pixmaps here
}

void PaintArrow(QPainter& p, const ArrowPlacement& a, double zoom, const Colours& colour) {
    const int screen = a.arrow;
    const QRect clip = PixelRect(ScreenLeft(screen), ScreenTop(screen), kScreenWidth, kScreenHeight, zoom);
    const int x0 = Px(ScreenLeft(screen) + a.x, zoom);
    const int y0 = Px(ScreenTop(screen) + a.y, zoom);
    QPolygon shape;
    for (const auto& pt : kArrowShape) {
        shape << QPoint(x0 + static_cast<int>(std::lround(pt[0] * zoom)), y0 + static_cast<int>(std::lround(pt[1] * zoom)));
    }
    p.save();
    p.setClipRect(clip, Qt::IntersectClip);
    p.setBrush(colour(kArrowFill));
    p.setPen(QPen(colour(kArrowOutline), 0));
    p.drawPolygon(shape);
    p.restore();
}

}  // namespace

QSize PreviewSize(double zoom) { return QSize(Px(PreviewWidthTwips(), zoom), Px(PreviewHeightTwips(), zoom)); }

QRegion PaintPreview(QPainter& painter, const PreviewModel& preview, const std::array<QImage, kBackImageCount>& pictures,
                  double zoom, std::span<const ArrowPlacement> arrows, const QRegion& only, PreviewStyle style) {
    const Colours colour(style.phoneColours);
    QRegion captions;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    PreviewFonts fonts(zoom);
    for (int screen = 0; screen < kScreenCount; ++screen) {
        const int sx = ScreenLeft(screen);
        const int sy = ScreenTop(screen);
        const QRect screenRect = PixelRect(sx, sy, kScreenWidth, kScreenHeight, zoom);
        if (!only.isEmpty() && !only.intersects(screenRect)) continue;
        std::vector<int> ids;
        for (int id = 0; id < preview.ItemCount(); ++id) {
            if (preview.Def(id).screen == screen) ids.push_back(id);
        }
        std::ranges::stable_sort(ids, {}, [&](int id) { return preview.Def(id).z; });

        painter.save();
        painter.setClipRect(screenRect, Qt::IntersectClip);
        for (int id : ids) {
            const ItemDef& d = preview.Def(id);
            const ItemState& s = preview.State(id);
            if (!s.visible) continue;
            const QRect r = PixelRect(sx + s.left, sy + s.top, s.width, s.height, zoom);
            switch (d.kind) {
                case ItemKind::FrameBackground: painter.fillRect(r, colour(s.back)); break;
                case ItemKind::Label: {
                    QRegion drawn;
                    PaintLabel(painter, d, s, r, zoom, fonts, screenRect, colour, style.captions, drawn);
                    captions |= drawn.intersected(r.intersected(screenRect));
                    break;
                }
                case ItemKind::Shape: PaintShape(painter, d, s, r, zoom, colour); break;
                case ItemKind::Line: painter.fillRect(r, colour(s.border)); break;
                case ItemKind::Picture:
                    if (d.index >= 0 && d.index < kBackImageCount) PaintPicture(painter, pictures[d.index], r, colour);
                    break;
            }
        }
        painter.restore();
    }

    for (const ArrowPlacement& a : arrows) {
        if (a.arrow >= 0 && a.arrow < kArrowCount) PaintArrow(painter, a, zoom, colour);
    }
    painter.restore();
    return captions;
}

QRegion PicturePlaces(const PreviewModel& preview, double zoom, const std::array<bool, kBackImageCount>& holders) {
    QRegion places;
    for (int id = 0; id < preview.ItemCount(); ++id) {
        const ItemDef& d = preview.Def(id);
        if (d.kind != ItemKind::Picture || d.index < 0 || d.index >= kBackImageCount || !holders[static_cast<std::size_t>(d.index)] ||
            !preview.State(id).visible)
            continue;
        const ItemState& s = preview.State(id);
        const int sx = ScreenLeft(d.screen), sy = ScreenTop(d.screen);
        places |= PixelRect(sx + s.left, sy + s.top, s.width, s.height, zoom).intersected(PixelRect(sx, sy, kScreenWidth, kScreenHeight, zoom));
    }
    return places;
}

void PaintOutlines(QPainter& painter, const PreviewModel& preview, std::span<const int> items, double zoom) {
    const int w = std::max(1, static_cast<int>(std::lround(zoom)));
    for (int id : items) {
        if (id < 0 || id >= preview.ItemCount()) continue;
        const int screen = preview.Def(id).screen;
        const int sx = ScreenLeft(screen), sy = ScreenTop(screen);
        const ItemState& s = preview.State(id);
        const QRect r = PixelRect(sx + s.left, sy + s.top, s.width, s.height, zoom)
                            .intersected(PixelRect(sx, sy, kScreenWidth, kScreenHeight, zoom));
        if (r.isEmpty()) continue;
        painter.fillRect(QRect(r.left(), r.top(), r.width(), w), kOutlineColour);
        painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), kOutlineColour);
        painter.fillRect(QRect(r.left(), r.top(), w, r.height()), kOutlineColour);
        painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), kOutlineColour);
    }
}

PreviewPoint PointAt(QPointF pixel, double zoom) {
    if (zoom <= 0) return {};
    const int x = static_cast<int>(std::floor(pixel.x() * kTwipsPerPixel / zoom));
    const int y = static_cast<int>(std::floor(pixel.y() * kTwipsPerPixel / zoom));
    for (int screen = 0; screen < kScreenCount; ++screen) {
        const int sx = x - ScreenLeft(screen);
        const int sy = y - ScreenTop(screen);
        if (sx >= 0 && sy >= 0 && sx < kScreenWidth && sy < kScreenHeight) return {screen, sx, sy};
    }
    return {};
}

int HitTestItem(const PreviewModel& preview, QPointF pixel, double zoom) {
    const PreviewPoint p = PointAt(pixel, zoom);
    return p.screen < 0 ? -1 : preview.ItemAt(p.screen, p.x, p.y);
}

}  // namespace tintora
