#pragma once
// The pictures the preview's holders show, decoded from the theme's member bytes. The window and
// the command line's image export both take them from here, so both show the same pixels.

#include <QImage>

#include <array>

#include "model/Theme.h"
#include "preview/PreviewLayout.h"

namespace tintora {

// The slot whose picture holder `holder` shows: every slot its own holder, and the last holder
// the standby picture a second time.
int SlotOfHolder(int holder);

// The picture in slot `slot`; a null image when the slot holds no bytes or they do not decode.
QImage DecodeSlotPicture(const Theme& theme, int slot);

// The picture of every holder, whether it is shown or not (the preview model decides that).
std::array<QImage, kBackImageCount> PreviewPictures(const Theme& theme);

}  // namespace tintora
