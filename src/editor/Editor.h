#pragma once
// The editor core: owns the one theme and runs every procedure on it. The window, the command
// line and the tests all drive this object; they differ only in the view and toolkit they give.

#include <string>

#include "base/FileSystem.h"
#include "model/Theme.h"
#include "editor/History.h"
#include "settings/UserSettings.h"
#include "text/Texts.h"
#include "editor/EditorView.h"

namespace tintora {

class Clock;
class Log;
class Toolkit;

class Editor {
public:
    // `tempfolder` is the work folder that the open flows unpack into, on `files` (the command
    // line keeps it in memory).
    Editor(Log& log, Toolkit& toolkit, EditorView& view, std::string tempfolder = {},
           FileSystem& files = DiskFiles());

    Theme& GetTheme() { return theme_; }
    const Theme& GetTheme() const { return theme_; }
    Texts& GetTexts() { return texts_; }
    const Texts& GetTexts() const { return texts_; }
    Log& GetLog() { return log_; }
    Toolkit& GetToolkit() { return toolkit_; }
    EditorView& View() { return view_; }
    const std::string& Tempfolder() const { return tempfolder_; }
    FileSystem& WorkFiles() { return files_; }
    // The clock for creation stamps; the system's local time unless a test sets another.
    const Clock& GetClock() const { return *clock_; }
    void SetClock(const Clock& clock) { clock_ = &clock; }

    // The values kept across runs by the settings store, and the default theme name.
    UserSettings& Settings() { return settings_; }
    const UserSettings& Settings() const { return settings_; }

    // The element value setter: stores the text as the element's value and runs the
    // value-changed handling (upper-case a complete value, repaint it, run the colour rules;
    // leave an incomplete value as typed and mark it red).
    void SetColour(int index, std::string text);
    const std::string& Colour(int index) const { return theme_.colours[index]; }

    // The default theme: every value in its order, then every element repainted once more.
    // Slots and descriptive texts are left alone.
    void ApplyDefaultColours();

    // Sets many values at once (the stored colours); the rules run once at the end.
    template <typename Fn>
    void WithRulesBatched(Fn&& setValues) {
        RulesBatch batch(*this);
        setValues();
    }

    // Runs the colour rules over the whole theme and publishes the findings, followed by a line
    // for each picture that is on and not of its slot's size.
    void CheckColours();
    const std::string& Findings() const { return findings_; }

    // --- Picture slots (EditorSlots.cpp) ---
    // The on/off button: switches an on slot off, an off slot with a picture on, and asks for a
    // picture for a slot that has none.
    void ToggleSlot(int slot);
    // The Select button: asks for a picture file, checks its size against the slot and takes it
    // in, or refuses it with a message. Nothing changes on cancel or refusal.
    void ChooseSlotPicture(int slot);
    // The Select button's checks on a file already chosen (by the dialog, or dropped on the
    // slot's row): a picture of the slot's size is taken in and the slot switched on (true);
    // any other file is refused with a message and nothing changes.
    bool LoadPictureFile(int slot, const std::string& path);
    // The one way a picture from outside comes into a slot (the Select button, a drop, an
    // import): a picture of the slot's size is taken in and the slot switched on, as one undo
    // step (true); bytes of another size or no readable size are refused with a message and
    // nothing changes. `source` names the picture in that message.
    bool TakePicture(int slot, Bytes bytes, const std::string& source);
    // Takes the picture file at `path` into the slot without size check and switches the slot
    // on. A missing file leaves the slot as it was (false).
    bool LoadSlotPicture(const std::string& path, int slot);
    // Takes picture bytes that have passed their checks into the slot and switches it on, with
    // the same preview changes as the Select button (the import dialog's OK, set-picture).
    void TakeSlotPicture(int slot, Bytes bytes);

    // --- Opening (EditorOpen.cpp) ---
    // Applies the theme document at `path` from the work folder. False when reading failed (the
    // three failure lines are then logged and shown).
    bool ApplyDocumentFile(const std::string& path);
    enum class OpenResult { Opened, Cancelled, FileMissing, UnpackFailed, NoDocument, ReadFailed };
    // Opens a theme archive as the file browser does.
    OpenResult OpenTheme(const std::string& path);
    // The Read button: asks for an archive in an open dialog, then opens it.
    OpenResult OpenThemeWithDialog();

    // --- Reset ---
    // After the question about unsaved changes, switches every slot that is on off, then
    // restores the default colours. The result counts as unmodified.
    void Reset();

