// The editor core without widgets, on real folders: opening, saving and browsing themes, undo and
// the questions before dropping work, the recovery file, and the settings kept between runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "support/EditorRig.h"
#include "browser/FileBrowser.h"
#include "editor/EditorSettings.h"
#include "editor/Recovery.h"
#include "settings/SettingsStore.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

constexpr int kHighlight = 11;  // default FFC600
constexpr int kSlot = 4;
using R = Editor::OpenResult;
using SaveResult = Editor::SaveResult;
using Script = RecordingToolkit::InfoScript;

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

// An editor whose history starts at the default theme, browsing its temporary folder.
struct Rig : EditorRig<> {
    Rig() {
        editor.Settings().browseFolder = Path("");
        editor.StartHistory();
    }
    std::string Path(const std::string& name) const { return dir / name; }
    ThemeState State() const { return CaptureState(editor.GetTheme(), editor.FilePath(), nullptr); }
    std::string WriteTheme(const std::string& name, const std::string& highlight) {
        EXPECT_TRUE(WriteThemeFile(log, Path(name), [&](Theme& t) { t.colours[kHighlight] = highlight; }));
        return Path(name);
    }
    std::string WritePicture() {
        WriteBytes(Path("p.gif"), HeaderGif(kSlots[kSlot].width, kSlots[kSlot].height));
        return Path("p.gif");
    }
    std::string Archive(const std::string& name, std::initializer_list<std::pair<const char*, Bytes>> members) {
        Bytes a;
        for (const auto& [n, data] : members) AddMember(a, n, data);
        AddEndBlocks(a);
        WriteBytes(Path(name), a);
        return Path(name);
    }
    static Theme Reopen(const std::string& path) {
        EditorRig<> other;
        EXPECT_EQ(other.editor.OpenTheme(path), R::Opened) << path;
        return other.editor.GetTheme();
    }
    // "Wait" then the caption on `button`, `lists` browser refreshes, `infos` fillings of the frame.
    void ExpectView(const std::string& button, long lists, long infos) {
        EXPECT_THAT(view.busy, ElementsAre("Wait " + button, "Back " + button));
        const auto count = [this](const char* call) { return std::ranges::count(view.calls, call); };
        EXPECT_EQ(std::pair(count("UpdateListFiles"), count("ShowThemeInfo")), std::pair(lists, infos));
        view.busy.clear();
        view.calls.clear();
    }
};

struct Flow : ::testing::Test, Rig {};
using OpenFlow = Flow;
using SaveFlow = Flow;
using SafeEditing = Flow;

// A work folder kept in memory opens a theme as the one on disk does, with the same log lines.
TEST_F(OpenFlow, AThemeOpensTheSameThroughAWorkFolderOnDiskAndInMemory) {
    const std::string path = Path("round.thm");
    ASSERT_TRUE(WriteThemeFile(log, path, [&](Theme& t) {
        t.info = {"Summer, hot", "Ann \xC3\xA5", "5.12.2026 9:3:7", "Bo"};
        for (int s = 0; s < kSlotCount; ++s) {
            t.slots[s] = SlotState::On;
            t.members[s] = {HeaderGif(kSlots[s].width, kSlots[s].height, 300 + 97 * s), true};
        }
    }));
    MemoryFolder memory(editor.Tempfolder());
    Editor inMemory(log, toolkit, view, editor.Tempfolder(), memory);
    std::vector<std::string> logs[2];
    for (Editor* e : {&editor, &inMemory}) {
        log.ClearCaptured();
        ASSERT_EQ(e->OpenTheme(path), R::Opened);
        logs[e == &inMemory] = log.Captured();
    }
    EXPECT_TRUE(State() == CaptureState(inMemory.GetTheme(), path, nullptr));
    EXPECT_EQ(logs[0], logs[1]);
    EXPECT_EQ(editor.GetTheme().members[5].data.value_or(Bytes{}).size(), 310u + 97 * 5) << "the pictures are read";
}

