// Safe editing: every change is one undo step, the modified state follows the history, work is
// not dropped without a question, and a recovery file keeps a crashed editor's changes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/EditorRig.h"
#include "browser/FileBrowser.h"
#include "base/FileReplace.h"
#include "editor/Recovery.h"

using namespace tintora;
using namespace tintora::test;
namespace fs = std::filesystem;

namespace {

constexpr int kHighlight = 11;  // default FFC600
constexpr int kSlot = 4;
constexpr long kGonePid = 999999999;

struct Rig : EditorRig<> {
    Rig() { editor.StartHistory(); }
    ThemeState State() const { return CaptureState(editor.GetTheme(), editor.FilePath(), nullptr); }
    std::string Path(const std::string& name) const { return dir / name; }
    std::string WritePicture(const std::string& name, unsigned seed = 1) {
        const Bytes gif = HeaderGif(kSlots[kSlot].width, kSlots[kSlot].height, 30, seed);
        WriteAll(Path(name), AsText(gif));
        return Path(name);
    }
    std::string WriteTheme(const std::string& name, const std::string& highlight) {
        EXPECT_TRUE(WriteThemeFile(log, Path(name), [&](Theme& t) { t.colours[kHighlight] = highlight; }));
        return Path(name);
    }
};

struct StepCase {
    const char* name;
    std::function<void(Rig&)> before;  // brings the editor to the start, then the history starts
    std::function<void(Rig&)> change;
    std::string undoText;
    bool modifiedAfter;
    bool modifiedAfterUndo;
};

}  // namespace

TEST(SafeEditing, EveryKindOfChangeIsOneStepThatUndoAndRedoTakeBackAndDoAgain) {
    const std::vector<StepCase> cases{
        {"six typed digits", {},
         [](Rig& r) { for (const char* t : {"0", "00", "00F", "00FF", "00FF0", "00ff00"}) r.editor.SetColour(kHighlight, t); },
         "Undo: Highlight FFC600 → 00FF00", true, false},
        {"picture load", {}, [](Rig& r) { ASSERT_TRUE(r.editor.LoadPictureFile(kSlot, r.WritePicture("p.gif"))); },
         "Undo: Title - asian: picture loaded", true, false},
        {"slot off", [](Rig& r) { r.editor.LoadPictureFile(kSlot, r.WritePicture("p.gif")); },
         [](Rig& r) { r.editor.ToggleSlot(kSlot); }, "Undo: Title - asian: off", true, false},
        {"texts in Save As", {},
         [](Rig& r) {
             r.toolkit.infoScripts.push_back(TypeInfo("Sunset", "Me", "You"));
             r.toolkit.files.push_back(r.Path("sunset.thm"));
             ASSERT_EQ(r.editor.SaveAs(), Editor::SaveResult::Saved);
         },
         "Undo: Descriptive texts", false, true},
        {"reset", [](Rig& r) { r.editor.SetColour(kHighlight, "00FF00"); }, [](Rig& r) { r.editor.Reset(); },
         "Undo: Reset", false, true},
        {"open", {}, [](Rig& r) { ASSERT_EQ(r.editor.OpenTheme(r.WriteTheme("b.thm", "123456")), Editor::OpenResult::Opened); },
         "Undo: Open b.thm", false, true},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        if (c.before) {
            c.before(r);
            r.editor.StartHistory();
        }
        ASSERT_FALSE(r.editor.Modified());
        const ThemeState start = r.State();
        c.change(r);
        const ThemeState after = r.State();
        ASSERT_FALSE(after == start);
        EXPECT_EQ(r.editor.Modified(), c.modifiedAfter);
        EXPECT_EQ(r.editor.GetHistory().StepCount(), 1u);
        EXPECT_EQ(r.editor.UndoText(), c.undoText);

        ASSERT_TRUE(r.editor.Undo());
        EXPECT_TRUE(r.State() == start);
        EXPECT_EQ(r.editor.Modified(), c.modifiedAfterUndo);
        EXPECT_FALSE(r.editor.CanUndo());
        EXPECT_EQ(r.editor.RedoText(), "Redo: " + c.undoText.substr(6));

        ASSERT_TRUE(r.editor.Redo());
        EXPECT_TRUE(r.State() == after);
        EXPECT_EQ(r.editor.Modified(), c.modifiedAfter);
    }
}

