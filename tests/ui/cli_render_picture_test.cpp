// tintora-cli render, picture and set-picture, the commands made with Qt: the PNG is what the
// window paints, and a slot's GIF is exactly what the core makes of any image.

#include <gmock/gmock.h>

#include "colourrules/PhoneColours.h"
#include "commands/CliSession.h"
#include "pictures/SlotPicture.h"
#include "platform/PictureDecoder.h"
#include "preview/PreviewColours.h"
#include "render/Picture.h"
#include "render/Render.h"
#include "support/CliRun.h"
#include "support/EditorRig.h"
#include "support/WindowFixture.h"
#include "ui/PreviewPainter.h"

#include <QImageReader>

using namespace tintora;
using test::ReadAll;
using test::ScreenPixel;

namespace {

// Through the dispatcher, with the Qt commands handed in as the program does.
test::CliRun Cli(const std::vector<std::string>& args) {
    return test::CaptureCli([&](std::ostream& out, std::ostream& err) {
        const cli::ExtraCommand extra[] = {cli::kRenderCommand, cli::kPictureCommand,
                                           cli::kSetPictureCommand};
        return cli::RunCli(args, out, err, extra);
    });
}

QImage Render(const std::vector<std::string>& args) {
    const test::CliRun r = Cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    QImage image(QString::fromStdString(args.back()));
    EXPECT_EQ(image.size(), PreviewSize(2.0)) << "no PNG at " << args.back();
    return image.convertToFormat(QImage::Format_ARGB32);
}

Theme DefaultTheme() {
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return theme;
}

// A 64 x 48 picture with colours no palette holds and a half transparent corner, as a PNG.
std::string WritePng(const test::TempDir& dir) {
    QImage img(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgba(x * 4, y * 5, 100, x < 10 && y < 10 ? 128 : 255));
    img.save(QString::fromStdString(dir / "in.png"), "PNG");
    return dir / "in.png";
}

// A point below the calling popup's box, showing only the screen's Background.
QPoint Calling() { return ScreenPixel("f_calling", 30, 1150); }

using CliQtCommandsTest = test::WindowFixture;

TEST_F(CliQtCommandsTest, RenderIsTransparentBetweenTheScreensAndElsewhereWhatTheWindowPaints) {
    const QImage plain = Render({"render", "--default", dir / "default.png"});
    EXPECT_EQ(plain.pixelColor(Calling()), QColor(0xFF, 0xEA, 0xB6));
    // The standby picture, a medium title picture, and a desktop picture that does not decode.
    const std::string header101x80("GIF89a\x65\0\x50\0", 10);
    const std::pair<std::size_t, std::string> pictures[] = {{0, test::SolidGif(101, 80, 0xC0, 0x10, 0x90)},
                                                            {1, header101x80 + "not really"},
                                                            {2, test::SolidGif(101, 27, 0x05, 0x06, 0x07)}};
    const std::string path = dir / "mixed.thm";
    ASSERT_TRUE(test::WriteThemeFile(log, path, [&](Theme& theme) {
        theme.colours[4] = "102030";
        theme.colours[7] = "F0E0D0";
        theme.colours[37] = "00FF00";
        for (const auto& [slot, bytes] : pictures) {
            theme.members[slot] = {Bytes(bytes.begin(), bytes.end()), true};
            theme.slots[slot] = SlotState::On;
        }
    }));
    const QImage rendered = Render({"render", path, dir / "mixed.png"});
    EXPECT_EQ(rendered.pixelColor(Calling()), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(rendered.pixelColor(ScreenPixel("f_notes", 45, 1170)), QColor(0xC0, 0x10, 0x90));

    Start();
    ASSERT_EQ(Core().OpenTheme(path), Editor::OpenResult::Opened);
    const QImage painted = PreviewOnScreen()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), rendered.size());
    int differing = 0;
    for (int y = 0; y < rendered.height(); ++y)
        for (int x = 0; x < rendered.width(); ++x) {
            bool onScreen = false;
            for (int s = 0; s < kScreenCount; ++s) onScreen = onScreen || test::ScreenRect(s).contains(x, y);
            ASSERT_EQ(qAlpha(rendered.pixel(x, y)), onScreen ? 255 : 0) << x << "," << y;
            differing += onScreen && painted.pixel(x, y) != rendered.pixel(x, y);
        }
    EXPECT_EQ(differing, 0) << "pixels of the screens that differ from the window's";
}

