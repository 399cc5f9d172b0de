// The GIFs we write, read by other programs: ImageMagick and giflib's own gif2rgb give back
// exactly the pixels that were encoded. Both come with scripts/setup.sh; a missing one fails.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "pictures/SlotPicture.h"
#include "support/TempDir.h"

using namespace tintora;

namespace {

TEST(GifInterop, ImageMagickAndGif2rgbReadTheEncodedPixels) {
    test::TempDir dir;
    std::mt19937 rng(11);
    RgbaImage noise(333, 77);
    for (auto& px : noise.pixels) px = static_cast<std::uint32_t>(rng());  // alpha too
    const std::pair<int, ImportSettings> cases[] = {{0, {FitMode::Crop, 0x102030, true, false}},
                                                    {5, {FitMode::Fit, 0xFF00AA, false, false}}};
    // Each writes the pixels of p.gif as RGB triplets to p.rgb.
    const char* const readers[] = {"convert GIF rgb:OUT", "gif2rgb -1 -o OUT GIF"};
    for (const auto& [slot, settings] : cases) {
        const GifResult gif = MakeSlotPicture(noise, slot, settings);
        ASSERT_TRUE(gif.bytes);
        test::WriteAll(dir / "p.gif", std::string(gif.bytes->begin(), gif.bytes->end()));
        std::string expected;
        for (std::uint32_t px : FitToSlot(noise, slot, settings).pixels)
            for (int shift : {16, 8, 0}) expected += static_cast<char>(px >> shift & 0xFF);
        for (std::string command : readers) {
            command.replace(command.find("GIF"), 3, dir / "p.gif");
            command.replace(command.find("OUT"), 3, dir / "p.rgb");
            std::filesystem::remove(dir / "p.rgb");
            ASSERT_EQ(std::system(command.c_str()), 0) << command << " (scripts/setup.sh installs it)";
            EXPECT_EQ(test::ReadText(dir / "p.rgb"), expected) << command;
        }
    }
}

}  // namespace
