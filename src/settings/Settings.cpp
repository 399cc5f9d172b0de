#include "settings/Settings.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "model/ColourText.h"
#include "settings/SettingsStore.h"

namespace tintora {

namespace {

// A custom colour byte and the zoom: a whole number "0" to "255"; anything else (edited outside
// the program) reads as 0.
std::uint8_t ParseByte(const std::string& text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || value > 255) return 0;
    return static_cast<std::uint8_t>(value);
}

// A bar colour: RRGGBB, or nothing for the default colour.
std::optional<std::uint32_t> ParseBar(const std::string& text) {
    unsigned value = 0;
    const auto [stop, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (!IsCompleteColourText(text) || ec != std::errc() || stop != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string BarText(const std::optional<std::uint32_t>& bar) {
    char text[8] = "";
    if (bar) std::snprintf(text, sizeof text, "%06X", *bar & 0xFFFFFFu);
    return text;
}

// One stored key: where it lives, what an absent key reads as, and how its text maps to the
// value and back.
struct SettingsKey {
    std::string section;
    std::string key;
    std::string fallback;
    std::function<void(SettingsValue&, const std::string&)> load;
    std::function<std::string(const SettingsValue&)> save;
    // A fallback that depends on the environment when the key is read, instead of `fallback`.
    std::string (*fallbackNow)() = nullptr;
    std::string path = SettingsKeyPath(section, key);  // as StoredSettings names it
};

// Every key the program keeps, in the order it is written.
std::vector<SettingsKey> MakeSettingsKeys() {
    std::vector<SettingsKey> keys;
    for (std::size_t i = 0; i < kElementCount; ++i)
        keys.push_back({"Last", std::to_string(i), "000000",
                        [i](SettingsValue& v, const std::string& t) { v.colours[i] = t; },
                        [i](const SettingsValue& v) { return v.colours[i]; }});
    for (std::size_t j = 0; j < CustomColourBlock{}.size(); ++j)
        keys.push_back({"CustC", std::to_string(j), "0",
                        [j](SettingsValue& v, const std::string& t) { v.user.customColours[j] = ParseByte(t); },
                        [j](const SettingsValue& v) { return std::to_string(v.user.customColours[j]); }});
    const auto text = [](const char* section, const char* key, std::string fallback,
                         std::string UserSettings::*member) {
        return SettingsKey{section, key, std::move(fallback),
                           [member](SettingsValue& v, const std::string& t) { v.user.*member = t; },
                           [member](const SettingsValue& v) { return v.user.*member; }};
    };
    keys.push_back(text("Path", "BrowseFolder", "", &UserSettings::browseFolder));
    keys.back().fallbackNow = DefaultBrowseFolder;
    keys.push_back(text("Path", "Read", "", &UserSettings::readFolder));
    keys.push_back(text("Path", "Create", "", &UserSettings::createFolder));
    keys.push_back(text("Info", "Creator", "", &UserSettings::defaultCreator));
    keys.push_back(text("Info", "Modified", "", &UserSettings::defaultModifiedBy));
    // The preview's zoom: a whole factor 1 to 4; anything else keeps the default.
    keys.push_back({"View", "Zoom", "",
                    [](SettingsValue& v, const std::string& t) {
                        const int zoom = ParseByte(t);
                        v.user.previewZoom = zoom >= 1 && zoom <= 4 ? zoom : UserSettings{}.previewZoom;
                    },
                    [](const SettingsValue& v) { return std::to_string(v.user.previewZoom); }});
    // The import choices of slot k: "Mode<k>", "Bar<k>" (RRGGBB, empty for the default colour)
    // and "Dither<k>" ("1" or "0").
    for (std::size_t k = 0; k < kSlotCount; ++k) {
        const std::string n = std::to_string(k);
        keys.push_back({"Import", "Mode" + n, "",
                        [k](SettingsValue& v, const std::string& t) {
                            v.user.imports[k].mode = ParseFitMode(t).value_or(FitMode::Crop);
                        },
                        [k](const SettingsValue& v) { return std::string(FitModeName(v.user.imports[k].mode)); }});
        keys.push_back({"Import", "Bar" + n, "",
                        [k](SettingsValue& v, const std::string& t) { v.user.imports[k].bar = ParseBar(t); },
                        [k](const SettingsValue& v) { return BarText(v.user.imports[k].bar); }});
        keys.push_back({"Import", "Dither" + n, "1",
                        [k](SettingsValue& v, const std::string& t) { v.user.imports[k].dither = t != "0"; },
                        [k](const SettingsValue& v) { return std::string(v.user.imports[k].dither ? "1" : "0"); }});
    }
    return keys;
}

// Built once: reading and writing walk it for every key, and the fuzzer does so millions of times.
const std::vector<SettingsKey>& SettingsKeys() {
    static const std::vector<SettingsKey> keys = MakeSettingsKeys();
    return keys;
}

}  // namespace

std::string DefaultBrowseFolder() {
    const char* home = std::getenv("HOME");
    std::string folder = home && *home ? home : "/";
    if (folder.back() != '/') folder += '/';
    return folder;
}

ReadSettingsResult ReadSettings(const SettingsStore& store) {
    ReadSettingsResult r;
    // Colours count as stored unless key "Last" / "0" is absent (or holds "XX", which stands for
    // absent).
    r.value.coloursStored = store.Read("Last", "0").value_or("XX") != "XX";
    for (const SettingsKey& k : SettingsKeys()) {
        std::optional<std::string> text = store.Read(k.section, k.key);
        if (text) {
            k.load(r.value, *text);
            r.held.emplace(k.path, std::move(*text));
        } else {
            k.load(r.value, k.fallbackNow ? k.fallbackNow() : k.fallback);
        }
    }
    return r;
}

void WriteSettings(SettingsStore& store, const SettingsValue& value, const StoredSettings& atLoad) {
    for (const SettingsKey& k : SettingsKeys()) {
        const std::string text = k.save(value);
        const auto held = atLoad.find(k.path);
        if (held == atLoad.end() || held->second != text) store.Write(k.section, k.key, text);
    }
}

}  // namespace tintora
