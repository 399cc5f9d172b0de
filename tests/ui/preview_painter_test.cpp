// The preview painter: paints the model into a QImage with crisp screens, the theme's colours,
// the pictures of the slots that are on and clipped marker arrows; hit testing finds items.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string_view>

#include "model/Catalogue.h"
#include "model/ColourText.h"
#include "preview/Marks.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"
#include "text/Texts.h"
#include "ui/PreviewPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace tintora {
namespace {

const QColor kCanvas(1, 2, 3);

int ScreenNamed(std::string_view name) {
    for (int s = 0; s < kScreenCount; ++s)
        if (kScreens[s].name == name) return s;
    return -1;
}

// The pixel of a point given in twips within a screen.
QPoint At(std::string_view screen, int x, int y, double zoom = 2.0) {
    const int s = ScreenNamed(screen);
    return {static_cast<int>(std::lround((ScreenLeft(s) + x) / 15.0 * zoom)),
            static_cast<int>(std::lround((ScreenTop(s) + y) / 15.0 * zoom))};
}

QColor ToQ(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

Theme DefaultTheme() {
    Theme theme;
    for (int i = 0; i < kElementCount; ++i) theme.colours[i] = std::string(kElements[i].defaultValue);
    return theme;
}

QImage Solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct Fixture {
    Theme theme = DefaultTheme();
    PreviewModel model;
    std::array<QImage, kBackImageCount> pictures;

    Fixture() {
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
    QColor Colour(int element) const { return ToQ(MakeRGB(theme.colours[element])); }
};

QColor PixelAt(const QImage& image, QPoint p) { return image.pixelColor(p); }

bool RectHolds(const QImage& image, QRect r, QColor c) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == c) return true;
    return false;
}

// Counts the pixels of `c` along the line from `from` in steps of `step`.
int CountAlong(const QImage& image, QPoint from, QPoint step, int length, QColor c) {
    int run = 0;
    for (int i = 0; i < length; ++i) run += image.pixelColor(from + step * i) == c;
    return run;
}

TEST(PreviewPainter, ScreensAre202By160PixelsAndRowsMeetWithoutGapsAtOddZooms) {
    Fixture f;
    const QImage image = f.Paint();
    EXPECT_EQ(image.size(), PreviewSize(2.0));
    EXPECT_EQ(PreviewSize(2.0), PreviewSize(1.0) * 2);

    // f_calling's own background runs edge to edge: 202 pixels along its top row, 160 down its
    // left column, counted from five pixels outside.
    const QPoint corner = At("f_calling", 0, 0);
    EXPECT_EQ(CountAlong(image, corner + QPoint(-5, 1), {1, 0}, 215, f.Colour(4)), 202);
    EXPECT_EQ(CountAlong(image, corner + QPoint(1, -5), {0, 1}, 175, f.Colour(4)), 160);
    EXPECT_EQ(PixelAt(image, corner - QPoint(1, 0)), kCanvas);

    // The last column and row of screens end one gap before the image's edge.
    const QPoint sms = At("f_sms", kScreenWidth, kScreenHeight);
    EXPECT_EQ(sms.x() + kScreenGap / 15 * 2, image.width());
    EXPECT_EQ(At("f_options2", 0, kScreenHeight).y() + kScreenGap / 15 * 2, image.height());
    EXPECT_NE(PixelAt(image, sms - QPoint(1, 1)), kCanvas);
    // The SMS list runs past the screen's bottom; nothing of it shows below the screen.
    EXPECT_EQ(PixelAt(image, At("f_sms", 700, kScreenHeight) + QPoint(0, 2)), kCanvas);

    // 175-twip rows are 11.67 pixels at zoom 1: each edge is rounded, never each height, or
    // the white screen would show between rows.
    for (double zoom : {1.0, 3.0}) {
        const QImage odd = f.Paint(zoom);
        const QPoint top = At("f_sms", 1450, 200, zoom);
        const int rows = At("f_sms", 1450, kScreenHeight, zoom).y() - top.y();
        EXPECT_EQ(CountAlong(odd, top, {0, 1}, rows, QColor(255, 255, 255)), 0) << zoom;
    }
}

TEST(PreviewPainter, PicturesShowInTheirHoldersWhileTheirSlotIsOn) {
    Fixture f;
    const QColor standby(200, 10, 10);
    const QColor small(10, 200, 10);
    f.pictures[0] = f.pictures[6] = Solid(101, 80, standby);
    f.pictures[3] = Solid(101, 20, small);
    QImage image = f.Paint();
    EXPECT_EQ(PixelAt(image, At("f_operaotr", 60, 1100)), f.Colour(4));
    EXPECT_EQ(PixelAt(image, At("f_sms", 60, 40)), f.Colour(5)) << "the opaque title bar";

    f.theme.slots[kStandbySlot] = SlotState::On;
    f.theme.slots[kSmallTitleSlot] = SlotState::On;
    f.model.RepaintAll(f.theme);
    image = f.Paint();
    EXPECT_EQ(PixelAt(image, At("f_operaotr", 60, 1100)), standby);
    EXPECT_EQ(PixelAt(image, At("f_notes", 30, 1180)), standby);
    EXPECT_EQ(PixelAt(image, At("f_sms", 60, 40)), small) << "the bar turned transparent";
    EXPECT_EQ(PixelAt(image, At("f_sms", 60, 290)), small) << "the picture is 20 pixels high";

    // A visible holder whose picture could not be decoded is hatched, not left blank.
    f.pictures[3] = QImage();
    image = f.Paint();
    const QPoint a = At("f_sms", 30, 30);
    const QPoint b = At("f_sms", 1480, 280);
    EXPECT_TRUE(RectHolds(image, QRect(a, b), QColor(128, 128, 128)));
    EXPECT_FALSE(RectHolds(image, QRect(a, b), small));
}

TEST(PreviewPainter, BackgroundsAndLabelsPaintTheirElementsColoursClippedToTheirItems) {
    Fixture f;
    QImage image = f.Paint();
    EXPECT_EQ(PixelAt(image, At("f_calling", 30, 30)), f.Colour(4));
    EXPECT_EQ(PixelAt(image, At("f_operaotr", 60, 1100)), f.Colour(4)) << "the standby fill";
    const ItemState& s = f.model.Item("lblText", 2);
    const QRect row(At("f_Phonebook", s.left, s.top), At("f_Phonebook", s.left + s.width, s.top + s.height) - QPoint(1, 1));
    EXPECT_EQ(PixelAt(image, row.topLeft()), f.Colour(11));
    EXPECT_EQ(PixelAt(image, row.bottomRight()), f.Colour(11));
    EXPECT_TRUE(RectHolds(image, row, f.Colour(12))) << "the highlighted row's text";

    f.theme.colours[8] = "10E020";
    f.theme.colours[12] = "0000FF";
    f.model.ChangeColor(8, f.theme);
    f.model.ChangeColor(12, f.theme);
    image = f.Paint();
    EXPECT_EQ(PixelAt(image, At("f_Setting", 60, 900)), QColor(16, 224, 32));
    EXPECT_EQ(PixelAt(image, At("f_Setting", 1450, 1150)), QColor(16, 224, 32));
    EXPECT_TRUE(RectHolds(image, row, QColor(0, 0, 255)));

    // A caption too long for the input-language box stays in it.
    f.model.Item("lblPromptText", 0).caption = "WWWWWWWWWWWWWWWWWWWWWWWW";
    image = f.Paint();
    const QRect inside(At("f_Write_New", 660, 1025), At("f_Write_New", 1490, 1180));
    const QRect left(At("f_Write_New", 300, 1025), At("f_Write_New", 650, 1180));
    EXPECT_TRUE(RectHolds(image, inside, f.Colour(20)));
    EXPECT_FALSE(RectHolds(image, left, f.Colour(20)));
}

// The rows of a label's box in which anything but `ground` is painted.
int InkedRows(const QImage& image, const ItemState& s, std::string_view screen, QColor ground) {
    const QRect box(At(screen, s.left, s.top), At(screen, s.left + s.width, s.top + s.height) - QPoint(1, 1));
    int rows = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        bool inked = false;
        for (int x = box.left(); x <= box.right() && !inked; ++x) inked = image.pixelColor(x, y) != ground;
        rows += inked;
    }
    return rows;
}

