// Saving themes: Save back to the browser's file and Save As under a new name, with the warning
// and overwrite questions, the information dialog, the creation stamps, failures the user is told
// about, and a theme that comes back whole after saving and opening again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "support/EditorRig.h"
#include "workspace/InfoDialogModel.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

using SaveResult = Editor::SaveResult;
using Fields = std::array<std::string, 3>;

// Records the busy captions and the browser refreshes besides the usual notifications.
class SaveView : public RecordingView {
public:
    void SetBusy(BusyButton button, bool busy) override {
        static const char* const names[] = {"Read", "Save", "SaveAs"};
        calls.push_back(std::string(busy ? "Wait " : "Back ") + names[static_cast<int>(button)]);
    }
    void UpdateListFiles() override { calls.push_back("UpdateListFiles"); }

    std::vector<std::string> Busy() const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind("Wait ", 0) == 0 || c.rfind("Back ", 0) == 0) out.push_back(c);
        return out;
    }
    int Count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }
};

struct SaveFlow : ::testing::Test, EditorRig<RecordingToolkit, SaveView> {
    SaveFlow() { editor.Settings().browseFolder = dir.Path().string() + "/"; }

    // The theme as another editor opens it from the file browser.
    Theme Reopen(const std::string& path) {
        RecordingToolkit tk;
        Log quiet{{}, clock, &tk};
        RecordingView v;
        Editor other(quiet, tk, v, dir / "temp-other");
        other.IniDefault();
        EXPECT_EQ(other.ReadFileBrowse(path), Editor::OpenResult::Opened) << path;
        return other.GetTheme();
    }
    Fields InfoOf(const ThemeInfo& info) { return {info.name, info.modifiedBy, info.creator}; }

    // Puts a picture into a slot through its Select button.
    void LoadPicture(int slot, const Bytes& bytes) {
        const std::string file = dir / ("pic" + std::to_string(slot) + ".gif");
        WriteBytes(file, bytes);
        toolkit.files.push_back(file);
        editor.cmdLoadFile_Click(slot);
        ASSERT_TRUE(editor.GetTheme().SlotOn(slot)) << slot;
    }
    void ExpectBusy(const std::string& button) {
        EXPECT_THAT(view.Busy(), ElementsAre("Wait " + button, "Back " + button));
        view.calls.clear();
    }
};

TEST_F(SaveFlow, SaveAsAppendsTheExtensionAndAsksBeforeOverwriting) {
    toolkit.infoScripts.push_back(TypeInfo("Summer", "Ann", "Bob"));
    toolkit.files.push_back(dir / "my");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_TRUE(fs::is_regular_file(dir / "my.thm"));
    EXPECT_FALSE(fs::exists(dir / "my"));
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_EQ(toolkit.fileRequests[0].folder, dir.Path().string() + "/");
    EXPECT_EQ(toolkit.fileRequests[0].extension, "thm");
    EXPECT_EQ(toolkit.fileRequests[0].title, "Create theme");
    EXPECT_TRUE(toolkit.fileRequests[0].save);
    // The information frame follows the save, and the browser lists the new file.
    EXPECT_EQ(view.Count("ShowThemeInfo"), 1);
    EXPECT_EQ(view.Count("UpdateListFiles"), 1);
    ExpectBusy("SaveAs");
    EXPECT_THAT(toolkit.shown, IsEmpty());
    EXPECT_EQ(InfoOf(Reopen(dir / "my.thm").info), (Fields{"Summer", "Ann", "Bob"}));

    // No to the overwrite question leaves the file untouched; Yes replaces it.
    const std::string target = dir / "old.thm";
    WriteAll(target, "the old file");
    toolkit.files.push_back(target);
    toolkit.answers.push_back(Answer::No);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);
    EXPECT_EQ(ReadText(target), "the old file");
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "Overwrite existing file?");
    EXPECT_EQ(toolkit.shown[0].title, "Warning");
    EXPECT_EQ(toolkit.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(view.Count("UpdateListFiles"), 0);
    ExpectBusy("SaveAs");
    toolkit.files.push_back(target);
    toolkit.answers.push_back(Answer::Yes);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(Reopen(target).colours, editor.GetTheme().colours);
}

