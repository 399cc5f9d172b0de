#pragma once
// What the program remembers between runs: the last colours, the colour chooser's custom
// colours, three folders, two default texts, the preview's zoom and the import choices. Read once
// at start-up into a value that start-up applies, written once at exit from the value then.

#include <array>
#include <string>
#include <unordered_map>

#include "model/Catalogue.h"
#include "settings/UserSettings.h"

namespace tintora {

class SettingsStore;

// The browse folder of a first start: the user's home folder, ending with "/".
std::string DefaultBrowseFolder();

// Everything the store keeps, as values.
struct SettingsValue {
    // False at the first start (no colours stored): the colours then hold nothing of use.
    bool coloursStored = false;
    std::array<std::string, kElementCount> colours;  // as typed, an incomplete one too
    UserSettings user;
};

// The text of every stored key, by "Section/Key", as the store held it.
using StoredSettings = std::unordered_map<std::string, std::string>;

struct ReadSettingsResult {
    SettingsValue value;
    StoredSettings held;  // what the store held of the keys this program writes
};

// Reads every key; an absent or damaged value takes its default.
ReadSettingsResult ReadSettings(const SettingsStore& store);

// Writes each value that differs from what the store held at load time (`atLoad`) or was
// absent then. So another editor's values that this one left alone are never thrown away: of
// two editors the last to exit wins only for the values it changed.
void WriteSettings(SettingsStore& store, const SettingsValue& value, const StoredSettings& atLoad);

}  // namespace tintora
