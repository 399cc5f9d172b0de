// Feeds arbitrary bytes to the picture header reader, all in memory: as a picture file, and as
// the picture of every slot of a theme for the size findings and the slots' size check. Besides
// the sanitizers' findings it stops when the measurement depends on more than the header's
// bytes, fails for bytes that hold a whole header, gives an unknown kind or a size for no kind,
// or when the findings miss a slot whose GIF has a size other than the slot's.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Catalogue.h"
#include "model/Theme.h"
#include "pictures/ImageInfo.h"
#include "pictures/PictureFindings.h"
#include "pictures/SlotPicture.h"
#include "text/Texts.h"

using namespace tintora;

namespace {

bool Same(const std::optional<ImageInfo>& a, const std::optional<ImageInfo>& b) {
    if (!a || !b) return !a && !b;
    return a->kind == b->kind && a->width == b->width && a->height == b->height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Texts texts;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<ImageInfo> info = MeasureImage(bytes);

    // A reader of the first kJfifHeaderSize bytes (as a file's header) measures what the whole does.
    if (!Same(info, MeasureImage(bytes.first(std::min(size, kJfifHeaderSize))))) __builtin_trap();
    if (!info && size >= kJfifHeaderSize) __builtin_trap();
    if (info && size < kImageHeaderSize) __builtin_trap();
    if (info && info->kind != "" && info->kind != "GIF" && info->kind != "JPG") __builtin_trap();
    if (info && info->kind.empty() && (info->width != 0 || info->height != 0)) __builtin_trap();

    // The same bytes as the picture of every slot, each slot on.
    Theme theme;
    int sizedGifs = 0;
    for (const SlotDef& slot : kSlots) {
        theme.slots[static_cast<std::size_t>(slot.index)] = SlotState::On;
        theme.members[static_cast<std::size_t>(slot.index)].data = Bytes(bytes.begin(), bytes.end());
        if (IsSlotSizedGif(bytes, slot.index)) ++sizedGifs;
    }
    if (IsSlotSizedGif(bytes, -1) || IsSlotSizedGif(bytes, kSlotCount)) __builtin_trap();
    const std::vector<std::string> findings = PictureSizeFindings(theme, texts);
    // A slot-sized GIF is never named; a GIF or a header of no size is named for every other slot.
    const int others = kSlotCount - sizedGifs;
    if (static_cast<int>(findings.size()) > others) __builtin_trap();
    if ((!info || info->kind != "JPG") && static_cast<int>(findings.size()) != others) __builtin_trap();
    return 0;
}
