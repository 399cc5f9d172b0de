// Picture slots: header sizes, the Select and on/off buttons, picture findings, the file dialog.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "pictures/ImageInfo.h"
#include "support/EditorRig.h"
#include "dialogs/FileDialog.h"

using namespace tintora;
using namespace tintora::test;
namespace fs = std::filesystem;

namespace {

// A GIF header of the given size, `size` bytes long in all.
std::string Gif(int width, int height, std::size_t size = 40) { return AsText(HeaderGif(width, height, size - 10)); }

// A JFIF file whose frame header at 163..166 holds the given size (big-endian).
std::string Jfif(int width, int height, std::size_t size = 200) {
    std::string s = "\xFF\xD8....JFIF" + std::string(153, '\x11');
    s += {char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF)};
    s.resize(size, '\x11');
    return s;
}

auto Request(const FileDialogRequest& r) { return std::tie(r.folder, r.extension, r.title, r.save); }

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
        editor.ChooseSlotPicture(slot);
    }
    void OnOff(int slot) {
        view.calls.clear();
        editor.ToggleSlot(slot);
    }
    std::string Calls() const {
        std::string out;
        for (const std::string& c : view.calls) out += (out.empty() ? "" : ", ") + c;
        return out;
    }
    void ExpectSlot(int slot, SlotState state, const std::optional<std::string>& bytes) {
        EXPECT_EQ(theme.slots[slot], state) << slot;
        EXPECT_EQ(theme.members[slot].active, state == SlotState::On) << slot;
        EXPECT_EQ(theme.members[slot].data, bytes ? std::optional(Bytes(bytes->begin(), bytes->end())) : std::nullopt)
            << slot;
    }
};

}  // namespace

TEST(ImageInfo, HeadersAreMeasuredAtTheirFixedPlaces) {
    // A GIF's size is little-endian, a JFIF's big-endian; exactly the header's length is enough,
    // one byte less is not. The GIF test runs after the JFIF one and wins when both stand.
    const std::pair<std::string, std::optional<std::tuple<std::string, int, int>>> cases[] = {
        {Gif(101, 80), std::tuple("GIF", 101, 80)}, {Jfif(101, 80), std::tuple("JPG", 101, 80)},
        {Gif(101, 80, 10), std::tuple("GIF", 101, 80)}, {Gif(101, 80).substr(0, 9), std::nullopt},
        {Jfif(101, 80, 167), std::tuple("JPG", 101, 80)}, {Jfif(101, 80, 166), std::nullopt},
        {Jfif(101, 80).replace(0, 3, "GIF"), std::tuple("GIF", 'J' | 'F' << 8, 'I' | 'F' << 8)}};
    for (const auto& [bytes, expected] : cases) {
        const auto info = MeasureImage(Bytes(bytes.begin(), bytes.end()));
        EXPECT_EQ(info ? std::optional(std::tuple(info->kind, info->width, info->height)) : std::nullopt, expected)
            << bytes.size();
    }
}

