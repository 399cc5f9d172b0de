// Opening themes: the open flows shared by the editor and the command line, on archives written
// by the program's own writers and on hand-made ones.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>

#include "support/EditorRig.h"
#include "base/FileSystem.h"

using namespace tintora;
using namespace tintora::test;
namespace fs = std::filesystem;

namespace {

Bytes Gif(int w, int h, std::size_t extra = 20) { return HeaderGif(w, h, extra, unsigned(w * 31 + h)); }
Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }
auto InfoOf(const ThemeInfo& i) { return std::tie(i.name, i.modifiedBy, i.created, i.creator); }

struct OpenFlow : ::testing::Test, EditorRig<> {
    std::string Archive(const std::string& name, std::initializer_list<std::pair<const char*, Bytes>> members) {
        Bytes a;
        for (const auto& [n, data] : members) AddMember(a, n, data);
        AddEndBlocks(a);
        WriteBytes(dir / name, a);
        return dir / name;
    }
};

TEST_F(OpenFlow, AThemeWrittenByTheProgramReadsBackWholeFromTheDiskAndFromMemory) {
    Theme written;
    const std::string path = dir / "round.thm";
    ASSERT_TRUE(WriteThemeFile(log, path, [&](Theme& t) {
        t.colours[5] = "0a0b0c";  // written as held, upper-cased when read
        t.info = {"Summer, hot", "Ann \xC3\xA5", "5.12.2026 9:3:7", "Bo"};
        for (int s = 0; s < kSlotCount; ++s) {
            t.slots[s] = SlotState::On;
            t.members[s] = {Gif(kSlots[s].width, kSlots[s].height, 300 + 97 * s), true};
        }
        written = t;
    }));
    // A work folder kept in memory opens the same theme with the same log lines.
    MemoryFolder memory(editor.Tempfolder());
    Editor inMemory(log, toolkit, view, editor.Tempfolder(), memory);
    inMemory.SetClock(clock);
    std::vector<std::string> onDisk;
    for (Editor* e : {&editor, &inMemory}) {
        SCOPED_TRACE(e == &editor ? "disk" : "memory");
        e->ApplyDefaultColours();
        log.ClearCaptured();
        ASSERT_EQ(e->OpenTheme(path), Editor::OpenResult::Opened);
        const Theme& t = e->GetTheme();
        EXPECT_EQ(t.colours[5], "0A0B0C");
        EXPECT_EQ(InfoOf(t.info), InfoOf(written.info));
        for (int s = 0; s < kSlotCount; ++s) {
            EXPECT_TRUE(t.SlotOn(s) && t.members[s].active) << s;
            EXPECT_EQ(t.members[s].data, written.members[s].data) << s;
        }
        EXPECT_FALSE(t.Document().active) << "the reader never fills the document record";
        EXPECT_FALSE(fs::exists(dir / "temp")) << "the work folder is removed after reading";
        if (onDisk.empty()) onDisk = log.Captured();
        else EXPECT_EQ(log.Captured(), onDisk);
    }
}

// The editor's side of reading a document (the reader's quirks are tested on bytes): the first
// XML member in archive order is the document, picture names find members whatever their letter
// case, and a picture without bytes, missing or named outside the members leaves its slot empty.
TEST_F(OpenFlow, PicturesAreFoundAmongTheMembersOnly) {
    const Bytes stand = Gif(101, 80);
    WriteBytes(dir / "secret.gif", stand);  // beside the archive: no picture name reaches it
    const std::string doc =
        "<Ericsson_theme>\n<Backround_image Source=\"ST AND.GIF\"/>\n"
        "<Desktop_background_image Source=\"desk.gif\"/>\n<Title_image_medium Source=\"..\\secret.gif\"/>\n"
        "<Title_image_small Source=\"../secret.gif\"/>\n<Title_image_asian Source=\"asian.gif\"/>\n"
        "<Title_image_large Source=\"large.gif\"/>\n<Prompt Value=\"1\"/>\n<Theme_name Value=\"Other tool\"/>";
    const std::string path = Archive("other.thm", {{"stand.gif", stand}, {"desk.gif", {}},
        {"asian.gif", Text("any")}, {"theme.XML", Text(doc)}, {"a.xml", Text("<Text Color=\"0x0B\"/>")}});
    ASSERT_EQ(editor.OpenTheme(path), Editor::OpenResult::Opened);
    const Theme& t = editor.GetTheme();
    EXPECT_EQ(t.members[0].data, stand);
    EXPECT_EQ(t.members[4].data, Text("any"));
    EXPECT_EQ(t.slots, (std::array{SlotState::On, SlotState::Empty, SlotState::Empty, SlotState::Empty,
                                   SlotState::On, SlotState::Empty}));
    EXPECT_EQ(t.colours[9], kElements[9].defaultValue) << "a.xml is not the document";
    EXPECT_EQ(t.info.name, "Other tool");
    EXPECT_TRUE(Logged("Could Not find the value in FindValue -- sTag=<Prompt Value=\"1\"/>"));
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(OpenFlow, EveryFailedOpenIsReportedAndADamagedLineEndsReading) {
    using R = Editor::OpenResult;
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
        {dir / "gone.thm", R::FileMissing, "Can not find the file", false, false, std::nullopt},
        {truncated, R::UnpackFailed,
         "Error when unpacking TAR file....\nmember runs past the end of the file: theme.xml", true, true, true},
        {Archive("nodoc.thm", {{"stand.gif", Gif(101, 80)}}), R::NoDocument,
         editor.GetTexts().GetText(kTextNoThemeDocument), true, false, true},  // kept until the next open
        {Archive("noquote.thm", {{"theme.xml", Text(damaged)}}), R::ReadFailed,
         "Error in ReadFile\nLine Number-> 2\nCurrent sTag->Background_image", true, true, false},
    };
    Theme& t = editor.GetTheme();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        t.slots[2] = SlotState::On;
        t.members[2] = {Gif(101, 27), true};
        t.slots[4] = SlotState::Off;
        t.members[4] = {Gif(101, 16), false};
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
    EXPECT_EQ(editor.OpenThemeWithDialog(), Editor::OpenResult::Opened);
    const FileDialogRequest& request = toolkit.fileRequests.at(0);
    EXPECT_EQ(std::tie(request.folder, request.extension, request.title, request.save),
              std::make_tuple(dir.Path().string(), "thm", "Read theme", false));
    EXPECT_EQ(editor.Colour(14), "0000FF");
    EXPECT_EQ(editor.OpenThemeWithDialog(), Editor::OpenResult::Cancelled);
    EXPECT_TRUE(toolkit.shown.empty());
}

}  // namespace
