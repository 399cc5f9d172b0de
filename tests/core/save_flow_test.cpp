// Saving themes: Save back to the browser's file and Save As under a new name, with the warning
// and overwrite questions, the information dialog, the creation stamps, failures the user is told
// about, and a theme that comes back whole after saving and opening again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "support/RecordingToolkit.h"
#include "support/RecordingView.h"
#include "support/TarTestKit.h"
#include "support/TempDir.h"
#include "workspace/Editor.h"
#include "workspace/InfoDialogModel.h"
#include "workspace/Log.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
namespace fs = std::filesystem;

namespace {

using SaveResult = Editor::SaveResult;

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
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
};

Bytes Gif(int w, int h, std::size_t extra, unsigned seed) {
    Bytes b{'G', 'I', 'F', '8', '9', 'a', static_cast<std::uint8_t>(w & 0xFF),
            static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(h & 0xFF),
            static_cast<std::uint8_t>(h >> 8)};
    const Bytes tail = Pattern(extra, seed);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

struct SaveFlow : ::testing::Test {
    TempDir dir;
    FixedClock clock{LocalTime{2026, 12, 5, 9, 3, 7}};
    RecordingToolkit toolkit;
    Log log{{}, clock, &toolkit};
    SaveView view;
    Editor editor{log, toolkit, view, dir / "temp"};

    SaveFlow() {
        log.SetCapture(true);
        editor.SetClock(clock);
        editor.IniDefault();
        editor.Settings().browseFolder = dir.Path().string() + "/";
        view.calls.clear();
    }

    bool Logged(const std::string& line) const {
        const auto& lines = log.Captured();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // The theme as another editor opens it from the file browser.
    struct Reopened {
        ThemeInfo info;
        std::array<std::string, kElementCount> colours;
        std::array<SlotState, kSlotCount> slotStates;
        std::array<MemberRecord, kMemberCount> members;
    };
    Reopened Reopen(const std::string& path) {
        RecordingToolkit tk;
        Log quiet{{}, clock, &tk};
        RecordingView v;
        Editor other(quiet, tk, v, dir / "temp-other");
        other.IniDefault();
        EXPECT_EQ(other.ReadFileBrowse(path), Editor::OpenResult::Opened) << path;
        const Theme& t = other.GetTheme();
        return {t.info, t.colours, t.slots, t.members};
    }

    // Puts a picture into a slot through its Select button.
    void LoadPicture(int slot, const Bytes& bytes) {
        const std::string file = dir / ("pic" + std::to_string(slot) + ".gif");
        WriteBytes(file, bytes);
        toolkit.files.push_back(file);
        editor.cmdLoadFile_Click(slot);
        ASSERT_TRUE(editor.GetTheme().SlotOn(slot)) << slot;
    }
};

// --- Save As ---

TEST_F(SaveFlow, SaveAsAppendsTheExtensionAndRefreshesTheBrowser) {
    toolkit.infoScripts.push_back(TypeInfo("Summer", "Ann", "Bob"));
    toolkit.files.push_back(dir / "my");

    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);

    EXPECT_TRUE(fs::is_regular_file(dir / "my.thm"));
    EXPECT_FALSE(fs::exists(dir / "my"));
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    const FileDialogRequest& request = toolkit.fileRequests[0];
    EXPECT_EQ(request.folder, dir.Path().string() + "/");
    EXPECT_EQ(request.extension, "thm");
    EXPECT_EQ(request.title, "Create theme");
    EXPECT_TRUE(request.save);
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));
    // The information frame follows the save, and the browser lists the new file.
    EXPECT_EQ(view.Count("ShowThemeInfo"), 1);
    EXPECT_EQ(view.Count("UpdateListFiles"), 1);
    EXPECT_THAT(toolkit.shown, IsEmpty());

    const Reopened back = Reopen(dir / "my.thm");
    EXPECT_EQ(back.info.name, "Summer");
    EXPECT_EQ(back.info.modifiedBy, "Ann");
    EXPECT_EQ(back.info.creator, "Bob");
    EXPECT_EQ(back.info.created, "5.12.2026 9:3:7");
}

