#pragma once
// An editor on a temporary folder, with a recording toolkit and view and a log kept in memory,
// plus theme files and picture headers made for the editor to take in.

#include <cstdint>

#include "model/Catalogue.h"
#include "support/LogRig.h"
#include "support/TarTestKit.h"
#include "themefile/DocumentWriter.h"
#include "editor/ThemeFiles.h"
#include "editor/Editor.h"

namespace tintora::test {

// Every notification from the editor core becomes one line of text, in order.
class RecordingView : public EditorView {
public:
    void ColourTextChanged(int i) override { calls.push_back("ColourTextChanged " + std::to_string(i)); }
    void ChangeColour(int index) override { calls.push_back("ChangeColour " + std::to_string(index)); }
    void FindingsChanged() override { calls.push_back("FindingsChanged"); }
    void SlotChanged(int slot) override { calls.push_back("SlotChanged " + std::to_string(slot)); }
    void SetStandbyFillTransparent(bool transparent) override {
        calls.push_back(transparent ? "Fill transparent" : "Fill opaque");
    }
    void ShowBackImage(int holder, bool visible) override {
        calls.push_back((visible ? "Show " : "Hide ") + std::to_string(holder));
    }
    void ArrangeMenuItems() override { calls.push_back("ArrangeMenuItems"); }
    void InfoChanged() override { calls.push_back("InfoChanged"); }
    void ShowThemeInfo() override { calls.push_back("ShowThemeInfo"); }
    void ClearStatusLabels() override { calls.push_back("ClearStatusLabels"); }
    void UpdateListFiles() override { calls.push_back("UpdateListFiles"); }
    // The busy captions go apart: "Wait Save" when a button shows it is busy, "Back Save" after.
    void SetBusy(BusyButton button, bool on) override {
        static const char* const names[] = {"Read", "Save", "SaveAs"};
        busy.push_back(std::string(on ? "Wait " : "Back ") + names[static_cast<int>(button)]);
    }

    std::vector<std::string> calls;
    std::vector<std::string> busy;
};

template <class Kit = RecordingToolkit, class View = RecordingView>
struct EditorRig : LogRig<Kit> {
    View view;
    Editor editor{this->log, this->toolkit, view, this->dir / "temp"};

    EditorRig() : LogRig<Kit>(LocalTime{2026, 12, 5, 9, 3, 7}) {
        editor.SetClock(this->clock);
        editor.ApplyDefaultColours();
        this->log.ClearCaptured();
        view.calls.clear();
    }

    bool Logged(const std::string& line) const {
        return std::ranges::find(this->log.Captured(), line) != this->log.Captured().end();
    }
};

// A theme archive written by the program's own writers: the default colours, then `setup`.
inline bool WriteThemeFile(Log& log, const std::string& path,
                           const std::function<void(Theme&)>& setup = {}) {
    Theme t;
    for (const auto& e : kElements) t.colours[e.index] = std::string(e.defaultValue);
    if (setup) setup(t);
    PutDocument(t);
    return CreateTarFile(log, Texts{}, t, path);
}

// A GIF header with the given logical screen size, followed by `extra` patterned bytes.
inline Bytes HeaderGif(int w, int h, std::size_t extra = 30, unsigned seed = 1) {
    Bytes b{'G', 'I', 'F', '8', '9', 'a', static_cast<std::uint8_t>(w & 0xFF),
            static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(h & 0xFF),
            static_cast<std::uint8_t>(h >> 8)};
    const Bytes tail = Pattern(extra, seed);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

inline std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace tintora::test
