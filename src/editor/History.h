#pragma once
// The undo history: the theme as it stood after each step, oldest first. Picture bytes are held
// through shared pointers, so a step that leaves a picture alone shares it with the step before
// instead of copying it. The history also remembers which state was last opened, saved or reset
// to, which is what "modified" is measured against.

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "model/Theme.h"

namespace tintora {

class Texts;

// A picture record as the history keeps it; a null pointer is an unallocated buffer.
struct SharedMember {
    std::shared_ptr<const Bytes> data;
    bool active = false;
};

// Everything a user can change, plus the file the theme belongs to (empty: none yet). The
// theme document record is left out: it is rebuilt from the rest whenever it is saved.
struct ThemeState {
    std::array<std::string, kElementCount> colours;
    std::array<SlotState, kSlotCount> slots{};
    ThemeInfo info;
    std::array<SharedMember, kSlotCount> pictures;
    std::string path;

    bool operator==(const ThemeState& other) const;
};

// The state of `theme`; pictures whose bytes equal those in `previous` share its buffers.
ThemeState CaptureState(const Theme& theme, const std::string& path, const ThemeState* previous);
// Puts the state's values, slots, texts and pictures into `theme` (the document record stays).
void ApplyState(const ThemeState& state, Theme& theme);

// What a step did, in words shown in the Undo and Redo tooltips: `pattern` is a catalogue text
// whose %1 is the catalogue text `subject` (when not 0), %2 `from` and %3 `to`.
struct StepName {
    int pattern = 0;
    int subject = 0;
    std::string from;
    std::string to;

    std::string Describe(const Texts& texts) const;
};

class History {
public:
    // Keeps at most `limit` steps behind the current state.
    explicit History(std::size_t limit = kDefaultLimit);
    static constexpr std::size_t kDefaultLimit = 500;

    // Forgets every step; `state` is the only one, and it is the clean one.
    void Start(ThemeState state);
    // Adds `state` after the current one, dropping what could be redone. A state equal to the
    // current one is no step (false). The oldest step goes when the limit is passed.
    bool Record(ThemeState state, StepName name);

    const ThemeState& Current() const { return entries_[current_].state; }
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < entries_.size(); }
    // The step an undo or redo would take back or do again; nullptr when there is none.
    const StepName* UndoStep() const { return CanUndo() ? &entries_[current_].name : nullptr; }
    const StepName* RedoStep() const { return CanRedo() ? &entries_[current_ + 1].name : nullptr; }
    // Moves one state back or forward; false when there is nowhere to go.
    bool Undo();
    bool Redo();

    // The current state is the one last opened, saved or reset to.
    void MarkClean() { clean_ = static_cast<long>(current_); }
    // No state in the history is clean (the theme was restored from a recovery file).
    void MarkNoneClean() { clean_ = -1; }
    bool AtClean() const { return clean_ == static_cast<long>(current_); }

    std::size_t StepCount() const { return entries_.size() - 1; }

private:
    struct Entry {
        ThemeState state;
        StepName name;  // the step that led to this state
    };
    std::deque<Entry> entries_;
    std::size_t current_ = 0;
    long clean_ = 0;
    std::size_t limit_;
};

}  // namespace tintora
