// Pictures made from any image: fitting, phone colours, crop window, bars, the GIF's header and
// colour table (its pixels are read back by other programs in tests/interop and tests/ui/cli_*).

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>

#include "colourrules/PhoneColours.h"
#include "model/Catalogue.h"
#include "pictures/PhoneDither.h"
#include "pictures/SlotPicture.h"
#include "support/EditorRig.h"

using namespace tintora;

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr std::uint32_t kTeal = 0x24B6AA;  // a palette colour

// A picture whose columns are red, then green from `greenFrom`, then blue from `blueFrom`.
RgbaImage Bands(int w, int h, int greenFrom, int blueFrom) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.At(x, y) = kOpaque | (x < greenFrom ? kRed : x < blueFrom ? kGreen : kBlue);
    return img;
}

RgbaImage Noise(int w, int h, unsigned seed, bool withAlpha) {
    std::mt19937 rng(seed);
    RgbaImage img(w, h);
    for (auto& px : img.pixels) px = static_cast<std::uint32_t>(rng()) | (withAlpha ? 0 : kOpaque);
    return img;
}

std::uint32_t Rgb24(std::uint32_t px) { return px & 0xFFFFFF; }

// The size of a GIF's colour table, from its screen descriptor.
int TableSize(const Bytes& gif) { return 2 << (gif.at(10) & 7); }

}  // namespace

TEST(SlotPicture, EverySlotAndModeGivesTheSlotSizeInPhoneColoursAndATableOfTheColoursUsed) {
    const RgbaImage sources[] = {Bands(300, 150, 100, 200), Noise(37, 91, 7, true), Noise(5, 3, 8, false)};
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (FitMode mode : {FitMode::Crop, FitMode::Fit, FitMode::Stretch})
            for (bool dither : {true, false})
                for (const RgbaImage& source : sources) {
                    SCOPED_TRACE(testing::Message() << "slot " << slot << " mode " << FitModeName(mode) << " dither "
                                                    << dither << " source " << source.width);
                    const ImportSettings settings{mode, kTeal, dither, false};
                    const RgbaImage fitted = FitToSlot(source, slot, settings);
                    const GifResult gif = MakeSlotPicture(source, slot, settings);
                    ASSERT_TRUE(gif.bytes) << gif.error;
                    const Bytes header(gif.bytes->begin(), gif.bytes->begin() + 10);
                    EXPECT_EQ(header, test::HeaderGif(kSlots[slot].width, kSlots[slot].height, 0));  // GIF89a
                    std::set<std::uint32_t> used;
                    for (std::uint32_t px : fitted.pixels) {
                        EXPECT_EQ(PhoneColour(px) | kOpaque, px);  // opaque, in phone colours
                        used.insert(Rgb24(px));
                    }
                    EXPECT_EQ(TableSize(*gif.bytes), std::max(2, static_cast<int>(std::bit_ceil(used.size()))));
                }
}

TEST(SlotPicture, NoiseWithEveryPaletteColourStaysUnderTheMemberLimit) {
    RgbaImage noise(101, 80);
    std::mt19937 rng(3);
    for (std::size_t i = 0; i < noise.pixels.size(); ++i) {
        const std::uint32_t index = i < 256 ? static_cast<std::uint32_t>(i) : rng() & 0xFF;
        noise.pixels[i] = kOpaque | PhoneColour((index >> 5) * 0x24 << 16 | ((index >> 2) & 7) * 0x24 << 8 | (index & 3) * 0x55);
    }
    const GifResult gif = MakeSlotPicture(noise, 0, {FitMode::Stretch, 0, false, false});
    ASSERT_TRUE(gif.bytes);
    EXPECT_LT(gif.bytes->size(), 32767u);
    EXPECT_EQ(TableSize(*gif.bytes), 256);
}

TEST(SlotPicture, APaletteColourStaysExactWithDitheringAndOthersKeepTheirMean) {
    RgbaImage solid(40, 40, kOpaque | kTeal);
    const RgbaImage fitted = FitToSlot(solid, 2, {FitMode::Stretch, 0, true, false});
    for (std::uint32_t px : fitted.pixels) ASSERT_EQ(Rgb24(px), kTeal);

    // Grey 0x40 lies between two levels: dithered it mixes both, snapped it is one of them.
    RgbaImage grey(101, 80, kOpaque | 0x404040);
    for (bool dither : {true, false}) {
        RgbaImage img = grey;
        ToPhoneColours(img, dither);
        double red = 0;
        for (std::uint32_t px : img.pixels) red += px >> 16 & 0xFF;
        red /= static_cast<double>(img.pixels.size());
        if (dither) EXPECT_NEAR(red, 0x40, 1.0);
        else EXPECT_EQ(red, 0x49);
    }
}

