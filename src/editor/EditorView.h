#pragma once
// What the editor core tells whoever shows the theme. Every call names what changed; the view
// reads the new state from the core. All calls have empty defaults so that a command-line run or
// a test listens only to what it needs.

namespace tintora {

// The buttons whose caption reads "Wait" while their operation runs.
enum class BusyButton { Read, Save, SaveAs };

class EditorView {
public:
    virtual ~EditorView() = default;

    // The hex box of `index` must show the element's value; it is black when the value is
    // complete (six characters) and red otherwise.
    virtual void ColourTextChanged(int index) { (void)index; }
    // Repaint the swatch and the preview items of one element.
    virtual void ChangeColour(int index) { (void)index; }
    // The findings box must show the core's findings text.
    virtual void FindingsChanged() {}

    // Picture slots: the captions of a slot follow its state.
    virtual void SlotChanged(int slot) { (void)slot; }
    // The standby screen's background fill: transparent while the standby picture is on.
    virtual void SetStandbyFillTransparent(bool transparent) { (void)transparent; }
    // Picture holder 0..6 (6 shows slot 0's picture a second time).
    virtual void ShowBackImage(int holder, bool visible) { (void)holder; (void)visible; }
    // Move the preview's menu rows for the title pictures now on.
    virtual void ArrangeMenuItems() {}

    // The descriptive texts changed (name, modified by, creator, created).
    virtual void InfoChanged() {}
    // The value labels of the information frame must show the descriptive texts.
    virtual void ShowThemeInfo() {}
    // The value labels of name, modified by and creator are emptied by the document reader.
    virtual void ClearStatusLabels() {}

    // A button shows "Wait" while busy and its own caption again afterwards.
    virtual void SetBusy(BusyButton button, bool busy) { (void)button; (void)busy; }

    // The modified state, the theme's file or the steps that can be undone and redone changed.
    virtual void HistoryChanged() {}

    // The file browser must list its folder again (a saved file may be new there).
    virtual void UpdateListFiles() {}
};

}  // namespace tintora
