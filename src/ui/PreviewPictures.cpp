#include "ui/PreviewPictures.h"

namespace tintora {

int SlotOfHolder(int holder) { return holder == kBackImageCount - 1 ? kStandbySlot : holder; }

QImage DecodeSlotPicture(const Theme& theme, int slot) {
    if (slot < 0 || slot >= kSlotCount) return {};
    const MemberRecord& record = theme.members[static_cast<std::size_t>(slot)];
    if (!record.data || record.data->empty()) return {};
    return QImage::fromData(record.data->data(), static_cast<int>(record.data->size()));
}

std::array<QImage, kBackImageCount> PreviewPictures(const Theme& theme) {
    std::array<QImage, kBackImageCount> pictures;
    for (int holder = 0; holder < kBackImageCount; ++holder) {
        const int slot = SlotOfHolder(holder);
        // The standby picture is decoded once; QImage shares the pixels of both holders.
        pictures[static_cast<std::size_t>(holder)] =
            slot == holder ? DecodeSlotPicture(theme, slot) : pictures[static_cast<std::size_t>(slot)];
    }
    return pictures;
}

}  // namespace tintora