// Select takes a picture of the slot's size byte for byte and switches the slot on; on/off keeps
// the picture. Every step changes the preview in its order, then the findings.
TEST_F(SlotFixture, SelectAndOnOffKeepThePictureAndChangeThePreviewInOrder) {
    const std::string standby = "Fill transparent, ChangeColour 0, ChangeColour 1, ChangeColour 2, ChangeColour 3, "
                                "ChangeColour 9";
    const std::string show0 = "SlotChanged 0, " + standby + ", Show 6, Show 0";
    const std::string show1 = "SlotChanged 1, Show 1, ChangeColour 36, ChangeColour 37";
    // Without a file the step presses on/off.
    const struct { int slot; std::string file, bytes, calls; } steps[] = {
        {0, "stand.gif", Gif(101, 80, 321), show0},
        {0, "", "", "SlotChanged 0, Fill opaque, ChangeColour 1, ChangeColour 3, ChangeColour 9, Hide 6, Hide 0"},
        {0, "", "", "SlotChanged 0, Show 6, Show 0, " + standby},
        {0, "shorter.gif", Gif(101, 80, 50), show0},  // nothing of the longer old picture is left
        {1, "photo.jpg", Jfif(101, 80), show1},
        {1, "", "", "SlotChanged 1, Hide 1, ChangeColour 36, ChangeColour 37, ChangeColour 9"},
        {1, "", "", show1},
        {2, "27.gif", Gif(101, 27), "SlotChanged 2, Show 2, ChangeColour 5, ArrangeMenuItems"},
        {2, "", "", "SlotChanged 2, Hide 2, ChangeColour 5, ArrangeMenuItems"},
        {2, "", "", "SlotChanged 2, ChangeColour 5, ArrangeMenuItems, Show 2"},
        {3, "20.gif", Gif(101, 20), "SlotChanged 3, ChangeColour 5, ArrangeMenuItems, Show 3"},
        {3, "", "", "SlotChanged 3, Hide 3, ChangeColour 5, ArrangeMenuItems"},
        {3, "", "", "SlotChanged 3, ChangeColour 5, ArrangeMenuItems, Show 3"},
        {4, "16.gif", Gif(101, 16), "SlotChanged 4, Show 4"},
        {4, "", "", "SlotChanged 4, Hide 4"},
        {5, "16.gif", Gif(101, 16), "SlotChanged 5, Show 5"},  // both small title slots take 101 x 16
    };
    std::array<std::string, kSlotCount> kept;
    std::array<bool, kSlotCount> on{};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "slot " << s.slot << " " << (s.file.empty() ? "on/off" : s.file));
        if (!s.file.empty()) kept[s.slot] = s.bytes;
        s.file.empty() ? OnOff(s.slot) : Select(s.slot, File(s.file, s.bytes));
        on[s.slot] = !s.file.empty() || !on[s.slot];
        EXPECT_EQ(Calls(), s.calls + ", FindingsChanged");
        ExpectSlot(s.slot, on[s.slot] ? SlotState::On : SlotState::Off, kept[s.slot]);
    }
    EXPECT_EQ(toolkit.fileRequests.size(), 7u) << "on/off asks for no file";
    EXPECT_EQ(Request(toolkit.fileRequests.at(0)), std::make_tuple("", "gif", "Select Image", false));
    EXPECT_TRUE(toolkit.shown.empty());
}

