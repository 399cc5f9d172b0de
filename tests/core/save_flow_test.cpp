// Saving themes: Save back to the browser's file and Save As under a new name, the questions on
// the way, the information dialog, the creation stamps, and failures the user is told about.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <tuple>

#include "support/EditorRig.h"
#include "dialogs/InfoDialogModel.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

using SaveResult = Editor::SaveResult;
using Fields = std::array<std::string, 3>;

Fields InfoOf(const ThemeInfo& info) { return {info.name, info.modifiedBy, info.creator}; }

// Records the busy captions and the browser refreshes besides the usual notifications.
class SaveView : public RecordingView {
public:
    void SetBusy(BusyButton button, bool on) override {
        static const char* const names[] = {"Read", "Save", "SaveAs"};
        busy.push_back(std::string(on ? "Wait " : "Back ") + names[static_cast<int>(button)]);
    }
    void UpdateListFiles() override { calls.push_back("UpdateListFiles"); }
    long Count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

    std::vector<std::string> busy;
};

struct SaveRig : EditorRig<RecordingToolkit, SaveView> {
    SaveRig() { editor.Settings().browseFolder = dir.Path().string() + "/"; }

    // The theme as another editor opens it from the file browser.
    Theme Reopen(const std::string& path) {
        RecordingToolkit tk;
        Log quiet{{}, clock, &tk};
        RecordingView v;
        Editor other(quiet, tk, v, dir / "temp-other");
        other.ApplyDefaultColours();
        EXPECT_EQ(other.OpenTheme(path), Editor::OpenResult::Opened) << path;
        return other.GetTheme();
    }

    // The button read "Wait" and then its caption again; what the view saw is forgotten after.
    void ExpectBusy(const std::string& button) {
        EXPECT_THAT(view.busy, ElementsAre("Wait " + button, "Back " + button));
        view.busy.clear();
        view.calls.clear();
    }
};

struct SaveFlow : ::testing::Test, SaveRig {};

TEST(SaveStops, EveryWayOutBeforeWritingKeepsTheFileTheTextsAndTheDate) {
    // Every question is titled "Warning".
    const std::string erase = "Warning: This will erase the current saved theme!";
    const std::string incomplete =
        "Warning: These colours do not have six digits and would be saved as they stand:\r\n"
        "Text: \"ABC\"\r\nDesktop title: \"1234567\"\r\n\r\nSave the theme all the same?";
    using Asked = std::vector<std::pair<std::string, Buttons>>;
    const struct {
        const char* what;
        bool saveBack;           // Save to old.thm; otherwise Save As
        bool incompleteColours;  // two values without six digits
        std::vector<Answer> answers;
        RecordingToolkit::InfoScript info;  // none: the close box
        std::optional<std::string> chosen;  // the file dialog's answer
        Asked asked;
        std::size_t fileDialogs;
        std::string nameAfter;
    } cases[] = {
        {"Save As, no file chosen", false, false, {}, TypeInfo("Typed", "", ""), std::nullopt, {}, 1, "Typed"},
        {"Save As, information cancelled", false, false, {}, TypeInfo("Typed", "", "", InfoButton::Cancel),
         "new", {}, 0, "Name"},
        {"Save As, overwrite refused", false, false, {Answer::No}, nullptr, "old.thm",
         {{"Warning: Overwrite existing file?", Buttons::YesNo}}, 1, "Name"},
        {"Save As, incomplete colours refused", false, true, {Answer::No}, nullptr, "new",
         {{incomplete, Buttons::YesNo}}, 0, "Name"},
        {"Save, warning cancelled", true, false, {Answer::Cancel}, nullptr, std::nullopt,
         {{erase, Buttons::OkCancel}}, 0, "Name"},
        {"Save, information cancelled", true, false, {}, PressInfo({InfoButton::Cancel}), std::nullopt,
         {{erase, Buttons::OkCancel}}, 0, "Name"},
        {"Save, incomplete colours refused", true, true, {Answer::Ok, Answer::No}, nullptr, std::nullopt,
         {{erase, Buttons::OkCancel}, {incomplete, Buttons::YesNo}}, 0, "Name"},
    };
    for (const auto& c : cases) {
        SaveRig r;
        const std::string old = r.dir / "old.thm";
        WriteAll(old, "the old file");
        if (c.incompleteColours) {
            r.editor.SetColour(9, "ABC");
            r.editor.SetColour(36, "1234567");
        }
        r.editor.GetTheme().info = {"Name", "Mod", "", "Creator"};
        r.view.calls.clear();
        r.toolkit.answers.assign(c.answers.begin(), c.answers.end());
        if (c.info) r.toolkit.infoScripts.push_back(c.info);
        if (c.chosen) r.toolkit.files.push_back(r.dir / *c.chosen);

        EXPECT_EQ(c.saveBack ? r.editor.Save(old) : r.editor.SaveAs(), SaveResult::Cancelled) << c.what;
        Asked asked;
        for (const auto& s : r.toolkit.shown) asked.emplace_back(s.title + ": " + s.text, s.buttons);
        EXPECT_EQ(asked, c.asked) << c.what;
        EXPECT_EQ(r.toolkit.fileRequests.size(), c.fileDialogs) << c.what;
        EXPECT_EQ(r.Logged("bReadFile is false -> abort Create File"), c.fileDialogs == 1 && !c.chosen) << c.what;
        EXPECT_THAT(TreeOf(r.dir.Path()), ElementsAre("old.thm")) << c.what;
        EXPECT_EQ(ReadText(old), "the old file") << c.what;
        EXPECT_EQ(r.editor.GetTheme().info.name, c.nameAfter) << c.what;
        EXPECT_EQ(r.editor.GetTheme().info.created, "") << c.what << ": no date without a save";
        EXPECT_EQ(r.view.Count("UpdateListFiles") + r.view.Count("ShowThemeInfo"), 0) << c.what;
        r.ExpectBusy(c.saveBack ? "Save" : "SaveAs");
    }
}

