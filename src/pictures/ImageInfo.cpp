#include "pictures/ImageInfo.h"

namespace tintora {

namespace {

bool HasText(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (bytes[at + i] != static_cast<std::uint8_t>(text[i])) return false;
    return true;
}

std::uint16_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] * 256 + bytes[at + 1]);
}

std::uint16_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] + bytes[at + 1] * 256);
}

}  // namespace

std::optional<ImageInfo> MeasureImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kImageHeaderSize) return std::nullopt;
    ImageInfo info;
    if (HasText(bytes, 6, "JFIF")) {
        // The frame header's height and width, at the place where a plain JFIF file with two
        // quantisation tables keeps them; other layouts give whatever stands there.
        if (bytes.size() < kJfifHeaderSize) return std::nullopt;
        info.kind = "JPG";
        info.height = BigEndian(bytes, 163);
        info.width = BigEndian(bytes, 165);
    }
    if (HasText(bytes, 0, "GIF")) {
        // The logical screen size; the version letters after "GIF" are not looked at.
        info.kind = "GIF";
        info.width = LittleEndian(bytes, 6);
        info.height = LittleEndian(bytes, 8);
    }
    return info;
}

}  // namespace tintora
