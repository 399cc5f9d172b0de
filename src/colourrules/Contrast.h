#pragma once
// Contrast between two colours as a reader sees it: relative luminance and contrast ratio after
// the WCAG 2 formulas, CIE Lab for "how near" two colours look, and the nearest colour of the
// phone's palette that makes a text readable on its fill.

#include <optional>
#include <string>

#include "model/ColourText.h"

namespace tintora {

// Below this ratio a text is hard to read; a fix aims at kReadableRatio.
inline constexpr double kHardToReadRatio = 3.0;
inline constexpr double kReadableRatio = 4.5;

// WCAG 2 relative luminance of an sRGB colour (components 0-255), 0 for black to 1 for white.
double RelativeLuminance(const Rgb& colour);

// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter colour: 1 for equal colours, 21 for black on white.
double ContrastRatio(const Rgb& a, const Rgb& b);

struct Lab {
    double l = 0;
    double a = 0;
    double b = 0;
};
// CIE L*a*b* of an sRGB colour under D65.
Lab ToLab(const Rgb& colour);
// CIE 1976 colour difference (Euclidean distance in Lab).
double LabDistance(const Lab& x, const Lab& y);

// The colour of the phone's palette nearest in Lab to `text` whose ratio against `fill` (as the
// phone shows it) reaches `minimum`; of equally near ones the first in palette order. nullopt only
// when no palette colour reaches `minimum` (never for 4.5, which black or white always reaches).
std::optional<Rgb> ReadableTextColour(const Rgb& text, const Rgb& fill, double minimum = kReadableRatio);

// A ratio as shown to the user: rounded down to one decimal ("2.9", "21.0"), so a ratio under a
// limit never reads as the limit itself.
std::string RatioText(double ratio);

}  // namespace tintora