TEST_F(SaveFlow, SaveAsAddsTheExtensionListsTheFileAndDatesTheTheme) {
    editor.GetTheme().slots[0] = SlotState::On;
    editor.GetTheme().members[0] = {HeaderGif(101, 80, 500, 3), true};
    toolkit.infoScripts.push_back(TypeInfo("Summer", "Ann", "Bob"));
    toolkit.files.push_back(dir / "my");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    const FileDialogRequest& request = toolkit.fileRequests.at(0);
    EXPECT_EQ(std::tie(request.folder, request.extension, request.title, request.save),
              std::make_tuple(dir.Path().string() + "/", "thm", "Create theme", true));
    EXPECT_THAT(toolkit.shown, IsEmpty());
    EXPECT_EQ(view.Count("ShowThemeInfo"), 1);
    EXPECT_EQ(view.Count("UpdateListFiles"), 1);
    ExpectBusy("SaveAs");
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("my.thm"));
    const Theme saved = Reopen(dir / "my.thm");
    EXPECT_EQ(InfoOf(saved.info), (Fields{"Summer", "Ann", "Bob"}));
    EXPECT_EQ(saved.info.created, "5.12.2026 9:3:7");
    EXPECT_EQ(saved.members[0].data, editor.GetTheme().members[0].data);

    // Save As dates even a dated theme anew; Yes to the overwrite question replaces the file.
    clock.Set(LocalTime{2027, 1, 1, 0, 0, 0});
    toolkit.files.push_back(dir / "my.thm");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Overwrite existing file?"));
    EXPECT_EQ(Reopen(dir / "my.thm").info.created, "1.1.2027 0:0:0");

    // Yes to the question about values without six digits saves them (as they stand).
    editor.SetColour(9, "ABC");
    toolkit.files.push_back(dir / "my.thm");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
}

