#include "editor/EditorSettings.h"

#include "base/Log.h"
#include "editor/Editor.h"

namespace tintora {

StoredSettings LoadSettings(Editor& editor, const SettingsStore& store) {
    ReadSettingsResult read = ReadSettings(store);
    if (read.value.coloursStored) {
        editor.WithRulesBatched([&] {
            for (int i = 0; i < kElementCount; ++i) editor.SetColour(i, read.value.colours[i]);
        });
        for (int i = 0; i < kElementCount; ++i) editor.View().ChangeColour(i);
    } else {
        editor.GetLog().WriteLog("First start of the program!!!!!!!!", 1);
        editor.ApplyDefaultColours();
    }
    editor.Settings() = read.value.user;
    return std::move(read.held);
}

void SaveSettings(const Editor& editor, SettingsStore& store, const StoredSettings& atLoad) {
    SettingsValue now;
    now.coloursStored = true;
    for (int i = 0; i < kElementCount; ++i) now.colours[i] = editor.Colour(i);
    now.user = editor.Settings();
    WriteSettings(store, now, atLoad);
}

}  // namespace tintora
