// Picture slots: measuring picture headers, the Select button's size check, the on/off button
// and its preview changes, taking a picture from the work folder, and the file dialog rules.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/ImageInfo.h"
#include "support/EditorRig.h"
#include "workspace/FileDialog.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::EndsWith;
namespace fs = std::filesystem;

namespace {

// A GIF header of the given size, `size` bytes long in all.
std::string Gif(int width, int height, std::size_t size = 40) { return AsText(HeaderGif(width, height, size - 10)); }

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

struct SlotFixture : ::testing::Test, EditorRig<> {
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
    void ExpectSlot(int slot, SlotState state, const std::optional<std::string>& bytes) {
        EXPECT_EQ(theme.slots[slot], state) << slot;
        EXPECT_EQ(theme.members[slot].active, state == SlotState::On) << slot;
        ASSERT_EQ(theme.members[slot].data.has_value(), bytes.has_value()) << slot;
        if (bytes) { EXPECT_EQ(*theme.members[slot].data, AsBytes(*bytes)) << slot; }
    }
    void ExpectOn(int slot, const std::string& bytes) { ExpectSlot(slot, SlotState::On, bytes); }
    void ExpectEmpty(int slot) { ExpectSlot(slot, SlotState::Empty, std::nullopt); }
};

}  // namespace

TEST_F(SlotFixture, HeadersAreMeasuredAtTheirFixedPlaces) {
    struct Case {
        const char* name;
        std::string bytes;
        bool found;
        const char* kind;
        int width, height;
    };
    const Case cases[] = {
        {"a.gif", Gif(0x65, 0x50), true, "GIF", 101, 80},
        {"b.gif", Gif(0x6500, 0x50), true, "GIF", 25856, 80},  // the width is little-endian
        {"c.jpg", Jfif(101, 80), true, "JPG", 101, 80},
        {"d.gif", "just some words in a file", true, "", 0, 0},
        // Exactly the header's length is enough; one byte less is not.
        {"e.gif", Gif(101, 80, 10), true, "GIF", 101, 80},
        {"f.gif", Gif(101, 80).substr(0, 9), false, "", 0, 0},
        {"g.jpg", Jfif(101, 80, 167), true, "JPG", 101, 80},
        {"h.jpg", Jfif(101, 80, 166), false, "", 0, 0},
    };
    for (const Case& c : cases) {
        const auto info = GetImageInfo(File(c.name, c.bytes));
        ASSERT_EQ(info.has_value(), c.found) << c.name;
        if (!info) continue;
        EXPECT_EQ(info->kind, c.kind) << c.name;
        EXPECT_EQ(info->width, c.width) << c.name;
        EXPECT_EQ(info->height, c.height) << c.name;
    }
    EXPECT_FALSE(GetImageInfo(dir / "absent.gif"));
    EXPECT_FALSE(GetImageInfo(dir.Path().string())) << "a folder is no picture file";

    // The GIF test runs after the JFIF one and wins when both signatures stand in the header.
    std::string both = Jfif(101, 80);
    both.replace(0, 3, "GIF");
    ASSERT_TRUE(MeasureImage(AsBytes(both)));
    EXPECT_EQ(MeasureImage(AsBytes(both))->kind, "GIF");
}