TEST_F(SaveFlow, OverwriteQuestionNoLeavesTheFileAndYesReplacesIt) {
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
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));
    EXPECT_EQ(view.Count("UpdateListFiles"), 0);
    // Refused before the stamp: a theme never saved has no creation date yet.
    EXPECT_EQ(editor.GetTheme().info.created, "");

    toolkit.files.push_back(target);
    toolkit.answers.push_back(Answer::Yes);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_NE(ReadText(target), "the old file");
    EXPECT_EQ(Reopen(target).colours, editor.GetTheme().colours);
}

TEST_F(SaveFlow, SaveAsWithoutAFileNameWritesNothing) {
    toolkit.infoScripts.push_back(TypeInfo("Kept", "", ""));
    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);  // no scripted file: the dialog is cancelled
    EXPECT_TRUE(Logged("bReadFile is false -> abort Create File"));
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));
    EXPECT_EQ(view.Count("UpdateListFiles"), 0);
    EXPECT_THAT(TreeOf(dir.Path()), IsEmpty());
    // The texts of the dialog were taken before the file dialog came up.
    EXPECT_EQ(editor.GetTheme().info.name, "Kept");
}

TEST_F(SaveFlow, CancelInTheInformationDialogStopsSaveAsBeforeTheFileDialog) {
    editor.GetTheme().info = {"Name", "Mod", "1.1.2027 0:0:0", "Creator"};
    toolkit.infoScripts.push_back(TypeInfo("Other", "Other", "Other", InfoButton::Cancel));
    toolkit.files.push_back(dir / "never");

    EXPECT_EQ(editor.SaveAs(), SaveResult::Cancelled);
    EXPECT_THAT(toolkit.fileRequests, IsEmpty());
    EXPECT_FALSE(fs::exists(dir / "never.thm"));
    EXPECT_EQ(editor.GetTheme().info.name, "Name");
    EXPECT_EQ(editor.GetTheme().info.modifiedBy, "Mod");
    EXPECT_EQ(editor.GetTheme().info.created, "1.1.2027 0:0:0");
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));
}

// --- Save ---

TEST_F(SaveFlow, SaveWithCancelWritesNothingAndTheCaptionReturns) {
    const std::string target = dir / "summer.thm";
    toolkit.answers.push_back(Answer::Cancel);

    EXPECT_EQ(editor.Save(target), SaveResult::Cancelled);

    EXPECT_FALSE(fs::exists(target));
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "This will erase the current saved theme!");
    EXPECT_EQ(toolkit.shown[0].title, "Warning");
    EXPECT_EQ(toolkit.shown[0].buttons, Buttons::OkCancel);
    EXPECT_THAT(toolkit.infoOpened, IsEmpty());
    EXPECT_THAT(view.Busy(), ElementsAre("Wait Save", "Back Save"));
    EXPECT_EQ(view.Count("ShowThemeInfo"), 0);
}

TEST_F(SaveFlow, SaveWritesToTheGivenFileWithoutAFileDialog) {
    const std::string target = dir / "summer.thm";
    WriteAll(target, "older version");
    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(TypeInfo("Summer", "Me", "You"));

    EXPECT_EQ(editor.Save(target), SaveResult::Saved);

    EXPECT_THAT(toolkit.fileRequests, IsEmpty());
    EXPECT_EQ(toolkit.shown.size(), 1u);  // the warning only: no overwrite question
    EXPECT_EQ(Reopen(target).info.name, "Summer");
    EXPECT_THAT(view.Busy(), ElementsAre("Wait Save", "Back Save"));
    EXPECT_EQ(view.Count("ShowThemeInfo"), 1);
    EXPECT_EQ(view.Count("UpdateListFiles"), 0);
}

