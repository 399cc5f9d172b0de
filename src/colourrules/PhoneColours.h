#pragma once
// The colours the phone's display can show: a 3-3-2 palette, red and green on eight levels and
// blue on four (the levels of the colour rules). Every colour the phone is given is shown as the
// nearest palette colour, each component snapped on its own.

#include <cstdint>

#include "model/ColourText.h"

namespace tintora {

// The palette colour the phone shows for `colour` (components 0-255; others are clamped). Of two
// equally near levels the lower one wins, as in the colour rules.
Rgb PhoneColour(const Rgb& colour);

// The same for a packed 0xRRGGBB value (any bits above 24 are dropped).
std::uint32_t PhoneColour(std::uint32_t rgb);

inline constexpr int kPhonePaletteSize = 256;

}  // namespace tintora
