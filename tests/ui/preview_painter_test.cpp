// The preview painter and the widget's view of it in the phone's colours.

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
using test::ScreenPixel;
using test::ScreenRect;

const QColor kCanvas(1, 2, 3), kRed(255, 0, 0);

// The default theme painted on a canvas of its own colour, with the slots of `slotsOn` switched on.
struct Fixture {
    Theme theme;
    PreviewModel model;
    std::array<QImage, kBackImageCount> pictures;

    explicit Fixture(std::initializer_list<int> slotsOn = {}) {
        for (int i = 0; i < kElementCount; ++i) theme.colours[i] = std::string(kElements[i].defaultValue);
        for (int slot : slotsOn) theme.slots[slot] = SlotState::On;
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

// The pixels of colour `c` (or, with `other`, of any other colour) inside `r`.
int Count(const QImage& image, QRect r, QColor c, bool other = false) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += (image.pixelColor(x, y) == c) != other;
    return n;
}

// At every zoom the grid keeps one gap around its screens, each phone pixel of a picture is a whole
// square, and rows of 175 twips (11.67 pixels at zoom 1) meet: each edge is rounded, never each height.
TEST(PreviewPainter, EveryZoomShowsWholeSquaresInAGridOfScreensAndRowsWithoutGaps) {
    Fixture f({kDesktopSlot});
    QImage checker(101, 80, QImage::Format_RGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 101; ++x) checker.setPixel(x, y, (x + y) % 2 ? qRgb(250, 250, 0) : qRgb(0, 0, 120));
    f.pictures[1] = checker;
    for (int zoom = 1; zoom <= 4; ++zoom) {
        const QImage image = f.Paint(zoom);
        const int gap = kScreenGap * zoom / kTwipsPerPixel;
        QRect grid;
        for (int s = 0; s < kScreenCount; ++s) grid |= ScreenRect(s, zoom);
        EXPECT_EQ(grid.adjusted(-gap, -gap, gap, gap), image.rect()) << zoom;
        const QRect rows(ScreenPixel("f_sms", 1450, 200, zoom), ScreenPixel("f_sms", 1450, kScreenHeight, zoom));
        EXPECT_EQ(Count(image, rows.adjusted(0, 0, 0, -1), QColor(255, 255, 255)), 0) << zoom;
        const QPoint origin = ScreenRect(test::ScreenNamed("f_Setting"), zoom).topLeft();
        int wrong = 0;
        for (int y = 30 * zoom; y < 80 * zoom; ++y)  // below the desktop title
            for (int x = 0; x < 101 * zoom; ++x)
                wrong += image.pixel(origin + QPoint(x, y)) != checker.pixel(x / zoom, y / zoom);
        EXPECT_EQ(wrong, 0) << "zoom " << zoom;
    }
}

TEST(PreviewPainter, ItemsPaintTheirColoursClippedToThemAndPicturesWhileTheirSlotIsOn) {
    Fixture f({kSmallTitleSlot});
    const QColor small(10, 200, 10);
    f.pictures[3] = QImage(101, 20, QImage::Format_RGB32);
    f.pictures[3].fill(small);
    f.pictures[1] = f.pictures[3];  // the desktop slot is off: its picture stays hidden
    f.model.Item("lblPromptText", 0).caption = "WWWWWWWWWWWWWWWWWWWWWWWW";  // too long for its box
    const QImage image = f.Paint();
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_sms", 60, 40)), small) << "the title bar turned transparent";
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_sms", 60, 290)), small) << "the picture is 20 pixels high";
    const QRect row = ItemRect(f.model, "lblText", 2);
    EXPECT_EQ(image.pixelColor(row.topLeft()), f.Colour(11));
    EXPECT_EQ(image.pixelColor(row.bottomRight()), f.Colour(11));
    EXPECT_GT(Count(image, row, f.Colour(12)), 0) << "the highlighted row's text";
    EXPECT_EQ(image.pixelColor(ScreenPixel("f_Setting", 1450, 1150)), f.Colour(8)) << "the desktop to its corner";
    const auto prompt = [&](int left, int right) {
        const QRect box(ScreenPixel("f_Write_New", left, 1025), ScreenPixel("f_Write_New", right, 1180));
        return Count(image, box, f.Colour(20));
    };
    EXPECT_GT(prompt(660, 1490), 0);
    EXPECT_EQ(prompt(300, 650), 0) << "a caption too long for its box stays in it";

    // The 14-point clock and the 8-point operator name: their inked rows stand in that proportion
    // (give or take the outline's pixel above and below).
    const auto inkedRows = [&](std::string_view name, int index) {
        const QRect box = ItemRect(f.model, name, index);
        int rows = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            rows += Count(image, {box.left(), y, box.width(), 1}, f.Colour(4), true) > 0;
        return rows;
    };
    const int clock = inkedRows("lblStandby_time", 7), name = inkedRows("lblStandby_operatorname", 11);
    EXPECT_GT(clock, name * 3 / 2);
    EXPECT_LT(clock, name * 2);

    // A visible holder whose picture could not be decoded is hatched, not left blank.
    f.pictures[3] = QImage();
    const QImage hatched = f.Paint();
    const QRect bar(ScreenPixel("f_sms", 30, 30), ScreenPixel("f_sms", 1480, 280));
    EXPECT_GT(Count(hatched, bar, QColor(128, 128, 128)), 0);
    EXPECT_EQ(Count(hatched, bar, small), 0);
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
    // An arrow running past the first screen's right and bottom edges draws nothing outside.
    const ArrowPlacement corner[] = {{0, 1440, 1100}};
    const QImage image = f.Paint(2.0, corner);
    const QRect screen = ScreenRect(0);
    EXPECT_EQ(image.pixelColor(ScreenPixel(0, 1440, 1100) + QPoint(2, 12)), kRed);
    EXPECT_EQ(Count(image, QRect(screen.right() + 1, screen.bottom() - 40, 8, 80), kCanvas, true), 0);
    EXPECT_EQ(Count(image, QRect(screen.right() - 20, screen.bottom() + 1, 30, 8), kCanvas, true), 0);
}

// The widget paints phone colours directly and snaps only where colours mix (texts over pictures,
// half-clear pictures): it must show every pixel as snapping the desktop-coloured painting does.
TEST(PreviewPainter, PhoneColoursShowEveryPixelAsSnappingTheDesktopColoursDoes) {
    Fixture f({kStandbySlot, kDesktopSlot, kSmallTitleSlot});
    QImage standby(101, 80, QImage::Format_RGB32), desktop(101, 80, QImage::Format_ARGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 101; ++x) {
            standby.setPixel(x, y, qRgb(x * 2 + 3, y * 3 + 1, (x + y) % 256));
            desktop.setPixel(x, y, qRgba(250 - x, y * 3, 77, x * 255 / 100));
        }
    // The holders share as the window's do; the small title's holder stays empty.
    f.pictures = {standby, desktop, {}, {}, {}, {}, standby};
    PreviewWidget widget(f.model);
    for (int holder = 0; holder < kBackImageCount; ++holder)
        widget.SetPicture(holder, f.pictures[static_cast<std::size_t>(holder)]);
    widget.SetPhoneColours(true);
    for (const bool offPalette : {false, true}) {
        for (int e = 0; e < kElementCount && offPalette; ++e)
            f.theme.colours[e] = QColor(e * 7 + 1, 250 - e * 5, 100 + e).name().mid(1).toStdString();
        f.model.RepaintAll(f.theme);
        const std::vector<ArrowPlacement> arrows = MarksFor(4, f.theme, f.model).arrows;
        widget.SetArrows(arrows);
        for (int zoom = 1; zoom <= 4; ++zoom) {
            widget.SetZoom(zoom);
            (void)widget.grab();  // Qt draws large text a little differently while it first caches its glyphs
            QImage expected(PreviewSize(zoom), QImage::Format_RGB32);
            expected.fill(widget.palette().window().color());
            QPainter painter(&expected);
            PaintPreview(painter, f.model, f.pictures, zoom, arrows);
            painter.end();
            for (int s = 0; s < kScreenCount; ++s) ShowAsPhone(expected, ScreenRect(s, zoom));
            EXPECT_EQ(widget.grab().toImage().convertToFormat(QImage::Format_RGB32), expected)
                << "zoom " << zoom << (offPalette ? ", off-palette colours" : ", default colours");
        }
    }
}

}  // namespace
}  // namespace tintora
