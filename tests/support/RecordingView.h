#pragma once
// A view for tests: every notification from the editor core becomes one line of text, in order.

#include <string>
#include <vector>

#include "editor/EditorView.h"

namespace tintora::test {

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

}  // namespace tintora::test