TEST_F(SaveFlow, SaveAsWithoutAFileNameOrWithCancelInTheDialogWritesNothing) {
    toolkit.infoScripts.push_back(TypeInfo("Kept", "", ""));
    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);  // no scripted file: the dialog is cancelled
    EXPECT_TRUE(Logged("bReadFile is false -> abort Create File"));
    EXPECT_EQ(view.Count("UpdateListFiles"), 0);
    ExpectBusy("SaveAs");
    EXPECT_THAT(TreeOf(dir.Path()), IsEmpty());
    // The texts of the dialog were taken before the file dialog came up.
    EXPECT_EQ(editor.GetTheme().info.name, "Kept");

    // Cancel in the information dialog stops before the file dialog and keeps the texts.
    editor.GetTheme().info = {"Name", "Mod", "1.1.2027 0:0:0", "Creator"};
    toolkit.infoScripts.push_back(TypeInfo("Other", "Other", "Other", InfoButton::Cancel));
    toolkit.files.push_back(dir / "never");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);
    EXPECT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_THAT(TreeOf(dir.Path()), IsEmpty());
    EXPECT_EQ(InfoOf(editor.GetTheme().info), (Fields{"Name", "Mod", "Creator"}));
    EXPECT_EQ(editor.GetTheme().info.created, "1.1.2027 0:0:0");
    ExpectBusy("SaveAs");
}

TEST_F(SaveFlow, SaveWarnsFirstAndWritesToTheGivenFileWithoutAFileDialog) {
    const std::string target = dir / "summer.thm";
    toolkit.answers.push_back(Answer::Cancel);
    EXPECT_EQ(editor.Save(target), SaveResult::Cancelled);
    EXPECT_FALSE(fs::exists(target));
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "This will erase the current saved theme!");
    EXPECT_EQ(toolkit.shown[0].title, "Warning");
    EXPECT_EQ(toolkit.shown[0].buttons, Buttons::OkCancel);
    EXPECT_THAT(toolkit.infoOpened, IsEmpty());
    EXPECT_EQ(view.Count("ShowThemeInfo"), 0);
    ExpectBusy("Save");

    // Cancel in the information dialog leaves the file as it was.
    WriteAll(target, "older version");
    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(PressInfo({InfoButton::Cancel}));
    EXPECT_EQ(editor.Save(target), SaveResult::Cancelled);
    EXPECT_EQ(ReadText(target), "older version");
    EXPECT_EQ(editor.GetTheme().info.created, "");
    ExpectBusy("Save");

    toolkit.shown.clear();
    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(TypeInfo("Summer", "Me", "You"));
    EXPECT_EQ(editor.Save(target), SaveResult::Saved);
    EXPECT_THAT(toolkit.fileRequests, IsEmpty());
    EXPECT_EQ(toolkit.shown.size(), 1u);  // the warning only: no overwrite question
    EXPECT_EQ(Reopen(target).info.name, "Summer");
    EXPECT_EQ(view.Count("ShowThemeInfo"), 1);
    EXPECT_EQ(view.Count("UpdateListFiles"), 0);
    ExpectBusy("Save");
}

