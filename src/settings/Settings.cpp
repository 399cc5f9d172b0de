#include "settings/Settings.h"

#include <charconv>
#include <cstdlib>

#include "settings/SettingsStore.h"
#include "workspace/Editor.h"
#include "workspace/Log.h"

namespace tintora {

namespace {

constexpr const char* kLast = "Last";
constexpr const char* kCustom = "CustC";
constexpr const char* kPath = "Path";
constexpr const char* kInfo = "Info";
constexpr const char* kView = "View";

// Stored colours exist unless key "Last" / "0" is absent, which this value stands for.
constexpr const char* kNoColoursStored = "XX";

std::string ReadOr(const SettingsStore& store, const std::string& section, const std::string& key,
                   const std::string& fallback) {
    return store.Read(section, key).value_or(fallback);
}

// A custom colour byte: a whole number "0" to "255"; anything else (edited outside the
// program) reads as 0.
std::uint8_t ParseByte(const std::string& text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || value > 255) return 0;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::string DefaultBrowseFolder() {
    const char* home = std::getenv("HOME");
    std::string folder = home && *home ? home : "/";
    if (folder.back() != '/') folder += '/';
    return folder;
}

void LoadSettings(Editor& editor, SettingsStore& store) {
    if (ReadOr(store, kLast, "0", kNoColoursStored) != kNoColoursStored) {
        editor.WithRulesBatched([&] {
            for (int i = 0; i < kElementCount; ++i)
                editor.SetColour(i, ReadOr(store, kLast, std::to_string(i), "000000"));
        });
        for (int i = 0; i < kElementCount; ++i) editor.View().ChangeColor(i);
    } else {
        editor.GetLog().WriteLog("First start of the program!!!!!!!!", 1);
        editor.IniDefault();
    }

    UserSettings& s = editor.Settings();
    s.customColors.fill(0);
    for (std::size_t j = 0; j < s.customColors.size(); ++j)
        s.customColors[j] = ParseByte(ReadOr(store, kCustom, std::to_string(j), "0"));

    s.readFolder = ReadOr(store, kPath, "Read", "");
    s.createFolder = ReadOr(store, kPath, "Create", "");
    s.browseFolder = ReadOr(store, kPath, "BrowseFolder", DefaultBrowseFolder());
    s.defaultCreator = ReadOr(store, kInfo, "Creator", "");
    s.defaultModifiedBy = ReadOr(store, kInfo, "Modified", "");
    // The preview's zoom: a whole factor 1 to 4; anything else keeps the default.
    const int zoom = ParseByte(ReadOr(store, kView, "Zoom", ""));
    s.previewZoom = zoom >= 1 && zoom <= 4 ? zoom : UserSettings{}.previewZoom;
}

void SaveSettings(const Editor& editor, SettingsStore& store) {
    for (int i = 0; i < kElementCount; ++i) store.Write(kLast, std::to_string(i), editor.Colour(i));
    const UserSettings& s = editor.Settings();
    for (std::size_t j = 0; j < s.customColors.size(); ++j)
        store.Write(kCustom, std::to_string(j), std::to_string(s.customColors[j]));
    store.Write(kPath, "BrowseFolder", s.browseFolder);
    store.Write(kPath, "Read", s.readFolder);
    store.Write(kPath, "Create", s.createFolder);
    store.Write(kInfo, "Creator", s.defaultCreator);
    store.Write(kInfo, "Modified", s.defaultModifiedBy);
    store.Write(kView, "Zoom", std::to_string(s.previewZoom));
}

}  // namespace tintora
