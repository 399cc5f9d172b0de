#include "settings/Settings.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/ColourText.h"
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
constexpr const char* kImport = "Import";

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

// The import choices of slot k under "Mode<k>", "Bar<k>" (RRGGBB, empty for the default colour)
// and "Dither<k>" ("1" or "0"). A value edited into something else reads as the default.
void LoadImportChoices(UserSettings& s, const SettingsStore& store) {
    for (int k = 0; k < kSlotCount; ++k) {
        ImportChoice& c = s.imports[static_cast<std::size_t>(k)];
        const std::string n = std::to_string(k);
        c.mode = ParseFitMode(ReadOr(store, kImport, "Mode" + n, "")).value_or(FitMode::Crop);
        const std::string bar = ReadOr(store, kImport, "Bar" + n, "");
        unsigned value = 0;
        const auto [stop, ec] = std::from_chars(bar.data(), bar.data() + bar.size(), value, 16);
        c.bar = IsCompleteColourText(bar) && ec == std::errc() && stop == bar.data() + bar.size()
                    ? std::optional<std::uint32_t>(value)
                    : std::nullopt;
        c.dither = ReadOr(store, kImport, "Dither" + n, "1") != "0";
    }
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
    for (int k = 0; k < kSlotCount; ++k) {
        const ImportChoice& c = s.imports[static_cast<std::size_t>(k)];
        const std::string n = std::to_string(k);
        char bar[8] = "";
        if (c.bar) std::snprintf(bar, sizeof bar, "%06X", *c.bar & 0xFFFFFFu);
        values.push_back({{kImport, "Mode" + n}, std::string(FitModeName(c.mode))});
        values.push_back({{kImport, "Bar" + n}, bar});
        values.push_back({{kImport, "Dither" + n}, c.dither ? "1" : "0"});
    }
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
    LoadImportChoices(s, store);

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
