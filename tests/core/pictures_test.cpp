// Picture slots: measuring picture headers, the Select button's size check, the on/off button
// and its preview changes, taking a picture from the work folder, and the file dialog rules.

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <filesystem>

#include "pictures/ImageInfo.h"
#include "support/RecordingToolkit.h"
#include "support/RecordingView.h"
#include "support/TempDir.h"
#include "workspace/Editor.h"
#include "workspace/FileDialog.h"
#include "workspace/Log.h"

using namespace tintora;
using tintora::test::TempDir;
using tintora::test::WriteAll;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::EndsWith;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

// A GIF header with the given logical screen size, padded with varied bytes to `size`.
std::string Gif(int width, int height, std::size_t size = 40) {
    std::string s = "GIF89a";
    for (int v : {width & 0xFF, width >> 8, height & 0xFF, height >> 8}) s += static_cast<char>(v);
    for (std::size_t i = s.size(); i < size; ++i) s += static_cast<char>((i * 7 + 3) % 256);
    return s;
}

// A JFIF file whose frame header at 163..166 holds the given size (big-endian).
std::string Jfif(int width, int height, std::size_t size = 200) {
    std::string s(size, '\x11');
    s[0] = '\xFF';
    s[1] = '\xD8';
    s.replace(6, 4, "JFIF");
    s[163] = static_cast<char>(height >> 8);
    s[164] = static_cast<char>(height & 0xFF);
    s[165] = static_cast<char>(width >> 8);
    s[166] = static_cast<char>(width & 0xFF);
    return s;
}

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct SlotFixture : ::testing::Test {
    TempDir dir;
    FixedClock clock{LocalTime{}};
    test::RecordingToolkit toolkit;
    test::RecordingView view;
    Log log{"", clock, &toolkit};
    Editor editor{log, toolkit, view, dir / "temp"};
    Theme& theme = editor.GetTheme();

    std::string File(const std::string& name, const std::string& bytes) {
        WriteAll(dir / name, bytes);
        return dir / name;
    }
    // The Select button of `slot` with `path` chosen in the dialog; the view's record starts here.
    void Select(int slot, const std::string& path) {
        toolkit.files.push_back(path);
        view.calls.clear();
        editor.cmdLoadFile_Click(slot);
    }
    void OnOff(int slot) {
        view.calls.clear();
        editor.cmdOnOff_Click(slot);
    }
    void ExpectOn(int slot, const std::string& bytes) {
        EXPECT_EQ(theme.slots[slot], SlotState::On);
        EXPECT_TRUE(theme.members[slot].active);
        ASSERT_TRUE(theme.members[slot].data);
        EXPECT_EQ(*theme.members[slot].data, AsBytes(bytes));
    }
    void ExpectEmpty(int slot) {
        EXPECT_EQ(theme.slots[slot], SlotState::Empty);
        EXPECT_FALSE(theme.members[slot].active);
        EXPECT_FALSE(theme.members[slot].data);
    }
};

}  // namespace

TEST_F(SlotFixture, HeadersAreMeasuredAtTheirFixedPlaces) {
    const auto gif = GetImageInfo(File("a.gif", Gif(0x65, 0x50)));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->kind, "GIF");
    EXPECT_EQ(gif->width, 101);
    EXPECT_EQ(gif->height, 80);

    const auto wide = GetImageInfo(File("b.gif", Gif(0x6500, 0x50)));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->width, 25856) << "the width is little-endian";

    const auto jpg = GetImageInfo(File("c.jpg", Jfif(101, 80)));
    ASSERT_TRUE(jpg);
    EXPECT_EQ(jpg->kind, "JPG");
    EXPECT_EQ(jpg->width, 101);
    EXPECT_EQ(jpg->height, 80);

    const auto text = GetImageInfo(File("d.gif", "just some words in a file"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->kind, "");
    EXPECT_EQ(text->width, 0);
    EXPECT_EQ(text->height, 0);

    // Exactly the header's length is enough; one byte less is not.
    EXPECT_TRUE(GetImageInfo(File("e.gif", Gif(101, 80, 10))));
    EXPECT_FALSE(GetImageInfo(File("f.gif", Gif(101, 80).substr(0, 9))));
    EXPECT_TRUE(GetImageInfo(File("g.jpg", Jfif(101, 80, 167))));
    EXPECT_FALSE(GetImageInfo(File("h.jpg", Jfif(101, 80, 200).substr(0, 166))));
    EXPECT_FALSE(GetImageInfo(dir / "absent.gif"));
    EXPECT_FALSE(GetImageInfo(dir.Path().string())) << "a folder is no picture file";

    // The GIF test runs after the JFIF one and wins when both signatures stand in the header.
    std::string both = Jfif(101, 80);
    both.replace(0, 3, "GIF");
    const auto mixed = MeasureImage(AsBytes(both));
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->kind, "GIF");
}

