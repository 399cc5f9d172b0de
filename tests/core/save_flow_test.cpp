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
namespace fs = std::filesystem;

namespace {

using SaveResult = Editor::SaveResult;
using Fields = std::array<std::string, 3>;
using Script = RecordingToolkit::InfoScript;

Fields InfoOf(const ThemeInfo& info) { return {info.name, info.modifiedBy, info.creator}; }

struct SaveRig : EditorRig<> {
    SaveRig() { editor.Settings().browseFolder = dir.Path().string() + "/"; }

    // The theme as another editor opens it.
    static Theme Reopen(const std::string& path) {
        EditorRig<> other;
        EXPECT_EQ(other.editor.OpenTheme(path), Editor::OpenResult::Opened) << path;
        return other.editor.GetTheme();
    }
    // The button read "Wait" and then its caption again, and the browser was refreshed `lists`
    // times and the information frame filled `infos` times; what the view saw is forgotten after.
    void ExpectView(const std::string& button, long lists, long infos) {
        EXPECT_THAT(view.busy, ElementsAre("Wait " + button, "Back " + button));
        const auto count = [this](const char* call) { return std::ranges::count(view.calls, call); };
        EXPECT_EQ(std::pair(count("UpdateListFiles"), count("ShowThemeInfo")), std::pair(lists, infos));
        view.busy.clear();
        view.calls.clear();
    }
};

struct SaveFlow : ::testing::Test, SaveRig {};

TEST(SaveStops, EveryWayOutBeforeWritingKeepsTheFileTheTextsAndTheDate) {
    const std::string erase = "Warning: This will erase the current saved theme!";
    const std::string incomplete =
        "Warning: These colours do not have six digits and would be saved as they stand:\r\n"
        "Text: \"ABC\"\r\nDesktop title: \"1234567\"\r\n\r\nSave the theme all the same?";
    const auto cancel = InfoButton::Cancel;
    const struct {
        const char* what;
        bool saveBack;           // Save to old.thm; otherwise Save As
        bool incompleteColours;  // two values without six digits
        std::vector<Answer> answers;
        Script info;                        // none: the close box
        std::optional<std::string> chosen;  // the file dialog's answer
        std::vector<std::pair<std::string, Buttons>> asked;
        std::size_t fileDialogs;
        std::string nameAfter;
    } cases[] = {
        {"Save As, no file chosen", false, false, {}, TypeInfo("Typed", "", ""), std::nullopt, {}, 1, "Typed"},
        {"Save As, information cancelled", false, false, {}, TypeInfo("T", "", "", cancel), "new", {}, 0, "Name"},
        {"Save As, overwrite refused", false, false, {Answer::No}, nullptr, "old.thm",
         {{"Warning: Overwrite existing file?", Buttons::YesNo}}, 1, "Name"},
        {"Save As, incomplete colours refused", false, true, {Answer::No}, nullptr, "new",
         {{incomplete, Buttons::YesNo}}, 0, "Name"},
        {"Save, warning cancelled", true, false, {Answer::Cancel}, nullptr, std::nullopt,
         {{erase, Buttons::OkCancel}}, 0, "Name"},
        {"Save, information cancelled", true, false, {}, PressInfo({cancel}), std::nullopt,
         {{erase, Buttons::OkCancel}}, 0, "Name"},
        {"Save, incomplete colours refused", true, true, {Answer::Ok, Answer::No}, nullptr, std::nullopt,
         {{erase, Buttons::OkCancel}, {incomplete, Buttons::YesNo}}, 0, "Name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SaveRig r;
        const std::string old = r.dir / "old.thm";
        WriteAll(old, "the old file");
        if (c.incompleteColours) {
            r.editor.SetColour(9, "ABC");
            r.editor.SetColour(36, "1234567");
        }
        r.editor.GetTheme().info = {"Name", "Mod", "", "Creator"};
        r.toolkit.answers.assign(c.answers.begin(), c.answers.end());
        if (c.info) r.toolkit.infoScripts.push_back(c.info);
        if (c.chosen) r.toolkit.files.push_back(r.dir / *c.chosen);

        EXPECT_EQ(c.saveBack ? r.editor.Save(old) : r.editor.SaveAs(), SaveResult::Cancelled);
        std::vector<std::pair<std::string, Buttons>> asked;
        for (const auto& s : r.toolkit.shown) asked.emplace_back(s.title + ": " + s.text, s.buttons);
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(r.toolkit.fileRequests.size(), c.fileDialogs);
        EXPECT_EQ(r.Logged("bReadFile is false -> abort Create File"), !c.saveBack && !c.chosen);
        EXPECT_THAT(TreeOf(r.dir.Path()), ElementsAre("old.thm"));
        EXPECT_EQ(ReadText(old), "the old file");
        const ThemeInfo& info = r.editor.GetTheme().info;
        EXPECT_EQ(std::pair(info.name, info.created), std::pair(c.nameAfter, std::string())) << "no date";
        r.ExpectView(c.saveBack ? "Save" : "SaveAs", 0, 0);
    }
}

TEST_F(SaveFlow, SaveAsAddsTheExtensionListsTheFileAndDatesTheTheme) {
    toolkit.files.push_back(dir / "my");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    const FileDialogRequest& request = toolkit.fileRequests.at(0);
    EXPECT_EQ(std::tie(request.folder, request.extension, request.title, request.save),
              std::make_tuple(dir.Path().string() + "/", "thm", "Create theme", true));
    EXPECT_THAT(toolkit.shown, IsEmpty());
    ExpectView("SaveAs", 1, 1);
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("my.thm"));

    // Save As dates even a dated theme anew; Yes to the overwrite question replaces the file, and
    // Yes to the question about values without six digits saves them as they stand.
    clock.Set(LocalTime{2027, 1, 1, 0, 0, 0});
    editor.SetColour(9, "ABC");
    toolkit.files.push_back(dir / "my.thm");
    toolkit.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(toolkit.shown.at(1).text, "Overwrite existing file?");
    EXPECT_EQ(Reopen(dir / "my.thm").info.created, "1.1.2027 0:0:0");
}

// Saving back warns, then asks for the texts, and writes without a file dialog; the texts saved
// are the dialog's, the date the theme's own or a new one.
TEST_F(SaveFlow, SaveWritesBackWithTheTextsOfTheInformationDialogAndKeepsAnExistingDate) {
    UserSettings& s = editor.Settings();
    s.defaultThemeName = "Summer";
    s.defaultModifiedBy = "Ann";
    s.defaultCreator = "Bob";
    const ThemeInfo existing{"Winter", "Carl", "1.1.2000 0:0:0", "Dora"};
    // Types a name, presses a button that must keep the dialog open, then OK or the close box.
    const auto press = [](InfoButton button, bool ok) {
        return [=](InfoDialogModel& d) {
            d.SetField(0, "Autumn");
            EXPECT_FALSE(d.Press(button));
            if (ok) d.Press(InfoButton::Ok);
        };
    };
    const struct { std::string what; ThemeInfo before; Script script; Fields saved; } cases[] = {
        {"new", {}, PressInfo({InfoButton::Ok}), {"Summer", "Ann", "Bob"}},  // offered the defaults
        {"typed", existing, TypeInfo("Spring", "Eve", "Fay"), {"Spring", "Eve", "Dora"}},  // creator locked
        {"usedefault", existing, press(InfoButton::UseDefault, true), {"Summer", "Ann", "Bob"}},  // all boxes
        {"skip", existing, PressInfo({InfoButton::Skip}), {"", "", ""}},
        {"savedefault", existing, press(InfoButton::SaveAsDefault, false), {"Winter", "Carl", "Dora"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editor.GetTheme().info = c.before;
        toolkit.infoScripts.push_back(c.script);
        toolkit.shown.clear();
        EXPECT_EQ(editor.Save(dir / (c.what + ".thm")), SaveResult::Saved);
        EXPECT_THAT(toolkit.Texts(), ElementsAre("This will erase the current saved theme!"));
        ExpectView("Save", 0, 1);
        const Theme saved = Reopen(dir / (c.what + ".thm"));
        EXPECT_EQ(InfoOf(saved.info), c.saved);
        EXPECT_EQ(saved.info.created, c.before.created.empty() ? "5.12.2026 9:3:7" : c.before.created);
    }
    EXPECT_EQ((Fields{s.defaultThemeName, s.defaultModifiedBy, s.defaultCreator}),
              (Fields{"Autumn", "Carl", "Dora"}));
    EXPECT_THAT(toolkit.fileRequests, IsEmpty());
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
    ExpectView("SaveAs", 1, 0);  // the browser is refreshed as after a success

    // Saving back into a folder that went away: an undated theme stays undated.
    editor.ToggleSlot(0);
    editor.GetTheme().info = {};
    EXPECT_EQ(editor.Save(dir / "gone/t.thm"), SaveResult::Failed);
    EXPECT_THAT(toolkit.Texts().back(), ::testing::StartsWith("The theme could not be saved: "));
    EXPECT_EQ(editor.GetTheme().info.created, "");
    ExpectView("Save", 0, 0);
}

}  // namespace
