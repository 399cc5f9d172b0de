#include "ui/PhoneLook.h"

#include <span>

#include "pictures/PhoneDither.h"

namespace tintora {

void ShowAsPhone(QImage& image, const QRect& area) {
    const QImage::Format f = image.format();
    // Premultiplied pixels are converted too: a snapped colour could exceed its alpha.
    if (f != QImage::Format_ARGB32 && f != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area.isEmpty() ? image.rect() : area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y)) + r.left();
        SnapToPhoneColours(std::span<std::uint32_t>(line, static_cast<std::size_t>(r.width())));
    }
}

}  // namespace tintora
