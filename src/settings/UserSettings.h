#pragma once
// The values the program remembers per user across runs, held in memory while it runs.

#include <array>
#include <string>

#include "model/Catalogue.h"
#include "pictures/SlotPicture.h"

#include "base/Toolkit.h"

namespace tintora {

struct UserSettings {
    CustomColourBlock customColours{};  // the colour chooser's 16 custom colours, 4 bytes each
    std::string browseFolder;           // sBrowseFolder: the file browser's folder
    std::string readFolder;             // sReadFolder: where the Read dialog starts
    std::string createFolder;           // sCreateFolder: kept unchanged
    std::string defaultCreator;         // DefaultCreator
    std::string defaultModifiedBy;      // DefaultModifiedBy
    std::string defaultThemeName;       // DefaultThemeName: until exit only, never stored
    int previewZoom = 2;                // the preview's zoom factor, 1 to 4
    std::array<ImportChoice, kSlotCount> imports{};  // per slot: the last import's way of fitting
    friend bool operator==(const UserSettings&, const UserSettings&) = default;
};

}  // namespace tintora
