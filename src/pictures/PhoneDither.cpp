#include "pictures/PhoneDither.h"

#include <array>
#include <cmath>
#include <vector>

#include "colourrules/PhoneColours.h"

namespace tintora {

namespace {

// PhoneColour per component, looked up: the preview snaps whole screens of pixels.
struct SnapTables {
    std::array<std::uint32_t, 256> red{};
    std::array<std::uint32_t, 256> green{};
    std::array<std::uint32_t, 256> blue{};
    SnapTables() {
        for (std::uint32_t v = 0; v < 256; ++v) {
            const std::uint32_t grey = PhoneColour(v << 16 | v << 8 | v);
            red[v] = grey & 0xFF0000u;
            green[v] = grey & 0x00FF00u;
            blue[v] = grey & 0x0000FFu;
        }
    }
};

const SnapTables& Tables() {
    static const SnapTables tables;
    return tables;
}

}  // namespace

void SnapToPhoneColours(std::span<std::uint32_t> pixels) {
    const SnapTables& t = Tables();
    for (std::uint32_t& px : pixels)
        px = (px & 0xFF000000u) | t.red[px >> 16 & 0xFF] | t.green[px >> 8 & 0xFF] | t.blue[px & 0xFF];
}

void ToPhoneColours(RgbaImage& image, bool dither) {
    if (!dither) {
        SnapToPhoneColours(image.pixels);
        for (std::uint32_t& px : image.pixels) px |= kOpaque;
        return;
    }
    // The error carried to this row and to the next, per component; one spare entry each side.
    const auto width = static_cast<std::size_t>(image.width);
    std::vector<std::array<float, 3>> current(width + 2), next(width + 2);
    for (int y = 0; y < image.height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t& px = image.At(static_cast<int>(x), y);
            std::array<float, 3> want{};
            std::array<int, 3> level{};
            for (std::size_t c = 0; c < 3; ++c) {
                want[c] = static_cast<float>(px >> (16 - 8 * c) & 0xFF) + current[x + 1][c];
                level[c] = static_cast<int>(std::lround(want[c]));
            }
            const Rgb got = PhoneColour(Rgb{level[0], level[1], level[2]});
            const std::array<int, 3> shown{got.red, got.green, got.blue};
            for (std::size_t c = 0; c < 3; ++c) {
                const float error = want[c] - static_cast<float>(shown[c]);
                current[x + 2][c] += error * 7.0f / 16.0f;
                next[x][c] += error * 3.0f / 16.0f;
                next[x + 1][c] += error * 5.0f / 16.0f;
                next[x + 2][c] += error * 1.0f / 16.0f;
            }
            px = kOpaque | static_cast<std::uint32_t>(got.red << 16 | got.green << 8 | got.blue);
        }
        current.swap(next);
        next.assign(width + 2, {});
    }
}

}  // namespace tintora