// Saving back warns, then asks for the texts, and writes without a file dialog; the texts saved
// are the dialog's, the date the theme's own or a new one.
TEST_F(SaveFlow, SaveWritesBackWithTheTextsOfTheInformationDialogAndKeepsAnExistingDate) {
    UserSettings& s = editor.Settings();
    s.defaultThemeName = "Summer";
    s.defaultModifiedBy = "Ann";
    s.defaultCreator = "Bob";
    const ThemeInfo existing{"Winter", "Carl", "1.1.2000 0:0:0", "Dora"};
    const Fields kept{"Winter", "Carl", "Dora"};
    // Types a name, presses a button that must keep the dialog open, then OK or the close box.
    const auto press = [](InfoButton button, bool ok) {
        return [=](InfoDialogModel& d) {
            d.SetField(0, "Autumn");
            EXPECT_FALSE(d.Press(button));
            if (ok) d.Press(InfoButton::Ok);
        };
    };
    const struct { std::string what; ThemeInfo before; RecordingToolkit::InfoScript script; Fields saved; } cases[] = {
        {"new", {}, PressInfo({InfoButton::Ok}), {"Summer", "Ann", "Bob"}},  // offered the defaults
        {"typed", existing, TypeInfo("Spring", "Eve", "Fay"), {"Spring", "Eve", "Dora"}},  // creator locked
        {"usedefault", existing, press(InfoButton::UseDefault, true), {"Summer", "Ann", "Bob"}},  // all boxes
        {"usedefaultclosed", existing, press(InfoButton::UseDefault, false), kept},  // nothing taken before OK
        {"skip", existing, PressInfo({InfoButton::Skip}), {"", "", ""}},
        {"closebox", existing, [](InfoDialogModel& d) { d.SetField(0, "Autumn"); }, kept},
        {"savedefault", existing, press(InfoButton::SaveAsDefault, false), kept},  // the defaults only
    };
    for (const auto& c : cases) {
        editor.GetTheme().info = c.before;
        toolkit.infoScripts.push_back(c.script);
        toolkit.shown.clear();
        EXPECT_EQ(editor.Save(dir / (c.what + ".thm")), SaveResult::Saved) << c.what;
        EXPECT_THAT(toolkit.Texts(), ElementsAre("This will erase the current saved theme!")) << c.what;
        EXPECT_EQ(view.Count("ShowThemeInfo"), 1) << c.what;
        EXPECT_EQ(view.Count("UpdateListFiles"), 0) << c.what;
        ExpectBusy("Save");
        EXPECT_EQ(InfoOf(editor.GetTheme().info), c.saved) << c.what;
        const Theme saved = Reopen(dir / (c.what + ".thm"));
        EXPECT_EQ(InfoOf(saved.info), c.saved) << c.what;
        EXPECT_EQ(saved.info.created, c.before.created.empty() ? "5.12.2026 9:3:7" : c.before.created) << c.what;
    }
    EXPECT_EQ((Fields{s.defaultThemeName, s.defaultModifiedBy, s.defaultCreator}),
              (Fields{"Autumn", "Carl", "Dora"}));
    EXPECT_THAT(toolkit.fileRequests, IsEmpty());
    EXPECT_EQ(toolkit.infoOpened.size(), std::size(cases));
    EXPECT_EQ(std::tie(toolkit.infoOpened.at(0).fields, toolkit.infoOpened.at(0).creatorEnabled),
              std::make_tuple(Fields{"Summer", "Ann", "Bob"}, true));
    EXPECT_EQ(std::tie(toolkit.infoOpened.at(1).fields, toolkit.infoOpened.at(1).creatorEnabled),
              std::make_tuple(kept, false));
}

TEST_F(SaveFlow, AFailedSaveIsShownWithItsReasonAndKeepsTheOldFileAndTheDate) {
    const std::string target = dir / "big.thm";
    WriteAll(target, "the theme saved before");
    editor.GetTheme().slots[0] = SlotState::On;
    editor.GetTheme().members[0] = {HeaderGif(101, 80, 40000, 1), true};
    editor.GetTheme().info.created = "2.2.2002 1:9:40";

    toolkit.files.push_back(target);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Failed);  // the writer keeps the old file
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Overwrite existing file?",
        "The picture is too large to save (more than 32767 bytes): Background (stand.gif)"));
    EXPECT_TRUE(Logged("Failed to create tar file"));
    EXPECT_EQ(editor.GetTheme().info.created, "2.2.2002 1:9:40") << "the new date is taken back";
    EXPECT_EQ(view.Count("ShowThemeInfo"), 0);
    EXPECT_EQ(view.Count("UpdateListFiles"), 1) << "the browser is refreshed as after a success";
    ExpectBusy("SaveAs");

    // Saving back into a folder that went away: an undated theme stays undated.
    editor.ToggleSlot(0);
    editor.GetTheme().info = {};
    toolkit.shown.clear();
    EXPECT_EQ(editor.Save(dir / "gone/t.thm"), SaveResult::Failed);
    ASSERT_EQ(toolkit.shown.size(), 2u);  // the warning, then the failure
    EXPECT_THAT(toolkit.shown[1].text, StartsWith("The theme could not be saved: "));
    EXPECT_EQ(editor.GetTheme().info.created, "");
    ExpectBusy("Save");
}

}  // namespace
