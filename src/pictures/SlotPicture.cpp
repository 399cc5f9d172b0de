#include "pictures/SlotPicture.h"

#include <array>

#include "colourrules/PhoneColours.h"
#include "model/Catalogue.h"
#include "model/ColourText.h"
#include "pictures/ImageInfo.h"
#include "pictures/PhoneDither.h"
#include "themefile/TarHeader.h"

namespace tintora {

namespace {

constexpr int kBackgroundElement = 4;
constexpr int kTitleElement = 5;
constexpr int kFirstTitleSlot = 2;

struct ModeName {
    FitMode mode;
    std::string_view name;
};
constexpr std::array<ModeName, 3> kModeNames{{{FitMode::Crop, "crop"}, {FitMode::Fit, "fit"}, {FitMode::Stretch, "stretch"}}};

bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

}  // namespace

std::uint32_t DefaultBarColour(const Theme& theme, int slot) {
    const int element = slot >= kFirstTitleSlot ? kTitleElement : kBackgroundElement;
    const Rgb c = MakeRGB(theme.colours[static_cast<std::size_t>(element)]);
    return static_cast<std::uint32_t>(c.red << 16 | c.green << 8 | c.blue);
}

ImportSettings SettingsFromChoice(const ImportChoice& choice, const Theme& theme, int slot) {
    return {choice.mode, choice.bar.value_or(DefaultBarColour(theme, slot)), choice.dither, false};
}

std::optional<FitMode> ParseFitMode(std::string_view name) {
    for (const ModeName& m : kModeNames)
        if (m.name == name) return m.mode;
    return std::nullopt;
}

std::string_view FitModeName(FitMode mode) {
    for (const ModeName& m : kModeNames)
        if (m.mode == mode) return m.name;
    return kModeNames.front().name;
}

bool IsSlotSizedGif(std::span<const std::uint8_t> file, int slot) {
    if (!ValidSlot(slot)) return false;
    const auto info = MeasureImage(file);
    const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
    return info && info->kind == "GIF" && info->width == def.width && info->height == def.height;
}

RgbaImage FitToSlot(const RgbaImage& source, int slot, const ImportSettings& settings,
                    const std::optional<CropWindow>& window) {
    if (!ValidSlot(slot)) return {};
    const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
    // The bars are the phone's colour for the bar colour: a colour between two palette colours
    // would otherwise come out dithered, and the bars should be as solid as the screen behind.
    RgbaImage fitted = FitPicture(source, def.width, def.height, settings.mode, PhoneColour(settings.bar), window);
    ToPhoneColours(fitted, settings.dither);
    return fitted;
}

GifResult MakeSlotPicture(const RgbaImage& source, int slot, const ImportSettings& settings,
                          const std::optional<CropWindow>& window) {
    const RgbaImage fitted = FitToSlot(source, slot, settings, window);
    if (fitted.Empty()) return {std::nullopt, "no picture to fit"};
    GifResult gif = EncodeGif(fitted);
    if (gif.bytes && gif.bytes->size() > tar::kMaxMemberSize)
        return {std::nullopt, "the picture is larger than 32767 bytes"};
    return gif;
}

}  // namespace tintora
