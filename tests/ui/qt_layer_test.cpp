// The Qt layer under the window: the settings store and dialogs, the preview painter and the
// widget's phone colours, and tintora-cli's render, picture and set-picture.

#include <gmock/gmock.h>

#include <array>
#include <filesystem>
#include <vector>

#include "colourrules/PhoneColours.h"
#include "commands/CliSession.h"
#include "pictures/SlotPicture.h"
#include "platform/PictureDecoder.h"
#include "platform/QtConvert.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtToolkit.h"
#include "preview/Marks.h"
#include "preview/PreviewColours.h"
#include "render/Picture.h"
#include "render/Render.h"
#include "support/CliRun.h"
#include "support/EditorRig.h"
#include "support/WindowFixture.h"
#include "ui/PhoneLook.h"
#include "ui/PreviewPainter.h"

// After the core's headers: Qt's keyword macros would clash with names there.
#include <QAbstractButton>
#include <QColorDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QPainter>

namespace tintora {
namespace {

using namespace test;

const QColor kCanvas(1, 2, 3), kRed(255, 0, 0);

TEST(QtSettingsStore, TheUsersStoreIsTintorasAndTextsComeBackExactlyFromItsFile) {
    TempDir dir;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.Path().string()));
    const std::pair<std::string, std::string> values[] = {
        {"plain", "B52908"}, {"comma", "Smith, John"}, {"unicode", "Åsa Jörg ß"}, {"empty", ""}};
    {
        QtSettingsStore store;
        EXPECT_EQ(store.FileName(), dir / "Tintora/Tintora.conf");
        for (const auto& [key, value] : values) store.Write("Info", key, value);
        store.Write("Last", "37", "0A0B0C");
        EXPECT_TRUE(store.Sync());
    }
    QtSettingsStore again;
    if (saved.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", saved);
    for (const auto& [key, value] : values) EXPECT_EQ(again.Read("Info", key), value) << key;
    EXPECT_FALSE(again.Read("Info", "absent"));
    const std::string text = ReadText(dir / "Tintora/Tintora.conf");
    for (const char* line : {"[Info]\n", "\nplain=B52908\n", "[Last]\n37=0A0B0C\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    // A list written by hand reads as one text.
    WriteAll(dir / "hand.conf", "[Info]\nCreator=Smith,John\n");
    EXPECT_EQ(QtSettingsStore(dir / "hand.conf").Read("Info", "Creator"), "Smith,John");

    // A store that cannot be written says so, and why.
    std::filesystem::create_directory(dir / "folder.conf");
    QtSettingsStore blocked(dir / "folder.conf");
    blocked.Write("Last", "0", "000000");
    std::string why;
    EXPECT_FALSE(blocked.Flush(why));
    EXPECT_EQ(why, dir / "folder.conf: is a folder");
}

TEST(QtToolkit, MessageBoxesCarryTheTitleButtonsAndIcon) {
    using Box = QMessageBox;
    // An empty title becomes the program's name.
    const std::tuple<const char*, Buttons, Icon, const char*, Box::StandardButtons, Box::Icon,
                     Box::StandardButton, Answer> cases[] = {
        {"", Buttons::YesNo, Icon::Warning, "Tintora", Box::Yes | Box::No, Box::Warning, Box::No, Answer::No},
        {"Warning", Buttons::OkCancel, Icon::None, "Warning", Box::Ok | Box::Cancel, Box::NoIcon, Box::Cancel,
         Answer::Cancel},
    };
    for (const auto& [title, buttons, icon, shownTitle, shownButtons, shownIcon, press, answer] : cases) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = true;
            EXPECT_EQ(box->windowTitle(), shownTitle);
            EXPECT_EQ(box->icon(), shownIcon);
            EXPECT_EQ(box->standardButtons(), shownButtons);
            box->button(press)->click();
        });
        EXPECT_EQ(QtToolkit().MessageBox("text", title, buttons, icon), answer) << title;
        EXPECT_TRUE(shown) << title;
    }
}

