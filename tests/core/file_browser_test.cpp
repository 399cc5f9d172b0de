// The file browser without widgets: the places offered, the entries of a folder, the shortened
// folder label, moving between folders, and what clicks open, on real folders.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/EditorRig.h"
#include "workspace/FileBrowser.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
namespace fs = std::filesystem;

namespace {

// --- Pieces that need no editor ---

TEST(DriveList, HomeFirstThenRealFileSystemsEachOnce) {
    TempDir dir;
    const std::string data = dir / "data";
    fs::create_directories(data);
    fs::create_directories(dir.Path() / "usb");
    WriteAll(dir.Path() / "hosts", "a file mounted into place");
    const std::vector<MountedVolume> volumes = {
        {"/", "ext4", true},          {"/proc", "proc", true},          {"/dev/shm", "tmpfs", true},
        {data, "ext4", true},         {dir / "usb", "vfat", false},     // not ready
        {dir / "hosts", "ext4", true},                                  // not a folder
        {data + "/", "ext4", true},                                     // the same place again
        {"relative/place", "ext4", true}};
    EXPECT_THAT(MakeDriveList("/home/ann", volumes), ElementsAre("/home/ann/", "/", data + "/"));
    // The root is always there to browse from.
    EXPECT_THAT(MakeDriveList("/home/ann/", {}), ElementsAre("/home/ann/", "/"));
}

TEST(Wildcard, ThemeFilesMatchWhateverTheirLetterCaseAndEntriesAreTold) {
    const struct {
        const char* name;
        const char* pattern;
        bool match;
    } cases[] = {{"summer.thm", "*.thm", true},  {"SUMMER.THM", "*.thm", true}, {"a.b.thm", "*.thm", true},
                 {".thm", "*.thm", true},        {"summer.thm.bak", "*.thm", false}, {"summerthm", "*.thm", false},
                 {"summer.th", "*.thm", false},  {"a1.gif", "a?.gif", true},   {"a.gif", "a?.gif", false},
                 {"x.thm", "*", true}};
    for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
    for (const auto& [entry, folder] : {std::pair{"[x]", true}, {"[]", true}, {"[x.thm", false}, {"x]", false}, {"[", false}})
        EXPECT_EQ(IsFolderEntry(entry), folder) << entry;
    for (const auto& [path, parent] : {std::pair{"/data/phone/", "/data/"}, {"/data/", "/"}, {"/", "/"}})
        EXPECT_EQ(ParentFolder(path), parent) << path;
}

TEST(Listing, FoldersAndThemeFilesSortedWithAFolderNamedLikeATheme) {
    TempDir dir;
    for (const char* f : {"beta", "Alpha", "old.thm", "gamma"}) fs::create_directories(dir.Path() / f);
    for (const char* f : {"b.thm", "A.THM", "c.gif", "notes.txt", "z.thm"}) WriteAll(dir.Path() / f, "x");

    std::string folder = dir.Path().string();  // no "/" at the end yet
    std::vector<std::string> folders = {"left over"};
    EXPECT_TRUE(ListFolders(folder, folders));
    EXPECT_EQ(folder, dir.Path().string() + "/");
    EXPECT_THAT(folders, ElementsAre("Alpha", "beta", "gamma", "old.thm"));

    folder = dir.Path().string();
    std::vector<std::string> files = {"left over"};
    EXPECT_TRUE(ListMatchingFiles(folder, "*.thm", files));
    EXPECT_EQ(folder, dir.Path().string() + "/");
    // No kind test: the folder old.thm is a file entry as well.
    EXPECT_THAT(files, ElementsAre("A.THM", "b.thm", "old.thm", "z.thm"));

    Texts texts;
    EXPECT_THAT(BrowserEntries(folder, folders, files, texts),
                ElementsAre("[Previous]", "[Alpha]", "[beta]", "[gamma]", "[old.thm]", "A.THM",
                            "b.thm", "old.thm", "z.thm"));

    // A folder that is not there lists as empty, and that is no failure.
    std::string missing = dir / "missing";
    EXPECT_TRUE(ListFolders(missing, folders));
    EXPECT_THAT(folders, IsEmpty());
    EXPECT_TRUE(ListMatchingFiles(missing, "*.thm", files));
    EXPECT_THAT(files, IsEmpty());
    EXPECT_EQ(missing, dir / "missing/");
}

TEST(FolderLabel, FiftyCharactersShowWholeAndLongerOnesKeepTheEndThatFits) {
    const auto run = [](char c, int n) { return std::string(n, c) + "/"; };
    const auto deep = [&](int ds) { return "/home/someone/" + run('c', 15) + run('d', ds) + run('e', 25); };
    const struct {
        std::string path, label;
    } cases[] = {
        {"/" + run('a', 48), "/" + run('a', 48)},                       // 50 characters: whole
        {"/" + run('a', 20) + run('b', 28), "/.../" + run('b', 28)},    // 51
        // Levels are dropped from the front until the rest fits with the head and ".../" in 50
        // characters: 18 d's fit exactly, 19 do not.
        {deep(18), "/.../" + run('d', 18) + run('e', 25)},
        {deep(19), "/.../" + run('e', 25)},
        // The end is kept even when the "/" it starts after lies past the 50th character; a single
        // name too long for the label leaves only the head and ".../".
        {"/home/someone/" + run('f', 40) + run('g', 20) + run('h', 20), "/.../" + run('g', 20) + run('h', 20)},
        {"/" + run('x', 60), "/.../"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortenFolderLabel(c.path), c.label) << c.path.size() << ": " << c.path;
        EXPECT_LE(ShortenFolderLabel(c.path).size(), 50u);
    }
}

// --- The browser on an editor ---

// Shows a message box to the test, which may click the browser meanwhile (a nested event).
class HookToolkit : public RecordingToolkit {
public:
    Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override {
        if (onMessage) onMessage();
        return RecordingToolkit::MessageBox(text, title, buttons, icon);
    }
    std::function<void()> onMessage;
};

struct Browser : ::testing::Test, EditorRig<HookToolkit> {
    FileBrowser browser{editor};
    int refreshes = 0;
    fs::path themes = dir.Path() / "themes";

