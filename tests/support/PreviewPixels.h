#pragma once
// Where the painted preview shows a screen, a point given in twips within a screen, or an item.

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"

#include <QRect>

namespace tintora::test {

inline int ScreenNamed(std::string_view name) {
    for (int s = 0; s < kScreenCount; ++s)
        if (kScreens[static_cast<std::size_t>(s)].name == name) return s;
    ADD_FAILURE() << "no screen " << name;
    return 0;
}

inline QPoint ScreenPixel(int screen, int x, int y, double zoom = 2.0) {
    const auto px = [zoom](int twips) { return static_cast<int>(std::lround(twips * zoom / kTwipsPerPixel)); };
    return {px(ScreenLeft(screen) + x), px(ScreenTop(screen) + y)};
}
inline QPoint ScreenPixel(std::string_view screen, int x, int y, double zoom = 2.0) {
    return ScreenPixel(ScreenNamed(screen), x, y, zoom);
}
inline QRect ScreenRect(int screen, double zoom = 2.0) {
    return {ScreenPixel(screen, 0, 0, zoom), ScreenPixel(screen, kScreenWidth, kScreenHeight, zoom) - QPoint(1, 1)};
}

// The pixels of item name(index) where the model has it now.
inline QRect ItemRect(const PreviewModel& model, std::string_view name, int index = kNoIndex, double zoom = 2.0) {
    const int id = model.Find(name, index);
    EXPECT_GE(id, 0) << name << " " << index;
    if (id < 0) return {};
    const ItemState& s = model.State(id);
    const int screen = model.Def(id).screen;
    return {ScreenPixel(screen, s.left, s.top, zoom), ScreenPixel(screen, s.left + s.width, s.top + s.height, zoom) - QPoint(1, 1)};
}

}  // namespace tintora::test