TEST(SlotPicture, CropKeepsTheCentreOrTheMovedWindowAndFitFillsTheBars) {
    const RgbaImage wide = Bands(200, 100, 30, 170);  // 2:1, the default window all green
    const ImportSettings crop{FitMode::Crop, kTeal, true, false};
    const auto column = [](const RgbaImage& img, int x) {
        std::set<std::uint32_t> colours;
        for (int y = 0; y < img.height; ++y) colours.insert(Rgb24(img.At(x, y)));
        return colours;
    };
    const RgbaImage centre = FitToSlot(wide, 0, crop);
    EXPECT_EQ(column(centre, 0), std::set<std::uint32_t>{kGreen});
    EXPECT_EQ(column(centre, 100), std::set<std::uint32_t>{kGreen});

    const CropWindow start = DefaultCropWindow(200, 100, 101, 80);
    const CropWindow left = MoveCropWindow(start, -1000, 50, 200, 100);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.y, start.y);  // already as tall as the picture
    const RgbaImage moved = FitToSlot(wide, 0, crop, left);
    EXPECT_EQ(column(moved, 0), std::set<std::uint32_t>{kRed});
    EXPECT_EQ(column(moved, 100), std::set<std::uint32_t>{kGreen});

    const RgbaImage fit = FitToSlot(wide, 0, {FitMode::Fit, kTeal, true, false});
    const PlacedRect place = FitInsideRect(200, 100, 101, 80);
    EXPECT_EQ(place.height, 51);
    for (int y : {0, place.y - 1, place.y + place.height, 79})
        for (int x = 0; x < 101; ++x) ASSERT_EQ(Rgb24(fit.At(x, y)), kTeal) << x << "," << y;
    EXPECT_EQ(Rgb24(fit.At(0, place.y)), kRed);
    // A bar colour the phone cannot show gives solid bars of the colour it shows instead.
    const RgbaImage offPalette = FitToSlot(wide, 0, {FitMode::Fit, 0x102030, true, false});
    for (int x = 0; x < 101; ++x) ASSERT_EQ(Rgb24(offPalette.At(x, 0)), PhoneColour(0x102030u)) << x;

    EXPECT_EQ(PrepareSource(wide).pixels, wide.pixels) << "a small picture is not shrunk";

    // Transparency shows the bar colour, in every mode.
    const RgbaImage clear = FitToSlot(RgbaImage(30, 30, 0x00FF00FF), 4, {FitMode::Crop, kTeal, true, false});
    EXPECT_EQ(column(clear, 50), std::set<std::uint32_t>{kTeal});
}

// Each pixel of a shrunk picture is the mean of its block of the source (colours weighted by
// alpha), in opaque rows and in rows with transparency, at block sizes on both sides of 16.
TEST(SlotPicture, ShrinkingGivesTheMeanOfEachBlock) {
    struct Case { int width, height, minWidth, minHeight, factor; };
    for (const Case c : {Case{1600, 1200, kWorkingWidth, kWorkingHeight, 3}, Case{707, 500, 100, 70, 7},
                         Case{1620, 1290, 101, 80, 16}, Case{1717, 700, 101, 20, 17}}) {
        RgbaImage source = Noise(c.width, c.height, static_cast<unsigned>(c.factor), false);
        for (int y = c.height / 2; y < c.height; ++y)  // the lower half partly transparent
            for (int x = 0; x < c.width; x += 2) source.At(x, y) &= 0x7FFFFFFFu >> (x % 8);
        const RgbaImage shrunk = PrepareSource(source, c.minWidth, c.minHeight);
        ASSERT_EQ(std::pair(shrunk.width, shrunk.height), std::pair(c.width / c.factor, c.height / c.factor));
        for (int by = 0; by < shrunk.height; ++by)
            for (int bx = 0; bx < shrunk.width; ++bx) {
                std::array<double, 4> sum{};  // red, green, blue times alpha; alpha
                for (int y = by * c.factor; y < (by + 1) * c.factor; ++y)
                    for (int x = bx * c.factor; x < (bx + 1) * c.factor; ++x) {
                        const std::uint32_t px = source.At(x, y);
                        const double a = px >> 24;
                        for (std::size_t k = 0; k < 3; ++k) sum[k] += (px >> (16 - 8 * k) & 0xFF) * a;
                        sum[3] += a;
                    }
                const std::uint32_t got = shrunk.At(bx, by);
                const double alpha = sum[3] / (c.factor * c.factor);
                ASSERT_NEAR(got >> 24, alpha, 0.5) << c.factor << ": " << bx << "," << by;
                for (std::size_t k = 0; k < 3 && sum[3] > 0; ++k)
                    ASSERT_NEAR(got >> (16 - 8 * k) & 0xFF, sum[k] / sum[3], 0.5) << c.factor << ": " << bx << "," << by;
            }
    }
}

TEST(SlotPicture, SettingsAndTheByteForByteGif) {
    Theme theme;
    theme.colours[4] = "102030";
    theme.colours[5] = "A0B0C0";
    EXPECT_EQ(SettingsFromChoice({}, theme, 1).bar, 0x102030u);
    EXPECT_EQ(SettingsFromChoice({}, theme, 3).bar, 0xA0B0C0u);
    EXPECT_EQ(SettingsFromChoice({FitMode::Fit, 0x123456, false}, theme, 3).bar, 0x123456u);
    EXPECT_TRUE(IsSlotSizedGif(test::HeaderGif(101, 27), 2));
    EXPECT_FALSE(IsSlotSizedGif(test::HeaderGif(101, 27), 3));
    EXPECT_FALSE(IsSlotSizedGif(test::HeaderGif(101, 27), 6));
    Bytes jfif(200, 0);
    std::copy_n("\xFF\xD8....JFIF", 10, jfif.begin());
    jfif[164] = 16;
    jfif[166] = 101;
    EXPECT_FALSE(IsSlotSizedGif(jfif, 4));  // the right size, but not a GIF: converted
}
