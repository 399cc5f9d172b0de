#pragma once
// A picture of any size made into a slot's GIF the same way by the import dialog, the command
// line and the tests: fitted to the slot's size, brought to the phone's colours, encoded.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/Theme.h"
#include "pictures/GifWriter.h"
#include "pictures/PictureFit.h"

namespace tintora {

// What the user chose for one import.
struct ImportSettings {
    FitMode mode = FitMode::Crop;
    std::uint32_t bar = 0;  // 0xRRGGBB: the bars of the fit-inside way and what shows through
                            // transparency, both painted in the phone's colour for it
    bool dither = true;
    bool convert = false;  // re-encode a GIF that already has the slot's size
};

// What is remembered per slot for the next import; no bar colour means the default one.
struct ImportChoice {
    FitMode mode = FitMode::Crop;
    std::optional<std::uint32_t> bar;
    bool dither = true;
    friend bool operator==(const ImportChoice&, const ImportChoice&) = default;
};

// The colour the phone shows behind the slot's picture: Background for the standby and desktop
// pictures, Title for the title pictures (the element's value read by the colour text rules).
std::uint32_t DefaultBarColour(const Theme& theme, int slot);

// The settings of a new import into `slot`, from the remembered choice.
ImportSettings SettingsFromChoice(const ImportChoice& choice, const Theme& theme, int slot);

// "crop", "fit", "stretch" and back.
std::optional<FitMode> ParseFitMode(std::string_view name);
std::string_view FitModeName(FitMode mode);

// Whether `file` is a GIF whose header gives exactly the slot's size: such a file is taken byte
// for byte unless the user asks to convert it.
bool IsSlotSizedGif(std::span<const std::uint8_t> file, int slot);

// The slot's picture, pixels only: `source` fitted to the slot's size and in phone colours.
RgbaImage FitToSlot(const RgbaImage& source, int slot, const ImportSettings& settings,
                    const std::optional<CropWindow>& window = std::nullopt);

// The slot's GIF from decoded pixels (as PrepareSource gives them: the dialog, its crop window
// and the command line all work on those). Fails for an empty source, an invalid slot, or a file over
// the archive's member limit.
GifResult MakeSlotPicture(const RgbaImage& source, int slot, const ImportSettings& settings,
                          const std::optional<CropWindow>& window = std::nullopt);

}  // namespace tintora
