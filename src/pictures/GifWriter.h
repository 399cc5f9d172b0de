#pragma once
// Writes a picture as a GIF file in memory: GIF89a, one image, no transparency, no animation,
// and a global colour table that holds only the colours the picture uses (padded with black to a
// power of two, as the format needs).

#include <optional>
#include <string>

#include "model/Theme.h"
#include "pictures/RgbaImage.h"

namespace tintora {

struct GifResult {
    std::optional<Bytes> bytes;  // the file, or nullopt when it could not be made
    std::string error;           // why not, for the log and the user
};

// Alpha is ignored: the picture is written as opaque. Fails for an empty picture, a size beyond
// 65535, or more than 256 colours.
GifResult EncodeGif(const RgbaImage& image);

}  // namespace tintora
