// The preview painter: paints the model into a QImage with crisp screens, the theme's colours,
// the pictures of the slots that are on and clipped marker arrows; hit testing finds items.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/Catalogue.h"
#include "model/ColourText.h"
#include "preview/Marks.h"
#include "support/PreviewPixels.h"
#include "text/Texts.h"
#include "ui/PhoneLook.h"
#include "ui/PreviewPainter.h"
#include "ui/PreviewWidget.h"

#include <QPainter>

namespace tintora {
namespace {

using test::ItemRect;
using test::ScreenNamed;
using test::ScreenPixel;
using test::ScreenRect;

const QColor kCanvas(1, 2, 3), kRed(255, 0, 0);

struct Fixture {
    Theme theme;
    PreviewModel model;
    std::array<QImage, kBackImageCount> pictures;

    Fixture() {
        for (int i = 0; i < kElementCount; ++i) theme.colours[i] = std::string(kElements[i].defaultValue);
        model.ApplyLanguageTexts(Texts{});
        model.RepaintAll(theme);
    }
    QImage Paint(double zoom = 2.0, std::span<const ArrowPlacement> arrows = {}) const {
        QImage image(PreviewSize(zoom), QImage::Format_RGB32);
        image.fill(kCanvas);
        QPainter painter(&image);
        PaintPreview(painter, model, pictures, zoom, arrows);
        return image;
    }
    QColor Colour(int element) const {
        const Rgb c = MakeRGB(theme.colours[element]);
        return QColor(c.red, c.green, c.blue);
    }
};

QImage Solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The pixels of colour `c` (or, with `other`, of any other colour) inside `r`.
int Count(const QImage& image, QRect r, QColor c, bool other = false) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += (image.pixelColor(x, y) == c) != other;
    return n;
}

TEST(PreviewPainter, ScreensAre202By160PixelsAndRowsMeetWithoutGapsAtOddZooms) {
    Fixture f;
    const QImage image = f.Paint();
    ASSERT_EQ(image.size(), PreviewSize(2.0));
    // Each screen is painted edge to edge and nothing of it (the SMS list runs past its bottom)
    // spills into the gap; the grid keeps one gap around it.
    QRect grid;
    for (int s = 0; s < kScreenCount; ++s) {
        const QRect r = ScreenRect(s);
        EXPECT_EQ(r.size(), QSize(202, 160)) << s;
        EXPECT_EQ(Count(image, r, kCanvas), 0) << s;
        EXPECT_EQ(Count(image, r.adjusted(-1, -1, 1, 1), kCanvas), 2 * 202 + 2 * 160 + 4) << s;
        grid |= r;
    }
    const int gap = kScreenGap * 2 / kTwipsPerPixel;
    EXPECT_EQ(grid.adjusted(-gap, -gap, gap, gap), image.rect());

    // 175-twip rows are 11.67 pixels at zoom 1: each edge is rounded, never each height, or
    // the white screen would show between rows.
    for (double zoom : {1.0, 3.0}) {
        const QPoint top = ScreenPixel("f_sms", 1450, 200, zoom), bottom = ScreenPixel("f_sms", 1450, kScreenHeight, zoom);
        EXPECT_EQ(Count(f.Paint(zoom), QRect(top, bottom - QPoint(0, 1)), QColor(255, 255, 255)), 0) << zoom;
    }
}

// The standby picture in both its holders is checked through the window and the command line.
TEST(PreviewPainter, PicturesShowInTheirHoldersWhileTheirSlotIsOn) {
    Fixture f;
    const QColor small(10, 200, 10);
    f.pictures[3] = Solid(101, 20, small);
    QImage image = f.Paint();
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_sms", 60, 40)), f.Colour(5)) << "the opaque title bar";

    f.theme.slots[kSmallTitleSlot] = SlotState::On;
    f.model.RepaintAll(f.theme);
    image = f.Paint();
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_sms", 60, 40)), small) << "the bar turned transparent";
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_sms", 60, 290)), small) << "the picture is 20 pixels high";

    // A visible holder whose picture could not be decoded is hatched, not left blank.
    f.pictures[3] = QImage();
    image = f.Paint();
    const QRect bar(ScreenPixel("f_sms", 30, 30), ScreenPixel("f_sms", 1480, 280));
    EXPECT_GT(Count(image, bar, QColor(128, 128, 128)), 0);
    EXPECT_EQ(Count(image, bar, small), 0);
}

// Every zoom factor shows each phone pixel of a picture as a whole square of screen pixels.
TEST(PreviewPainter, EveryZoomShowsEachPhonePixelAsAWholeSquare) {
    Fixture f;
    QImage checker(101, 80, QImage::Format_RGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 101; ++x) checker.setPixelColor(x, y, (x + y) % 2 ? QColor(250, 250, 0) : QColor(0, 0, 120));
    f.pictures[1] = checker;
    f.theme.slots[kDesktopSlot] = SlotState::On;
    f.model.RepaintAll(f.theme);
    for (int zoom = 1; zoom <= 4; ++zoom) {
        const QImage image = f.Paint(zoom);
        EXPECT_EQ(image.size(), PreviewSize(1) * zoom);
        const QPoint origin = ScreenRect(ScreenNamed("f_Setting"), zoom).topLeft();
        int wrong = 0;
        for (int y = 30 * zoom; y < 80 * zoom; ++y)  // below the desktop title
            for (int x = 0; x < 101 * zoom; ++x) wrong += image.pixelColor(origin + QPoint(x, y)) != checker.pixelColor(x / zoom, y / zoom);
        EXPECT_EQ(wrong, 0) << "zoom " << zoom;
    }
}

TEST(PreviewPainter, BackgroundsAndLabelsPaintTheirElementsColoursClippedToTheirItems) {
    Fixture f;
    QImage image = f.Paint();
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_calling", 30, 30)), f.Colour(4));
    const QRect row = ItemRect(f.model, "lblText", 2);
    EXPECT_EQ(image.pixelColor(row.topLeft()), f.Colour(11));
    EXPECT_EQ(image.pixelColor(row.bottomRight()), f.Colour(11));
    EXPECT_GT(Count(image, row, f.Colour(12)), 0) << "the highlighted row's text";
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_Setting", 1450, 1150)), f.Colour(8)) << "the desktop to its corner";

    // A caption too long for the input-language box stays in it.
    f.model.Item("lblPromptText", 0).caption = "WWWWWWWWWWWWWWWWWWWWWWWW";
    image = f.Paint();
    EXPECT_GT(Count(image, QRect(ScreenPixel("f_Write_New", 660, 1025), ScreenPixel("f_Write_New", 1490, 1180)), f.Colour(20)), 0);
    EXPECT_EQ(Count(image, QRect(ScreenPixel("f_Write_New", 300, 1025), ScreenPixel("f_Write_New", 650, 1180)), f.Colour(20)), 0);
}

TEST(PreviewPainter, EachLabelsTextHasItsOwnSize) {
    // The standby clock is 14 points and the operator name 8: their capitals and digits stand
    // in that proportion (give or take the outline's pixel above and below).
    Fixture f;
    const QImage image = f.Paint();
    const auto inkedRows = [&](std::string_view name, int index) {
        const QRect box = ItemRect(f.model, name, index);
        int rows = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) rows += Count(image, {box.left(), y, box.width(), 1}, f.Colour(4), true) > 0;
        return rows;
    };
    const int clock = inkedRows("lblStandby_time", 7), name = inkedRows("lblStandby_operatorname", 11);
    ASSERT_GT(name, 0);
    EXPECT_GT(clock, name * 3 / 2);
    EXPECT_LT(clock, name * 2);
}