TEST(PreviewPainter, EachLabelsTextHasItsOwnSize) {
    // The standby clock is 14 points and the operator name 8: their capitals and digits stand
    // in that proportion (give or take the outline's pixel above and below).
    Fixture f;
    const QImage image = f.Paint();
    const int clock = InkedRows(image, f.model.Item("lblStandby_time", 7), "f_operaotr", f.Colour(4));
    const int name = InkedRows(image, f.model.Item("lblStandby_operatorname", 11), "f_operaotr", f.Colour(4));
    ASSERT_GT(name, 0);
    EXPECT_GT(clock, name * 3 / 2);
    EXPECT_LT(clock, name * 2);
}

TEST(PreviewPainter, AnElementsArrowsAreRedPointersClippedToTheirScreens) {
    Fixture f;
    const Marks marks = MarksFor(4, f.theme, f.model);
    ASSERT_FALSE(marks.arrows.empty());
    const QImage plain = f.Paint();
    const QImage marked = f.Paint(2.0, marks.arrows);
    for (const ArrowPlacement& a : marks.arrows) {
        const QPoint tip = At(kScreens[a.arrow].name, a.x, a.y);
        EXPECT_EQ(PixelAt(marked, tip + QPoint(2, 12)), QColor(255, 0, 0)) << a.arrow;
        EXPECT_NE(PixelAt(plain, tip + QPoint(2, 12)), QColor(255, 0, 0)) << a.arrow;
        EXPECT_EQ(PixelAt(marked, tip + QPoint(-3, 12)), PixelAt(plain, tip + QPoint(-3, 12))) << a.arrow;
    }

    // An arrow running past f_operaotr's right and bottom edges draws nothing outside.
    const ArrowPlacement corner[] = {{0, 1440, 1100}};
    const QImage image = f.Paint(2.0, corner);
    const QPoint edge = At("f_operaotr", kScreenWidth, kScreenHeight);
    EXPECT_EQ(PixelAt(image, At("f_operaotr", 1440, 1100) + QPoint(2, 12)), QColor(255, 0, 0));
    for (int dy = -40; dy < 40; ++dy) EXPECT_EQ(PixelAt(image, {edge.x() + 1, edge.y() + dy}), kCanvas) << dy;
    for (int dx = -20; dx < 0; ++dx) EXPECT_EQ(PixelAt(image, {edge.x() + dx, edge.y() + 2}), kCanvas) << dx;
}

TEST(HitTestItem, FindsTheItemUnderAPixelAtAnyZoom) {
    Fixture f;
    for (double zoom : {1.0, 2.0, 3.0}) {
        const ItemState& row = f.model.Item("lblText", 2);
        const QPoint middle = At("f_Phonebook", row.left + row.width / 2, row.top + row.height / 2, zoom);
        EXPECT_EQ(HitTestItem(f.model, middle, zoom), f.model.Find("lblText", 2)) << zoom;
        EXPECT_EQ(HitTestItem(f.model, At("f_Setting", 60, 900, zoom), zoom), f.model.Find("f_Setting")) << zoom;
        EXPECT_EQ(HitTestItem(f.model, At("f_calling", -30, 10, zoom), zoom), -1) << "in the gap";
    }
    EXPECT_EQ(HitTestItem(f.model, {-5, -5}), -1);
}

}  // namespace
}  // namespace tintora
