// The day's log file and the file and folder procedures with their log lines.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "base/FileOps.h"
#include "base/Log.h"

using namespace tintora;
using tintora::test::ReadText;
using tintora::test::TempDir;
using tintora::test::WriteAll;
using ::testing::Contains;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {
const LocalTime kNoon{2026, 12, 5, 12, 4, 9};

struct LogFixture : ::testing::Test {
    TempDir dir;
    FixedClock clock{kNoon};
    test::RecordingToolkit toolkit;
    Log log{MakeLogPath(dir.Path(), clock.DateText(kNoon)), clock, &toolkit};
    LogFixture() { log.SetCapture(true); }
    std::string Exist(const std::string& p) const { return "bFileExist calls getfilename....-->Filename-->" + p; }
};
}  // namespace

TEST_F(LogFixture, LinesAreTimeTwoTabsMessageAndLevelTwoIsShownWhole) {
    EXPECT_EQ(log.Path(), dir.Path() / "05-12-2026.txt");
    EXPECT_EQ(MakeLogPath("/x", "12/5/2026"), fs::path("/x/12-5-2026.txt"));
    log.WriteLog("Application started");
    log.WriteLog("");
    EXPECT_TRUE(toolkit.shown.empty()) << "level 1 shows nothing";
    const std::string longText(3000, 'x');
    log.WriteLog(longText, 2);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(std::tie(toolkit.shown[0].text, toolkit.shown[0].buttons, toolkit.shown[0].icon),
              std::make_tuple(longText, Buttons::Ok, Icon::None));
    // A second run of the same day appends.
    Log(log.Path(), clock, nullptr).WriteLog("two\r\nlines");
    EXPECT_EQ(ReadText(log.Path()), "12:04:09\t\tApplication started\n12:04:09\t\t\n12:04:09\t\t" + longText +
                                        "\n12:04:09\t\ttwo\r\nlines\n");

    // A log that cannot be written loses the line but still shows the message.
    Log broken(dir.Path() / "no-such-folder" / "log.txt", clock, &toolkit);
    broken.WriteLog("lost", 1);
    broken.WriteLog("still shown", 2);
    EXPECT_FALSE(fs::exists(dir.Path() / "no-such-folder"));
    EXPECT_THAT(toolkit.Texts(), ElementsAre(longText, "still shown"));
}

TEST_F(LogFixture, FileExistAndGetFileName) {
    WriteAll(dir.Path() / "a.thm", "x");
    fs::create_directory(dir.Path() / "sub");
    // A folder of that name counts as a file.
    for (const auto& [name, kind, found] : {std::tuple{"a.thm", "File", true}, {"a.thm", "Folder", false},
                                            {"sub", "Folder", true}, {"sub", "File", true},
                                            {"b.thm", "File", false}, {"b", "Folder", false}})
        EXPECT_EQ(FileExists(log, dir / name, kind), found) << name << " " << kind;
    EXPECT_THAT(log.Captured(), ElementsAre(Exist(dir / "a.thm"), Exist(dir / "sub"), Exist(dir / "b.thm")));
    EXPECT_TRUE(toolkit.shown.empty()) << "a name without extension is no error for the test";

    // A dot in a folder name is not an extension; a name without a folder is taken apart but
    // reported as well.
    for (const auto& [in, name, ext, error] : {std::tuple{"/phone/my.theme.thm", "my.theme", "thm", false},
                                               {"/home/u/.local/README", "/home/u/.local/README", "old", true},
                                               {"name.gif", "name", "gif", true}}) {
        log.ClearCaptured();
        toolkit.shown.clear();
        std::string path = in, extension = "old";
        SplitFileName(log, path, extension);
        EXPECT_EQ(std::tie(path, extension), std::tie(name, ext));
        const std::vector<std::string> report = {"Error in getfilename.......", "sFileName->" + path,
                                                 "sExtension->" + extension};
        EXPECT_EQ(log.Captured(), error ? report : std::vector<std::string>{}) << in;
        EXPECT_EQ(toolkit.Texts(), std::vector<std::string>(error ? 1 : 0, report[0]));
    }
}