TEST(QtToolkit, TheChooserShowsTheCustomColoursAndReturnsThemOnlyOnConfirm) {
    QtToolkit toolkit;
    CustomColourBlock custom{10, 20, 30, 0, 40, 50, 60, 0};
    custom[60] = 255;  // red of custom colour 15
    const CustomColourBlock before = custom;
    bool shown = false;
    const auto defineOne = [](QColorDialog&) { QColorDialog::setCustomColor(0, QColor(200, 200, 200)); };
    WhenModalShows<QColorDialog>(defineOne, false, &shown);
    EXPECT_FALSE(toolkit.ChooseColour(custom));
    EXPECT_EQ(custom, before) << "cancel keeps even a colour the user defined";

    std::vector<QColor> seen;
    WhenModalShows<QColorDialog>([&](QColorDialog& dialog) {
        seen = {QColorDialog::customColor(0), QColorDialog::customColor(1), QColorDialog::customColor(15)};
        QColorDialog::setCustomColor(2, QColor(1, 2, 3));  // the user defines a colour
        dialog.setCurrentColor(QColor(0, 0, 255));
    }, true, &shown);
    EXPECT_EQ(toolkit.ChooseColour(custom), 0x00FF0000u) << "blue in the lowest-red layout";
    // The dialog did not keep the cancelled colour.
    EXPECT_EQ(seen, (std::vector<QColor>{{10, 20, 30}, {40, 50, 60}, {255, 0, 0}}));
    CustomColourBlock expected{10, 20, 30, 0, 40, 50, 60, 0, 1, 2, 3};
    expected[60] = 255;
    EXPECT_EQ(custom, expected);
}

Theme DefaultTheme(std::initializer_list<int> slotsOn = {}) {
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    for (int slot : slotsOn) theme.slots[slot] = SlotState::On;
    return theme;
}

// The default theme painted on a canvas of its own colour, with the slots of `slotsOn` switched on.
struct Fixture {
    Theme theme;
    PreviewModel model = PreviewFor(theme, Texts{});
    std::array<QImage, kBackImageCount> pictures;

    explicit Fixture(std::initializer_list<int> slotsOn = {}) : theme(DefaultTheme(slotsOn)) {}
    QImage Paint(double zoom = 2.0, std::span<const ArrowPlacement> arrows = {}) const {
        QImage image(PreviewSize(zoom), QImage::Format_RGB32);
        image.fill(kCanvas);
        QPainter painter(&image);
        PaintPreview(painter, model, pictures, zoom, arrows);
        return image;
    }
    QColor Colour(int element) const { return ToQColor(MakeRGB(theme.colours[element])); }
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
        const QPoint origin = ScreenRect(ScreenNamed("f_Setting"), zoom).topLeft();
        for (int y = 30 * zoom; y < 80 * zoom; ++y)  // below the desktop title
            for (int x = 0; x < 101 * zoom; ++x)
                ASSERT_EQ(image.pixel(origin + QPoint(x, y)), checker.pixel(x / zoom, y / zoom)) << zoom;
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

// Through the dispatcher, with the Qt commands handed in as the program does.
CliRun Cli(const std::vector<std::string>& args) {
    return CaptureCli([&](std::ostream& out, std::ostream& err) {
        const cli::ExtraCommand extra[] = {cli::kRenderCommand, cli::kPictureCommand,
                                           cli::kSetPictureCommand};
        return cli::RunCli(args, out, err, extra);
    });
}

QImage Render(const std::vector<std::string>& args) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return QImage(QString::fromStdString(args.back())).convertToFormat(QImage::Format_ARGB32);
}

// A 64 x 48 picture with colours no palette holds and a half transparent corner, as a PNG.
std::string WritePng(const TempDir& dir) {
    QImage img(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgba(x * 4, y * 5, 100, x < 10 && y < 10 ? 128 : 255));
    img.save(QString::fromStdString(dir / "in.png"), "PNG");
    return dir / "in.png";
}

using CliQtCommandsTest = WindowFixture;