// The first XML member is the document; picture names find members whatever their letter case,
// and a picture without bytes, missing or named outside the members leaves its slot empty.
TEST_F(OpenFlow, PicturesAreFoundAmongTheMembersOnly) {
    const Bytes stand = HeaderGif(101, 80);
    WriteBytes(Path("secret.gif"), stand);  // beside the archive: no picture name reaches it
    const std::string doc =
        "<Ericsson_theme>\n<Backround_image Source=\"ST AND.GIF\"/>\n"
        "<Desktop_background_image Source=\"desk.gif\"/>\n<Title_image_medium Source=\"..\\secret.gif\"/>\n"
        "<Title_image_small Source=\"../secret.gif\"/>\n<Title_image_asian Source=\"asian.gif\"/>\n"
        "<Title_image_large Source=\"large.gif\"/>\n<Prompt Value=\"1\"/>";
    const std::string path = Archive("other.thm", {{"stand.gif", stand}, {"desk.gif", {}},
        {"asian.gif", Text("any")}, {"theme.XML", Text(doc)}, {"a.xml", Text("<Text Color=\"0x0B\"/>")}});
    ASSERT_EQ(editor.OpenTheme(path), R::Opened);
    const Theme& t = editor.GetTheme();
    EXPECT_EQ(t.members[0].data, stand);
    EXPECT_EQ(t.members[4].data, Text("any"));
    EXPECT_EQ(t.slots, (std::array{SlotState::On, SlotState::Empty, SlotState::Empty, SlotState::Empty,
                                   SlotState::On, SlotState::Empty}));
    EXPECT_EQ(t.colours[9], kElements[9].defaultValue) << "a.xml is not the document";
    EXPECT_TRUE(Logged("Could Not find the value in FindValue -- sTag=<Prompt Value=\"1\"/>"));
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(OpenFlow, EveryFailedOpenIsReportedAndADamagedLineEndsReading) {
    const std::string truncated = Archive("cut.thm", {{"theme.xml", Bytes(600, 'x')}});
    fs::resize_file(truncated, 700);  // the member's data now runs past the end of the file
    const std::string damaged = "<Ericsson_theme>\r\n<Text Color=\"0x111111\"/>\r\n"
                                "<Background_image Source=stand.gif>\r\n<Prompt Color=\"0x222222\"/>";
    const struct {
        std::string path;
        R result;
        std::string shown;
        bool emptied;                        // pictures switched off and records emptied first
        bool rulesRun;                       // the colour rules ran and repainted at the end
        std::optional<bool> workFolderLeft;  // unknown when the flow never reached it
    } cases[] = {
        {Path("gone.thm"), R::FileMissing, "Can not find the file", false, false, std::nullopt},
        {truncated, R::UnpackFailed,
         "Error when unpacking TAR file....\nmember runs past the end of the file: theme.xml", true, true, true},
        {Archive("nodoc.thm", {{"stand.gif", HeaderGif(101, 80)}}), R::NoDocument,
         editor.GetTexts().GetText(kTextNoThemeDocument), true, false, true},  // kept until the next open
        {Archive("noquote.thm", {{"theme.xml", Text(damaged)}}), R::ReadFailed,
         "Error in ReadFile\nLine Number-> 2\nCurrent sTag->Background_image", true, true, false},
    };
    Theme& t = editor.GetTheme();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        t.slots[2] = SlotState::On;
        t.members[2] = {HeaderGif(101, 27), true};
        t.slots[4] = SlotState::Off;
        t.members[4] = {HeaderGif(101, 16), false};
        toolkit.shown.clear();
        view.calls.clear();
        EXPECT_EQ(editor.OpenTheme(c.path), c.result);
        EXPECT_EQ(toolkit.Texts(), std::vector{c.shown});
        // A picture that is gone no longer shows as loaded.
        EXPECT_EQ(t.slots[2] == SlotState::Empty && t.slots[4] == SlotState::Empty, c.emptied);
        for (const auto& m : t.members) EXPECT_TRUE(!c.emptied || (!m.active && !m.data));
        EXPECT_EQ(!view.calls.empty() && view.calls.back() == "FindingsChanged", c.rulesRun);
        EXPECT_EQ(fs::exists(dir / "temp"), c.workFolderLeft.value_or(fs::exists(dir / "temp")));
    }
    EXPECT_EQ(editor.Colour(9), "111111") << "lines before the damaged one have taken effect";
    EXPECT_EQ(editor.Colour(14), "5C1D0E") << "lines after it have not";
}

