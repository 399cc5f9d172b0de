#pragma once
// A real, decodable GIF of one colour at any size, for tests that show pictures.

#include <cstdint>
#include <string>

namespace tintora::test {

// Two-colour palette (the colour, then black), every pixel index 0. The LZW stream sends a clear
// code before each pixel, so every code stays three bits wide and no table is ever built.
inline std::string SolidGif(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::string s = "GIF89a";
    const auto put16 = [&s](int v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    };
    put16(width);
    put16(height);
    s += static_cast<char>(0x80);  // global table of two colours
    s += '\0';
    s += '\0';
    s += static_cast<char>(r);
    s += static_cast<char>(g);
    s += static_cast<char>(b);
    s += std::string(3, '\0');
    s += ',';
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    s += '\0';
    s += '\x02';  // minimum code size: clear = 4, end = 5, codes of three bits

    std::string data;
    std::uint32_t acc = 0;
    int bits = 0;
    const auto code = [&](std::uint32_t c) {
        acc |= c << bits;
        bits += 3;
        while (bits >= 8) {
            data += static_cast<char>(acc & 0xFF);
            acc >>= 8;
            bits -= 8;
        }
    };
    for (long i = 0; i < static_cast<long>(width) * height; ++i) {
        code(4);
        code(0);
    }
    code(5);
    if (bits > 0) data += static_cast<char>(acc & 0xFF);

    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        s += static_cast<char>(block.size());
        s += block;
    }
    s += '\0';
    s += ';';
    return s;
}

}  // namespace tintora::test
