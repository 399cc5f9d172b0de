#pragma once
// The size of a picture, measured from the fixed places of its file header. Nothing is decoded
// and nothing is judged here: the slots compare the size with what they require.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tintora {

struct ImageInfo {
    std::string kind;  // "GIF", "JPG", or empty when the header is neither
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

// The header bytes a measurement needs: the first 10, or the first 167 of a JFIF file.
inline constexpr std::size_t kImageHeaderSize = 10;
inline constexpr std::size_t kJfifHeaderSize = 167;

// Measures a picture held in memory (the file's bytes from its start). nullopt when the bytes
// are shorter than the header they need; a header of any other kind measures as kind "", 0 x 0.
std::optional<ImageInfo> MeasureImage(std::span<const std::uint8_t> bytes);


}  // namespace tintora
