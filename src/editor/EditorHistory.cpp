// The undo history of the editor: every change of the theme ends in one recorded state, undo
// and redo show a recorded state again, and the modified state is measured against the state
// last opened, saved or reset to.

#include <filesystem>

#include "model/ColourText.h"
#include "text/FillIn.h"
#include "editor/Editor.h"
#include "base/Toolkit.h"

namespace tintora {

Editor::StepScope::StepScope(Editor& editor, StepName name, int element)
    : editor_(editor), name_(std::move(name)), element_(element) {
    ++editor_.stepDepth_;
}

Editor::StepScope::~StepScope() {
    if (--editor_.stepDepth_ == 0) editor_.CommitStep(std::move(name_), element_, clean_);
}

void Editor::CommitStep(StepName name, int element, bool clean) {
    if (restoring_) return;
    // A value is one step when it is complete: the keys that lead up to it are not steps.
    if (element >= 0 && !IsCompleteColourText(theme_.colours[element])) {
        pending_ = theme_.colours[element] != history_.Current().colours[element];
        view_.HistoryChanged();
        return;
    }
    ThemeState state = CaptureState(theme_, path_, &history_.Current());
    if (element >= 0) {
        name.from = history_.Current().colours[element];
        name.to = theme_.colours[element];
    }
    history_.Record(std::move(state), std::move(name));
    pending_ = false;
    if (clean) history_.MarkClean();
    view_.HistoryChanged();
}

void Editor::StartHistory() {
    history_.Start(CaptureState(theme_, path_, nullptr));
    pending_ = false;
    view_.HistoryChanged();
}

std::string Editor::FileName() const {
    if (path_.empty()) return texts_.GetText(kTextNewTheme);
    return std::filesystem::path(path_).filename().string();
}

void Editor::RestoreState(const ThemeState& state) {
    restoring_ = true;
    {
        RulesBatch batch(*this);
        for (int index = 0; index < kElementCount; ++index)
            if (theme_.colours[index] != state.colours[index]) SetColour(index, state.colours[index]);
        const ThemeState now = CaptureState(theme_, path_, &state);
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (now.slots[slot] != state.slots[slot] || now.pictures[slot].active != state.pictures[slot].active ||
                now.pictures[slot].data != state.pictures[slot].data)
                RestoreSlot(slot, state.slots[slot], state.pictures[slot]);
        if (!(now.info.name == state.info.name && now.info.modifiedBy == state.info.modifiedBy &&
              now.info.created == state.info.created && now.info.creator == state.info.creator)) {
            theme_.info = state.info;
            view_.InfoChanged();
            view_.ShowThemeInfo();
        }
        path_ = state.path;
    }
    restoring_ = false;
    pending_ = false;
    view_.HistoryChanged();
}

bool Editor::Undo() {
    if (pending_) {
        RestoreState(history_.Current());
        return true;
    }
    if (!history_.Undo()) return false;
    RestoreState(history_.Current());
    return true;
}

bool Editor::Redo() {
    if (pending_ || !history_.Redo()) return false;
    RestoreState(history_.Current());
    return true;
}

std::string Editor::UndoText() const {
    const StepName* step = history_.UndoStep();
    if (pending_ || !step) return {};
    return FillIn(texts_.GetText(kTextUndoStep), {step->Describe(texts_)});
}

std::string Editor::RedoText() const {
    const StepName* step = history_.RedoStep();
    if (pending_ || !step) return {};
    return FillIn(texts_.GetText(kTextRedoStep), {step->Describe(texts_)});
}

bool Editor::ConfirmDropChanges() {
    if (!Modified()) return true;
    const std::vector<Choice> choices{{Answer::Save, texts_.GetText(kTextAnswerSave)},
                                      {Answer::Discard, texts_.GetText(kTextAnswerDiscard)},
                                      {Answer::Cancel, texts_.GetText(kTextAnswerCancel)}};
    switch (toolkit_.Ask(FillIn(texts_.GetText(kTextSaveChanges), {FileName()}), choices, Answer::Cancel)) {
        case Answer::Save: {
            const std::string target = path_;
            return (target.empty() ? SaveAs() : Save(target)) == SaveResult::Saved;
        }
        case Answer::Discard: return true;
        default: return false;
    }
}

Editor::OpenResult Editor::RestoreRecovered(const std::string& archive, const std::string& origin) {
    OpenResult result;
    {
        StepScope step(*this, {kTextStepOpen, 0, origin.empty() ? FileName() : std::filesystem::path(origin).filename().string(), {}});
        result = OpenTheme(archive);
        path_ = origin;
    }
    history_.MarkNoneClean();
    view_.HistoryChanged();
    return result;
}

}  // namespace tintora
