// tintora-cli picture and set-picture (any image to a slot's GIF, exactly as the core makes it),
// the images they refuse, render --phone-colours, and the command lines of all three.

#include <gmock/gmock.h>

#include <QBuffer>
#include <QImageReader>

#include "colourrules/PhoneColours.h"
#include "commands/CliSession.h"
#include "pictures/SlotPicture.h"
#include "platform/PictureDecoder.h"
#include "render/Picture.h"
#include "render/Render.h"
#include "support/CliRun.h"
#include "support/EditorRig.h"
#include "support/TempDir.h"
#include "support/TestGif.h"

using namespace tintora;
using ::testing::HasSubstr;

namespace {

test::CliRun Cli(const std::vector<std::string>& args) {
    return test::CaptureCli([&](std::ostream& out, std::ostream& err) {
        const cli::ExtraCommand extra[] = {cli::kRenderCommand, cli::kPictureCommand, cli::kSetPictureCommand};
        return cli::RunCli(args, out, err, extra);
    });
}

Bytes Read(const std::string& path) {
    const auto b = test::ReadAll(path);
    return Bytes(b.begin(), b.end());
}

// A 64 x 48 picture with colours no palette holds and a half transparent corner, as a PNG.
std::string WritePng(const test::TempDir& dir) {
    QImage img(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) img.setPixelColor(x, y, QColor(x * 4, y * 5, 100, x < 10 && y < 10 ? 128 : 255));
    const std::string path = dir / "in.png";
    img.save(QString::fromStdString(path), "PNG");
    return path;
}

Theme DefaultTheme() {
    Theme theme;
    for (const auto& e : kElements) theme.colours[e.index] = std::string(e.defaultValue);
    return theme;
}

struct CliPictureTest : ::testing::Test {
    test::TempDir dir;
};

TEST_F(CliPictureTest, PictureWritesTheCoresGifForTheOptionsAndQtReadsBackItsPixels) {
    const std::string png = WritePng(dir);
    const RgbaImage source = DecodePicture(Read(png)).image;
    ASSERT_EQ(source.width, 64);
    struct Case {
        std::vector<std::string> options;
        int slot;
        ImportSettings settings;
    };
    const Case cases[] = {
        {{}, 2, SettingsFromChoice({}, DefaultTheme(), 2)},
        {{"--mode", "fit", "--bar", "24B6AA", "--no-dither"}, 0, {FitMode::Fit, 0x24B6AA, false, false}},
        {{"--mode", "stretch", "--convert"}, 1, SettingsFromChoice({FitMode::Stretch, std::nullopt, true}, DefaultTheme(), 1)},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"picture", png, "--slot", std::to_string(c.slot), dir / "out.gif"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const test::CliRun r = Cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const Bytes written = Read(dir / "out.gif");
        EXPECT_EQ(written, MakeSlotPicture(source, c.slot, c.settings).bytes) << c.slot;
        const RgbaImage expected = FitToSlot(source, c.slot, c.settings);
        EXPECT_EQ(DecodePicture(written).image.pixels, expected.pixels) << c.slot;
    }
}

TEST_F(CliPictureTest, AGifOfTheSlotsSizeKeepsItsBytesUnlessConvertedAndAnAnimationGivesItsFirstFrame) {
    const std::string sized = dir / "sized.gif";
    test::WriteAll(sized, test::SolidGif(101, 27, 0xC0, 0x10, 0x90));
    ASSERT_EQ(Cli({"picture", sized, "--slot", "2", dir / "kept.gif"}).status, 0);
    EXPECT_EQ(Read(dir / "kept.gif"), Read(sized));
    ASSERT_EQ(Cli({"picture", sized, "--slot", "2", dir / "conv.gif", "--convert", "--no-dither"}).status, 0);
    const RgbaImage converted = DecodePicture(Read(dir / "conv.gif")).image;
    ASSERT_EQ(converted.width, 101);
    EXPECT_EQ(converted.At(50, 10) & 0xFFFFFF, PhoneColour(0xC01090u));

    // set-picture takes the same bytes into the theme's slot, switched on.
    const std::string theme = dir / "t.thm";
    ASSERT_EQ(Cli({"new", theme}).status, 0);
    ASSERT_EQ(Cli({"set-picture", theme, "2", sized, dir / "t2.thm"}).status, 0);
    cli::CliSession session(std::cerr);
    ASSERT_EQ(session.GetEditor().OpenTheme(dir / "t2.thm"), Editor::OpenResult::Opened);
    EXPECT_TRUE(session.GetEditor().GetTheme().SlotOn(2));
    EXPECT_EQ(session.GetEditor().GetTheme().members[2].data, Read(sized));

    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
    const std::string anim = dir / "anim.gif";
    ASSERT_EQ(std::system(("convert -size 50x40 xc:'#FF0000' xc:'#0000FF' -loop 0 " + anim).c_str()), 0);
    ASSERT_EQ(Cli({"picture", anim, "--slot", "4", dir / "first.gif"}).status, 0);
    const RgbaImage first = DecodePicture(Read(dir / "first.gif")).image;
    for (std::uint32_t px : first.pixels) ASSERT_EQ(px, 0xFFFF0000u);
}

TEST_F(CliPictureTest, UnreadableImagesAndWrongCommandLinesWriteNothing) {
    const std::string png = WritePng(dir);
    const std::string whole = test::ReadText(png);
    test::WriteAll(dir / "empty.png", "");
    test::WriteAll(dir / "junk.png", "this is no picture at all, just text in a file named .png");
    test::WriteAll(dir / "cut.png", whole.substr(0, whole.size() / 2));
    // A valid header that claims 30000 x 30000 pixels: 3.4 GiB if anyone believed it.
    std::string huge = whole;
    const char size[] = {0, 0, 0x75, 0x30, 0, 0, 0x75, 0x30};
    huge.replace(16, 8, size, 8);
    std::uint32_t crc = 0xFFFFFFFF;  // the header chunk's CRC-32, over its type and data
    for (std::size_t i = 12; i < 29; ++i) {
        crc ^= static_cast<std::uint8_t>(huge[i]);
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    crc = ~crc;
    for (int k = 0; k < 4; ++k) huge[static_cast<std::size_t>(29 + k)] = static_cast<char>(crc >> (24 - 8 * k));
    test::WriteAll(dir / "huge.png", huge);
    test::WriteAll(dir / "junk.thm", "not an archive");
    const std::string out = dir / "out.gif", image = dir / "out.png";
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        const test::CliRun r = Cli(c.args);
        const std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_THAT(r.err, HasSubstr(c.err)) << what;
        EXPECT_FALSE(std::filesystem::exists(out) || std::filesystem::exists(image)) << what;
        EXPECT_FALSE(std::filesystem::exists(dir / "t.thm")) << what;
    }
    // Qt itself would refuse a picture beyond the limit too.
    EXPECT_EQ(QImageReader::allocationLimit(), kDecodeLimitMiB);
}

TEST_F(CliPictureTest, RenderInPhoneColoursSnapsEveryPixelOfTheScreens) {
    ASSERT_EQ(Cli({"render", "--default", dir / "plain.png"}).status, 0);
    ASSERT_EQ(Cli({"render", "--phone-colours", "--default", dir / "phone.png"}).status, 0);
    const QImage plain = QImage(QString::fromStdString(dir / "plain.png")).convertToFormat(QImage::Format_ARGB32);
    const QImage phone = QImage(QString::fromStdString(dir / "phone.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(plain.size(), phone.size());
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb p = plain.pixel(x, y);
            ASSERT_EQ(qAlpha(phone.pixel(x, y)), qAlpha(p));
            if (qAlpha(p) == 0) continue;
            ASSERT_EQ(phone.pixel(x, y) & 0xFFFFFF, PhoneColour(p & 0xFFFFFF)) << x << "," << y;
            changed += (phone.pixel(x, y) & 0xFFFFFF) != (p & 0xFFFFFF);
        }
    EXPECT_GT(changed, 1000);  // the default theme is mostly colours the phone cannot show
}

}  // namespace