TEST_F(SaveFlow, SaveKeepsACreationDateAndSaveAsAlwaysMakesANewOne) {
    const std::string target = dir / "t.thm";
    // Refused at the overwrite question, before the stamp: a theme never saved has no date yet.
    WriteAll(target, "x");
    toolkit.files.push_back(target);
    toolkit.answers.push_back(Answer::No);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);
    EXPECT_EQ(editor.GetTheme().info.created, "");

    // A theme without a date gets one on its first Save; later saves back keep it.
    EXPECT_EQ(editor.Save(target), SaveResult::Saved);
    EXPECT_EQ(editor.GetTheme().info.created, "5.12.2026 9:3:7");
    clock.Set(LocalTime{2027, 1, 1, 0, 0, 0});
    EXPECT_EQ(editor.Save(target), SaveResult::Saved);
    EXPECT_EQ(editor.GetTheme().info.created, "5.12.2026 9:3:7");
    EXPECT_EQ(Reopen(target).info.created, "5.12.2026 9:3:7");

    // Save As gives the theme a new date even though it has one.
    toolkit.files.push_back(dir / "copy");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(editor.GetTheme().info.created, "1.1.2027 0:0:0");
    EXPECT_EQ(Reopen(dir / "copy.thm").info.created, "1.1.2027 0:0:0");
    EXPECT_EQ(Reopen(target).info.created, "5.12.2026 9:3:7");

    // A failed save keeps the date it had, and takes back a stamp made for it.
    editor.GetTheme().info.created = "2.2.2002 1:9:40";
    toolkit.files.push_back(dir / "missing/a.thm");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Failed);
    EXPECT_EQ(editor.GetTheme().info.created, "2.2.2002 1:9:40");
    editor.GetTheme().info = {};
    EXPECT_EQ(editor.Save(dir / "missing/b.thm"), SaveResult::Failed);
    EXPECT_EQ(editor.GetTheme().info.created, "");
}

