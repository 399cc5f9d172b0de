// tintora-cli render: the preview painted into a PNG without a window, transparent between the
// screens and pixel for pixel what the editor window paints for the same theme.

#include <gtest/gtest.h>

#include "preview/PreviewColours.h"
#include "render/Render.h"
#include "support/CliRun.h"
#include "support/EditorRig.h"
#include "support/WindowFixture.h"
#include "ui/PreviewPainter.h"

using namespace tintora;
using test::ScreenPixel;
using test::ScreenRect;

namespace {

// Through the dispatcher, with render handed in as the program does.
test::CliRun Cli(const std::vector<std::string>& args) {
    return test::CaptureCli([&](std::ostream& out, std::ostream& err) {
        const cli::ExtraCommand extra[] = {cli::kRenderCommand};
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

// A point below the calling popup's box, showing only the screen's Background.
QPoint Calling() { return ScreenPixel("f_calling", 30, 1150); }

using CliRenderTest = test::WindowFixture;

TEST_F(CliRenderTest, ThePngIsTransparentBetweenTheScreensAndWhatTheEditorWindowPaints) {
    EXPECT_EQ(Render({"render", "--default", dir / "default.png"}).pixelColor(Calling()), QColor(0xFF, 0xEA, 0xB6));

    // The standby picture, a medium title picture, and a desktop picture that does not decode.
    const std::string header101x80("GIF89a\x65\0\x50\0", 10);
    const std::pair<int, std::string> pictures[] = {{0, test::SolidGif(101, 80, 0xC0, 0x10, 0x90)},
                                                    {1, header101x80 + "not really"},
                                                    {2, test::SolidGif(101, 27, 0x05, 0x06, 0x07)}};
    const std::string path = dir / "mixed.thm";
    ASSERT_TRUE(test::WriteThemeFile(log, path, [&](Theme& theme) {
        theme.colours[4] = "102030";
        theme.colours[7] = "F0E0D0";
        theme.colours[37] = "00FF00";
        for (const auto& [slot, bytes] : pictures) {
            theme.members[static_cast<std::size_t>(slot)] = {Bytes(bytes.begin(), bytes.end()), true};
            theme.slots[static_cast<std::size_t>(slot)] = SlotState::On;
        }
    }));
    const QImage rendered = Render({"render", path, dir / "mixed.png"});
    EXPECT_EQ(rendered.pixelColor(Calling()), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(rendered.pixelColor(ScreenPixel("f_notes", 45, 1170)), QColor(0xC0, 0x10, 0x90));

    // The window on a fresh data folder, opening the theme as its file browser does.
    Start();
    ASSERT_EQ(Core().OpenTheme(path), Editor::OpenResult::Opened);
    const QImage painted = PreviewOnScreen()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), rendered.size());
    int differing = 0;
    for (int y = 0; y < rendered.height(); ++y)
        for (int x = 0; x < rendered.width(); ++x) {
            bool onScreen = false;
            for (int s = 0; s < kScreenCount; ++s) onScreen = onScreen || ScreenRect(s).contains(x, y);
            ASSERT_EQ(qAlpha(rendered.pixel(x, y)), onScreen ? 255 : 0) << x << "," << y;
            differing += onScreen && painted.pixel(x, y) != rendered.pixel(x, y);
        }
    EXPECT_EQ(differing, 0) << "pixels of the screens that differ from the window's";
}

// The default theme's one hard pair is the calendar's weekend days on the background.
TEST_F(CliRenderTest, MarkContrastOutlinesTheHardToReadTextsAndNothingElse) {
    const QImage plain = Render({"render", "--default", dir / "plain.png"});
    const QImage marked = Render({"render", "--mark-contrast", "--default", dir / "marked.png"});
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    const PreviewModel model = PreviewFor(theme, Texts{});
    QRegion weekend;
    for (int i = 28; i <= 31; ++i) {
        const QRect r = test::ItemRect(model, "lblText", i);
        weekend += r;
        EXPECT_EQ(marked.pixelColor(r.topLeft()), kOutlineColour) << i;
    }
    int differing = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) != marked.pixel(x, y)) {
                ++differing;
                ASSERT_TRUE(weekend.contains(QPoint(x, y))) << x << "," << y;
            }
    EXPECT_GT(differing, 0);
}

}  // namespace