TEST_F(SaveFlow, SaveWithCancelInTheInformationDialogLeavesTheFile) {
    const std::string target = dir / "summer.thm";
    WriteAll(target, "older version");
    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(PressInfo({InfoButton::Cancel}));

    EXPECT_EQ(editor.Save(target), SaveResult::Cancelled);
    EXPECT_EQ(ReadText(target), "older version");
    EXPECT_EQ(editor.GetTheme().info.created, "");
    EXPECT_THAT(view.Busy(), ElementsAre("Wait Save", "Back Save"));
}

// --- Creation stamps ---

TEST_F(SaveFlow, SaveKeepsACreationDateAndSaveAsAlwaysMakesANewOne) {
    const std::string target = dir / "t.thm";

    // A theme without a date gets one on its first Save.
    EXPECT_EQ(editor.Save(target), SaveResult::Saved);
    EXPECT_EQ(editor.GetTheme().info.created, "5.12.2026 9:3:7");

    // Later saves back keep it, in memory and in the file.
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
}

// --- Failures the user is told about ---

TEST_F(SaveFlow, APictureTooLargeFailsWithAMessageNamingItAndKeepsTheOldFile) {
    const std::string target = dir / "big.thm";
    WriteAll(target, "the theme saved before");
    LoadPicture(0, Gif(101, 80, 40000, 1));

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
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));
    // No temporary file is left beside the target.
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("big.thm", "pic0.gif"));
}

TEST_F(SaveFlow, AFolderThatDoesNotExistFailsWithTheReason) {
    toolkit.files.push_back(dir / "missing/my");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Failed);

    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_THAT(toolkit.shown[0].text, ::testing::StartsWith("The theme could not be saved: "));
    EXPECT_THAT(toolkit.shown[0].text, ::testing::HasSubstr("missing"));
    EXPECT_TRUE(Logged("Failed to create tar file"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));

    // Save back to a file in a folder that went away fails the same way.
    toolkit.shown.clear();
    EXPECT_EQ(editor.Save(dir / "gone/t.thm"), SaveResult::Failed);
    ASSERT_EQ(toolkit.shown.size(), 2u);  // the warning question, then the failure
    EXPECT_THAT(toolkit.shown[1].text, ::testing::StartsWith("The theme could not be saved: "));
}

// --- The information dialog ---

TEST_F(SaveFlow, InformationDialogOffersTheDefaultsForANewTheme) {
    UserSettings& s = editor.Settings();

    // Nothing stored: three empty boxes, the creator box open, captions in the language in force.
    {
        InfoDialogModel dialog(editor.GetTheme().info, s, editor.GetTexts());
        EXPECT_EQ(dialog.Field(0), "");
        EXPECT_EQ(dialog.Field(1), "");
        EXPECT_EQ(dialog.Field(2), "");
        EXPECT_TRUE(dialog.CreatorEnabled());
        EXPECT_FALSE(dialog.Cancelled());
        const InfoDialogCaptions& c = dialog.Captions();
        EXPECT_EQ(c.title, "Add more information");
        EXPECT_THAT(c.labels, ElementsAre("Theme Name:", "Modified by:", "Created by:"));
        EXPECT_EQ(c.ok, "OK");
        EXPECT_EQ(c.skip, "Skip");
        EXPECT_EQ(c.saveAsDefault, "Save as default");
        EXPECT_EQ(c.useDefault, "Use default");
        EXPECT_EQ(c.cancel, "Cancel");
    }

    // Save as default keeps the dialog open and changes only the defaults.
    {
        InfoDialogModel dialog(editor.GetTheme().info, s, editor.GetTexts());
        dialog.SetField(0, "Summer");
        dialog.SetField(1, "Ann");
        dialog.SetField(2, "Bob");
        EXPECT_FALSE(dialog.Press(InfoButton::SaveAsDefault));
        EXPECT_EQ(s.defaultThemeName, "Summer");
        EXPECT_EQ(s.defaultModifiedBy, "Ann");
        EXPECT_EQ(s.defaultCreator, "Bob");
        EXPECT_EQ(editor.GetTheme().info.name, "");
        EXPECT_TRUE(dialog.Press(InfoButton::Cancel));
    }

    // The next new theme is offered them.
    InfoDialogModel dialog(editor.GetTheme().info, s, editor.GetTexts());
    EXPECT_EQ(dialog.Field(0), "Summer");
    EXPECT_EQ(dialog.Field(1), "Ann");
    EXPECT_EQ(dialog.Field(2), "Bob");
    EXPECT_TRUE(dialog.CreatorEnabled());

    // In German the captions follow.
    editor.GetTexts().SetLanguageOffset(kGerman);
    InfoDialogModel german(editor.GetTheme().info, s, editor.GetTexts());
    EXPECT_EQ(german.Captions().title, "Informationen hinzufügen");
    EXPECT_EQ(german.Captions().skip, "Überspringen");
}

