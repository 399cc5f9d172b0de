// The day's log file and the file and folder procedures with their log lines.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "base/FileOps.h"
#include "base/Log.h"
#include "support/LogRig.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

struct LogFixture : ::testing::Test, LogRig<> {
    LogFixture() : LogRig(LocalTime{2026, 12, 5, 12, 4, 9}) {}
    std::string Exist(const std::string& p) const { return "bFileExist calls getfilename....-->Filename-->" + p; }
};

TEST_F(LogFixture, LinesAreTimeTwoTabsMessageAndLevelTwoIsShownWhole) {
    const fs::path file = MakeLogPath(dir.Path(), "12/5.2026");
    EXPECT_EQ(file, dir.Path() / "12-5-2026.txt");
    Log day(file, clock, &toolkit);
    day.WriteLog("Application started");  // level 1 shows nothing
    const std::string longText(3000, 'x');
    day.WriteLog(longText, 2);
    Log(file, clock, nullptr).WriteLog("two\r\nlines");  // a second run of the same day appends
    EXPECT_EQ(ReadText(file), "12:04:09\t\tApplication started\n12:04:09\t\t" + longText + "\n12:04:09\t\ttwo\r\nlines\n");
    // A log that cannot be written loses the line but still shows the message.
    Log broken(dir.Path() / "no-such-folder" / "log.txt", clock, &toolkit);
    broken.WriteLog("lost", 1);
    broken.WriteLog("still shown", 2);
    EXPECT_FALSE(fs::exists(dir.Path() / "no-such-folder"));
    EXPECT_THAT(toolkit.Texts(), ElementsAre(longText, "still shown"));
    EXPECT_EQ(std::tie(toolkit.shown[0].buttons, toolkit.shown[0].icon),
              std::make_tuple(Buttons::Ok, Icon::None));
}

// A folder counts as a file, and is never deleted as one. What a deletion that finds nothing
// logs is checked where the work folder is filled.
TEST_F(LogFixture, FileExistsAndDeleteFileNeverDeletesAFolder) {
    WriteAll(dir / "a.thm", "x");
    fs::create_directory(dir.Path() / "sub");
    for (const auto& [name, kind, found] : {std::tuple{"a.thm", "File", true}, {"a.thm", "Folder", false},
                                            {"sub", "Folder", true}, {"sub", "File", true}, {"b", "Folder", false}})
        EXPECT_EQ(FileExists(log, dir / name, kind), found) << name << " " << kind;
    EXPECT_THAT(log.Captured(), ElementsAre(Exist(dir / "a.thm"), Exist(dir / "sub")));
    log.ClearCaptured();
    EXPECT_TRUE(DeleteFile(log, dir / "a.thm"));
    EXPECT_FALSE(DeleteFile(log, dir / "a.thm"));
    EXPECT_FALSE(DeleteFile(log, dir / "sub"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
    EXPECT_EQ(log.Captured().back(), "Failed to remove the file in bDeleteFile->" + (dir / "sub"));
}

// DeleteFolder removes files but is not recursive; CreateFolder leaves an empty folder.
TEST_F(LogFixture, FolderProcedures) {
    const std::string temp = dir / "temp";
    CreateFolder(log, temp);
    EXPECT_THAT(log.Captured(), ElementsAre("Path didnt exist -> Create it"));
    WriteAll(temp + "/stand.gif", "g");
    WriteAll(temp + "/theme.xml", "x");
    log.ClearCaptured();
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
    log.ClearCaptured();
    CreateFolder(log, temp);  // empties what it can
    EXPECT_EQ(TreeOf(temp), (std::vector<std::string>{"sub.d", "sub.d/inner.gif"}));
    EXPECT_THAT(log.Captured(), ::testing::Contains("Failed to remove arrfile-> 3 Name->sub.d"));
    EXPECT_EQ(log.Captured().back(), "Failed to remove the file in bDeleteFolder->" + temp);
    log.ClearCaptured();
    EXPECT_FALSE(DeleteFolder(log, dir / "missing"));
    CreateFolder(log, dir / "no/parent");
    EXPECT_THAT(log.Captured(), ElementsAre("Could not find the folder in bDeleteFolder....->" + (dir / "missing"),
                                            "Path didnt exist -> Create it", "Failed to create folder ->" + (dir / "no/parent")));
}

}  // namespace
