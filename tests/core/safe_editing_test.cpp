// Safe editing: every change is one undo step, the modified state follows the history, work is
// not dropped without a question, and a recovery file keeps a crashed editor's changes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

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

struct Rig : EditorRig<> {
    Rig() { editor.StartHistory(); }
    ThemeState State() const { return CaptureState(editor.GetTheme(), editor.FilePath(), nullptr); }
    std::string Path(const std::string& name) const { return dir / name; }
    std::string WritePicture() {
        WriteBytes(Path("p.gif"), HeaderGif(kSlots[kSlot].width, kSlots[kSlot].height));
        return Path("p.gif");
    }
    std::string WriteTheme(const std::string& name, const std::string& highlight) {
        EXPECT_TRUE(WriteThemeFile(log, Path(name), [&](Theme& t) { t.colours[kHighlight] = highlight; }));
        return Path(name);
    }
};

}  // namespace

TEST(SafeEditing, EveryKindOfChangeIsOneStepThatUndoAndRedoTakeBackAndDoAgain) {
    using Act = std::function<void(Rig&)>;
    const struct {
        const char* name;
        Act before;  // brings the editor to the start, then the history starts
        Act change;
        std::string undoText;
        bool modifiedAfter;
    } cases[] = {
        {"six typed digits", {},
         [](Rig& r) { for (const char* t : {"0", "00F", "00ff0", "00ff00"}) r.editor.SetColour(kHighlight, t); },
         "Highlight FFC600 → 00FF00", true},
        {"picture load", {}, [](Rig& r) { ASSERT_TRUE(r.editor.LoadPictureFile(kSlot, r.WritePicture())); },
         "Title - asian: picture loaded", true},
        {"slot off", [](Rig& r) { r.editor.LoadPictureFile(kSlot, r.WritePicture()); },
         [](Rig& r) { r.editor.ToggleSlot(kSlot); }, "Title - asian: off", true},
        {"texts in Save As", {}, [](Rig& r) {
             r.toolkit.infoScripts.push_back(TypeInfo("Sunset", "Me", "You"));
             r.toolkit.files.push_back(r.Path("sunset.thm"));
             r.editor.SaveAs();
         }, "Descriptive texts", false},
        {"reset", [](Rig& r) { r.editor.SetColour(kHighlight, "00FF00"); }, [](Rig& r) { r.editor.Reset(); },
         "Reset", false},
        {"open", {}, [](Rig& r) { r.editor.OpenTheme(r.WriteTheme("b.thm", "123456")); }, "Open b.thm", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        if (c.before) {
            c.before(r);
            r.editor.StartHistory();
        }
        const ThemeState start = r.State();
        c.change(r);
        const ThemeState after = r.State();
        ASSERT_FALSE(after == start);
        EXPECT_EQ(std::tuple(r.editor.Modified(), r.editor.GetHistory().StepCount(), r.editor.UndoText()),
                  std::tuple(c.modifiedAfter, 1u, "Undo: " + c.undoText));
        // A saved or opened theme is clean after the step and modified once it is taken back.
        ASSERT_TRUE(r.editor.Undo());
        EXPECT_TRUE(r.State() == start);
        EXPECT_EQ(std::tuple(r.editor.Modified(), r.editor.CanUndo(), r.editor.RedoText()),
                  std::tuple(!c.modifiedAfter, false, "Redo: " + c.undoText));
        ASSERT_TRUE(r.editor.Redo());
        EXPECT_TRUE(r.State() == after);
        EXPECT_EQ(r.editor.Modified(), c.modifiedAfter);
    }
}

TEST(SafeEditing, AValueHalfTypedIsTakenBackFirstAndPicturesAreSharedBetweenSteps) {
    Rig r;
    r.editor.LoadPictureFile(kSlot, r.WritePicture());
    r.editor.SetColour(kHighlight, "00FF00");
    const Bytes* shared = r.editor.GetHistory().Current().pictures[kSlot].data.get();
    r.editor.SetColour(kHighlight, "12");
    EXPECT_TRUE(r.editor.Modified());
    EXPECT_EQ(r.editor.UndoText(), "");  // a half-typed value has no step name
    for (const char* colour : {"00FF00", "FFC600"}) {
        ASSERT_TRUE(r.editor.Undo());
        EXPECT_EQ(r.editor.Colour(kHighlight), colour);
    }
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
    EXPECT_FALSE(h.AtClean()) << "the clean state was dropped";
    int undone = 0;
    while (h.Undo()) ++undone;
    EXPECT_EQ(std::pair(undone, h.Current().colours[0]), std::pair(3, std::string("1")));

    Rig r;
    for (int i = 0; i < 260; ++i) r.editor.SetColour(kHighlight, std::to_string(100000 + i));
    undone = 0;
    while (r.editor.Undo()) ++undone;
    EXPECT_GE(undone, 200);
}

TEST(SafeEditing, TheQuestionBeforeDroppingWorkSavesDiscardsOrKeeps) {
    const struct {
        const char* name;
        bool modify, withFile;
        Answer answer;
        bool goesOn, modifiedAfter;
    } cases[] = {
        {"unmodified: no question", false, true, Answer::Cancel, true, false},
        {"discard", true, true, Answer::Discard, true, true},
        {"save to the file", true, true, Answer::Save, true, false},
        {"save as, dialog cancelled", true, false, Answer::Save, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        if (c.withFile) r.editor.OpenTheme(r.WriteTheme("sunset.thm", "FFC600"));
        if (c.modify) r.editor.SetColour(kHighlight, "00FF00");
        r.toolkit.askAnswers = {c.answer};
        EXPECT_EQ(r.editor.ConfirmDropChanges(), c.goesOn);
        const char* question =
            c.withFile ? "Save the changes to sunset.thm?" : "Save the changes to the new theme?";
        EXPECT_EQ(r.toolkit.questions, std::vector<std::string>(c.modify ? 1 : 0, question));
        EXPECT_EQ(r.editor.Modified(), c.modifiedAfter);
    }
}

TEST(SafeEditing, ACancelledBrowserClickKeepsTheThemeAndTheFileSaveWritesTo) {
    Rig r;
    r.editor.Settings().browseFolder = r.dir.Path().string() + "/";
    r.WriteTheme("a.thm", "111111");
    r.WriteTheme("b.thm", "222222");
    FileBrowser browser(r.editor);
    browser.Click("a.thm");
    r.editor.SetColour(kHighlight, "00FF00");
    r.toolkit.askAnswers = {Answer::Cancel, Answer::Discard};
    browser.Click("b.thm");
    EXPECT_EQ(browser.SaveTarget(), r.Path("a.thm"));
    browser.Click("b.thm");
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
    writer.Remove();
    EXPECT_FALSE(fs::exists(writer.File()));

    // Left by processes: one gone, one running (pid 1).
    std::string reason;
    const std::optional<Bytes> bytes = RecoveryBytes(changed, reason);
    ASSERT_TRUE(bytes) << reason;
    const std::string gone = RecoveryFilePath(data, 999999999);
    for (const std::string& f : {gone, RecoveryFilePath(data, 1)}) ASSERT_TRUE(ReplaceFile(f, *bytes, reason));
    EXPECT_EQ(AbandonedRecoveryFiles(data), std::vector<std::string>{gone});

    const std::tuple<Answer, bool, bool> answers[] = {  // restored, file kept
        {Answer::Cancel, false, true}, {Answer::Discard, false, false}, {Answer::Restore, true, false}};
    for (const auto& [answer, restored, fileKept] : answers) {
        SCOPED_TRACE(static_cast<int>(answer));
        ASSERT_TRUE(ReplaceFile(gone, *bytes, reason));
        Rig fresh;
        fresh.toolkit.askAnswers = {answer};
        EXPECT_EQ(OfferRecovery(fresh.editor, data), restored);
        EXPECT_EQ(fresh.toolkit.questions, std::vector<std::string>{
            "Tintora was stopped before sunset.thm was saved. Restore the unsaved changes?"});
        EXPECT_EQ(fs::exists(gone), fileKept);
        using Three = std::tuple<std::string, std::string, std::string>;
        const ThemeState now = fresh.State();
        EXPECT_EQ(Three(now.colours[kHighlight], now.path, now.info.name),
                  restored ? Three(changed.colours[kHighlight], changed.path, changed.info.name)
                           : Three("FFC600", "", ""));
        EXPECT_EQ(fresh.editor.Modified(), restored);
    }
}