TEST_F(SaveFlow, InformationDialogLocksTheCreatorOfAnExistingTheme) {
    ThemeInfo& info = editor.GetTheme().info;
    UserSettings& s = editor.Settings();
    s.defaultThemeName = "DefName";
    s.defaultModifiedBy = "DefMod";
    s.defaultCreator = "DefCreator";

    // An opened theme that names its creator shows its own texts, creator locked.
    info = {"Winter", "Carl", "", "Dora"};
    InfoDialogModel dialog(info, s, editor.GetTexts());
    EXPECT_EQ(dialog.Field(0), "Winter");
    EXPECT_EQ(dialog.Field(1), "Carl");
    EXPECT_EQ(dialog.Field(2), "Dora");
    EXPECT_FALSE(dialog.CreatorEnabled());
    dialog.SetField(2, "Eve");  // typing into the locked box does nothing
    EXPECT_EQ(dialog.Field(2), "Dora");

    // Use default fills every box, the locked one too, and stays open; the lock stays.
    EXPECT_FALSE(dialog.Press(InfoButton::UseDefault));
    EXPECT_EQ(dialog.Field(0), "DefName");
    EXPECT_EQ(dialog.Field(1), "DefMod");
    EXPECT_EQ(dialog.Field(2), "DefCreator");
    EXPECT_FALSE(dialog.CreatorEnabled());
    EXPECT_EQ(info.name, "Winter");  // nothing taken until OK
    EXPECT_TRUE(dialog.Press(InfoButton::Ok));
    EXPECT_EQ(info.name, "DefName");
    EXPECT_EQ(info.modifiedBy, "DefMod");
    EXPECT_EQ(info.creator, "DefCreator");

    // A creation date alone also marks a theme as existing.
    ThemeInfo dated{"", "", "5.12.2026 9:3:7", ""};
    EXPECT_FALSE(InfoDialogModel(dated, s, editor.GetTexts()).CreatorEnabled());
}

TEST_F(SaveFlow, SkipEmptiesTheTextsButKeepsTheThemeExisting) {
    editor.GetTheme().info = {"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    toolkit.infoScripts.push_back(PressInfo({InfoButton::Skip}));
    toolkit.files.push_back(dir / "skipped");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);

    const ThemeInfo& info = editor.GetTheme().info;
    EXPECT_EQ(info.name, "");
    EXPECT_EQ(info.modifiedBy, "");
    EXPECT_EQ(info.creator, "");
    EXPECT_EQ(info.created, "5.12.2026 9:3:7");
    const Reopened back = Reopen(dir / "skipped.thm");
    EXPECT_EQ(back.info.name, "");
    EXPECT_EQ(back.info.creator, "");

    // The next opening still treats the theme as one saved before.
    toolkit.answers.push_back(Answer::Ok);
    EXPECT_EQ(editor.Save(dir / "skipped.thm"), SaveResult::Saved);
    ASSERT_EQ(toolkit.infoOpened.size(), 2u);
    EXPECT_FALSE(toolkit.infoOpened[1].creatorEnabled);
    EXPECT_TRUE(toolkit.infoOpened[0].fields == (std::array<std::string, 3>{"Winter", "Carl", "Dora"}));
}

