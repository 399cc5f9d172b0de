#pragma once
// The settings kept between runs, as the editor takes them at start-up and gives them at exit.

#include "settings/Settings.h"

namespace tintora {

class Editor;

// Reads the store and applies it: the stored colours (or the default theme at the first start,
// with a log line) and the editor's settings copies. Returns what the store held, for
// SaveSettings.
StoredSettings LoadSettings(Editor& editor, const SettingsStore& store);

// Writes the editor's colour texts as they stand (an incomplete one too) and its settings, each
// only where it differs from what the store held at load time.
void SaveSettings(const Editor& editor, SettingsStore& store, const StoredSettings& atLoad);

}  // namespace tintora