    // --- Undo history and modified state (EditorHistory.cpp) ---
    // Whether the theme differs from what was last opened, saved or reset to (a value being
    // typed counts as soon as it differs).
    bool Modified() const { return pending_ || !history_.AtClean(); }
    // The theme file the theme was last opened from or saved to; empty for none.
    const std::string& FilePath() const { return path_; }
    // The last part of FilePath(), or "the new theme" in the language in force.
    std::string FileName() const;
    // Starts the history afresh with the theme as it stands, unmodified (start-up).
    void StartHistory();
    // Takes back the last step (a value half typed is taken back first), or does the step
    // taken back last again. False when there is nothing to do.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return pending_ || history_.CanUndo(); }
    bool CanRedo() const { return !pending_ && history_.CanRedo(); }
    // "Undo: ..." and "Redo: ..." naming the step, in the language in force; empty for none.
    std::string UndoText() const;
    std::string RedoText() const;
    const History& GetHistory() const { return history_; }
    // Asks, only while modified, whether to save the changes before they are dropped: Save
    // runs the Save flow (Save As when there is no file) and goes on only when it saved;
    // Discard goes on; Cancel (or closing the box) keeps everything (false).
    bool ConfirmDropChanges();
    // Opens a theme kept by a crashed editor (`archive`) as the theme of `origin` (empty: none),
    // modified, so that nothing is written over the user's file until they save.
    OpenResult RestoreRecovered(const std::string& archive, const std::string& origin);

    // --- Saving (EditorSave.cpp) ---
    enum class SaveResult { Saved, Cancelled, Failed };
    // The Save button: saves back to `target`, the theme file selected in the file browser,
    // after the warning question and the information dialog. The creation date is made only
    // when the theme has none.
    SaveResult Save(const std::string& target);
    // The Save As button: the information dialog, then a save dialog starting in the browse
    // folder, the overwrite question for an existing file, always a new creation date; the
    // browser is refreshed afterwards. A failed save keeps the old file and tells the user why.
    SaveResult SaveAs();

private:
    // The outermost scope of a change records one undo step when it ends: the colour just set
    // (`element`, when complete), a picture, a slot, the texts, a reset or an open. Inner scopes
    // (a reset switching slots off, an open setting values) add nothing of their own.
    class StepScope {
    public:
        StepScope(Editor& editor, StepName name, int element = -1);
        ~StepScope();
        StepScope(const StepScope&) = delete;
        StepScope& operator=(const StepScope&) = delete;
        // The state after this step is the one opened, saved or reset to.
        void MarkClean() { clean_ = true; }

    private:
        Editor& editor_;
        StepName name_;
        int element_;
        bool clean_ = false;
    };
    friend class StepScope;
    void CommitStep(StepName name, int element, bool clean);
    // Shows `state`, changing and repainting only what differs from the theme now.
    void RestoreState(const ThemeState& state);
    // Puts a slot's state and picture back and shows it (EditorSlots.cpp).
    void RestoreSlot(int slot, SlotState state, const SharedMember& picture);
    // The end of an open flow: the file the theme now belongs to, and whether it is unmodified.
    void Opened(StepScope& step, OpenResult result, const std::string& path);
    // The end of a save that wrote `target`: the theme is its file's, unmodified.
    void Saved(StepScope& step, const std::string& target);

    // While a batch of values is set (the default theme, a document, the stored colours), the
    // colour rules run once at the end instead of after every value: nothing can look at the
    // findings in between, and the last run sees the same colours.
    class RulesBatch {
    public:
        explicit RulesBatch(Editor& editor) : editor_(editor) { ++editor_.rulesBatchDepth_; }
        ~RulesBatch();
        RulesBatch(const RulesBatch&) = delete;
        RulesBatch& operator=(const RulesBatch&) = delete;

    private:
        Editor& editor_;
    };
    friend class RulesBatch;

    // A colour, a picture or a slot's state changed: the findings follow, at once or at the end
    // of the batch in force.
    void FindingsMayChange();
    // Runs the on/off button of every slot that is on, which switches it off.
    void SwitchOffSlotsThatAreOn();
    // Switches every slot that is on off and empties all member records.
    void PrepareForOpen();
    // Unpacks into the work folder, reads the document and repaints; the shared tail of both
    // open flows.
    OpenResult UnpackAndRead(const std::string& path, bool showInfo);
    // The information dialog; false when the user left it with Cancel.
    bool AskThemeInfo();
    // Builds the document and packs the archive to `target`; the steps both save flows share.
    SaveResult WriteTheme(const std::string& target);
    // The same, giving the theme back the creation date it had when nothing could be written.
    SaveResult WriteTheme(const std::string& target, const std::string& createdBefore);
    // Asks whether to save colours that do not have six characters; true when there are none
    // or the user says Yes.
    bool ConfirmIncompleteColours();

    Theme theme_;
    Texts texts_;
    Log& log_;
    Toolkit& toolkit_;
    EditorView& view_;
    const Clock* clock_;
    std::string tempfolder_;
    FileSystem& files_;
    UserSettings settings_;
    std::string findings_;
    int rulesBatchDepth_ = 0;
    bool rulesPending_ = false;
    History history_;
    std::string path_;
    bool pending_ = false;  // a value is being typed and differs from the history's state
    int stepDepth_ = 0;
    bool restoring_ = false;
};

}  // namespace tintora