TEST_F(OpenFlow, ReadAsksForAFileAndOpensItOrNothing) {
    editor.Settings().readFolder = dir.Path().string();
    toolkit.files = {Archive("read.thm", {{"theme.xml", Text("<Prompt Color=\"0x0000FF\"/>")}}), std::nullopt};
    EXPECT_EQ(editor.OpenThemeWithDialog(), R::Opened);
    const FileDialogRequest& request = toolkit.fileRequests.at(0);
    EXPECT_EQ(std::tie(request.folder, request.extension, request.title, request.save),
              std::make_tuple(dir.Path().string(), "thm", "Read theme", false));
    EXPECT_EQ(editor.Colour(14), "0000FF");
    EXPECT_EQ(editor.OpenThemeWithDialog(), R::Cancelled);
}

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
        {"Save, information cancelled", true, false, {}, PressInfo(cancel), std::nullopt,
         {{erase, Buttons::OkCancel}}, 0, "Name"},
        {"Save, incomplete colours refused", true, true, {Answer::Ok, Answer::No}, nullptr, std::nullopt,
         {{erase, Buttons::OkCancel}, {incomplete, Buttons::YesNo}}, 0, "Name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig r;
        const std::string old = r.Path("old.thm");
        WriteAll(old, "the old file");
        if (c.incompleteColours) {
            r.editor.SetColour(9, "ABC");
            r.editor.SetColour(36, "1234567");
        }
        r.editor.GetTheme().info = {"Name", "Mod", "", "Creator"};
        r.toolkit.answers.assign(c.answers.begin(), c.answers.end());
        if (c.info) r.toolkit.infoScripts.push_back(c.info);
        if (c.chosen) r.toolkit.files.push_back(r.Path(*c.chosen));

        EXPECT_EQ(c.saveBack ? r.editor.Save(old) : r.editor.SaveAs(), SaveResult::Cancelled);
        std::vector<std::pair<std::string, Buttons>> asked;
        for (const auto& s : r.toolkit.shown) asked.emplace_back(s.title + ": " + s.text, s.buttons);
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(r.toolkit.fileRequests.size(), c.fileDialogs);
        EXPECT_EQ(r.Logged("bReadFile is false -> abort Create File"), !c.saveBack && !c.chosen);
        EXPECT_THAT(TreeOf(r.dir.Path()), ElementsAre("old.thm"));
        const ThemeInfo& info = r.editor.GetTheme().info;
        EXPECT_EQ(std::pair(info.name, info.created), std::pair(c.nameAfter, std::string())) << "no date";
        r.ExpectView(c.saveBack ? "Save" : "SaveAs", 0, 0);
    }
}