TEST_F(SlotFixture, SelectAsksForAGifAndTakesInAPictureOfTheRequiredSize) {
    const std::string picture = Gif(101, 80, 321);
    Select(0, File("stand.gif", picture));
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_EQ(toolkit.fileRequests[0].folder, "");
    EXPECT_EQ(toolkit.fileRequests[0].extension, "gif");
    EXPECT_EQ(toolkit.fileRequests[0].title, "Select Image");
    EXPECT_FALSE(toolkit.fileRequests[0].save);
    EXPECT_TRUE(toolkit.shown.empty());
    ExpectOn(0, picture);

    Select(1, dir / "stand.gif");
    ExpectOn(1, picture);

    const std::string jfif = Jfif(101, 80);
    Select(0, File("photo.jpg", jfif));
    ExpectOn(0, jfif);

    const std::string title = Gif(101, 16);
    Select(4, File("t.gif", title));
    Select(5, dir / "t.gif");
    ExpectOn(4, title);
    ExpectOn(5, title);
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(SlotFixture, RefusalMessageNamesTheSizeFoundAndTheSizeRequired) {
    Select(0, File("big.gif", Gif(120, 90)));
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text,
              "The image you select is 120x90.\r\nThe image should be:  101x80");
    EXPECT_EQ(toolkit.shown[0].title, "Incorrect image size");
    EXPECT_EQ(toolkit.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(toolkit.shown[0].icon, Icon::Warning);
    ExpectEmpty(0);
    EXPECT_TRUE(view.calls.empty());

    Select(2, File("bg.gif", Gif(101, 80)));
    ASSERT_EQ(toolkit.shown.size(), 2u);
    EXPECT_THAT(toolkit.shown[1].text, EndsWith(" 101x27"));
    ExpectEmpty(2);

    Select(3, dir / "bg.gif");
    EXPECT_THAT(toolkit.Texts().back(), EndsWith(":  101x20"));

    Select(0, File("words.gif", "this text holds GIF, but not at its start"));
    EXPECT_THAT(toolkit.Texts().back(), StartsWith("The image you select is 0x0.\r\n"));
    ExpectEmpty(0);
    EXPECT_TRUE(log.Captured().empty()) << "a refusal is not logged";
}

TEST_F(SlotFixture, ARefusedPictureLeavesTheSlotAsItWas) {
    const std::string old = Gif(101, 80, 77);
    Select(0, File("old.gif", old));
    OnOff(0);
    ASSERT_EQ(theme.slots[0], SlotState::Off);

    Select(0, File("wrong.gif", Gif(101, 27)));
    EXPECT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(theme.slots[0], SlotState::Off);
    EXPECT_FALSE(theme.members[0].active) << "an off slot stays out of the archive";
    EXPECT_EQ(*theme.members[0].data, AsBytes(old));
    EXPECT_TRUE(view.calls.empty());

    OnOff(0);
    EXPECT_EQ(theme.slots[0], SlotState::On) << "an off slot with a picture switches on without asking";
    EXPECT_EQ(toolkit.fileRequests.size(), 2u);
}

TEST_F(SlotFixture, ANewPictureReplacesTheOldOneExactly) {
    Select(1, File("large.gif", Gif(101, 80, 2000)));
    const std::string small = Gif(101, 80, 500);
    Select(1, File("small.gif", small));
    ASSERT_TRUE(theme.members[1].data);
    EXPECT_EQ(theme.members[1].data->size(), 500u);
    ExpectOn(1, small);
}

TEST_F(SlotFixture, UnreadablePictureFilesAreReportedAndChangeNothing) {
    const std::string kept = Gif(101, 80);
    Select(0, File("kept.gif", kept));
    toolkit.shown.clear();

    const std::string missing = dir / "gone.gif";
    Select(0, missing);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "The picture file could not be read: " + missing);
    EXPECT_EQ(toolkit.shown[0].icon, Icon::Warning);
    EXPECT_FALSE(fs::exists(missing)) << "choosing a missing file must not create it";

    const std::string shortFile = File("short.gif", "GIF89a\x65");
    Select(0, shortFile);
    ASSERT_EQ(toolkit.shown.size(), 2u);
    EXPECT_EQ(toolkit.shown[1].text, "The picture file could not be read: " + shortFile);

    Select(0, File("short.jpg", Jfif(101, 80).substr(0, 100)));
    EXPECT_EQ(toolkit.shown.size(), 3u);

    Select(0, dir.Path().string());  // a folder chosen by name
    EXPECT_EQ(toolkit.shown.size(), 4u);

    ExpectOn(0, kept);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(SlotFixture, PreviewChangesFollowTheSlotInTheirOrder) {
    Select(0, File("stand.gif", Gif(101, 80)));
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 0", "Fill transparent", "ChangeColor 0",
                                        "ChangeColor 1", "ChangeColor 2", "ChangeColor 3",
                                        "ChangeColor 9", "Show 6", "Show 0"));
    OnOff(0);
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 0", "Fill opaque", "ChangeColor 1",
                                        "ChangeColor 3", "ChangeColor 9", "Hide 6", "Hide 0"));
    OnOff(0);
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 0", "Show 6", "Show 0", "Fill transparent",
                                        "ChangeColor 0", "ChangeColor 1", "ChangeColor 2",
                                        "ChangeColor 3", "ChangeColor 9"));

    Select(1, dir / "stand.gif");
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 1", "Show 1", "ChangeColor 36", "ChangeColor 37"));
    OnOff(1);
    EXPECT_THAT(view.calls,
                ElementsAre("SlotChanged 1", "Hide 1", "ChangeColor 36", "ChangeColor 37", "ChangeColor 9"));
    OnOff(1);
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 1", "Show 1", "ChangeColor 36", "ChangeColor 37"));

    Select(2, File("medium.gif", Gif(101, 27)));
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 2", "Show 2", "ChangeColor 5", "ArrangeMenuItems"));
    Select(3, File("small.gif", Gif(101, 20)));
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 3", "ChangeColor 5", "ArrangeMenuItems", "Show 3"));
    for (int slot : {2, 3}) {
        const std::string n = std::to_string(slot);
        OnOff(slot);
        EXPECT_THAT(view.calls, ElementsAre("SlotChanged " + n, "Hide " + n, "ChangeColor 5",
                                            "ArrangeMenuItems"));
        OnOff(slot);
        EXPECT_THAT(view.calls, ElementsAre("SlotChanged " + n, "ChangeColor 5", "ArrangeMenuItems",
                                            "Show " + n));
    }

    Select(4, File("asian.gif", Gif(101, 16)));
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 4", "Show 4"));
    OnOff(4);
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 4", "Hide 4"));
    Select(5, dir / "asian.gif");
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 5", "Show 5"));
}

