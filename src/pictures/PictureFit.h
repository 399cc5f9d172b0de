#pragma once
// Bringing any picture to a slot's size: the three ways of fitting, the crop window of the
// fill-and-crop way, and the resampling that does the work. Plain pixels in, plain pixels out.

#include <cstdint>
#include <optional>

#include "pictures/RgbaImage.h"

namespace tintora {

enum class FitMode {
    Crop,     // fill the slot, cutting off what does not fit (the crop window picks the part)
    Fit,      // the whole picture inside the slot, bars of the bar colour around it
    Stretch,  // the whole picture to the slot's size, its proportions lost
};

// A rectangle in source pixels; fractions allowed.
struct CropWindow {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const CropWindow&, const CropWindow&) = default;
};

// The largest window of the target's proportions that lies in the source, centred.
CropWindow DefaultCropWindow(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

// `window` moved by (dx, dy) source pixels and kept inside the source.
CropWindow MoveCropWindow(const CropWindow& window, double dx, double dy, int sourceWidth, int sourceHeight);

// A large source shrunk by a whole factor (averaging each block of pixels) so that it stays at
// least minWidth x minHeight; smaller sources come back unchanged. Fitting a photo then costs
// little, and the crop window of the import dialog works on what this returns.
inline constexpr int kWorkingWidth = 404;  // four times the widest slot
inline constexpr int kWorkingHeight = 320;
RgbaImage PrepareSource(const RgbaImage& source, int minWidth = kWorkingWidth, int minHeight = kWorkingHeight);

// Where the picture lands inside the target in the fit-inside way (whole pixels, centred).
struct PlacedRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
PlacedRect FitInsideRect(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

// The source brought to targetWidth x targetHeight in `mode`, every pixel opaque: transparency is
// laid over `bar` (0xRRGGBB), which also fills the bars of the fit-inside way. `window` is the
// crop window (Crop only; the default window when absent). Averages the source pixels under each
// target pixel, so a large photo shrinks without sparkle. An empty source or target gives an
// empty image.
RgbaImage FitPicture(const RgbaImage& source, int targetWidth, int targetHeight, FitMode mode, std::uint32_t bar,
                     const std::optional<CropWindow>& window = std::nullopt);

}  // namespace tintora