TEST(PreviewPainter, AnElementsArrowsAreRedPointersClippedToTheirScreens) {
    Fixture f;
    const Marks marks = MarksFor(4, f.theme, f.model);
    ASSERT_FALSE(marks.arrows.empty());
    const QImage plain = f.Paint(), marked = f.Paint(2.0, marks.arrows);
    for (const ArrowPlacement& a : marks.arrows) {
        const QPoint tip = ScreenPixel(a.arrow, a.x, a.y);
        EXPECT_EQ(marked.pixelColor(tip + QPoint(2, 12)), kRed) << a.arrow;
        EXPECT_NE(plain.pixelColor(tip + QPoint(2, 12)), kRed) << a.arrow;
        EXPECT_EQ(marked.pixelColor(tip + QPoint(-3, 12)), plain.pixelColor(tip + QPoint(-3, 12))) << a.arrow;
    }

    // An arrow running past f_operaotr's right and bottom edges draws nothing outside.
    const ArrowPlacement corner[] = {{0, 1440, 1100}};
    const QImage image = f.Paint(2.0, corner);
    const QRect screen = ScreenRect(0);
    EXPECT_EQ(image.pixelColor(ScreenPixel(0, 1440, 1100) + QPoint(2, 12)), kRed);
    EXPECT_EQ(Count(image, QRect(screen.right() + 1, screen.bottom() - 40, 8, 80), kCanvas, true), 0);
    EXPECT_EQ(Count(image, QRect(screen.right() - 20, screen.bottom() + 1, 30, 8), kCanvas, true), 0);
}

