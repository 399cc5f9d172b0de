#pragma once
// A picture as plain pixels: rows from the top, each pixel 0xAARRGGBB with straight (not
// premultiplied) alpha. The same word layout as a 32-bit ARGB scan line, so the Qt layer copies
// rows in and out without touching single bytes.

#include <cstdint>
#include <vector>

namespace tintora {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height words

    RgbaImage() = default;
    RgbaImage(int w, int h, std::uint32_t fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

}  // namespace tintora