    Browser() {
        fs::create_directories(themes / "sub");
        editor.Settings().browseFolder = themes.string() + "/";
        browser.SetListener([this] { ++refreshes; });
    }

    // A theme archive whose first colour is `first` and whose name is its file name.
    void WriteTheme(const fs::path& path, const std::string& first) {
        ASSERT_TRUE(WriteThemeFile(log, path.string(), [&](Theme& t) {
            t.colours[0] = first;
            t.info.name = path.filename().string();
        }));
    }
};

TEST_F(Browser, AtTheRootThereIsNoParentEntryAndOneLevelBelowThereIs) {
    // The temporary folder's first level below the root, and the name below that.
    auto part = dir.Path().begin();
    const std::string top = (++part)->string();
    const std::string next = (++part)->string();

    editor.Settings().browseFolder = "/";
    browser.UpdateListFiles();
    EXPECT_EQ(browser.Folder(), "/");
    EXPECT_EQ(browser.FolderLabel(), "/");
    EXPECT_THAT(browser.Entries(), Not(Contains("[Previous]")));
    EXPECT_THAT(browser.Entries(), Contains("[" + top + "]"));

    editor.Settings().browseFolder = "/" + top;
    browser.UpdateListFiles();
    EXPECT_EQ(browser.Folder(), "/" + top + "/");
    ASSERT_FALSE(browser.Entries().empty());
    EXPECT_EQ(browser.Entries().front(), "[Previous]");
    EXPECT_THAT(browser.Entries(), Contains("[" + next + "]"));
    EXPECT_EQ(refreshes, 2);

    browser.DoubleClick("[Previous]");
    EXPECT_EQ(browser.Folder(), "/");
}

TEST_F(Browser, ClickOpensAThemeAndEnablesSaveAndAFolderEntryDisablesIt) {
    // A folder named old.thm lists as a file entry too; its path goes to the open flow, which
    // cannot unpack a folder, and the colours stay.
    fs::create_directories(themes / "old.thm");
    browser.UpdateListFiles();
    EXPECT_THAT(browser.Entries(), ElementsAre("[Previous]", "[old.thm]", "[sub]", "old.thm"));
    browser.Click("old.thm");
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);
    EXPECT_FALSE(toolkit.shown.empty());
    fs::remove(themes / "old.thm");

    WriteTheme(themes / "red.thm", "FF0000");
    browser.UpdateListFiles();
    ASSERT_THAT(browser.Entries(), ElementsAre("[Previous]", "[sub]", "red.thm"));
    EXPECT_FALSE(browser.SaveEnabled());

    browser.Click("red.thm");
    EXPECT_EQ(editor.Colour(0), "FF0000");
    EXPECT_EQ(editor.GetTheme().info.name, "red.thm");
    EXPECT_THAT(view.calls, Contains("ShowThemeInfo"));
    EXPECT_TRUE(browser.SaveEnabled());
    EXPECT_EQ(browser.SaveTarget(), (themes / "red.thm").string());
    EXPECT_FALSE(browser.Busy());

    browser.Click("[sub]");
    EXPECT_FALSE(browser.SaveEnabled());
    EXPECT_EQ(browser.Folder(), themes.string() + "/");  // a click does not move

    // A folder without its "/", as a hand-edited settings file may hold, is mended with a log line.
    for (const auto& [twice, line] : {std::pair{false, "Found sBrowseFolder without /"}, {true, "sBrowseFolder without /"}}) {
        editor.Settings().browseFolder = themes.string();
        log.ClearCaptured();
        twice ? browser.DoubleClick("red.thm") : browser.Click("red.thm");
        EXPECT_TRUE(Logged(line)) << twice;
        EXPECT_EQ(editor.Colour(0), "FF0000");
    }
    EXPECT_EQ(browser.SaveTarget(), (themes / "red.thm").string());
}