TEST_F(SlotFixture, SwitchingOffAndOnKeepsThePictureInAnyLanguage) {
    const std::string picture = Gif(101, 80, 64);
    Select(0, File("p.gif", picture));
    editor.GetTexts().SetLanguageOffset(kGerman);
    OnOff(0);
    EXPECT_EQ(theme.slots[0], SlotState::Off);
    EXPECT_FALSE(theme.members[0].active);
    EXPECT_EQ(*theme.members[0].data, AsBytes(picture));
    editor.GetTexts().SetLanguageOffset(kSwedish);
    OnOff(0);
    ExpectOn(0, picture);
    EXPECT_EQ(toolkit.fileRequests.size(), 1u) << "no second dialog";
}

TEST_F(SlotFixture, OnOffOfASlotWithoutPictureAsksForOne) {
    toolkit.files.push_back(std::nullopt);
    OnOff(3);
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_EQ(toolkit.fileRequests[0].title, "Select Image");
    ExpectEmpty(3);
    EXPECT_TRUE(view.calls.empty());

    const std::string picture = Gif(101, 20);
    toolkit.files.push_back(File("small.gif", picture));
    OnOff(3);
    ExpectOn(3, picture);

    // Opening a theme that does not use the slot leaves it off with its record emptied: it
    // must ask again rather than become an active record without data.
    for (std::optional<Bytes> cleared : {std::optional<Bytes>{}, std::optional<Bytes>{Bytes{}}}) {
        theme.slots[3] = SlotState::Off;
        theme.members[3] = MemberRecord{cleared, false};
        toolkit.files.push_back(std::nullopt);
        OnOff(3);
        EXPECT_EQ(theme.slots[3], SlotState::Off);
        EXPECT_FALSE(theme.members[3].active);
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_EQ(toolkit.fileRequests.size(), 4u);
}

TEST_F(SlotFixture, LoadSlotPictureTakesAnExistingPictureWithoutCheckAndSwitchesItOn) {
    const std::string picture = "any bytes at all, no size is checked here";
    ASSERT_TRUE(editor.LoadSlotPicture(File("stand.gif", picture), 0));
    ExpectOn(0, picture);
    EXPECT_TRUE(toolkit.fileRequests.empty());
    EXPECT_TRUE(toolkit.shown.empty());

    // The same path as switching on: the view sees exactly the switch-on changes.
    view.calls.clear();
    theme.members[2] = MemberRecord{AsBytes("old"), true};
    theme.slots[2] = SlotState::On;
    ASSERT_TRUE(editor.LoadSlotPicture(File("medium.gif", "new picture"), 2));
    ExpectOn(2, "new picture");
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 2", "ChangeColor 5", "ArrangeMenuItems", "Show 2"));
}

TEST_F(SlotFixture, LoadSlotPictureLeavesTheSlotAloneForMissingOrEmptyFiles) {
    EXPECT_FALSE(editor.LoadSlotPicture(dir / "missing.gif", 1));
    ExpectEmpty(1);

    EXPECT_FALSE(editor.LoadSlotPicture(File("empty.gif", ""), 1));
    ExpectEmpty(1);

    theme.members[4] = MemberRecord{AsBytes("kept"), false};
    theme.slots[4] = SlotState::Off;
    EXPECT_FALSE(editor.LoadSlotPicture(File("zero.gif", ""), 4));
    EXPECT_EQ(theme.slots[4], SlotState::Off);
    EXPECT_FALSE(theme.members[4].active);
    EXPECT_EQ(*theme.members[4].data, AsBytes("kept"));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(toolkit.shown.empty()) << "a missing picture is no failure";
}

TEST_F(SlotFixture, FileDialogAppendsTheExtensionOnlyWhereItIsMissing) {
    const auto ask = [&](std::optional<std::string> answer, const std::string& ext = "thm") {
        toolkit.files.push_back(std::move(answer));
        return ShowFileDialog(toolkit, "/start", ext, "Create theme", true);
    };
    EXPECT_EQ(ask(dir / "my"), dir / "my.thm");
    EXPECT_EQ(ask(dir / "my.THM"), dir / "my.THM.thm") << "the letter case counts";
    EXPECT_EQ(ask(dir / "my.thm.bak"), dir / "my.thm.bak");
    EXPECT_EQ(ask("  " + (dir / "my") + "  "), dir / "my.thm") << "blanks are trimmed";
    EXPECT_FALSE(ask(std::nullopt));
    EXPECT_FALSE(ask("   "));

    const std::string photo = File("PHOTO.GIF", Gif(101, 80));
    EXPECT_EQ(ask(photo, "gif"), photo) << "an existing file opens as chosen";
    EXPECT_EQ(ask(dir / "OTHER.GIF", "gif"), dir / "OTHER.GIF.gif");
    fs::create_directory(dir.Path() / "folder");
    EXPECT_EQ(ask(dir / "folder", "thm"), dir / "folder.thm") << "a folder is not a chosen file";

    ASSERT_EQ(toolkit.fileRequests.size(), 9u);
    EXPECT_EQ(toolkit.fileRequests[0].folder, "/start");
    EXPECT_EQ(toolkit.fileRequests[0].extension, "thm");
    EXPECT_EQ(toolkit.fileRequests[0].title, "Create theme");
    EXPECT_TRUE(toolkit.fileRequests[0].save);
}
