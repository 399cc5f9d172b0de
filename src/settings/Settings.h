#pragma once
// What the program remembers between runs: the last colours, the colour chooser's custom
// colours, three folders and two default texts. Loaded once at start-up, saved once at exit.

#include <string>

namespace tintora {

class Editor;
class SettingsStore;

// The browse folder of a first start: the user's home folder, ending with "/".
std::string DefaultBrowseFolder();

// Sets the stored colours (or the default theme at the first start, with a log line) and fills
// the editor's settings copies. Absent keys take their defaults.
void LoadSettings(Editor& editor, SettingsStore& store);

// Writes every colour text as it stands (an incomplete one too), the custom colours, the folders
// and the default texts.
void SaveSettings(const Editor& editor, SettingsStore& store);

}  // namespace tintora
