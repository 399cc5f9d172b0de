#include "pictures/PictureFindings.h"

#include "pictures/ImageInfo.h"
#include "text/Texts.h"

namespace tintora {

std::vector<std::string> PictureSizeFindings(const Theme& theme, const Texts& texts) {
    std::vector<std::string> lines;
    for (const SlotDef& slot : kSlots) {
        const MemberRecord& record = theme.members[slot.index];
        if (!theme.SlotOn(slot.index) || !record.data) continue;
        const std::optional<ImageInfo> info = MeasureImage(*record.data);
        const std::string needW = std::to_string(slot.width), needH = std::to_string(slot.height);
        if (!info || info->kind.empty()) {
            lines.push_back(FillText(texts.GetText(kTextPictureNoSize), {slot.member, needW, needH}));
        } else if (info->width != slot.width || info->height != slot.height) {
            lines.push_back(FillText(texts.GetText(kTextPictureWrongSize),
                                     {slot.member, std::to_string(info->width), std::to_string(info->height),
                                      needW, needH}));
        }
    }
    return lines;
}

}  // namespace tintora