TEST(SafeEditing, AValueHalfTypedIsTakenBackFirstAndPicturesAreSharedBetweenSteps) {
    Rig r;
    r.editor.LoadPictureFile(kSlot, r.WritePicture("p.gif"));
    r.editor.SetColour(kHighlight, "00FF00");
    const Bytes* shared = r.editor.GetHistory().Current().pictures[kSlot].data.get();
    r.editor.SetColour(kHighlight, "12");
    EXPECT_TRUE(r.editor.Modified());
    EXPECT_EQ(r.editor.UndoText(), "");  // a half-typed value has no step name
    ASSERT_TRUE(r.editor.Undo());
    EXPECT_EQ(r.editor.Colour(kHighlight), "00FF00");
    ASSERT_TRUE(r.editor.Undo());
    EXPECT_EQ(r.editor.Colour(kHighlight), "FFC600");
    EXPECT_EQ(r.editor.GetHistory().Current().pictures[kSlot].data.get(), shared);
    EXPECT_TRUE(r.editor.Modified()) << "the picture is still loaded";
    ASSERT_TRUE(r.editor.Undo());
    EXPECT_FALSE(r.editor.Modified());
    EXPECT_EQ(r.editor.GetTheme().slots[kSlot], SlotState::Empty);
}

TEST(SafeEditing, TheHistoryKeepsItsLimitOfStepsAndAtLeastTwoHundredInTheEditor) {
    History h(3);
    ThemeState s;
    h.Start(s);
    for (int i = 0; i < 5; ++i) {
        s.colours[0] = std::to_string(i);
        EXPECT_TRUE(h.Record(s, {}));
    }
    EXPECT_FALSE(h.Record(s, {})) << "an unchanged state is no step";
    EXPECT_EQ(h.StepCount(), 3u);
    EXPECT_FALSE(h.AtClean()) << "the clean state was dropped";
    int undone = 0;
    while (h.Undo()) ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(h.Current().colours[0], "1");

    Rig r;
    for (int i = 0; i < 260; ++i) {
        char value[7];
        std::snprintf(value, sizeof value, "%06X", i);
        r.editor.SetColour(kHighlight, value);
    }
    undone = 0;
    while (r.editor.Undo()) ++undone;
    EXPECT_GE(undone, 200);
}

