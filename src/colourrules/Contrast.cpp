#include "colourrules/Contrast.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "colourrules/ColourRules.h"
#include "colourrules/PhoneColours.h"

namespace tintora {

namespace {

// sRGB component 0-255 to linear light.
double Linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabF(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

// The palette with what a fix needs of each colour, worked out once: the search runs after every
// colour change the window shows.
struct PaletteEntry {
    Rgb colour;
    double luminance;
    Lab lab;
};

const std::array<PaletteEntry, kPhonePaletteSize>& Palette() {
    static const auto palette = [] {
        std::array<PaletteEntry, kPhonePaletteSize> p{};
        std::size_t i = 0;
        for (int r : SafeLevels8)
            for (int g : SafeLevels8)
                for (int b : SafeLevels4) {
                    const Rgb c{r, g, b};
                    p[i++] = {c, RelativeLuminance(c), ToLab(c)};
                }
        return p;
    }();
    return palette;
}

}  // namespace

double RelativeLuminance(const Rgb& colour) {
    return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) + 0.0722 * Linear(colour.blue);
}

double ContrastRatio(const Rgb& a, const Rgb& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

Lab ToLab(const Rgb& colour) {
    const double r = Linear(colour.red), g = Linear(colour.green), b = Linear(colour.blue);
    // sRGB to XYZ, each divided by the D65 white point.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double LabDistance(const Lab& x, const Lab& y) {
    return std::hypot(x.l - y.l, x.a - y.a, x.b - y.b);
}

std::optional<Rgb> ReadableTextColour(const Rgb& text, const Rgb& fill, double minimum) {
    const double fillLuminance = RelativeLuminance(PhoneColour(fill));
    const Lab target = ToLab(text);
    std::optional<Rgb> best;
    double bestDistance = 0;
    for (const PaletteEntry& e : Palette()) {
        const double hi = std::max(e.luminance, fillLuminance), lo = std::min(e.luminance, fillLuminance);
        if ((hi + 0.05) / (lo + 0.05) < minimum) continue;
        const double d = LabDistance(target, e.lab);
        if (!best || d < bestDistance) {
            best = e.colour;
            bestDistance = d;
        }
    }
    return best;
}

std::string RatioText(double ratio) {
    // The small allowance keeps 4.5 from showing as 4.4 after a rounding error in the division.
    const double tenths = std::floor(ratio * 10 + 1e-9);
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", tenths / 10);
    return text;
}

}  // namespace tintora
