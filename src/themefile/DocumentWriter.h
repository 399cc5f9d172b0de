#pragma once
// Builds theme.xml into the document record: Windows-1252 text with CR LF line ends.

#include <string_view>

#include "model/Theme.h"

namespace tintora {

// Appends one line and its CR LF to the buffer, allocating it when it is unallocated. The line
// is UTF-8 and is stored in Windows-1252.
void AppendDocumentLine(MemberRecord& record, std::string_view line);

// Rebuilds the document record from the theme's colour values, the slots that are on and the
// descriptive texts. Colour values are written exactly as held, unescaped and unchecked; the
// texts follow the rule of SafeInfoText, so they cannot end their value, line or comment. The
// record's active flag is left alone. Always returns true.
bool bSaveFile(Theme& theme);

}  // namespace tintora
