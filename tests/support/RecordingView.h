#pragma once
// A view for tests: every notification from the editor core becomes one line of text, in order.

#include <string>
#include <vector>

#include "editor/EditorView.h"

namespace tintora::test {

class RecordingView : public EditorView {
public:
    void ColourTextChanged(int index) override { Add("ColourTextChanged " + std::to_string(index)); }
    void ChangeColour(int index) override { Add("ChangeColour " + std::to_string(index)); }
    void FindingsChanged() override { Add("FindingsChanged"); }
    void SlotChanged(int slot) override { Add("SlotChanged " + std::to_string(slot)); }
    void SetStandbyFillTransparent(bool transparent) override {
        Add(transparent ? "Fill transparent" : "Fill opaque");
    }
    void ShowBackImage(int holder, bool visible) override {
        Add((visible ? "Show " : "Hide ") + std::to_string(holder));
    }
    void ArrangeMenuItems() override { Add("ArrangeMenuItems"); }
    void InfoChanged() override { Add("InfoChanged"); }
    void ShowThemeInfo() override { Add("ShowThemeInfo"); }
    void ClearStatusLabels() override { Add("ClearStatusLabels"); }
    void UpdateListFiles() override { Add("UpdateListFiles"); }
    // The busy captions go apart: "Wait Save" when a button shows it is busy, "Back Save" after.
    void SetBusy(BusyButton button, bool on) override {
        static const char* const names[] = {"Read", "Save", "SaveAs"};
        busy.push_back(std::string(on ? "Wait " : "Back ") + names[static_cast<int>(button)]);
    }

    std::vector<std::string> calls;
    std::vector<std::string> busy;

private:
    void Add(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace tintora::test
