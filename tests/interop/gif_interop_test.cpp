// The GIFs we write, read by other programs: ImageMagick and giflib's own gif2rgb give back
// exactly the pixels that were encoded. Both come with scripts/setup.sh; a missing one fails.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "pictures/SlotPicture.h"
#include "support/TempDir.h"

using namespace tintora;

namespace {

bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(GifInterop, ImageMagickAndGif2rgbReadTheEncodedPixels) {
    test::TempDir dir;
    std::mt19937 rng(11);
    RgbaImage noise(333, 77);
    for (auto& px : noise.pixels) px = static_cast<std::uint32_t>(rng());  // alpha too
    const struct {
        int slot;
        ImportSettings settings;
    } cases[] = {{0, {FitMode::Crop, 0x102030, true, false}}, {5, {FitMode::Fit, 0xFF00AA, false, false}}};
    const struct {
        const char* program;
        const char* command;  // writes the pixels as RGB triplets to OUT
    } readers[] = {{"convert", "convert GIF rgb:OUT"}, {"gif2rgb", "gif2rgb -1 -o OUT GIF"}};
    for (const auto& c : cases) {
        const RgbaImage fitted = FitToSlot(noise, c.slot, c.settings);
        const GifResult gif = MakeSlotPicture(noise, c.slot, c.settings);
        ASSERT_TRUE(gif.bytes);
        test::WriteAll(dir / "p.gif", std::string(gif.bytes->begin(), gif.bytes->end()));
        std::string expected;
        for (std::uint32_t px : fitted.pixels)
            for (int shift : {16, 8, 0}) expected += static_cast<char>(px >> shift & 0xFF);
        for (const auto& r : readers) {
            if (!Installed(r.program)) {
                ADD_FAILURE() << r.program << " is not installed (scripts/setup.sh installs it)";
                continue;
            }
            std::string command = r.command;
            command.replace(command.find("GIF"), 3, dir / "p.gif");
            command.replace(command.find("OUT"), 3, dir / "p.rgb");
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            EXPECT_EQ(test::ReadText(dir / "p.rgb"), expected) << r.program << " slot " << c.slot;
        }
    }
}

}  // namespace
