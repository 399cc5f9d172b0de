#pragma once
// Any picture file Qt's image readers know (PNG, JPEG, BMP, GIF's first frame, ...) decoded into
// plain pixels for the core's fitting. Sizes are checked from the header before any pixel
// memory is taken, so a small file that claims a huge picture costs nothing.

#include <optional>
#include <string>

#include <QImage>

#include "model/Theme.h"
#include "pictures/RgbaImage.h"

namespace tintora {

// The most memory one decoded picture may take, in MiB, and the most pixels it may have: a
// 4000 x 3000 photo needs 46 MiB; a 30000 x 30000 picture would need 3.4 GiB.
inline constexpr int kDecodeLimitMiB = 256;
inline constexpr long long kMaxDecodePixels = 64LL * 1024 * 1024;
// A picture file larger than this is not read at all.
inline constexpr std::size_t kMaxPictureFileBytes = 128u * 1024 * 1024;

// Sets Qt's image allocation limit to kDecodeLimitMiB (for every reader in the process).
void LimitImageAllocation();

struct DecodedPicture {
    RgbaImage image;     // empty when decoding failed
    std::string reason;  // why, in English, for the log and the message's reason line
};

// Decodes the first image of `bytes`. Never allocates more than the limits above. A JPEG larger
// than PrepareSource keeps is decoded at the size it would shrink it to (a whole fraction).
DecodedPicture DecodePicture(const Bytes& bytes);

// Copies between QImage and the core's pixels (ARGB32, straight alpha).
RgbaImage FromQImage(const QImage& image);
QImage ToQImage(const RgbaImage& image);

}  // namespace tintora
