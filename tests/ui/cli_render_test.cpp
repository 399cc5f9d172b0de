// tintora-cli render: the preview painted into a PNG without a window, checked against the theme's
// colours and pictures and pixel for pixel against the editor window's own preview.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "render/Render.h"
#include "support/EditorRig.h"
#include "support/WindowFixture.h"
#include "ui/PreviewPainter.h"
#include "support/CliRun.h"

#include <QImage>

using namespace tintora;
using test::CliRun;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

// Through the dispatcher, with render handed in as the program does.
CliRun Cli(const std::vector<std::string>& args) {
    return test::CaptureCli([&](std::ostream& out, std::ostream& err) {
        const cli::ExtraCommand extra[] = {cli::kRenderCommand};
        return cli::RunCli(args, out, err, extra);
    });
}

int ScreenNamed(std::string_view name) {
    for (int s = 0; s < kScreenCount; ++s)
        if (kScreens[static_cast<std::size_t>(s)].name == name) return s;
    ADD_FAILURE() << "no screen " << name;
    return 0;
}

int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel) * 2.0)); }

// Screen `s` in the painted image.
QRect ScreenRect(int s) {
    const int x0 = Px(ScreenLeft(s));
    const int y0 = Px(ScreenTop(s));
    return QRect(x0, y0, Px(ScreenLeft(s) + kScreenWidth) - x0, Px(ScreenTop(s) + kScreenHeight) - y0);
}

// The pixel of a point given in twips within a named screen.
QColor PixelAt(const QImage& image, std::string_view screen, int x, int y) {
    const int s = ScreenNamed(screen);
    return image.pixelColor(Px(ScreenLeft(s) + x), Px(ScreenTop(s) + y));
}

// Points that show only the screen's own background or its full-screen picture: below the
// calling popup's box, left of the desktop title's band, under the note's frame.
constexpr int kCallingX = 30, kCallingY = 1150;
constexpr int kDesktopX = 120, kDesktopY = 600;
constexpr int kNotesX = 45, kNotesY = 1170;

class CliRenderTest : public test::WindowFixture {
protected:
    // The default colours with `changes`, and the given pictures in their slots, switched on.
    std::string WriteTheme(const std::string& name, std::initializer_list<std::pair<int, std::string>> changes,
                           std::initializer_list<std::pair<int, std::string>> pictures = {}) {
        const std::string path = dir / name;
        EXPECT_TRUE(test::WriteThemeFile(log, path, [&](Theme& theme) {
            for (const auto& [index, value] : changes) theme.colours[static_cast<std::size_t>(index)] = value;
            for (const auto& [slot, bytes] : pictures) {
                theme.members[static_cast<std::size_t>(slot)] = {Bytes(bytes.begin(), bytes.end()), true};
                theme.slots[static_cast<std::size_t>(slot)] = SlotState::On;
            }
        }));
        return path;
    }

    QImage Render(const std::vector<std::string>& args) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        QImage image(QString::fromStdString(args.back()));
        EXPECT_FALSE(image.isNull()) << "no PNG at " << args.back();
        return image.convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(CliRenderTest, ColoursAndPicturesReachTheirOpaqueScreensOnATransparentImage) {
    QImage image = Render({"render", "--default", dir / "default.png"});
    ASSERT_EQ(image.size(), PreviewSize(2.0));
    EXPECT_EQ(PixelAt(image, "f_calling", kCallingX, kCallingY), QColor(0xFF, 0xEA, 0xB6)) << "Background";
    EXPECT_EQ(PixelAt(image, "f_Setting", kDesktopX, kDesktopY), QColor(0xFF, 0xFE, 0xB6)) << "Desktop_background";
    // Every pixel of a screen is painted; nothing between the screens is.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            bool onScreen = false;
            for (int s = 0; s < kScreenCount; ++s) onScreen = onScreen || ScreenRect(s).contains(x, y);
            ASSERT_EQ(qAlpha(image.pixel(x, y)), onScreen ? 255 : 0) << x << "," << y;
        }