TEST_F(SaveFlow, TheCloseBoxChangesNothingAndTheSaveGoesOn) {
    editor.GetTheme().info = {"Winter", "Carl", "", "Dora"};
    toolkit.infoScripts.push_back([](InfoDialogModel& dialog) {
        dialog.SetField(0, "typed but never confirmed");  // then the close box
    });
    toolkit.files.push_back(dir / "closed");

    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(editor.GetTheme().info.name, "Winter");
    const Reopened back = Reopen(dir / "closed.thm");
    EXPECT_EQ(back.info.name, "Winter");
    EXPECT_EQ(back.info.modifiedBy, "Carl");
    EXPECT_EQ(back.info.creator, "Dora");
}

// --- The whole way round ---

TEST_F(SaveFlow, EveryColourTextAndPictureComesBackAfterSaveResetAndOpen) {
    // Colours that differ from the defaults, element by element.
    std::array<std::string, kElementCount> colours;
    for (int i = 0; i < kElementCount; ++i) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X%02X", (i * 7) & 0xFF, (200 - i * 5) & 0xFF,
                      (i * 37 + 11) & 0xFF);
        colours[i] = text;
        ASSERT_NE(colours[i], kElements[i].defaultValue) << i;
        editor.SetColour(i, colours[i]);
    }
    std::array<Bytes, kSlotCount> pictures;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        pictures[slot] = Gif(kSlots[slot].width, kSlots[slot].height, 300 + 97 * slot,
                             static_cast<unsigned>(slot + 5));
        LoadPicture(slot, pictures[slot]);
    }
    toolkit.infoScripts.push_back(TypeInfo("Round trip", "Tester", "Åsa"));
    toolkit.files.push_back(dir / "round");
    ASSERT_EQ(editor.SaveAs(), SaveResult::Saved);

    editor.Reset();
    editor.GetTheme().info = {};
    for (int i = 0; i < kElementCount; ++i)
        ASSERT_EQ(editor.Colour(i), kElements[i].defaultValue) << i;

    ASSERT_EQ(editor.ReadFileBrowse(dir / "round.thm"), Editor::OpenResult::Opened);

    const Theme& t = editor.GetTheme();
    for (int i = 0; i < kElementCount; ++i) EXPECT_EQ(t.colours[i], colours[i]) << i;
    EXPECT_EQ(t.info.name, "Round trip");
    EXPECT_EQ(t.info.modifiedBy, "Tester");
    EXPECT_EQ(t.info.creator, "Åsa");
    EXPECT_EQ(t.info.created, "5.12.2026 9:3:7");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_TRUE(t.SlotOn(slot)) << slot;
        ASSERT_TRUE(t.members[slot].data.has_value()) << slot;
        EXPECT_EQ(AsText(*t.members[slot].data), AsText(pictures[slot])) << slot;
    }
    EXPECT_FALSE(fs::exists(dir / "temp"));
}

}  // namespace

// --- Colours that are not complete ---

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
    EXPECT_THAT(view.Busy(), ElementsAre("Wait SaveAs", "Back SaveAs"));

    toolkit.shown.clear();
    toolkit.answers.push_back(Answer::Yes);
    toolkit.files.push_back(target);
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_NE(ReadText(target).find("<Text Color=\"0xABC\"/>"), std::string::npos)
        << "on Yes the values are written as they stand";

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

TEST_F(SaveFlow, AFailedSaveKeepsTheCreationDateItHad) {
    editor.GetTheme().info.created = "2.2.2002 1:9:40";
    toolkit.files.push_back(dir / "missing/a.thm");
    EXPECT_EQ(editor.SaveAs(), SaveResult::Failed);
    EXPECT_EQ(editor.GetTheme().info.created, "2.2.2002 1:9:40");

    editor.GetTheme().info = {};
    EXPECT_EQ(editor.Save(dir / "missing/b.thm"), SaveResult::Failed);
    EXPECT_EQ(editor.GetTheme().info.created, "") << "a stamp made for a save that failed is taken back";
}