TEST_F(LogFixture, DeleteFileNeverDeletesAFolderAndDeleteFolderRemovesFilesButIsNotRecursive) {
    WriteAll(dir.Path() / "a.gif", "x");
    EXPECT_TRUE(DeleteFile(log, dir / "a.gif"));
    EXPECT_FALSE(fs::exists(dir.Path() / "a.gif"));
    EXPECT_FALSE(DeleteFile(log, dir / "a.gif"));
    EXPECT_EQ(log.Captured().back(), "Could not find the file in bDeleteFile....->" + (dir / "a.gif"));
    fs::create_directory(dir.Path() / "d.x");
    EXPECT_FALSE(DeleteFile(log, dir / "d.x"));
    EXPECT_EQ(log.Captured().back(), "Failed to remove the file in bDeleteFile->" + (dir / "d.x"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "d.x"));

    log.ClearCaptured();
    const std::string temp = dir / "temp";
    fs::create_directory(temp);
    WriteAll(temp + "/stand.gif", "g");
    WriteAll(temp + "/theme.xml", "x");
    EXPECT_TRUE(DeleteFolder(log, temp));
    EXPECT_FALSE(fs::exists(temp));
    std::vector<std::string> summary;
    for (const auto& l : log.Captured())
        if (l.rfind("bFileExist", 0) != 0) summary.push_back(l);
    EXPECT_THAT(summary, ElementsAre("Not possible to remove ->.", "Not possible to remove ->..",
                                     "Success when removing arrfile-> 2 Name->stand.gif",
                                     "Success when removing arrfile-> 3 Name->theme.xml"));

    fs::create_directories(temp + "/sub.d");
    WriteAll(temp + "/a.gif", "g");
    WriteAll(temp + "/sub.d/inner.gif", "g");
    EXPECT_FALSE(DeleteFolder(log, temp));
    EXPECT_TRUE(fs::exists(temp + "/sub.d/inner.gif"));
    EXPECT_FALSE(fs::exists(temp + "/a.gif"));
    EXPECT_THAT(log.Captured(), Contains("Failed to remove arrfile-> 3 Name->sub.d"));
    EXPECT_EQ(log.Captured().back(), "Failed to remove the file in bDeleteFolder->" + temp);

    log.ClearCaptured();
    EXPECT_FALSE(DeleteFolder(log, dir / "missing"));
    EXPECT_THAT(log.Captured(), ElementsAre("Could not find the folder in bDeleteFolder....->" + (dir / "missing")));
}

TEST_F(LogFixture, CreateFolderAndFindFileName) {
    const std::string temp = dir / "temp";
    CreateFolder(log, temp);
    EXPECT_TRUE(fs::is_directory(temp));
    EXPECT_THAT(log.Captured(), ElementsAre("Path didnt exist -> Create it"));
    WriteAll(temp + "/x.gif", "g");
    CreateFolder(log, temp);
    EXPECT_TRUE(fs::is_empty(temp)) << "an existing folder is emptied";
    log.ClearCaptured();
    CreateFolder(log, dir / "no/parent");
    EXPECT_THAT(log.Captured(),
                ElementsAre("Path didnt exist -> Create it", "Failed to create folder ->" + (dir / "no/parent")));

    fs::create_directories(temp + "/folder.xml");
    WriteAll(temp + "/b.gif", "");
    EXPECT_EQ(FindFileWithExtension(log, temp, "xml"), "") << "a folder is not a file";
    WriteAll(temp + "/Theme.XML", "");
    WriteAll(temp + "/z.xml", "");
    EXPECT_EQ(FindFileWithExtension(log, temp, "xml"), "Theme.XML");
    EXPECT_EQ(FindFileWithExtension(log, temp, "gif"), "b.gif");
    EXPECT_EQ(FindFileWithExtension(log, dir / "none", "xml"), "");
}