// The preview in phone colours paints the phone's colours directly and snaps pixels only where
// colours mix; it must show exactly what snapping every pixel of the desktop-coloured preview
// shows: texts over pictures, a half-clear picture, a hatched holder, arrows, at each zoom, for
// the default colours and for colours the phone cannot show.
TEST(PreviewPainter, PhoneColoursShowEveryPixelAsSnappingTheDesktopColoursDoes) {
    Fixture f;
    for (int slot : {kStandbySlot, kDesktopSlot, kSmallTitleSlot}) f.theme.slots[slot] = SlotState::On;
    QImage standby(101, 80, QImage::Format_RGB32), desktop(101, 80, QImage::Format_ARGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 101; ++x) {
            standby.setPixel(x, y, qRgb(x * 2 + 3, y * 3 + 1, (x + y) % 256));
            desktop.setPixel(x, y, qRgba(250 - x, y * 3, 77, x * 255 / 100));
        }
    std::array<QImage, kBackImageCount> pictures;
    pictures[0] = pictures[kBackImageCount - 1] = standby;  // holders share, as the window's do
    pictures[1] = desktop;                                  // the small title's holder stays empty
    PreviewWidget widget(f.model);
    for (int holder = 0; holder < kBackImageCount; ++holder) widget.SetPicture(holder, pictures[static_cast<std::size_t>(holder)]);
    for (const bool offPalette : {false, true}) {
        if (offPalette)
            for (int e = 0; e < kElementCount; ++e)
                f.theme.colours[e] = QColor(e * 7 + 1, 250 - e * 5, 100 + e).name().mid(1).toStdString();
        f.model.RepaintAll(f.theme);
        const std::vector<ArrowPlacement> arrows = MarksFor(4, f.theme, f.model).arrows;
        widget.SetArrows(arrows);
        widget.SetPhoneColours(true);
        for (int zoom = 1; zoom <= 4; ++zoom) {
            widget.SetZoom(zoom);
            // Qt draws large text a little differently while it first caches its glyphs.
            (void)widget.grab();
            QImage expected(PreviewSize(zoom), QImage::Format_RGB32);
            expected.fill(widget.palette().window().color());
            {
                QPainter painter(&expected);
                PaintPreview(painter, f.model, pictures, zoom, arrows);
            }
            for (int s = 0; s < kScreenCount; ++s) ShowAsPhone(expected, ScreenRect(s, zoom));
            const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(shown.size(), expected.size());
            int wrong = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) wrong += shown.pixel(x, y) != expected.pixel(x, y);
            EXPECT_EQ(wrong, 0) << "zoom " << zoom << (offPalette ? ", off-palette colours" : ", default colours");
        }
    }
}

}  // namespace
}  // namespace tintora