// On/off of an empty slot asks for a picture, as does a slot that an opened theme left off without
// data (never an active record without data); cancelled, nothing changes.
TEST_F(SlotFixture, OnOffOfAnEmptySlotAsksForAPicture) {
    toolkit.files.push_back(std::nullopt);
    OnOff(3);
    ExpectSlot(3, SlotState::Empty, std::nullopt);
    EXPECT_TRUE(view.calls.empty());
    toolkit.files.push_back(File("small.gif", Gif(101, 20)));
    OnOff(3);
    ExpectSlot(3, SlotState::On, Gif(101, 20));
    for (const std::optional<Bytes>& cleared : {std::optional<Bytes>{}, std::optional<Bytes>{Bytes{}}}) {
        theme.members[3] = MemberRecord{cleared, false};
        theme.slots[3] = SlotState::Off;
        toolkit.files.push_back(std::nullopt);
        OnOff(3);
        EXPECT_EQ(std::tie(theme.slots[3], theme.members[3].active), std::tuple(SlotState::Off, false));
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_EQ(toolkit.fileRequests.size(), 4u);
}

// A refusal names the sizes or the file and leaves the slot, the log and the folder as they were.
TEST_F(SlotFixture, RefusedOrUnreadablePicturesLeaveTheSlotAsItWas) {
    const std::string old = Gif(101, 80, 77);
    Select(0, File("old.gif", old));
    OnOff(0);  // off, with its picture
    const std::string title = "Incorrect image size", unreadable = "The picture file could not be read: ";
    const struct { int slot; std::string chosen, message, title; } cases[] = {
        {2, File("bg.gif", Gif(101, 80)), "The image you select is 101x80.\r\nThe image should be:  101x27", title},
        {0, File("words.gif", "this text holds GIF, but not at its start"),
         "The image you select is 0x0.\r\nThe image should be:  101x80", title},
        {0, File("wrong.gif", Gif(101, 27)), "The image you select is 101x27.\r\nThe image should be:  101x80", title},
        {0, dir / "gone.gif", unreadable + (dir / "gone.gif"), ""},
        {0, File("short.gif", "GIF89a\x65"), unreadable + (dir / "short.gif"), ""}};
    for (const auto& c : cases) {
        toolkit.shown.clear();
        Select(c.slot, c.chosen);
        ASSERT_EQ(toolkit.shown.size(), 1u) << c.chosen;
        const auto& shown = toolkit.shown[0];
        EXPECT_EQ(std::tie(shown.text, shown.title, shown.buttons, shown.icon),
                  std::make_tuple(c.message, c.title, Buttons::Ok, Icon::Warning));
        c.slot == 2 ? ExpectSlot(2, SlotState::Empty, std::nullopt) : ExpectSlot(0, SlotState::Off, old);
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_FALSE(fs::exists(dir / "gone.gif"));
    EXPECT_TRUE(log.Captured().empty());
}

// The findings name, after the colours, the pictures of slots that are on that the phone cannot show.
TEST_F(SlotFixture, PicturesOfAnotherSizeThanTheirSlotAreNamedInTheFindings) {
    ASSERT_TRUE(editor.LoadSlotPicture(File("tall.gif", Gif(101, 90)), 0));
    ASSERT_TRUE(editor.LoadSlotPicture(File("wide.gif", Gif(120, 80)), 1));
    ASSERT_TRUE(editor.LoadSlotPicture(File("fits.gif", Gif(101, 20)), 3));
    ASSERT_TRUE(editor.LoadSlotPicture(File("stub.gif", "GIF8"), 5));
    ASSERT_TRUE(editor.LoadSlotPicture(File("off.gif", Gif(300, 27)), 2));
    OnOff(2);
    EXPECT_EQ(editor.Findings(), "-->All colors are safe\r\n"
                                 "-->stand.gif is 101 x 90; the phone needs 101 x 80\r\n"
                                 "-->desk.gif is 120 x 80; the phone needs 101 x 80\r\n"
                                 "-->large.gif has no size that can be read; the phone needs 101 x 16\r\n");
    OnOff(0);
    editor.GetTexts().SetLanguageOffset(kGerman);
    editor.CheckColours();
    EXPECT_THAT(editor.Findings(),
                ::testing::EndsWith("-->large.gif hat keine lesbare Gr\xC3\xB6\xC3\x9F" "e; das Telefon braucht 101 x 16\r\n"));
}

TEST_F(SlotFixture, FileDialogAppendsTheExtensionOnlyWhereItIsMissing) {
    const std::string photo = File("PHOTO.GIF", Gif(101, 80));
    fs::create_directory(dir.Path() / "folder");
    // The letter case counts, blanks are trimmed, an existing file opens as chosen, a folder is no file.
    const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
        {dir / "my", dir / "my.thm"}, {dir / "my.THM", dir / "my.THM.thm"}, {dir / "my.thm.bak", dir / "my.thm.bak"},
        {"  " + (dir / "my") + "  ", dir / "my.thm"}, {std::nullopt, std::nullopt}, {"   ", std::nullopt},
        {photo, photo}, {dir / "folder", dir / "folder.thm"}};
    for (const auto& [answer, result] : cases) {
        toolkit.files.push_back(answer);
        EXPECT_EQ(ShowFileDialog(toolkit, "/start", "thm", "Create theme", true), result) << answer.value_or("-");
    }
    EXPECT_EQ(Request(toolkit.fileRequests.at(0)), std::make_tuple("/start", "thm", "Create theme", true));
}