TEST_F(SaveFlow, SaveAsAddsTheExtensionListsTheFileAndDatesTheTheme) {
    toolkit.files.push_back(Path("my"));
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    const FileDialogRequest& request = toolkit.fileRequests.at(0);
    EXPECT_EQ(std::tie(request.folder, request.extension, request.title, request.save),
              std::make_tuple(Path(""), "thm", "Create theme", true));
    ExpectView("SaveAs", 1, 1);

    // Save As dates a dated theme anew; Yes to overwriting and to values short of six digits saves.
    clock.Set(LocalTime{2027, 1, 1, 0, 0, 0});
    editor.SetColour(9, "ABC");
    toolkit.files.push_back(Path("my.thm"));
    toolkit.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(editor.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(toolkit.shown.at(1).text, "Overwrite existing file?");
    EXPECT_EQ(Reopen(Path("my.thm")).info.created, "1.1.2027 0:0:0");
}

// Saving back warns, asks for the texts and writes without a file dialog, keeping an existing date.
TEST_F(SaveFlow, SaveWritesBackWithTheTextsOfTheInformationDialogAndKeepsAnExistingDate) {
    using Fields = std::array<std::string, 3>;
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
        {"new", {}, PressInfo(InfoButton::Ok), {"Summer", "Ann", "Bob"}},  // offered the defaults
        {"typed", existing, TypeInfo("Spring", "Eve", "Fay"), {"Spring", "Eve", "Dora"}},  // creator locked
        {"usedefault", existing, press(InfoButton::UseDefault, true), {"Summer", "Ann", "Bob"}},  // all boxes
        {"skip", existing, PressInfo(InfoButton::Skip), {"", "", ""}},
        {"savedefault", existing, press(InfoButton::SaveAsDefault, false), {"Winter", "Carl", "Dora"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editor.GetTheme().info = c.before;
        toolkit.infoScripts.push_back(c.script);
        toolkit.shown.clear();
        EXPECT_EQ(editor.Save(Path(c.what + ".thm")), SaveResult::Saved);
        EXPECT_THAT(toolkit.Texts(), ElementsAre("This will erase the current saved theme!"));
        ExpectView("Save", 0, 1);
        const ThemeInfo saved = Reopen(Path(c.what + ".thm")).info;
        EXPECT_EQ((Fields{saved.name, saved.modifiedBy, saved.creator}), c.saved);
        EXPECT_EQ(saved.created, c.before.created.empty() ? "5.12.2026 9:3:7" : c.before.created);
    }
    EXPECT_EQ((Fields{s.defaultThemeName, s.defaultModifiedBy, s.defaultCreator}),
              (Fields{"Autumn", "Carl", "Dora"}));
}

TEST_F(SaveFlow, AFailedSaveIsShownWithItsReasonAndKeepsTheOldFileAndTheDate) {
    const std::string target = Path("big.thm");
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
    EXPECT_EQ(editor.Save(Path("gone/t.thm")), SaveResult::Failed);
    EXPECT_THAT(toolkit.Texts().back(), ::testing::StartsWith("The theme could not be saved: "));
    EXPECT_EQ(editor.GetTheme().info.created, "");
    ExpectView("Save", 0, 0);
}

TEST(DriveList, HomeFirstThenRealFileSystemsEachOnce) {
    TempDir dir;
    const std::string data = dir / "data";
    fs::create_directories(data);
    fs::create_directories(dir / "usb");
    WriteAll(dir / "hosts", "a file mounted into place");
    const std::vector<MountedVolume> volumes = {
        {"/", "ext4", true},   {"/proc", "proc", true},      {"/dev/shm", "tmpfs", true},
        {data, "ext4", true},  {dir / "usb", "vfat", false},  // not ready
        {dir / "hosts", "ext4", true},                        // not a folder
        {data + "/", "ext4", true},                           // the same place again
        {"relative/place", "ext4", true}};
    EXPECT_THAT(MakeDriveList("/home/ann", volumes), ElementsAre("/home/ann/", "/", data + "/"));
    EXPECT_THAT(MakeDriveList("/home/ann/", {}), ElementsAre("/home/ann/", "/"));
}

TEST(FolderLabel, FiftyCharactersShowWholeAndLongerOnesKeepTheEndThatFits) {
    const auto run = [](char c, int n) { return std::string(n, c) + "/"; };
    const auto deep = [&](int ds) { return "/home/someone/" + run('c', 15) + run('d', ds) + run('e', 25); };
    const struct { std::string path, label; } cases[] = {
        {"/" + run('a', 48), "/" + run('a', 48)},                     // 50 characters: whole
        {"/" + run('a', 20) + run('b', 28), "/.../" + run('b', 28)},  // 51
        // Levels go from the front until the rest fits in 50 with the head and ".../".
        {deep(18), "/.../" + run('d', 18) + run('e', 25)},
        {deep(19), "/.../" + run('e', 25)},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenFolderLabel(c.path), c.label) << c.path;
}

struct Browser : Flow {
    FileBrowser browser{editor};
    int refreshes = 0;

    Browser() {
        fs::create_directories(Path("sub"));
        browser.SetListener([this] { ++refreshes; });
    }
    std::string Entries() const {
        std::string all;
        for (const auto& e : browser.Entries()) all += (all.empty() ? "" : " ") + e;
        return all;
    }
};

TEST_F(Browser, FoldersThenThemeFilesSortedWhateverTheirLetterCase) {
    for (const char* f : {"beta", "Alpha", "old.thm", "Gamma"}) fs::create_directories(Path(f));
    for (const char* f : {"A.THM", "a.b.thm", "c.gif", "x.thm.bak", "summerthm"}) WriteAll(Path(f), "x");
    WriteTheme("b.thm", "BBBBBB");
    editor.Settings().browseFolder = dir.Path().string();  // no "/" at the end yet
    browser.UpdateListFiles();
    EXPECT_EQ(browser.Folder(), Path(""));
    EXPECT_EQ(Entries(), "[Previous] [Alpha] [beta] [Gamma] [old.thm] [sub] a.b.thm A.THM b.thm old.thm");

    // The folder old.thm is listed as a file too, fails to open, and Save no longer writes to b.thm.
    browser.Click("b.thm");
    browser.Click("old.thm");
    EXPECT_THAT(toolkit.Texts(), ElementsAre(::testing::StartsWith("Error when unpacking TAR file....")));
    EXPECT_FALSE(browser.SaveEnabled());
}

TEST_F(Browser, ClicksOpenThemesAndDoubleClicksMoveBetweenFolders) {
    WriteTheme("red.thm", "FF0000");
    WriteTheme("[x.thm", "00FF00");
    browser.UpdateListFiles();
    const std::string all = "[Previous] [sub] [x.thm red.thm";
    const struct { bool twice; const char* entry; std::string folder, entries; bool save; std::string colour; } steps[] = {
        {false, "red.thm", "", all, true, "FF0000"},
        {false, "[sub]", "", all, false, "FF0000"},  // a click on a folder only disables Save
        // A file named with an opening bracket opens on a click, but a double-click takes it for
        // a folder and cuts off the brackets' places: "x.th", which is not there.
        {false, "[x.thm", "", all, true, "00FF00"},
        {true, "red.thm", "", all, false, "FF0000"},  // a double-click opens without enabling Save
        {true, "[x.thm", "x.th/", "[Previous]", false, "FF0000"},
    };
    for (const auto& s : steps) {
        s.twice ? browser.DoubleClick(s.entry) : browser.Click(s.entry);
        SCOPED_TRACE(std::string(s.twice ? "double-click " : "click ") + s.entry);
        EXPECT_EQ(browser.Folder(), Path(s.folder));
        EXPECT_EQ(Entries(), s.entries);
        EXPECT_EQ(editor.Colour(kHighlight), s.colour);
        EXPECT_EQ(browser.SaveTarget(), s.save ? std::optional(Path(s.folder) + s.entry) : std::nullopt);
    }

    // A folder without its "/", as a hand-edited settings file may hold, is mended with a log line.
    for (const auto& [twice, entry, colour, line] :
         {std::tuple{true, "red.thm", "FF0000", "sBrowseFolder without /"},
          {false, "[x.thm", "00FF00", "Found sBrowseFolder without /"}}) {
        editor.Settings().browseFolder = dir.Path().string();
        log.ClearCaptured();
        twice ? browser.DoubleClick(entry) : browser.Click(entry);
        EXPECT_TRUE(Logged(line)) << entry;
        EXPECT_EQ(editor.Colour(kHighlight), colour) << entry;
    }

    // In German the parent entry is known by its German text.
    editor.GetTexts().SetLanguageOffset(kGerman);
    browser.DoubleClick("[Vorschau]");
    EXPECT_EQ(browser.Folder(), dir.Path().parent_path().string() + "/");
}

TEST_F(Browser, AFileFromOutsideOpensAsAClickInItsFolderAndAMissingOneIsReported) {
    WriteTheme("sub/blue.thm", "0000FF");
    fs::create_directories(Path("other"));
    const fs::path startedIn = fs::current_path();
    fs::current_path(Path("other"));
    const struct { std::string path, folder /* browsed afterwards */; bool opened; } cases[] = {
        {"../sub/./blue.thm", "sub/", true},  // relative to the current folder
        {Path("missing.thm"), "", false},     // its folder is browsed, the file reported
        {Path("gone/x.thm"), "", false},      // no such folder: the browse folder stays
    };
    for (const auto& c : cases) {
        editor.ApplyDefaultColours();
        toolkit.shown.clear();
        browser.OpenFile(c.path);
        SCOPED_TRACE(c.path);
        EXPECT_EQ(browser.Folder(), Path(c.folder));
        EXPECT_EQ(editor.Colour(kHighlight), c.opened ? "0000FF" : "FFC600");
        EXPECT_EQ(browser.SaveTarget(), c.opened ? std::optional(Path("sub/blue.thm")) : std::nullopt);
        EXPECT_EQ(toolkit.Texts(), std::vector<std::string>(c.opened ? 0 : 1, "Can not find the file"));
    }
    fs::current_path(startedIn);
}

TEST_F(Browser, ADeletedFileGivesMessage268AndARefreshAndClicksMeanwhileAreIgnored) {
    WriteTheme("gone.thm", "123456");
    WriteTheme("b.thm", "BBBBBB");
    browser.UpdateListFiles();
    fs::remove(Path("gone.thm"));
    const int before = refreshes;
    bool busyMeanwhile = false;
    toolkit.onMessage = [&] {  // the user clicks another theme and a folder while the message is up
        busyMeanwhile = browser.Busy();
        browser.Click("b.thm");
        browser.DoubleClick("[sub]");
    };
    browser.Click("gone.thm");
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Can not find the file"));
    EXPECT_EQ(refreshes, before + 1);
    EXPECT_EQ(Entries(), "[Previous] [sub] b.thm");
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_EQ(editor.Colour(kHighlight), "FFC600");
}

TEST_F(Browser, ChoosingAnotherPlaceJumpsThereDisablesSaveAndTheRootHasNoParentEntry) {
    WriteTheme("a.thm", "AAAAAA");
    browser.SetDrives({"/", dir.Path().parent_path().string() + "/", Path("sub/")});
    editor.Settings().browseFolder = Path("sub/deeper/");
    EXPECT_EQ(browser.DriveIndex(), 2);  // the longest place that begins the folder
    editor.Settings().browseFolder = Path("");
    browser.Click("a.thm");
    const int before = refreshes;
    browser.ChooseDrive(1);  // the place the folder is in already: no jump
    EXPECT_EQ(std::tuple(browser.Folder(), refreshes, browser.SaveEnabled()), std::tuple(Path(""), before, false));
    browser.ChooseDrive(0);
    EXPECT_EQ(std::tuple(browser.Folder(), refreshes, browser.DriveIndex()), std::tuple("/", before + 1, 0));

    // At the root there is no parent entry, one level below there is.
    const std::string top = (++dir.Path().begin())->string();
    EXPECT_THAT(browser.Entries(), ::testing::Not(::testing::Contains("[Previous]")));
    EXPECT_THAT(browser.Entries(), ::testing::Contains("[" + top + "]"));
    browser.DoubleClick("[" + top + "]");
    EXPECT_EQ(browser.Entries().front(), "[Previous]");
    browser.DoubleClick("[Previous]");
    EXPECT_EQ(browser.Folder(), "/");
}

TEST_F(Browser, ACancelledClickKeepsTheThemeAndTheFileSaveWritesTo) {
    WriteTheme("a.thm", "111111");
    WriteTheme("b.thm", "222222");
    browser.Click("a.thm");
    editor.SetColour(kHighlight, "00FF00");
    toolkit.askAnswers = {Answer::Cancel, Answer::Discard};
    browser.Click("b.thm");
    EXPECT_EQ(browser.SaveTarget(), Path("a.thm"));
    browser.Click("b.thm");
    EXPECT_EQ(browser.SaveTarget(), Path("b.thm"));
    // Undoing the open gives back a.thm's theme: Save must not write it over b.thm.
    ASSERT_TRUE(editor.Undo());
    EXPECT_FALSE(browser.SaveEnabled());
    ASSERT_TRUE(editor.Redo());
    EXPECT_EQ(browser.SaveTarget(), Path("b.thm"));
}

TEST_F(SafeEditing, EveryKindOfChangeIsOneStepThatUndoAndRedoTakeBackAndDoAgain) {
    using Act = std::function<void(Rig&)>;
    const struct {
        const char* name;
        Act before;  // brings the editor to the start, then the history starts
        Act change;
        std::string undoText;
        bool modifiedAfter;
    } cases[] = {
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

TEST_F(SafeEditing, AValueHalfTypedIsTakenBackFirstAndPicturesAreSharedBetweenSteps) {
    editor.LoadPictureFile(kSlot, WritePicture());
    editor.SetColour(kHighlight, "00FF00");
    const Bytes* shared = editor.GetHistory().Current().pictures[kSlot].data.get();
    editor.SetColour(kHighlight, "12");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.UndoText(), "");  // a half-typed value has no step name
    for (const char* colour : {"00FF00", "FFC600"}) {
        ASSERT_TRUE(editor.Undo());
        EXPECT_EQ(editor.Colour(kHighlight), colour);
    }
    EXPECT_EQ(editor.GetHistory().Current().pictures[kSlot].data.get(), shared);
    EXPECT_TRUE(editor.Modified()) << "the picture is still loaded";
    ASSERT_TRUE(editor.Undo());
    EXPECT_FALSE(editor.Modified());
}

TEST_F(SafeEditing, TheHistoryKeepsItsLimitOfStepsAndAtLeastTwoHundredInTheEditor) {
    History h(3);
    ThemeState s;
    h.Start(s);
    for (int i = 0; i < 5; ++i) {
        s.colours[0] = std::to_string(i);
        EXPECT_TRUE(h.Record(s, {}));
    }
    EXPECT_FALSE(h.Record(s, {})) << "an unchanged state is no step";
    int undone = 0;
    while (h.Undo()) ++undone;
    EXPECT_FALSE(h.AtClean()) << "the clean state was dropped";
    EXPECT_EQ(std::pair(undone, h.Current().colours[0]), std::pair(3, std::string("1")));

    for (int i = 0; i < 260; ++i) editor.SetColour(kHighlight, std::to_string(100000 + i));
    undone = 0;
    while (editor.Undo()) ++undone;
    EXPECT_GE(undone, 200);
}

// Save at the question writes to the theme's file, or goes through Save As for a new theme.
TEST_F(SafeEditing, TheQuestionBeforeDroppingWorkSavesOrKeepsTheWork) {
    toolkit.askAnswers = {Answer::Save, Answer::Save};
    editor.SetColour(kHighlight, "00FF00");
    EXPECT_FALSE(editor.ConfirmDropChanges()) << "Save As, its file dialog cancelled";
    EXPECT_TRUE(editor.Modified());
    editor.OpenTheme(WriteTheme("sunset.thm", "FFC600"));
    editor.SetColour(kHighlight, "00FF00");
    EXPECT_TRUE(editor.ConfirmDropChanges());
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(toolkit.questions, (std::vector<std::string>{"Save the changes to the new theme?",
                                                            "Save the changes to sunset.thm?"}));
}

TEST_F(SafeEditing, TheRecoveryFileIsWrittenRemovedAndOfferedOnlyWhenItsProcessIsGone) {
    const std::string data = dir.Path().string();
    const std::string gone = RecoveryFilePath(data, 999999999), running = RecoveryFilePath(data, 1);
    editor.SetColour(kHighlight, "00FF00");
    ThemeState changed = State();
    changed.path = "/themes/sunset.thm";
    changed.info.name = "Sunset";
    RecoveryWriter writer(gone);
    writer.Post(changed);
    ASSERT_TRUE(writer.Flush());
    fs::copy_file(gone, running);  // pid 1 still runs
    EXPECT_EQ(AbandonedRecoveryFiles(data), std::vector<std::string>{gone});
    writer.Remove();
    EXPECT_FALSE(fs::exists(gone));

    const std::tuple<Answer, bool, bool> answers[] = {  // restored, file kept
        {Answer::Cancel, false, true}, {Answer::Discard, false, false}, {Answer::Restore, true, false}};
    for (const auto& [answer, restored, fileKept] : answers) {
        SCOPED_TRACE(static_cast<int>(answer));
        fs::copy_file(running, gone, fs::copy_options::overwrite_existing);
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

struct Settings : ::testing::Test {
    EditorRig<> run;
    MemorySettingsStore store;
};

TEST_F(Settings, EverythingComesBackInTheNextRun) {
    const StoredSettings atLoad = LoadSettings(run.editor, store);
    for (int i = 0; i < kElementCount; ++i) run.editor.SetColour(i, std::string(6, "0123456789abcdef"[i % 16]));
    run.editor.SetColour(7, "c4");  // left half typed
    UserSettings& s = run.editor.Settings();
    for (std::size_t j = 0; j < s.customColours.size(); ++j)
        s.customColours[j] = static_cast<std::uint8_t>(j * 4 + j % 4);  // 0 .. 255
    std::array<ImportChoice, kSlotCount> imports{};
    imports[1] = {FitMode::Fit, 0x00A0FF, false};
    imports[5] = {FitMode::Stretch, std::nullopt, true};
    s = {s.customColours, "/media/card/themes/", "/srv/read", "/srv/create", "Åsa, Lund", "Jörg", "not stored", 3,
         imports};
    SaveSettings(run.editor, store, atLoad);

    EditorRig<> second;
    LoadSettings(second.editor, store);
    EXPECT_FALSE(second.Logged("First start of the program!!!!!!!!"));
    for (int i = 0; i < kElementCount; ++i)
        EXPECT_EQ(second.editor.Colour(i), i == 7 ? "c4" : std::string(6, "0123456789ABCDEF"[i % 16])) << i;
    s.defaultThemeName.clear();  // kept until exit only
    EXPECT_EQ(second.editor.Settings(), s);
}

// A first start shows the defaults and stores every value at exit; after it each editor writes
// only what it changed, so the last to exit keeps the other's changes.
TEST_F(Settings, AFirstStartShowsTheDefaultsInOrderAndOfTwoEditorsTheLastToExitKeepsBothChanges) {
    setenv("HOME", "/home/tester", 1);  // the default browse folder; no other test here reads it
    store.Write("Last", "5", "123456");  // without key 0 the other colours are not looked at
    SaveSettings(run.editor, store, LoadSettings(run.editor, store));
    std::vector<int> order;  // in which the default values are set
    for (const std::string& call : run.view.calls)
        if (call.starts_with("ColourTextChanged ")) order.push_back(std::stoi(call.substr(18)));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 8, 36, 37, 5, 6, 7, 4, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                       20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 31, 30, 29, 33, 34, 35}));
    UserSettings defaults;
    defaults.browseFolder = "/home/tester/";
    EXPECT_EQ(run.editor.Settings(), defaults);
    ASSERT_EQ(store.Size(), 38u + 64 + 6 + 3 * kSlotCount) << "a first run stores every value";
    EditorRig<> first, second;
    const StoredSettings firstAtLoad = LoadSettings(first.editor, store);
    const StoredSettings secondAtLoad = LoadSettings(second.editor, store);
    first.editor.SetColour(3, "0A0B0C");
    first.editor.Settings().defaultCreator = "Ann";
    second.editor.Settings().browseFolder = "/srv/second/";
    SaveSettings(first.editor, store, firstAtLoad);
    SaveSettings(second.editor, store, secondAtLoad);
    EXPECT_EQ(store.Read("Last", "3"), "0A0B0C");
    EXPECT_EQ(store.Read("Info", "Creator"), "Ann");
    EXPECT_EQ(store.Read("Path", "BrowseFolder"), "/srv/second/");
}

// Stored colours are decided by key 0 alone and taken as they are; a custom colour value that is
// not a whole number 0..255 reads as 0, and damaged import choices read as the default.
TEST_F(Settings, StoredValuesThatAreAbsentOrDamaged) {
    store.Write("Last", "0", "12ab9f");
    store.Write("Last", "37", "zz");
    const std::pair<const char*, int> custom[] = {
        {"abc", 0}, {"256", 0}, {"-1", 0}, {"3.5", 0}, {" 7", 0}, {"7 ", 0}, {"+7", 0},
        {"", 0},    {"99999999999999999999", 0}, {"7", 7}, {"255", 255}, {"007", 7}, {"200", 200}};
    for (std::size_t j = 0; j < std::size(custom); ++j) store.Write("CustC", std::to_string(j), custom[j].first);
    store.Write("View", "Zoom", "5");  // beyond 4x: the default 2x
    const char* damagedImport[][3] = {{"zoom", "12345", "yes"}, {"fit", "12345G", "0"}, {"", "0x1234", ""}};
    for (std::size_t k = 0; k < std::size(damagedImport); ++k)
        for (std::size_t f = 0; f < 3; ++f)
            store.Write("Import", std::string(f == 0 ? "Mode" : f == 1 ? "Bar" : "Dither") + std::to_string(k),
                        damagedImport[k][f]);
    LoadSettings(run.editor, store);
    const UserSettings& s = run.editor.Settings();
    EXPECT_EQ(s.previewZoom, 2);
    const std::array<ImportChoice, 3> readImports{{{}, {FitMode::Fit, std::nullopt, false}, {}}};
    for (std::size_t k = 0; k < readImports.size(); ++k) EXPECT_EQ(s.imports[k], readImports[k]) << k;
    for (std::size_t j = 0; j < std::size(custom); ++j)
        EXPECT_EQ(s.customColours[j], custom[j].second) << '"' << custom[j].first << '"';
    EXPECT_EQ(run.editor.Colour(0), "12AB9F");
    for (int i = 1; i < 37; ++i) EXPECT_EQ(run.editor.Colour(i), "000000") << i;
    EXPECT_EQ(run.editor.Colour(37), "zz");
    // Every element is set first, then all are repainted once more in order.
    EXPECT_EQ(run.view.calls.front(), "ColourTextChanged 0");
    for (int i = 0; i < kElementCount; ++i)
        EXPECT_EQ(run.view.calls[run.view.calls.size() - kElementCount + i], "ChangeColour " + std::to_string(i));
}

}  // namespace