TEST_F(SaveFlow, FailuresAreShownWithTheirReasonAndKeepTheOldFile) {
    const std::string target = dir / "big.thm";
    WriteAll(target, "the theme saved before");
    LoadPicture(0, HeaderGif(101, 80, 40000, 1));
    view.calls.clear();
    toolkit.files.push_back(target);
    toolkit.answers.push_back(Answer::Yes);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Failed);
    EXPECT_EQ(ReadText(target), "the theme saved before");
    ASSERT_EQ(toolkit.shown.size(), 2u);  // the overwrite question, then the failure
    EXPECT_EQ(toolkit.shown[1].text,
              "The picture is too large to save (more than 32767 bytes): Background (stand.gif)");
    EXPECT_EQ(toolkit.shown[1].buttons, Buttons::Ok);
    EXPECT_TRUE(Logged("Failed to create tar file"));
    EXPECT_EQ(view.Count("ShowThemeInfo"), 0);
    // The browser is refreshed and the caption returns as after a success.
    EXPECT_EQ(view.Count("UpdateListFiles"), 1);
    ExpectBusy("SaveAs");
    // No temporary file is left beside the target.
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("big.thm", "pic0.gif"));

    editor.cmdOnOff_Click(0);  // the large picture stays out of the archive from here on
    view.calls.clear();
    toolkit.shown.clear();
    toolkit.files.push_back(dir / "missing/my");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Failed);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_THAT(toolkit.shown[0].text, StartsWith("The theme could not be saved: "));
    EXPECT_THAT(toolkit.shown[0].text, HasSubstr("missing"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
    ExpectBusy("SaveAs");

    // Save back to a file in a folder that went away fails the same way.
    toolkit.shown.clear();
    EXPECT_EQ(editor.Save(dir / "gone/t.thm"), SaveResult::Failed);
    ASSERT_EQ(toolkit.shown.size(), 2u);  // the warning question, then the failure
    EXPECT_THAT(toolkit.shown[1].text, StartsWith("The theme could not be saved: "));
}

TEST_F(SaveFlow, InformationDialogOffersDefaultsToANewThemeAndLocksTheCreatorOfAnExistingOne) {
    UserSettings& s = editor.Settings();
    const auto fields = [](const InfoDialogModel& d) { return Fields{d.Field(0), d.Field(1), d.Field(2)}; };
    InfoDialogModel first(editor.GetTheme().info, s, editor.GetTexts());
    EXPECT_EQ(fields(first), (Fields{"", "", ""}));
    EXPECT_TRUE(first.CreatorEnabled());
    EXPECT_FALSE(first.Cancelled());
    const InfoDialogCaptions& c = first.Captions();
    EXPECT_EQ(c.title, "Add more information");
    EXPECT_THAT(c.labels, ElementsAre("Theme Name:", "Modified by:", "Created by:"));
    EXPECT_THAT((std::vector<std::string>{c.ok, c.skip, c.saveAsDefault, c.useDefault, c.cancel}),
                ElementsAre("OK", "Skip", "Save as default", "Use default", "Cancel"));

    // Save as default keeps the dialog open and changes only the defaults.
    for (int f = 0; f < 3; ++f) first.SetField(f, Fields{"Summer", "Ann", "Bob"}[f]);
    EXPECT_FALSE(first.Press(InfoButton::SaveAsDefault));
    EXPECT_EQ((Fields{s.defaultThemeName, s.defaultModifiedBy, s.defaultCreator}), (Fields{"Summer", "Ann", "Bob"}));
    EXPECT_EQ(editor.GetTheme().info.name, "");
    EXPECT_TRUE(first.Press(InfoButton::Cancel));

    // The next new theme is offered them, with captions in the language in force.
    editor.GetTexts().SetLanguageOffset(kGerman);
    InfoDialogModel next(editor.GetTheme().info, s, editor.GetTexts());
    EXPECT_EQ(fields(next), (Fields{"Summer", "Ann", "Bob"}));
    EXPECT_TRUE(next.CreatorEnabled());
    EXPECT_EQ(next.Captions().title, "Informationen hinzufügen");
    EXPECT_EQ(next.Captions().skip, "Überspringen");

    // An opened theme that names its creator shows its own texts, creator locked.
    ThemeInfo& info = editor.GetTheme().info;
    info = {"Winter", "Carl", "", "Dora"};
    InfoDialogModel dialog(info, s, editor.GetTexts());
    EXPECT_EQ(fields(dialog), (Fields{"Winter", "Carl", "Dora"}));
    EXPECT_FALSE(dialog.CreatorEnabled());
    dialog.SetField(2, "Eve");  // typing into the locked box does nothing
    EXPECT_EQ(dialog.Field(2), "Dora");

    // Use default fills every box, the locked one too, and stays open; the lock stays.
    EXPECT_FALSE(dialog.Press(InfoButton::UseDefault));
    EXPECT_EQ(fields(dialog), (Fields{"Summer", "Ann", "Bob"}));
    EXPECT_FALSE(dialog.CreatorEnabled());
    EXPECT_EQ(info.name, "Winter");  // nothing taken until OK
    EXPECT_TRUE(dialog.Press(InfoButton::Ok));
    EXPECT_EQ(InfoOf(info), (Fields{"Summer", "Ann", "Bob"}));

    // A creation date alone also marks a theme as existing.
    ThemeInfo dated{"", "", "5.12.2026 9:3:7", ""};
    EXPECT_FALSE(InfoDialogModel(dated, s, editor.GetTexts()).CreatorEnabled());
}

TEST_F(SaveFlow, SkipEmptiesTheTextsAndTheCloseBoxChangesNothing) {
    editor.GetTheme().info = {"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    toolkit.infoScripts.push_back(PressInfo({InfoButton::Skip}));
    toolkit.files.push_back(dir / "skipped");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(InfoOf(editor.GetTheme().info), (Fields{"", "", ""}));
    EXPECT_EQ(editor.GetTheme().info.created, "5.12.2026 9:3:7");
    EXPECT_EQ(InfoOf(Reopen(dir / "skipped.thm").info), (Fields{"", "", ""}));

    // The next opening still treats the theme as one saved before.
    toolkit.answers.push_back(Answer::Ok);
    EXPECT_EQ(editor.Save(dir / "skipped.thm"), SaveResult::Saved);
    ASSERT_EQ(toolkit.infoOpened.size(), 2u);
    EXPECT_EQ(toolkit.infoOpened[0].fields, (Fields{"Winter", "Carl", "Dora"}));
    EXPECT_FALSE(toolkit.infoOpened[1].creatorEnabled);

    // Text typed and then the close box: nothing is taken and the save goes on.
    editor.GetTheme().info = {"Winter", "Carl", "", "Dora"};
    toolkit.infoScripts.push_back([](InfoDialogModel& dialog) { dialog.SetField(0, "typed but never confirmed"); });
    toolkit.files.push_back(dir / "closed");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(editor.GetTheme().info.name, "Winter");
    EXPECT_EQ(InfoOf(Reopen(dir / "closed.thm").info), (Fields{"Winter", "Carl", "Dora"}));
}

TEST_F(SaveFlow, IncompleteColoursAreNamedAndSavedOnlyOnYes) {
    editor.SetColour(9, "ABC");
    editor.SetColour(36, "1234567");
    const std::string target = dir / "inc.thm";

    toolkit.answers.push_back(Answer::No);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text,
              "These colours do not have six digits and would be saved as they stand:\r\n"
              "Text: \"ABC\"\r\nDesktop title: \"1234567\"\r\n\r\nSave the theme all the same?");
    EXPECT_EQ(toolkit.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(toolkit.shown[0].title, "Warning");
    EXPECT_TRUE(toolkit.fileRequests.empty()) << "No asks nothing more";
    ExpectBusy("SaveAs");

    toolkit.answers.push_back(Answer::Yes);
    toolkit.files.push_back(target);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_THAT(ReadText(target), HasSubstr("<Text Color=\"0xABC\"/>")) << "on Yes the values are written as they stand";

    // Save back asks the same after its own warning.
    toolkit.shown.clear();
    toolkit.answers = {Answer::Ok, Answer::No};
    EXPECT_EQ(editor.Save(target), SaveResult::Cancelled);
    EXPECT_EQ(toolkit.shown.size(), 2u);

    // Complete colours ask nothing.
    editor.SetColour(9, "abcdef");
    editor.SetColour(36, "123456");
    toolkit.shown.clear();
    toolkit.files.push_back(dir / "complete.thm");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(SaveFlow, EveryColourTextAndPictureComesBackAfterSaveResetAndOpen) {
    std::array<std::string, kElementCount> colours;
    for (int i = 0; i < kElementCount; ++i) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X%02X", (i * 7) & 0xFF, (200 - i * 5) & 0xFF, (i * 37 + 11) & 0xFF);
        colours[i] = text;
        ASSERT_NE(colours[i], kElements[i].defaultValue) << i;
        editor.SetColour(i, colours[i]);
    }
    std::array<Bytes, kSlotCount> pictures;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        pictures[slot] = HeaderGif(kSlots[slot].width, kSlots[slot].height, 300 + 97 * slot, slot + 5u);
        LoadPicture(slot, pictures[slot]);
    }
    toolkit.infoScripts.push_back(TypeInfo("Round trip", "Tester", "Åsa"));
    toolkit.files.push_back(dir / "round");
    ASSERT_EQ(editor.SaveAs(), SaveResult::Saved);

    editor.Reset();
    editor.GetTheme().info = {};
    for (int i = 0; i < kElementCount; ++i) ASSERT_EQ(editor.Colour(i), kElements[i].defaultValue) << i;
    ASSERT_EQ(editor.ReadFileBrowse(dir / "round.thm"), Editor::OpenResult::Opened);

    const Theme& t = editor.GetTheme();
    EXPECT_EQ(t.colours, colours);
    EXPECT_EQ(InfoOf(t.info), (Fields{"Round trip", "Tester", "Åsa"}));
    EXPECT_EQ(t.info.created, "5.12.2026 9:3:7");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_TRUE(t.SlotOn(slot)) << slot;
        ASSERT_TRUE(t.members[slot].data.has_value()) << slot;
        EXPECT_EQ(AsText(*t.members[slot].data), AsText(pictures[slot])) << slot;
    }
    EXPECT_FALSE(fs::exists(dir / "temp"));
}

}  // namespace
