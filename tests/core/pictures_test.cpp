// Picture slots: measuring picture headers, the Select button's size check, the on/off button
// and its preview changes, and the file dialog rules. Pictures taken from an opened theme are
// tested with the open flow.

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
    std::string s(200, '\x11');
    s.replace(0, 10, "\xFF\xD8....JFIF");
    const char frame[] = {char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF)};
    s.replace(163, 4, frame, 4);
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
    void ExpectOn(int slot, const std::string& bytes) { ExpectSlot(slot, SlotState::On, bytes); }
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

TEST_F(SlotFixture, SelectTakesInPicturesOfTheRequiredSizeAndOnOffKeepsThem) {
    const std::string picture = Gif(101, 80, 321), jfif = Jfif(101, 80), shorter = Gif(101, 80, 50);
    Select(0, File("stand.gif", picture));
    EXPECT_EQ(Request(toolkit.fileRequests.at(0)), std::make_tuple("", "gif", "Select Image", false));
    ExpectOn(0, picture);
    Select(1, File("photo.jpg", jfif));
    ExpectOn(1, jfif);
    Select(0, File("shorter.gif", shorter));
    ExpectOn(0, shorter);  // nothing of the longer old picture is left
    OnOff(0);
    ExpectSlot(0, SlotState::Off, shorter);
    OnOff(0);
    ExpectOn(0, shorter);
    EXPECT_EQ(toolkit.fileRequests.size(), 3u) << "switching on asks for no file";
    EXPECT_TRUE(toolkit.shown.empty());

    // An empty slot asks for a picture; cancelled, nothing changes.
    toolkit.files.push_back(std::nullopt);
    OnOff(3);
    ExpectSlot(3, SlotState::Empty, std::nullopt);
    EXPECT_TRUE(view.calls.empty());
    toolkit.files.push_back(File("small.gif", Gif(101, 20)));
    OnOff(3);
    ExpectOn(3, Gif(101, 20));

    // Opening a theme that does not use the slot leaves it off with its record emptied: it
    // must ask again rather than become an active record without data.
    for (const std::optional<Bytes>& cleared : {std::optional<Bytes>{}, std::optional<Bytes>{Bytes{}}}) {
        theme.members[3] = MemberRecord{cleared, false};
        theme.slots[3] = SlotState::Off;
        toolkit.files.push_back(std::nullopt);
        OnOff(3);
        EXPECT_EQ(std::tie(theme.slots[3], theme.members[3].active), std::tuple(SlotState::Off, false));
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_EQ(toolkit.fileRequests.size(), 7u);
}

// A refusal names the sizes or the file, and leaves an empty slot empty and an off slot off with
// its picture; nothing is logged and a missing file is not created.
TEST_F(SlotFixture, RefusedOrUnreadablePicturesLeaveTheSlotAsItWas) {
    const std::string old = Gif(101, 80, 77);
    Select(0, File("old.gif", old));
    OnOff(0);
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

TEST_F(SlotFixture, PreviewChangesFollowTheSlotInTheirOrder) {
    for (const auto& [name, height] : {std::pair{"80.gif", 80}, {"27.gif", 27}, {"20.gif", 20}, {"16.gif", 16}})
        File(name, Gif(101, height));
    const std::string standby = "Fill transparent, ChangeColour 0, ChangeColour 1, ChangeColour 2, ChangeColour 3, ChangeColour 9";
    // A file is chosen with the Select button; without one the step presses on/off.
    const struct { int slot; const char* file; std::string calls; } steps[] = {
        {0, "80.gif", "SlotChanged 0, " + standby + ", Show 6, Show 0"},
        {0, nullptr, "SlotChanged 0, Fill opaque, ChangeColour 1, ChangeColour 3, ChangeColour 9, Hide 6, Hide 0"},
        {0, nullptr, "SlotChanged 0, Show 6, Show 0, " + standby},
        {1, "80.gif", "SlotChanged 1, Show 1, ChangeColour 36, ChangeColour 37"},
        {1, nullptr, "SlotChanged 1, Hide 1, ChangeColour 36, ChangeColour 37, ChangeColour 9"},
        {1, nullptr, "SlotChanged 1, Show 1, ChangeColour 36, ChangeColour 37"},
        {2, "27.gif", "SlotChanged 2, Show 2, ChangeColour 5, ArrangeMenuItems"},
        {2, nullptr, "SlotChanged 2, Hide 2, ChangeColour 5, ArrangeMenuItems"},
        {2, nullptr, "SlotChanged 2, ChangeColour 5, ArrangeMenuItems, Show 2"},
        {3, "20.gif", "SlotChanged 3, ChangeColour 5, ArrangeMenuItems, Show 3"},
        {3, nullptr, "SlotChanged 3, Hide 3, ChangeColour 5, ArrangeMenuItems"},
        {3, nullptr, "SlotChanged 3, ChangeColour 5, ArrangeMenuItems, Show 3"},
        {4, "16.gif", "SlotChanged 4, Show 4"},
        {4, nullptr, "SlotChanged 4, Hide 4"},
        {5, "16.gif", "SlotChanged 5, Show 5"},  // the same picture is taken by both small title slots
    };
    for (const auto& s : steps) {
        s.file ? Select(s.slot, dir / s.file) : OnOff(s.slot);
        // The findings follow every change of a picture (they name pictures of a wrong size).
        EXPECT_EQ(Calls(), s.calls + ", FindingsChanged") << "slot " << s.slot << (s.file ? " select" : " on/off");
    }
}

// A theme may hold pictures of any size; the findings name those the phone cannot show, after
// the colour findings, for the slots that are on.
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
    // The letter case counts, blanks are trimmed, an existing file opens as chosen and a folder
    // is not one.
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