TEST(SafeEditing, TheQuestionBeforeDroppingWorkSavesDiscardsOrKeeps) {
    struct Case {
        const char* name;
        bool modify;
        bool withFile;
        std::vector<Answer> ask;
        bool goesOn;
        bool modifiedAfter;
    };
    const std::vector<Case> cases{
        {"unmodified: no question", false, true, {}, true, false},
        {"discard", true, true, {Answer::Discard}, true, true},
        {"cancel", true, true, {Answer::Cancel}, false, true},
        {"save to the file", true, true, {Answer::Save}, true, false},
        {"save as, dialog cancelled", true, false, {Answer::Save}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        const std::string file = r.WriteTheme("sunset.thm", "FFC600");
        if (c.withFile) {
            ASSERT_EQ(r.editor.OpenTheme(file), Editor::OpenResult::Opened);
        }
        if (c.modify) r.editor.SetColour(kHighlight, "00FF00");
        r.toolkit.askAnswers.assign(c.ask.begin(), c.ask.end());
        EXPECT_EQ(r.editor.ConfirmDropChanges(), c.goesOn);
        EXPECT_EQ(r.toolkit.questions.size(), c.modify ? 1u : 0u);
        if (c.modify) {
            EXPECT_EQ(r.toolkit.questions[0], c.withFile ? "Save the changes to sunset.thm?"
                                                         : "Save the changes to the new theme?");
        }
        EXPECT_EQ(r.editor.Modified(), c.modifiedAfter);
    }
}

TEST(SafeEditing, ACancelledBrowserClickKeepsTheThemeAndTheFileSaveWritesTo) {
    Rig r;
    r.editor.Settings().browseFolder = r.dir.Path().string() + "/";
    r.WriteTheme("a.thm", "111111");
    r.WriteTheme("b.thm", "222222");
    FileBrowser browser(r.editor);
    browser.UpdateListFiles();
    browser.Click("a.thm");
    r.editor.SetColour(kHighlight, "00FF00");
    r.toolkit.askAnswers = {Answer::Cancel, Answer::Discard};
    browser.Click("b.thm");
    EXPECT_TRUE(browser.Cancelled());
    EXPECT_EQ(r.editor.Colour(kHighlight), "00FF00");
    EXPECT_EQ(browser.SaveTarget(), r.Path("a.thm"));
    browser.Click("b.thm");
    EXPECT_FALSE(browser.Cancelled());
    EXPECT_EQ(r.editor.Colour(kHighlight), "222222");
    EXPECT_EQ(browser.SaveTarget(), r.Path("b.thm"));
    // Undoing the open gives back a.thm's theme: Save must not write it over b.thm.
    ASSERT_TRUE(r.editor.Undo());
    EXPECT_FALSE(browser.SaveEnabled());
    ASSERT_TRUE(r.editor.Redo());
    EXPECT_EQ(browser.SaveTarget(), r.Path("b.thm"));
}

TEST(SafeEditing, TheRecoveryFileIsWrittenRemovedAndOfferedOnlyWhenItsProcessIsGone) {
    Rig r;
    const std::string data = r.dir.Path().string();
    r.editor.SetColour(kHighlight, "00FF00");
    ThemeState changed = r.State();
    changed.path = "/themes/sunset.thm";
    changed.info.name = "Sunset";

    RecoveryWriter writer(RecoveryFilePath(data, ThisProcess()));
    writer.Post(changed);
    ASSERT_TRUE(writer.Flush());
    EXPECT_TRUE(fs::exists(writer.File()));
    EXPECT_TRUE(AbandonedRecoveryFiles(data).empty()) << "this process still runs";
    writer.Remove();
    EXPECT_FALSE(fs::exists(writer.File()));

    // Left by processes: one gone, one running (pid 1).
    std::string reason;
    const std::optional<Bytes> bytes = RecoveryBytes(changed, reason);
    ASSERT_TRUE(bytes) << reason;
    const std::string gone = RecoveryFilePath(data, kGonePid);
    for (const std::string& f : {gone, RecoveryFilePath(data, 1)}) ASSERT_TRUE(ReplaceFile(f, *bytes, reason));
    EXPECT_EQ(AbandonedRecoveryFiles(data), std::vector<std::string>{gone});

    struct Case {
        Answer answer;
        bool restored;
        bool fileKept;
    };
    for (const Case& c : {Case{Answer::Cancel, false, true}, Case{Answer::Discard, false, false},
                          Case{Answer::Restore, true, false}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        ASSERT_TRUE(ReplaceFile(gone, *bytes, reason));
        Rig fresh;
        fresh.toolkit.askAnswers = {c.answer};
        EXPECT_EQ(OfferRecovery(fresh.editor, data), c.restored);
        ASSERT_EQ(fresh.toolkit.questions.size(), 1u);
        EXPECT_EQ(fresh.toolkit.questions[0],
                  "Tintora was stopped before sunset.thm was saved. Restore the unsaved changes?");
        EXPECT_EQ(fs::exists(gone), c.fileKept);
        EXPECT_EQ(fresh.editor.Colour(kHighlight), c.restored ? "00FF00" : "FFC600");
        EXPECT_EQ(fresh.editor.Modified(), c.restored);
        EXPECT_EQ(fresh.editor.FilePath(), c.restored ? changed.path : "");
        EXPECT_EQ(fresh.editor.GetTheme().info.name, c.restored ? "Sunset" : "");
    }
}
