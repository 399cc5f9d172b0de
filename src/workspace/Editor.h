#pragma once
// The editor core: owns the one theme and runs every procedure on it. The window, the command
// line and the tests all drive this object; they differ only in the view and toolkit they give.

#include <string>

#include "model/Theme.h"
#include "settings/UserSettings.h"
#include "text/Texts.h"
#include "workspace/EditorView.h"

namespace tintora {

class Clock;
class Log;
class Toolkit;

class Editor {
public:
    // `tempfolder` is the work folder that the open flows unpack into.
    Editor(Log& log, Toolkit& toolkit, EditorView& view, std::string tempfolder = {});

    Theme& GetTheme() { return theme_; }
    const Theme& GetTheme() const { return theme_; }
    Texts& GetTexts() { return texts_; }
    const Texts& GetTexts() const { return texts_; }
    Log& GetLog() { return log_; }
    Toolkit& GetToolkit() { return toolkit_; }
    EditorView& View() { return view_; }
    const std::string& Tempfolder() const { return tempfolder_; }
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
    void IniDefault();

    // Sets many values at once (the stored colours); the rules run once at the end.
    template <typename Fn>
    void WithRulesBatched(Fn&& setValues) {
        RulesBatch batch(*this);
        setValues();
    }

    // Runs the colour rules over the whole theme and publishes the findings, followed by a line
    // for each picture that is on and not of its slot's size.
    void CheckColors();
    const std::string& Findings() const { return findings_; }

    // --- Picture slots (EditorSlots.cpp) ---
    // The on/off button: switches an on slot off, an off slot with a picture on, and asks for a
    // picture for a slot that has none.
    void cmdOnOff_Click(int slot);
    // The Select button: asks for a picture file, checks its size against the slot and takes it
    // in, or refuses it with a message. Nothing changes on cancel or refusal.
    void cmdLoadFile_Click(int slot);
    // The Select button's checks on a file already chosen (by the dialog, or dropped on the
    // slot's row): a picture of the slot's size is taken in and the slot switched on (true);
    // any other file is refused with a message and nothing changes.
    bool LoadPictureFile(int slot, const std::string& path);
    // Takes the picture file at `path` into the slot without size check and switches the slot
    // on. A missing file leaves the slot as it was (false).
    bool LoadSlotPicture(const std::string& path, int slot);
    // Takes picture bytes that have passed their checks into the slot and switches it on, with
    // the same preview changes as the Select button (the import dialog's OK, set-picture).
    void TakeSlotPicture(int slot, Bytes bytes);

    // --- Opening (EditorOpen.cpp) ---
    // Applies the theme document at `path` from the work folder. False when reading failed (the
    // three failure lines are then logged and shown).
    bool ReadFile(const std::string& path);
    enum class OpenResult { Opened, Cancelled, FileMissing, UnpackFailed, NoDocument, ReadFailed };
    // Opens a theme archive as the file browser does.
    OpenResult ReadFileBrowse(const std::string& path);
    // The Read button: asks for an archive in an open dialog, then opens it.
    OpenResult ReadWithDialog();

    // --- Reset ---
    // Switches every slot that is on off, then restores the default colours.
    void Reset();

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

    // A slot's picture or state changed: the findings follow (at the end of a batch).
    void PicturesChanged();
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
    UserSettings settings_;
    std::string findings_;
    int rulesBatchDepth_ = 0;
    bool rulesPending_ = false;
};

}  // namespace tintora
