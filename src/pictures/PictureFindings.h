#pragma once
// Pictures the phone cannot show as they are: a theme may hold a picture of any size (the reader
// keeps what the file holds), but the phone needs each slot's own size.

#include <string>
#include <vector>

#include "model/Theme.h"

namespace tintora {

class Texts;

// One line per slot that is on and whose picture is not of the slot's size ("stand.gif is
// 120 x 90; the phone needs 101 x 80"), in slot order; empty when every picture fits.
std::vector<std::string> PictureSizeFindings(const Theme& theme, const Texts& texts);

}  // namespace tintora
