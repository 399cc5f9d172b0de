#pragma once
// The contrast part of `tintora-cli check --contrast`: after the nine rules' findings, every
// text/fill pair the preview shows, worst first, with a fix for each pair that is hard to read.

#include <ostream>

#include "model/Theme.h"
#include "text/Texts.h"

namespace tintora::cli {

// Prints the heading and one line per pair; true when a pair is hard to read.
bool PrintContrast(const Theme& theme, const Texts& texts, std::ostream& out);

}  // namespace tintora::cli
