#pragma once
// What the program remembers between runs: the last colours, the colour chooser's custom
// colours, three folders and two default texts. Loaded once at start-up, saved once at exit.

#include <map>
#include <string>
#include <utility>

namespace tintora {

class Editor;
class SettingsStore;

// The browse folder of a first start: the user's home folder, ending with "/".
std::string DefaultBrowseFolder();

// The text of every stored key, by section and key, as the store held it.
using StoredSettings = std::map<std::pair<std::string, std::string>, std::string>;

// Sets the stored colours (or the default theme at the first start, with a log line) and fills
// the editor's settings copies. Absent keys take their defaults. Returns what the store held
// of the keys this program writes, for SaveSettings.
StoredSettings LoadSettings(Editor& editor, SettingsStore& store);

// Writes the colour texts as they stand (an incomplete one too), the custom colours, the folders
// and the default texts: each one that differs from what the store held at load time (`atLoad`)
// or was absent then. So another editor's values that this one left alone are never thrown
// away: of two editors the last to exit wins only for the values it changed.
void SaveSettings(const Editor& editor, SettingsStore& store, const StoredSettings& atLoad);

}  // namespace tintora
