#include "editor/SaveTheme.h"

#include "themefile/DocumentWriter.h"
#include "editor/ThemeFiles.h"

namespace tintora {

bool SaveTheme(Log& log, const Texts& texts, Theme& theme, const std::string& target, std::string& userReason) {
    PutDocument(theme);
    return CreateTarFile(log, texts, theme, target, &userReason);
}

}  // namespace tintora
