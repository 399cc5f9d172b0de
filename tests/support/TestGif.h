#pragma once
// A real, decodable GIF of one colour at any size, for tests that show pictures. Written by the
// program's GIF writer, which its own tests check pixel for pixel against giflib and ImageMagick.

#include <cstdint>
#include <string>

#include "pictures/GifWriter.h"

namespace tintora::test {

inline std::string SolidGif(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const GifResult gif = EncodeGif(RgbaImage(width, height, kOpaque | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b));
    return gif.bytes ? std::string(gif.bytes->begin(), gif.bytes->end()) : std::string();
}

}  // namespace tintora::test