TEST_F(CliQtCommandsTest, RenderIsTransparentBetweenTheScreensAndElsewhereWhatTheWindowPaints) {
    // The standby picture, a medium title picture, and a desktop picture that does not decode.
    const std::string header101x80("GIF89a\x65\0\x50\0", 10);
    const std::pair<std::size_t, std::string> pictures[] = {{0, SolidGif(101, 80, 0xC0, 0x10, 0x90)},
                                                            {1, header101x80 + "not really"},
                                                            {2, SolidGif(101, 27, 0x05, 0x06, 0x07)}};
    const std::string path = dir / "mixed.thm";
    ASSERT_TRUE(WriteThemeFile(log, path, [&](Theme& theme) {
        theme.colours[4] = "102030";
        theme.colours[7] = "F0E0D0";
        theme.colours[37] = "00FF00";
        for (const auto& [slot, bytes] : pictures) {
            theme.members[slot] = {Bytes(bytes.begin(), bytes.end()), true};
            theme.slots[slot] = SlotState::On;
        }
    }));
    const QImage rendered = Render({"render", path, dir / "mixed.png"});

    Start();
    ASSERT_EQ(Core().OpenTheme(path), Editor::OpenResult::Opened);
    const QImage painted = PreviewOnScreen()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), rendered.size());
    for (int y = 0; y < rendered.height(); ++y)
        for (int x = 0; x < rendered.width(); ++x) {
            bool onScreen = false;
            for (int s = 0; s < kScreenCount; ++s) onScreen = onScreen || ScreenRect(s).contains(x, y);
            ASSERT_EQ(qAlpha(rendered.pixel(x, y)), onScreen ? 255 : 0) << x << "," << y;
            ASSERT_TRUE(!onScreen || painted.pixel(x, y) == rendered.pixel(x, y)) << x << "," << y;
        }
}

// The default theme's one hard pair is the calendar's weekend days on the background; it is
// mostly colours the phone cannot show.
TEST_F(CliQtCommandsTest, MarkContrastOutlinesOnlyTheHardTextsAndPhoneColoursSnapEveryPixel) {
    const QImage plain = Render({"render", "--default", dir / "plain.png"});
    const QImage marked = Render({"render", "--mark-contrast", "--default", dir / "marked.png"});
    const QImage phone = Render({"render", "--phone-colours", "--default", dir / "phone.png"});
    QRegion weekend;
    for (int i = 28; i <= 31; ++i) {
        const QRect r = ItemRect(PreviewFor(DefaultTheme(), Texts{}), "lblText", i);
        weekend += r;
        EXPECT_EQ(marked.pixelColor(r.topLeft()), kOutlineColour) << i;
    }
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb p = plain.pixel(x, y), q = phone.pixel(x, y);
            ASSERT_EQ(qAlpha(q), qAlpha(p));
            ASSERT_TRUE(qAlpha(p) == 0 || (q & 0xFFFFFF) == PhoneColour(p & 0xFFFFFF)) << x << ',' << y;
            ASSERT_TRUE(marked.pixel(x, y) == p || weekend.contains(QPoint(x, y))) << x << "," << y;
        }
}

// Any image becomes the core's GIF for the options, but a GIF of the slot's size keeps its bytes
// unless converted, and an animation gives its first frame.
TEST_F(CliQtCommandsTest, PictureAndSetPictureMakeTheCoresGifForTheOptions) {
    const std::string png = WritePng(dir);
    const RgbaImage source = DecodePicture(ReadAll(png)).image;
    const std::tuple<std::vector<std::string>, int, ImportSettings> cases[] = {
        {{}, 2, SettingsFromChoice({}, DefaultTheme(), 2)},
        {{"--mode", "fit", "--bar", "24B6AA", "--no-dither"}, 0, {FitMode::Fit, 0x24B6AA, false, false}},
        {{"--mode", "stretch", "--convert"}, 1, SettingsFromChoice({FitMode::Stretch, {}, true}, DefaultTheme(), 1)},
    };
    for (const auto& [options, slot, settings] : cases) {
        std::vector<std::string> args{"picture", png, "--slot", std::to_string(slot), dir / "out.gif"};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun r = Cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadAll(dir / "out.gif"), MakeSlotPicture(source, slot, settings).bytes) << slot;
    }

    const std::string sized = dir / "sized.gif";
    WriteAll(sized, SolidGif(101, 27, 0xC0, 0x10, 0x90));
    ASSERT_EQ(Cli({"picture", sized, "--slot", "2", dir / "kept.gif"}).status, 0);
    EXPECT_EQ(ReadAll(dir / "kept.gif"), ReadAll(sized));
    ASSERT_EQ(Cli({"picture", sized, "--slot", "2", dir / "conv.gif", "--convert", "--no-dither"}).status, 0);
    const RgbaImage converted = DecodePicture(ReadAll(dir / "conv.gif")).image;
    ASSERT_EQ(converted.width, 101);
    EXPECT_EQ(converted.At(50, 10) & 0xFFFFFF, PhoneColour(0xC01090u));
    // set-picture takes the same bytes into the theme's slot, switched on.
    ASSERT_EQ(Cli({"new", dir / "t.thm"}).status, 0);
    ASSERT_EQ(Cli({"set-picture", dir / "t.thm", "2", sized, dir / "t2.thm"}).status, 0);
    cli::CliSession session(std::cerr);
    ASSERT_EQ(session.GetEditor().OpenTheme(dir / "t2.thm"), Editor::OpenResult::Opened);
    EXPECT_TRUE(session.GetEditor().GetTheme().SlotOn(2));
    EXPECT_EQ(session.GetEditor().GetTheme().members[2].data, ReadAll(sized));

    const std::string anim = dir / "anim.gif";
    ASSERT_EQ(std::system(("convert -size 50x40 xc:'#FF0000' xc:'#0000FF' -loop 0 " + anim).c_str()), 0);
    ASSERT_EQ(Cli({"picture", anim, "--slot", "4", dir / "first.gif"}).status, 0);
    for (std::uint32_t px : DecodePicture(ReadAll(dir / "first.gif")).image.pixels) ASSERT_EQ(px, 0xFFFF0000);
}