TEST_F(Browser, DoubleClickMovesIntoAFolderAndBackUp) {
    WriteTheme(themes / "sub/blue.thm", "0000FF");
    browser.UpdateListFiles();

    browser.DoubleClick("[sub]");
    EXPECT_EQ(browser.Folder(), (themes / "sub").string() + "/");
    EXPECT_THAT(browser.Entries(), ElementsAre("[Previous]", "blue.thm"));
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);  // nothing opened

    // A double-click on a theme opens it and leaves Save as it was.
    browser.DoubleClick("blue.thm");
    EXPECT_EQ(editor.Colour(0), "0000FF");
    EXPECT_FALSE(browser.SaveEnabled());

    browser.DoubleClick("[Previous]");
    EXPECT_EQ(browser.Folder(), themes.string() + "/");
    EXPECT_THAT(browser.Entries(), ElementsAre("[Previous]", "[sub]"));

    // In German the parent entry has its German text; the English one is then a folder name.
    editor.GetTexts().SetLanguageOffset(kGerman);
    browser.UpdateListFiles();
    EXPECT_EQ(browser.Entries().front(), "[Vorschau]");
    browser.DoubleClick("[Vorschau]");
    EXPECT_EQ(browser.Folder(), dir.Path().string() + "/");
}

TEST_F(Browser, AFileNamedWithAnOpeningBracketOpensOnClickButMovesOnDoubleClick) {
    WriteTheme(themes / "[x.thm", "00FF00");
    browser.UpdateListFiles();
    ASSERT_THAT(browser.Entries(), Contains("[x.thm"));

    browser.Click("[x.thm");
    EXPECT_EQ(editor.Colour(0), "00FF00");
    EXPECT_TRUE(browser.SaveEnabled());

    // Taken as a folder entry: the brackets' places are cut off, naming a folder that is not there.
    browser.DoubleClick("[x.thm");
    EXPECT_EQ(browser.Folder(), themes.string() + "/x.th/");
    EXPECT_THAT(browser.Entries(), ElementsAre("[Previous]"));
    EXPECT_FALSE(browser.SaveEnabled());
    browser.DoubleClick("[Previous]");
    EXPECT_EQ(browser.Folder(), themes.string() + "/");
}

TEST_F(Browser, ADeletedFileGivesMessage268AndARefresh) {
    WriteTheme(themes / "gone.thm", "123456");
    browser.UpdateListFiles();
    ASSERT_THAT(browser.Entries(), Contains("gone.thm"));
    fs::remove(themes / "gone.thm");
    const int before = refreshes;

    browser.Click("gone.thm");
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "Can not find the file");
    EXPECT_TRUE(Logged("Can not find the file"));
    EXPECT_EQ(refreshes, before + 1);
    EXPECT_THAT(browser.Entries(), Not(Contains("gone.thm")));
    EXPECT_FALSE(browser.SaveEnabled());
}

TEST_F(Browser, AClickWhileAnotherIsHandledIsIgnored) {
    WriteTheme(themes / "b.thm", "BBBBBB");
    browser.UpdateListFiles();
    // While the message about the missing file is up, the user clicks another theme.
    bool busyMeanwhile = false;
    toolkit.onMessage = [&] {
        busyMeanwhile = browser.Busy();
        browser.Click("b.thm");
        browser.DoubleClick("[sub]");
    };
    browser.Click("missing.thm");
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);
    EXPECT_EQ(browser.Folder(), themes.string() + "/");
    EXPECT_FALSE(browser.Busy());

    // Once it is handled, clicks work again.
    toolkit.onMessage = nullptr;
    browser.Click("b.thm");
    EXPECT_EQ(editor.Colour(0), "BBBBBB");
}

TEST_F(Browser, ChoosingAnotherPlaceJumpsThereAndSaveIsDisabledEitherWay) {
    WriteTheme(themes / "a.thm", "AAAAAA");
    const std::string home = dir.Path().string() + "/";
    const std::string other = (themes / "sub").string() + "/";
    browser.SetDrives({"/", home, other});
    editor.Settings().browseFolder = (themes / "sub").string() + "/deeper/";
    EXPECT_EQ(browser.DriveIndex(), 2);  // the longest place that begins the folder
    editor.Settings().browseFolder = themes.string() + "/";
    browser.UpdateListFiles();
    EXPECT_EQ(browser.DriveIndex(), 1);

    browser.Click("a.thm");
    ASSERT_TRUE(browser.SaveEnabled());
    const int before = refreshes;
    browser.ChooseDrive(1);  // the place the folder is in already: no jump
    EXPECT_EQ(browser.Folder(), themes.string() + "/");
    EXPECT_EQ(refreshes, before);
    EXPECT_FALSE(browser.SaveEnabled());

    browser.ChooseDrive(0);
    EXPECT_EQ(browser.Folder(), "/");
    EXPECT_EQ(refreshes, before + 1);
    EXPECT_THAT(browser.Entries(), Not(Contains("[Previous]")));
    EXPECT_EQ(browser.DriveIndex(), 0);
}

}  // namespace