TEST_F(SlotFixture, SelectTakesInPicturesOfTheRequiredSizeAndReplacesTheOldOnes) {
    const std::string picture = Gif(101, 80, 321);
    Select(0, File("stand.gif", picture));
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_EQ(toolkit.fileRequests[0].folder, "");
    EXPECT_EQ(toolkit.fileRequests[0].extension, "gif");
    EXPECT_EQ(toolkit.fileRequests[0].title, "Select Image");
    EXPECT_FALSE(toolkit.fileRequests[0].save);
    ExpectOn(0, picture);
    Select(1, dir / "stand.gif");
    ExpectOn(1, picture);

    const std::string jfif = Jfif(101, 80);
    Select(0, File("photo.jpg", jfif));
    ExpectOn(0, jfif);
    const std::string small = Gif(101, 80, 50);
    Select(1, File("small.gif", small));
    ExpectOn(1, small);  // shorter than the old picture: nothing of it is left

    const std::string title = Gif(101, 16);
    Select(4, File("t.gif", title));
    Select(5, dir / "t.gif");
    ExpectOn(4, title);
    ExpectOn(5, title);
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(SlotFixture, ARefusalNamesBothSizesAndLeavesTheSlotAsItWas) {
    Select(2, File("bg.gif", Gif(101, 80)));
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "The image you select is 101x80.\r\nThe image should be:  101x27");
    EXPECT_EQ(toolkit.shown[0].title, "Incorrect image size");
    EXPECT_EQ(toolkit.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(toolkit.shown[0].icon, Icon::Warning);
    ExpectEmpty(2);
    EXPECT_TRUE(view.calls.empty());

    Select(3, dir / "bg.gif");
    EXPECT_THAT(toolkit.Texts().back(), EndsWith(":  101x20"));
    Select(0, File("big.gif", Gif(120, 90)));
    EXPECT_EQ(toolkit.Texts().back(), "The image you select is 120x90.\r\nThe image should be:  101x80");
    Select(0, File("words.gif", "this text holds GIF, but not at its start"));
    EXPECT_EQ(toolkit.Texts().back(), "The image you select is 0x0.\r\nThe image should be:  101x80");
    ExpectEmpty(0);

    // A slot switched off keeps its picture, and stays off, through a refusal.
    const std::string old = Gif(101, 80, 77);
    Select(0, File("old.gif", old));
    OnOff(0);
    Select(0, File("wrong.gif", Gif(101, 27)));
    EXPECT_EQ(toolkit.shown.size(), 5u);
    ExpectSlot(0, SlotState::Off, old);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(log.Captured().empty()) << "a refusal is not logged";
}

TEST_F(SlotFixture, UnreadablePictureFilesAreReportedAndChangeNothing) {
    const std::string kept = Gif(101, 80);
    Select(0, File("kept.gif", kept));
    // A folder chosen by name is taken as a name without its extension.
    const std::pair<std::string, std::string> cases[] = {
        {dir / "gone.gif", dir / "gone.gif"},
        {File("short.gif", "GIF89a\x65"), dir / "short.gif"},
        {File("short.jpg", Jfif(101, 80).substr(0, 100)), dir / "short.jpg"},
        {dir.Path().string(), dir.Path().string() + ".gif"}};
    for (const auto& [chosen, reported] : cases) {
        toolkit.shown.clear();
        Select(0, chosen);
        ASSERT_EQ(toolkit.shown.size(), 1u) << chosen;
        EXPECT_EQ(toolkit.shown[0].text, "The picture file could not be read: " + reported);
        EXPECT_EQ(toolkit.shown[0].icon, Icon::Warning);
        ExpectOn(0, kept);
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_FALSE(fs::exists(dir / "gone.gif")) << "choosing a missing file must not create it";
}

TEST_F(SlotFixture, PreviewChangesFollowTheSlotInTheirOrder) {
    File("80.gif", Gif(101, 80));
    File("27.gif", Gif(101, 27));
    File("20.gif", Gif(101, 20));
    File("16.gif", Gif(101, 16));
    const std::vector<std::string> standbyOn = {"Fill transparent", "ChangeColor 0", "ChangeColor 1",
                                                "ChangeColor 2", "ChangeColor 3", "ChangeColor 9"};
    const auto then = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Step {
        bool select;  // the Select button, else on/off
        int slot;
        const char* file;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {true, 0, "80.gif", then(then({"SlotChanged 0"}, standbyOn), {"Show 6", "Show 0"})},
        {false, 0, "", {"SlotChanged 0", "Fill opaque", "ChangeColor 1", "ChangeColor 3", "ChangeColor 9", "Hide 6", "Hide 0"}},
        {false, 0, "", then({"SlotChanged 0", "Show 6", "Show 0"}, standbyOn)},
        {true, 1, "80.gif", {"SlotChanged 1", "Show 1", "ChangeColor 36", "ChangeColor 37"}},
        {false, 1, "", {"SlotChanged 1", "Hide 1", "ChangeColor 36", "ChangeColor 37", "ChangeColor 9"}},
        {false, 1, "", {"SlotChanged 1", "Show 1", "ChangeColor 36", "ChangeColor 37"}},
        {true, 2, "27.gif", {"SlotChanged 2", "Show 2", "ChangeColor 5", "ArrangeMenuItems"}},
        {false, 2, "", {"SlotChanged 2", "Hide 2", "ChangeColor 5", "ArrangeMenuItems"}},
        {false, 2, "", {"SlotChanged 2", "ChangeColor 5", "ArrangeMenuItems", "Show 2"}},
        {true, 3, "20.gif", {"SlotChanged 3", "ChangeColor 5", "ArrangeMenuItems", "Show 3"}},
        {false, 3, "", {"SlotChanged 3", "Hide 3", "ChangeColor 5", "ArrangeMenuItems"}},
        {false, 3, "", {"SlotChanged 3", "ChangeColor 5", "ArrangeMenuItems", "Show 3"}},
        {true, 4, "16.gif", {"SlotChanged 4", "Show 4"}},
        {false, 4, "", {"SlotChanged 4", "Hide 4"}},
        {true, 5, "16.gif", {"SlotChanged 5", "Show 5"}},
    };
    for (const Step& s : steps) {
        s.select ? Select(s.slot, dir / s.file) : OnOff(s.slot);
        EXPECT_THAT(view.calls, ElementsAreArray(s.calls)) << "slot " << s.slot << (s.select ? " select" : " on/off");
    }
}

TEST_F(SlotFixture, OnOffKeepsThePictureInAnyLanguageAndAsksOnlyForAnEmptySlot) {
    const std::string picture = Gif(101, 80, 64);
    Select(0, File("p.gif", picture));
    editor.GetTexts().SetLanguageOffset(kGerman);
    OnOff(0);
    ExpectSlot(0, SlotState::Off, picture);
    editor.GetTexts().SetLanguageOffset(kSwedish);
    OnOff(0);
    ExpectOn(0, picture);
    EXPECT_EQ(toolkit.fileRequests.size(), 1u) << "no second dialog";

    // An empty slot asks for a picture; cancelled, nothing changes.
    editor.GetTexts().SetLanguageOffset(kEnglish);
    toolkit.files.push_back(std::nullopt);
    OnOff(3);
    ASSERT_EQ(toolkit.fileRequests.size(), 2u);
    EXPECT_EQ(toolkit.fileRequests[1].title, "Select Image");
    ExpectEmpty(3);
    EXPECT_TRUE(view.calls.empty());
    const std::string small = Gif(101, 20);
    toolkit.files.push_back(File("small.gif", small));
    OnOff(3);
    ExpectOn(3, small);

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
    EXPECT_EQ(toolkit.fileRequests.size(), 5u);
}

TEST_F(SlotFixture, LoadSlotPictureTakesAFileWithoutCheckButNotAMissingOrEmptyOne) {
    const std::string picture = "any bytes at all, no size is checked here";
    ASSERT_TRUE(editor.LoadSlotPicture(File("stand.gif", picture), 0));
    ExpectOn(0, picture);

    // The same path as switching on: the view sees exactly the switch-on changes.
    view.calls.clear();
    theme.members[2] = MemberRecord{AsBytes("old"), true};
    theme.slots[2] = SlotState::On;
    ASSERT_TRUE(editor.LoadSlotPicture(File("medium.gif", "new picture"), 2));
    ExpectOn(2, "new picture");
    EXPECT_THAT(view.calls, ElementsAre("SlotChanged 2", "ChangeColor 5", "ArrangeMenuItems", "Show 2"));

    EXPECT_FALSE(editor.LoadSlotPicture(dir / "missing.gif", 1));
    EXPECT_FALSE(editor.LoadSlotPicture(File("empty.gif", ""), 1));
    ExpectEmpty(1);
    theme.members[4] = MemberRecord{AsBytes("kept"), false};
    theme.slots[4] = SlotState::Off;
    view.calls.clear();
    EXPECT_FALSE(editor.LoadSlotPicture(dir / "empty.gif", 4));
    ExpectSlot(4, SlotState::Off, "kept");
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(toolkit.fileRequests.empty());
    EXPECT_TRUE(toolkit.shown.empty()) << "a missing picture is no failure";
}

TEST_F(SlotFixture, FileDialogAppendsTheExtensionOnlyWhereItIsMissing) {
    const std::string photo = File("PHOTO.GIF", Gif(101, 80));
    fs::create_directory(dir.Path() / "folder");
    const struct {
        std::optional<std::string> answer;
        const char* extension;
        std::optional<std::string> result;
    } cases[] = {
        {dir / "my", "thm", dir / "my.thm"},
        {dir / "my.THM", "thm", dir / "my.THM.thm"},  // the letter case counts
        {dir / "my.thm.bak", "thm", dir / "my.thm.bak"},
        {"  " + (dir / "my") + "  ", "thm", dir / "my.thm"},  // blanks are trimmed
        {std::nullopt, "thm", std::nullopt},
        {"   ", "thm", std::nullopt},
        {photo, "gif", photo},  // an existing file opens as chosen
        {dir / "OTHER.GIF", "gif", dir / "OTHER.GIF.gif"},
        {dir / "folder", "thm", dir / "folder.thm"},  // a folder is not a chosen file
    };
    for (const auto& c : cases) {
        toolkit.files.push_back(c.answer);
        EXPECT_EQ(ShowFileDialog(toolkit, "/start", c.extension, "Create theme", true), c.result)
            << c.answer.value_or("(cancelled)");
    }
    ASSERT_EQ(toolkit.fileRequests.size(), 9u);
    EXPECT_EQ(toolkit.fileRequests[0].folder, "/start");
    EXPECT_EQ(toolkit.fileRequests[0].extension, "thm");
    EXPECT_EQ(toolkit.fileRequests[0].title, "Create theme");
    EXPECT_TRUE(toolkit.fileRequests[0].save);
}
