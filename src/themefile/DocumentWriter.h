#pragma once
// Builds theme.xml into the document record: Windows-1252 text with CR LF line ends.

#include <string_view>

#include "model/Theme.h"

namespace tintora {

// The theme document of the theme's colour values, the slots that are on and the descriptive
// texts. Colour values are written exactly as held, unescaped and unchecked; the texts follow the
// rule of SafeInfoText, so they cannot end their value, line or comment.
Bytes DocumentBytes(const Theme& theme);

// Puts the theme's document into its document record and marks it to be packed.
void PutDocument(Theme& theme);

}  // namespace tintora
