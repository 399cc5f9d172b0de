#pragma once
// Catalogue numbers of the texts of importing pictures from any image and of the preview as the
// phone shows it (English base numbers; Swedish +200, German +400).

namespace tintora {

inline constexpr int kTextImport = 720;              // the slot row's button
inline constexpr int kTextPhoneColours = 721;        // the preview's toggle
inline constexpr int kTextConvertGif = 722;          // re-encode a GIF of the slot's size
inline constexpr int kTextImportTitle = 723;         // the fit dialog's title
inline constexpr int kTextFillAndCrop = 724;
inline constexpr int kTextFitInside = 725;
inline constexpr int kTextStretch = 726;
inline constexpr int kTextDither = 727;
inline constexpr int kTextBarColour = 728;
inline constexpr int kTextPictureSource = 729;
inline constexpr int kTextPictureResult = 730;
inline constexpr int kTextImportUnreadable = 731;    // followed by the file path; the reason on a line of its own
inline constexpr int kTextImportFileFilter = 732;    // the open dialog's type list name
inline constexpr int kTextCropHint = 733;            // how to move the crop window

}  // namespace tintora
