// The picture slots: the Select button with its size check, the on/off button, and taking a
// picture from the work folder while a theme is opened.

#include <array>
#include <limits>
#include <string>

#include "pictures/ImageInfo.h"
#include "text/Texts.h"
#include "text/WindowTexts.h"
#include "editor/Editor.h"
#include "base/FileBytes.h"
#include "dialogs/FileDialog.h"
#include "base/FileOps.h"
#include "base/Toolkit.h"

namespace tintora {

namespace {

// One preview change that follows a slot's state.
enum class Change { None, FillTransparent, FillOpaque, Repaint, Show, Hide, ArrangeMenu };

struct SlotChange {
    Change change = Change::None;
    int index = 0;  // the element to repaint or the picture holder to show or hide
};

// The preview changes of one slot, in order; unused places stay Change::None.
using SlotChanges = std::array<SlotChange, 8>;

constexpr SlotChange Fill(bool transparent) {
    return {transparent ? Change::FillTransparent : Change::FillOpaque, 0};
}
constexpr SlotChange Repaint(int element) { return {Change::Repaint, element}; }
constexpr SlotChange Show(int holder) { return {Change::Show, holder}; }
constexpr SlotChange Hide(int holder) { return {Change::Hide, holder}; }
constexpr SlotChange Arrange() { return {Change::ArrangeMenu, 0}; }

// The three lists differ on purpose: the standby texts 0 and 2 are repainted only when the
// standby picture comes on, the menu text 9 only when the desktop picture goes off, and the
// order of the title pictures' steps is not the same when loading and when switching on.
constexpr std::array<SlotChanges, kSlotCount> kLoadChanges{{
    {Fill(true), Repaint(0), Repaint(1), Repaint(2), Repaint(3), Repaint(9), Show(6), Show(0)},
    {Show(1), Repaint(36), Repaint(37)},
    {Show(2), Repaint(5), Arrange()},
    {Repaint(5), Arrange(), Show(3)},
    {Show(4)},
    {Show(5)},
}};

constexpr std::array<SlotChanges, kSlotCount> kSwitchOnChanges{{
    {Show(6), Show(0), Fill(true), Repaint(0), Repaint(1), Repaint(2), Repaint(3), Repaint(9)},
    {Show(1), Repaint(36), Repaint(37)},
    {Repaint(5), Arrange(), Show(2)},
    {Repaint(5), Arrange(), Show(3)},
    {Show(4)},
    {Show(5)},
}};

constexpr std::array<SlotChanges, kSlotCount> kSwitchOffChanges{{
    {Fill(false), Repaint(1), Repaint(3), Repaint(9), Hide(6), Hide(0)},
    {Hide(1), Repaint(36), Repaint(37), Repaint(9)},
    {Hide(2), Repaint(5), Arrange()},
    {Hide(3), Repaint(5), Arrange()},
    {Hide(4)},
    {Hide(5)},
}};

void Apply(EditorView& view, const SlotChanges& changes) {
    for (const SlotChange& c : changes) {
        switch (c.change) {
            case Change::None: break;
            case Change::FillTransparent: view.SetStandbyFillTransparent(true); break;
            case Change::FillOpaque: view.SetStandbyFillTransparent(false); break;
            case Change::Repaint: view.ChangeColour(c.index); break;
            case Change::Show: view.ShowBackImage(c.index, true); break;
            case Change::Hide: view.ShowBackImage(c.index, false); break;
            case Change::ArrangeMenu: view.ArrangeMenuItems(); break;
        }
    }
}

bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

bool HasPicture(const MemberRecord& record) { return record.data && !record.data->empty(); }

}  // namespace

void Editor::ToggleSlot(int slot) {
    if (!ValidSlot(slot)) return;
    StepScope step(*this, {theme_.SlotOn(slot) ? kTextStepSlotOff : kTextStepSlotOn, kSlots[slot].LabelNumber(), {}, {}});
    MemberRecord& record = theme_.members[slot];
    if (theme_.slots[slot] == SlotState::On) {
        theme_.slots[slot] = SlotState::Off;
        record.active = false;  // the picture stays in memory for switching on again
        view_.SlotChanged(slot);
        Apply(view_, kSwitchOffChanges[slot]);
        FindingsMayChange();
        return;
    }
    // A slot without picture bytes (empty, or emptied by opening a theme that does not use it)
    // asks for a picture instead: an active record must always have data.
    if (theme_.slots[slot] == SlotState::Empty || !HasPicture(record)) {
        ChooseSlotPicture(slot);
        return;
    }
    record.active = true;
    theme_.slots[slot] = SlotState::On;
    view_.SlotChanged(slot);
    Apply(view_, kSwitchOnChanges[slot]);
    FindingsMayChange();
}

void Editor::ChooseSlotPicture(int slot) {
    if (!ValidSlot(slot)) return;
    const auto path = ShowFileDialog(toolkit_, "", "gif", texts_.GetText(kTextSelectPicture), false);
    if (path) LoadPictureFile(slot, *path);
}

bool Editor::LoadPictureFile(int slot, const std::string& path) {
    if (!ValidSlot(slot)) return false;
    // The file is read once: the bytes measured are the bytes taken in.
    std::optional<Bytes> bytes = ReadFileBytes(path);
    if (!bytes) bytes.emplace();  // refused below as unreadable
    return TakePicture(slot, std::move(*bytes), path);
}

bool Editor::TakePicture(int slot, Bytes bytes, const std::string& source) {
    if (!ValidSlot(slot)) return false;
    const auto info = MeasureImage(bytes);
    if (!info) {
        toolkit_.MessageBox(texts_.GetText(kTextPictureUnreadable) + source, "", Buttons::Ok,
                            Icon::Warning);
        return false;
    }

    const SlotDef& def = kSlots[slot];
    if (info->width != def.width || info->height != def.height) {
        const std::string message = texts_.GetText(kTextPictureSizeIs) + " " +
                                    std::to_string(info->width) + "x" + std::to_string(info->height) +
                                    "." + "\r\n" + texts_.GetText(kTextPictureSizeNeeded) +
                                    std::string(def.sizeText);
        toolkit_.MessageBox(message, texts_.GetText(kTextIncorrectPictureSize), Buttons::Ok,
                            Icon::Warning);
        return false;
    }

    TakeSlotPicture(slot, std::move(bytes));
    return true;
}

void Editor::TakeSlotPicture(int slot, Bytes bytes) {
    if (!ValidSlot(slot) || bytes.empty()) return;
    StepScope step(*this, {kTextStepPicture, kSlots[slot].LabelNumber(), {}, {}});
    MemberRecord& record = theme_.members[slot];
    record.active = true;
    record.data = std::move(bytes);
    theme_.slots[slot] = SlotState::On;
    view_.SlotChanged(slot);
    Apply(view_, kLoadChanges[slot]);
    FindingsMayChange();
}

bool Editor::LoadSlotPicture(const std::string& path, int slot) {
    if (!ValidSlot(slot)) return false;
    if (!FileExists(log_, path, "File", files_)) return false;
    // A picture that cannot be read or holds no bytes counts as missing: the slot stays as it
    // was rather than becoming an active record without data.
    auto bytes = ReadFileBytes(path, std::numeric_limits<std::size_t>::max(), files_);
    if (!bytes || bytes->empty()) return false;

    MemberRecord& record = theme_.members[slot];
    record.data = std::move(*bytes);
    // Taken in and left off, then switched on through the on/off button, which sets the
    // active flag and updates the preview for this slot.
    record.active = false;
    theme_.slots[slot] = SlotState::Off;
    ToggleSlot(slot);
    return true;
}

void Editor::RestoreSlot(int slot, SlotState state, const SharedMember& picture) {
    MemberRecord& record = theme_.members[slot];
    record.active = picture.active;
    if (picture.data)
        record.data = *picture.data;
    else
        record.data.reset();
    theme_.slots[slot] = state;
    view_.SlotChanged(slot);
    Apply(view_, state == SlotState::On ? kSwitchOnChanges[slot] : kSwitchOffChanges[slot]);
    FindingsMayChange();
}

}  // namespace tintora
