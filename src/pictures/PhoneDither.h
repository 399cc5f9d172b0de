#pragma once
// Bringing pixels to the phone's 256 colours (the 3-3-2 palette of PhoneColour), snapped one by
// one or with Floyd-Steinberg error diffusion.

#include <cstdint>
#include <span>

#include "pictures/RgbaImage.h"

namespace tintora {

// Every pixel's colour becomes the phone's colour for it; alpha is kept. Used for the preview
// "as the phone shows it", where each pixel is snapped on its own.
void SnapToPhoneColours(std::span<std::uint32_t> pixels);

// The image in phone colours, opaque. With `dither` each pixel's rounding error is passed on to
// its neighbours to the right and below (7/16, 3/16, 5/16, 1/16), so areas between two palette
// colours keep their mean; a colour that is already a palette colour has no error and stays exact.
void ToPhoneColours(RgbaImage& image, bool dither);

}  // namespace tintora
