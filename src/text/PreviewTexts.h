#pragma once
// Catalogue numbers of the preview's hover, zoom and contrast texts (English base numbers;
// Swedish +200, German +400).

namespace tintora {

inline constexpr int kTextSelectElement = 740;   // context menu entry, %1 the element
inline constexpr int kTextContrastHeading = 741;
inline constexpr int kTextHardToRead = 742;
inline constexpr int kTextUseColour = 743;       // %1 colour, %2 element, %3 ratio
inline constexpr int kTextMeantFaint = 744;
inline constexpr int kTextColourOn = 745;        // %1 text on %2 fill
inline constexpr int kTextZoom = 746;
inline constexpr int kTextSlotPicture = 747;     // %1 the slot's caption

}  // namespace tintora
