// The file browser without widgets: the places offered, the entries of a folder, the shortened
// folder label, moving between folders, and what clicks open, on real folders.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "support/EditorRig.h"
#include "browser/FileBrowser.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
namespace fs = std::filesystem;

namespace {

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

struct Browser : ::testing::Test, EditorRig<> {
    FileBrowser browser{editor};
    int refreshes = 0;
    fs::path themes = dir.Path() / "themes";

    Browser() {
        fs::create_directories(themes / "sub");
        editor.Settings().browseFolder = Themes();
        browser.SetListener([this] { ++refreshes; });
    }
    std::string Themes(const std::string& below = "") const { return themes.string() + "/" + below; }
    std::string Entries() const {
        std::string all;
        for (const auto& e : browser.Entries()) all += (all.empty() ? "" : " ") + e;
        return all;
    }
    void WriteTheme(const std::string& below, const std::string& first) {
        ASSERT_TRUE(WriteThemeFile(log, Themes(below), [&](Theme& t) { t.colours[0] = first; }));
    }
};

TEST_F(Browser, FoldersThenThemeFilesSortedWhateverTheirLetterCase) {
    for (const char* f : {"beta", "Alpha", "old.thm", "Gamma"}) fs::create_directories(themes / f);
    for (const char* f : {"A.THM", "a.b.thm", "c.gif", "x.thm.bak", "summerthm"}) WriteAll(themes / f, "x");
    WriteTheme("b.thm", "BBBBBB");
    editor.Settings().browseFolder = themes.string();  // no "/" at the end yet
    browser.UpdateListFiles();
    EXPECT_EQ(browser.Folder(), Themes());
    EXPECT_EQ(Entries(), "[Previous] [Alpha] [beta] [Gamma] [old.thm] [sub] a.b.thm A.THM b.thm old.thm");

    // The folder old.thm is listed as a file too, fails to open, and Save no longer writes to b.thm.
    browser.Click("b.thm");
    ASSERT_TRUE(browser.SaveEnabled());
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
        EXPECT_EQ(browser.Folder(), Themes(s.folder));
        EXPECT_EQ(Entries(), s.entries);
        EXPECT_EQ(editor.Colour(0), s.colour);
        EXPECT_EQ(browser.SaveTarget(), s.save ? std::optional(Themes(s.folder) + s.entry) : std::nullopt);
    }

    // A folder without its "/", as a hand-edited settings file may hold, is mended with a log line.
    for (const auto& [twice, entry, colour, line] :
         {std::tuple{true, "red.thm", "FF0000", "sBrowseFolder without /"},
          {false, "[x.thm", "00FF00", "Found sBrowseFolder without /"}}) {
        editor.Settings().browseFolder = themes.string();
        log.ClearCaptured();
        twice ? browser.DoubleClick(entry) : browser.Click(entry);
        EXPECT_TRUE(Logged(line)) << entry;
        EXPECT_EQ(editor.Colour(0), colour) << entry;
    }

    // In German the parent entry has its German text.
    editor.GetTexts().SetLanguageOffset(kGerman);
    browser.UpdateListFiles();
    EXPECT_EQ(browser.Entries().front(), "[Vorschau]");
    browser.DoubleClick("[Vorschau]");
    EXPECT_EQ(browser.Folder(), dir.Path().string() + "/");
}

TEST_F(Browser, AFileFromOutsideOpensAsAClickInItsFolderAndAMissingOneIsReported) {
    WriteTheme("sub/blue.thm", "0000FF");
    fs::create_directories(themes / "other");
    const fs::path startedIn = fs::current_path();
    fs::current_path(themes / "other");
    const struct { std::string path, folder /* browsed afterwards */; bool opened; } cases[] = {
        {"../sub/./blue.thm", "sub/", true},  // relative to the current folder
        {Themes("missing.thm"), "", false},    // its folder is browsed, the file reported
        {Themes("gone/x.thm"), "", false},     // no such folder: the browse folder stays
    };
    for (const auto& c : cases) {
        editor.ApplyDefaultColours();
        toolkit.shown.clear();
        browser.OpenFile(c.path);
        SCOPED_TRACE(c.path);
        EXPECT_EQ(browser.Folder(), Themes(c.folder));
        EXPECT_EQ(editor.Colour(0), c.opened ? "0000FF" : kElements[0].defaultValue);
        EXPECT_EQ(browser.SaveTarget(), c.opened ? std::optional(Themes("sub/blue.thm")) : std::nullopt);
        EXPECT_EQ(toolkit.Texts(), std::vector<std::string>(c.opened ? 0 : 1, "Can not find the file"));
    }
    fs::current_path(startedIn);
}

TEST_F(Browser, AtTheRootThereIsNoParentEntryAndOneLevelBelowThereIs) {
    const std::string top = (++dir.Path().begin())->string();  // the first level below the root
    editor.Settings().browseFolder = "/";
    browser.UpdateListFiles();
    EXPECT_EQ(browser.FolderLabel(), "/");
    EXPECT_THAT(browser.Entries(), Not(Contains("[Previous]")));
    EXPECT_THAT(browser.Entries(), Contains("[" + top + "]"));

    browser.DoubleClick("[" + top + "]");
    EXPECT_EQ(browser.Entries().front(), "[Previous]");
    browser.DoubleClick("[Previous]");
    EXPECT_EQ(browser.Folder(), "/");
}

TEST_F(Browser, ADeletedFileGivesMessage268AndARefreshAndClicksMeanwhileAreIgnored) {
    WriteTheme("gone.thm", "123456");
    WriteTheme("b.thm", "BBBBBB");
    browser.UpdateListFiles();
    fs::remove(themes / "gone.thm");
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
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);
}

TEST_F(Browser, ChoosingAnotherPlaceJumpsThereAndSaveIsDisabledEitherWay) {
    WriteTheme("a.thm", "AAAAAA");
    browser.SetDrives({"/", dir.Path().string() + "/", Themes("sub/")});
    editor.Settings().browseFolder = Themes("sub/deeper/");
    EXPECT_EQ(browser.DriveIndex(), 2);  // the longest place that begins the folder
    editor.Settings().browseFolder = Themes();
    browser.Click("a.thm");
    ASSERT_TRUE(browser.SaveEnabled());
    const int before = refreshes;
    browser.ChooseDrive(1);  // the place the folder is in already: no jump
    EXPECT_EQ(std::tuple(browser.Folder(), refreshes, browser.SaveEnabled()), std::tuple(Themes(), before, false));
    browser.ChooseDrive(0);
    EXPECT_EQ(std::tuple(browser.Folder(), refreshes, browser.DriveIndex()), std::tuple("/", before + 1, 0));
}

}  // namespace