// The default theme's one hard pair is the calendar's weekend days on the background; it is
// mostly colours the phone cannot show.
TEST_F(CliQtCommandsTest, MarkContrastOutlinesOnlyTheHardTextsAndPhoneColoursSnapEveryPixel) {
    const QImage plain = Render({"render", "--default", dir / "plain.png"});
    const QImage marked = Render({"render", "--mark-contrast", "--default", dir / "marked.png"});
    const QImage phone = Render({"render", "--phone-colours", "--default", dir / "phone.png"});
    QRegion weekend;
    for (int i = 28; i <= 31; ++i) {
        const QRect r = test::ItemRect(PreviewFor(DefaultTheme(), Texts{}), "lblText", i);
        weekend += r;
        EXPECT_EQ(marked.pixelColor(r.topLeft()), kOutlineColour) << i;
    }
    int outlined = 0, snapped = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb p = plain.pixel(x, y), q = phone.pixel(x, y);
            ASSERT_EQ(qAlpha(q), qAlpha(p));
            ASSERT_TRUE(qAlpha(p) == 0 || (q & 0xFFFFFF) == PhoneColour(p & 0xFFFFFF)) << x << ',' << y;
            snapped += qAlpha(p) != 0 && q != p;
            if (marked.pixel(x, y) == p) continue;
            ++outlined;
            ASSERT_TRUE(weekend.contains(QPoint(x, y))) << x << "," << y;
        }
    EXPECT_GT(outlined, 0);
    EXPECT_GT(snapped, 1000);
}

// Any image becomes the core's GIF for the options, but a GIF of the slot's size keeps its bytes
// unless converted, and an animation gives its first frame.
TEST_F(CliQtCommandsTest, PictureAndSetPictureMakeTheCoresGifForTheOptions) {
    const std::string png = WritePng(dir);
    const RgbaImage source = DecodePicture(ReadAll(png)).image;
    ASSERT_EQ(source.width, 64);
    const std::tuple<std::vector<std::string>, int, ImportSettings> cases[] = {
        {{}, 2, SettingsFromChoice({}, DefaultTheme(), 2)},
        {{"--mode", "fit", "--bar", "24B6AA", "--no-dither"}, 0, {FitMode::Fit, 0x24B6AA, false, false}},
        {{"--mode", "stretch", "--convert"}, 1, SettingsFromChoice({FitMode::Stretch, {}, true}, DefaultTheme(), 1)},
    };
    for (const auto& [options, slot, settings] : cases) {
        std::vector<std::string> args{"picture", png, "--slot", std::to_string(slot), dir / "out.gif"};
        args.insert(args.end(), options.begin(), options.end());
        const test::CliRun r = Cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadAll(dir / "out.gif"), MakeSlotPicture(source, slot, settings).bytes) << slot;
    }

    const std::string sized = dir / "sized.gif";
    test::WriteAll(sized, test::SolidGif(101, 27, 0xC0, 0x10, 0x90));
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

    if (std::system("command -v convert >/dev/null") != 0) GTEST_SKIP() << "ImageMagick is not installed";
    const std::string anim = dir / "anim.gif";
    ASSERT_EQ(std::system(("convert -size 50x40 xc:'#FF0000' xc:'#0000FF' -loop 0 " + anim).c_str()), 0);
    ASSERT_EQ(Cli({"picture", anim, "--slot", "4", dir / "first.gif"}).status, 0);
    for (std::uint32_t px : DecodePicture(ReadAll(dir / "first.gif")).image.pixels) ASSERT_EQ(px, 0xFFFF0000);
}

TEST_F(CliQtCommandsTest, UnreadableImagesAndWrongCommandLinesWriteNothing) {
    const std::string png = WritePng(dir), whole = test::ReadText(png);
    test::WriteAll(dir / "empty.png", "");
    test::WriteAll(dir / "junk.png", "this is no picture at all, just text in a file named .png");
    test::WriteAll(dir / "cut.png", whole.substr(0, whole.size() / 2));
    // A valid header, with its checksum, that claims 30000 x 30000 pixels: 3.4 GiB if believed.
    const std::string huge("\0\0\x75\x30\0\0\x75\x30\x08\x06\0\0\0\x66\x27\xF8\xBA", 17);
    test::WriteAll(dir / "huge.png", whole.substr(0, 16) + huge + whole.substr(33));
    test::WriteAll(dir / "junk.thm", "not an archive");
    const std::string out = dir / "out.gif", image = dir / "out.png";
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"picture", dir / "missing.png", "--slot", "0", out}, 1, "cannot read the image"},
        {{"picture", dir / "empty.png", "--slot", "0", out}, 1, "empty"},
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
        const test::CliRun r = Cli(args);
        EXPECT_EQ(r.status, status);
        EXPECT_THAT(r.err, ::testing::HasSubstr(err));
        for (const std::string& f : {out, image, dir / "t.thm"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;
    }
    // Qt itself would refuse a picture beyond the limit too.
    EXPECT_EQ(QImageReader::allocationLimit(), kDecodeLimitMiB);
}

}  // namespace
