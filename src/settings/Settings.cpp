#include "settings/Settings.h"

#include <charconv>
#include <cstdlib>
#include <vector>

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

// Every value the program stores, by section and key, in the order it is written.
std::vector<std::pair<std::pair<std::string, std::string>, std::string>> ValuesToStore(const Editor& editor) {
    std::vector<std::pair<std::pair<std::string, std::string>, std::string>> values;
    for (int i = 0; i < kElementCount; ++i) values.push_back({{kLast, std::to_string(i)}, editor.Colour(i)});
    const UserSettings& s = editor.Settings();
    for (std::size_t j = 0; j < s.customColors.size(); ++j)
        values.push_back({{kCustom, std::to_string(j)}, std::to_string(s.customColors[j])});
    values.push_back({{kPath, "BrowseFolder"}, s.browseFolder});
    values.push_back({{kPath, "Read"}, s.readFolder});
    values.push_back({{kPath, "Create"}, s.createFolder});
    values.push_back({{kInfo, "Creator"}, s.defaultCreator});
    values.push_back({{kInfo, "Modified"}, s.defaultModifiedBy});
    values.push_back({{kView, "Zoom"}, std::to_string(s.previewZoom)});
    return values;
}

}  // namespace

std::string DefaultBrowseFolder() {
    const char* home = std::getenv("HOME");
    std::string folder = home && *home ? home : "/";
    if (folder.back() != '/') folder += '/';
    return folder;
}

StoredSettings LoadSettings(Editor& editor, SettingsStore& store) {
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

    StoredSettings held;
    for (const auto& [key, value] : ValuesToStore(editor))
        if (auto text = store.Read(key.first, key.second)) held[key] = std::move(*text);
    return held;
}

void SaveSettings(const Editor& editor, SettingsStore& store, const StoredSettings& atLoad) {
    for (const auto& [key, value] : ValuesToStore(editor)) {
        const auto held = atLoad.find(key);
        if (held == atLoad.end() || held->second != value) store.Write(key.first, key.second, value);
    }
}

}  // namespace tintora