TEST_F(CliQtCommandsTest, UnreadableImagesAndWrongCommandLinesWriteNothing) {
    const std::string png = WritePng(dir), whole = ReadText(png);
    WriteAll(dir / "empty.png", "");
    WriteAll(dir / "junk.png", "this is no picture at all, just text in a file named .png");
    WriteAll(dir / "cut.png", whole.substr(0, whole.size() / 2));
    // A valid header, with its checksum, that claims 30000 x 30000 pixels: 3.4 GiB if believed.
    const std::string huge("\0\0\x75\x30\0\0\x75\x30\x08\x06\0\0\0\x66\x27\xF8\xBA", 17);
    WriteAll(dir / "huge.png", whole.substr(0, 16) + huge + whole.substr(33));
    WriteAll(dir / "junk.thm", "not an archive");
    const std::string out = dir / "out.gif", image = dir / "out.png";
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"picture", dir / "missing.png", "--slot", "0", out}, 1, "cannot read the image"},
        {{"picture", dir / "empty.png", "--slot", "0", out}, 1, "the file is empty"},
        {{"picture", dir / "junk.png", "--slot", "0", out}, 1, "cannot read the image"},
        {{"picture", dir / "cut.png", "--slot", "0", out}, 1, "cannot read the image"},
        {{"picture", dir / "huge.png", "--slot", "0", out}, 1, "too large"},
        {{"set-picture", dir / "no.thm", "1", png, dir / "t.thm"}, 1, ""},
        {{"picture", png, out}, 2, "usage"},
        {{"picture", png, "--slot", "6", out}, 2, "0 to 5"},
        {{"picture", png, "--slot", "0", out, "--mode", "zoom"}, 2, "unknown mode"},
        {{"picture", png, "--slot", "0", out, "--bar", "12345"}, 2, "six hex"},
        {{"picture", png, "--slot", "0", out, "--dither"}, 2, "unknown"},
        {{"set-picture", dir / "t.thm", "x", png, dir / "t2.thm"}, 2, "0 to 5"},
        {{"render", "--default"}, 2, "usage"},
        {{"render", "--default", image, image}, 2, "usage"},
        {{"render", "--default", "--default", image}, 2, "usage"},
        {{"render", "--zoom", dir / "a.thm", image}, 2, "usage"},
        {{"render", dir / "junk.thm", image}, 1, ""},
        {{"render", "--default", dir / "no-such-folder/out.png"}, 1, "cannot write"},
    };
    for (const auto& [args, status, err] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, status);
        EXPECT_THAT(r.err, ::testing::HasSubstr(err));
        for (const std::string& f : {out, image, dir / "t.thm"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;
    }
    // Qt itself would refuse a picture beyond the limit too.
    EXPECT_EQ(QImageReader::allocationLimit(), kDecodeLimitMiB);
}

}  // namespace
}  // namespace tintora
