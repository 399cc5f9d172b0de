#pragma once
// The one way a theme is written to a file, used by the editor's Save and Save As and by the
// command line's new and resave.

#include <string>

#include "model/Theme.h"

namespace tintora {

class Log;
class Texts;

// Builds theme.xml from the theme, marks it to be packed, and packs the archive to `target`
// without ever leaving less than the old file there. On failure: false, a log line, and the text
// for the user in `userReason` (catalogue text and reason).
bool SaveTheme(Log& log, const Texts& texts, Theme& theme, const std::string& target, std::string& userReason);

}  // namespace tintora
