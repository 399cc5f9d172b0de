#pragma once
// Painted pixels as the phone's display shows them: every colour snapped to the phone's 3-3-2
// palette. The preview's toggle and tintora-cli render --phone-colours both go through here.

#include <QImage>
#include <QRect>

namespace tintora {

// Snaps the colour of every pixel of `area` (all of the image when empty) in place, keeping its
// alpha. Formats other than RGB32 and ARGB32 are converted to ARGB32 first.
void ShowAsPhone(QImage& image, const QRect& area = {});

}  // namespace tintora
