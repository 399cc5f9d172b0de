#pragma once
// Catalogue numbers of the texts of reading and opening theme files (English base numbers;
// Swedish +200, German +400).

namespace tintora {

inline constexpr int kTextReadThemeTitle = 149;  // the file dialog of Read
inline constexpr int kTextFileNotFound = 268;
inline constexpr int kTextWrongChecksum = 279;   // a damaged member header, unpacked all the same
inline constexpr int kTextUnpackFailed = 294;    // followed by the reason on a line of its own

}  // namespace tintora