    image = Render({"render", WriteTheme("plain.thm", {{8, "12AB34"}}), dir / "plain.png"});
    EXPECT_EQ(PixelAt(image, "f_Setting", kDesktopX, kDesktopY), QColor(0x12, 0xAB, 0x34));
    EXPECT_EQ(PixelAt(image, "f_calling", kCallingX, kCallingY), QColor(0xFF, 0xEA, 0xB6)) << "the rest stays default";

    // The desktop picture covers the desktop background; the standby picture shows on both
    // standby screens, the second time through the extra holder.
    const std::string pictured = WriteTheme("pictured.thm", {{8, "12AB34"}},
                                            {{1, test::SolidGif(101, 80, 0x20, 0x40, 0xC0)},
                                             {0, test::SolidGif(101, 80, 0xC0, 0x10, 0x90)}});
    image = Render({"render", pictured, dir / "pictured.png"});
    EXPECT_EQ(PixelAt(image, "f_Setting", kDesktopX, kDesktopY), QColor(0x20, 0x40, 0xC0));
    EXPECT_EQ(PixelAt(image, "f_notes", kNotesX, kNotesY), QColor(0xC0, 0x10, 0x90));

    // A picture that does not decode leaves its holder hatched, never the old colour or a crash.
    const std::string header101x80("GIF89a\x65\0\x50\0", 10);
    const std::string broken = WriteTheme("broken.thm", {{8, "12AB34"}}, {{1, header101x80 + "not really"}});
    image = Render({"render", broken, dir / "broken.png"});
    const int s = ScreenNamed("f_Setting");
    int grey = 0;
    for (int y = ScreenRect(s).top(); y <= ScreenRect(s).bottom(); ++y)
        grey += image.pixelColor(ScreenRect(s).left() + 4, y) == QColor(128, 128, 128);
    EXPECT_GT(grey, 0);
}

TEST_F(CliRenderTest, ThePngIsWhatTheEditorWindowPaintsForTheSameTheme) {
    const std::string path = WriteTheme("mixed.thm", {{8, "12AB34"}, {4, "102030"}, {7, "F0E0D0"}, {37, "00FF00"}},
                                        {{1, test::SolidGif(101, 80, 0x20, 0x40, 0xC0)},
                                         {0, test::SolidGif(101, 80, 0xC0, 0x10, 0x90)},
                                         {2, test::SolidGif(101, 27, 0x05, 0x06, 0x07)}});
    const QImage rendered = Render({"render", path, dir / "mixed.png"});

    // The window on a fresh data folder, opening the theme as its file browser does.
    Start();
    ASSERT_EQ(Core().ReadFileBrowse(path), Editor::OpenResult::Opened);
    const QImage painted = PreviewOnScreen()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), rendered.size());
    for (int s = 0; s < kScreenCount; ++s) {
        const QRect r = ScreenRect(s);
        int differing = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) differing += painted.pixel(x, y) != rendered.pixel(x, y);
        EXPECT_EQ(differing, 0) << "screen " << kScreens[static_cast<std::size_t>(s)].name;
    }
}

TEST_F(CliRenderTest, WrongCommandLinesAndUnreadableThemesWriteNoImage) {
    const std::string png = dir / "out.png";
    test::WriteAll(dir / "junk.thm", "not an archive");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"render"}, 2, "usage"},
        {{"render", "--default"}, 2, "usage"},
        {{"render", "--default", png, png}, 2, "usage"},
        {{"render", "--default", "--default", png}, 2, "usage"},
        {{"render", "--zoom", dir / "a.thm", png}, 2, "usage"},
        {{"render", dir / "missing.thm", png}, 1, ""},
        {{"render", dir / "junk.thm", png}, 1, ""},
        {{"render", "--default", dir / "no-such-folder/out.png"}, 1, "cannot write"},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_THAT(r.err, HasSubstr(c.err)) << c.args.back();
        EXPECT_FALSE(fs::exists(png)) << c.args.back();
    }
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("tintora-cli render --default OUT.png"));
}

}  // namespace
