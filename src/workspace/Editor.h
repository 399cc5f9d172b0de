#pragma once
// The editor core: owns the one theme and runs every procedure on it. The window, the command
// line and the tests all drive this object; they differ only in the view and toolkit they give.

#include <string>

#include "model/Theme.h"
#include "text/Texts.h"
#include "workspace/EditorView.h"

namespace tintora {

class Log;
class Toolkit;

class Editor {
public:
    Editor(Log& log, Toolkit& toolkit, EditorView& view);

    Theme& GetTheme() { return theme_; }
    const Theme& GetTheme() const { return theme_; }
    Texts& GetTexts() { return texts_; }
    const Texts& GetTexts() const { return texts_; }
    Log& GetLog() { return log_; }
    Toolkit& GetToolkit() { return toolkit_; }
    EditorView& View() { return view_; }

    // The element value setter: stores the text as the element's value and runs the
    // value-changed handling (upper-case a complete value, repaint it, run the colour rules;
    // leave an incomplete value as typed and mark it red).
    void SetColour(int index, std::string text);
    const std::string& Colour(int index) const { return theme_.colours[index]; }

    // The default theme: every value in its order, then every element repainted once more.
    // Slots and descriptive texts are left alone.
    void IniDefault();

    // Runs the colour rules over the whole theme and publishes the findings.
    void CheckColors();
    const std::string& Findings() const { return findings_; }

private:
    Theme theme_;
    Texts texts_;
    Log& log_;
    Toolkit& toolkit_;
    EditorView& view_;
    std::string findings_;
};

}  // namespace tintora
