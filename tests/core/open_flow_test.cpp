// Opening themes: the document reader and the open flows shared by the editor and the command
// line, on archives written by the program's own writers and on hand-made ones.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "support/EditorRig.h"
#include "base/FileSystem.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::Not;
namespace fs = std::filesystem;

namespace {

using Info = std::array<std::string, 4>;
Info InfoOf(const ThemeInfo& i) { return {i.name, i.modifiedBy, i.created, i.creator}; }
Bytes Gif(int w, int h, std::size_t extra = 20) { return HeaderGif(w, h, extra, static_cast<unsigned>(w * 31 + h)); }
Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

struct OpenFlow : ::testing::Test, EditorRig<> {
    // An archive made of the given members, written by hand.
    std::string Archive(const std::string& name, std::initializer_list<std::pair<std::string, Bytes>> members) {
        Bytes a;
        for (const auto& [n, data] : members) AddMember(a, n, data);
        AddEndBlocks(a);
        WriteBytes(dir / name, a);
        return dir / name;
    }
    // An archive holding only theme.xml with these lines inside the root element.
    std::string DocArchive(const std::string& name, std::string_view body) {
        return Archive(name, {{"theme.xml", Text("<Ericsson_theme>\r\n" + std::string(body) + "</Ericsson_theme>\r\n")}});
    }
};

TEST_F(OpenFlow, AThemeWrittenByTheProgramReadsBackWholeFromTheDiskAndFromMemory) {
    std::array<std::string, kElementCount> upper;
    Theme written;
    const std::string path = dir / "round.thm";
    ASSERT_TRUE(WriteThemeFile(log, path, [&](Theme& t) {
        for (int i = 0; i < kElementCount; ++i) {
            char text[8];
            std::snprintf(text, sizeof text, "%02Xab%02X", i * 6, 250 - i);  // written as held
            t.colours[i] = upper[i] = text;
            upper[i].replace(2, 2, "AB");  // and upper-cased when read
        }
        t.info = {"Summer, hot", "Ann \xC3\xA5", "5.12.2026 9:3:7", "Bo"};
        for (int s = 0; s < kSlotCount; ++s) {
            t.slots[s] = SlotState::On;
            t.members[s] = {Gif(kSlots[s].width, kSlots[s].height, 300 + 97 * s), true};
        }
        written = t;
    }));
    const auto expectWhole = [&](const Theme& t, const char* how) {
        EXPECT_EQ(t.colours, upper) << how;
        EXPECT_EQ(InfoOf(t.info), InfoOf(written.info)) << how;
        for (int s = 0; s < kSlotCount; ++s) {
            EXPECT_TRUE(t.SlotOn(s) && t.members[s].active) << how << " " << s;
            EXPECT_EQ(t.members[s].data, written.members[s].data) << how << " " << s;
        }
        EXPECT_FALSE(t.Document().active) << how << ": the reader never fills the document record";
        EXPECT_FALSE(fs::exists(dir / "temp")) << how << ": the work folder is removed after reading";
    };
    log.ClearCaptured();
    ASSERT_EQ(editor.OpenTheme(path), Editor::OpenResult::Opened);
    expectWhole(editor.GetTheme(), "disk");
    EXPECT_EQ(view.calls.back(), "FindingsChanged");

    // A work folder kept in memory opens the same theme with the same log lines.
    const std::vector<std::string> onDisk = log.Captured();
    log.ClearCaptured();
    MemoryFolder memory(editor.Tempfolder());
    Editor inMemory(log, toolkit, view, editor.Tempfolder(), memory);
    inMemory.SetClock(clock);
    inMemory.ApplyDefaultColours();
    log.ClearCaptured();
    ASSERT_EQ(inMemory.OpenTheme(path), Editor::OpenResult::Opened);
    expectWhole(inMemory.GetTheme(), "memory");
    EXPECT_EQ(log.Captured(), onDisk);
}

// A document as other tools write it: misspelled twins, tags in another letter case, blanks and
// folders in picture names, pictures of any size or none, indentation, any line end, and the
// quirks the reader keeps.
TEST_F(OpenFlow, DocumentsOfOtherToolsInEveryKindOfLineEnd) {
    const Bytes stand = Gif(101, 80);
    WriteBytes(dir / "secret.gif", stand);  // beside the archive: no picture name reaches it
    const std::string lines =
        "<?xml version=\"1.0\"?>\n  \t<Ericsson_theme>\n"
        "<Hightlight_text Color=\"0x010101\"/>\n\t\t<Hightlight_disabled_text Color=\"0x020202\"/>\n"
        "<Popup_hightlight_text Color=\"0x030303\"/>\n<Popup_hightlight_disabled_text Color=\"0x040404\"/>\n"
        "<Calendar_weekend_hightlight Color=\"0x050505\"/>\n    <Calendar_weekend_hightlight_text Color=\"0x060606\"/>\n"
        "<popup_prompt Color=\"0x070707\"/>\n<Backround_image Source=\"ST AND.GIF\"/>\n"
        "<Desktop_background_image Source=\"desk.gif\"/>\n<Title_image_medium Source=\"..\\secret.gif\"/>\n"
        "<Title_image_small Source=\"../secret.gif\"/>\n<Title_image_asian Source=\"asian.gif\"/>\n"
        "<Title_image_large Source=\"large.gif\"/>\n<Text Color=\"0xABC\"/>\n<Prompt Value=\"1\"/>\n"
        "<Theme_name Name=\"Other tool\"/>\n<Theme_creator/>\n<Theme_created Value=\"no closing quote\n</Ericsson_theme>";
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol == "\r\n" ? "CR LF" : eol == "\n" ? "LF" : "CR");
        std::string doc;
        for (char c : lines) doc += c == '\n' ? eol : std::string(1, c);
        editor.ApplyDefaultColours();
        log.ClearCaptured();
        const std::string path = Archive("other.thm", {{"stand.gif", stand}, {"desk.gif", {}}, {"asian.gif", Text("any")},
                                                       {"theme.XML", Text(doc)},
                                                       {"a.xml", Text("<Text Color=\"0x0000BB\"/>\r\n")}});
        ASSERT_EQ(editor.OpenTheme(path), Editor::OpenResult::Opened);  // the first XML member
        const Theme& t = editor.GetTheme();
        const std::pair<int, const char*> twins[] = {{12, "010101"}, {13, "020202"}, {25, "030303"},
                                                      {26, "040404"}, {34, "050505"}, {35, "060606"}};
        for (const auto& [e, value] : twins) EXPECT_EQ(t.colours[e], value) << e;
        EXPECT_EQ(t.colours[22], "5C1D0E") << "a tag differing in letter case is ignored";
        EXPECT_EQ(t.colours[9], "ABC\"/>") << "three digits and the three characters that end the line";
        EXPECT_EQ(t.colours[14], "000000");
        EXPECT_TRUE(Logged("Could Not find the value in FindValue -- sTag=<Prompt Value=\"1\"/>"));
        EXPECT_EQ(InfoOf(t.info), (Info{"Other tool", "", "no closing quote", ""}));
        // A picture is taken as it is, whatever its size; one without bytes, one missing and one
        // named by a parent reference leave their slots empty, and none of them is a failure.
        EXPECT_EQ(t.members[0].data, stand);
        EXPECT_EQ(t.members[4].data, Text("any"));
        EXPECT_EQ(t.slots, (std::array{SlotState::On, SlotState::Empty, SlotState::Empty, SlotState::Empty,
                                       SlotState::On, SlotState::Empty}));
        EXPECT_TRUE(toolkit.shown.empty());
    }
}

TEST_F(OpenFlow, EveryFailedOpenIsReportedAndADamagedLineEndsReading) {
    using R = Editor::OpenResult;
    const std::string truncated = Archive("cut.thm", {{"theme.xml", Bytes(600, 'x')}});
    fs::resize_file(truncated, 700);  // the member's data now runs past the end of the file
    const std::string damaged = "Error in ReadFile";
    const struct {
        std::string path;
        R result;
        std::vector<std::string> shown;
        bool emptied;                        // pictures switched off and records emptied first
        bool rulesRun;                       // the colour rules ran and repainted at the end
        std::optional<bool> workFolderLeft;  // unknown when the flow never reached it
    } cases[] = {
        {dir / "gone.thm", R::FileMissing, {"Can not find the file"}, false, false, std::nullopt},
        {truncated, R::UnpackFailed, {"Error when unpacking TAR file....\nmember runs past the end of the file: theme.xml"},
         true, true, true},
        {Archive("nodoc.thm", {{"stand.gif", Gif(101, 80)}}), R::NoDocument,
         {editor.GetTexts().GetText(kTextNoThemeDocument)}, true, false, true},  // kept until the next open
        {Archive("noclose.thm", {{"theme.xml", Text("<Text\r\n")}}), R::ReadFailed,
         {damaged + "\nLine Number-> 0\nCurrent sTag->"}, true, true, false},
        // An absolute picture name has its first "/" at the start: a damaged line, nothing loaded.
        {DocArchive("abs.thm", "<Background_image Source=\"" + (dir / "secret.gif") + "\"/>\r\n"), R::ReadFailed,
         {damaged + "\nLine Number-> 1\nCurrent sTag->Background_image"}, true, true, false},
        {DocArchive("noquote.thm", "<Text Color=\"0x111111\"/>\r\n<Background_image Source=stand.gif>\r\n"
                                   "<Prompt Color=\"0x222222\"/>\r\n"), R::ReadFailed,
         {damaged + "\nLine Number-> 2\nCurrent sTag->Background_image"}, true, true, false},
    };
    WriteBytes(dir / "secret.gif", Gif(101, 80));
    Theme& t = editor.GetTheme();
    for (const auto& c : cases) {
        t.slots[2] = SlotState::On;
        t.members[2] = {Gif(101, 27), true};
        t.slots[4] = SlotState::Off;
        t.members[4] = {Gif(101, 16), false};
        toolkit.shown.clear();
        view.calls.clear();
        EXPECT_EQ(editor.OpenTheme(c.path), c.result) << c.path;
        EXPECT_EQ(toolkit.Texts(), c.shown) << c.path;
        // A picture that is gone no longer shows as loaded.
        EXPECT_EQ(t.slots[2] == SlotState::Empty && t.slots[4] == SlotState::Empty, c.emptied) << c.path;
        for (const auto& m : t.members) EXPECT_TRUE(!c.emptied || (!m.active && !m.data)) << c.path;
        EXPECT_EQ(!view.calls.empty() && view.calls.back() == "FindingsChanged", c.rulesRun) << c.path;
        EXPECT_EQ(fs::exists(dir / "temp"), c.workFolderLeft.value_or(fs::exists(dir / "temp"))) << c.path;
    }
    EXPECT_EQ(editor.Colour(9), "111111") << "lines before the damaged one have taken effect";
    EXPECT_EQ(editor.Colour(14), "5C1D0E") << "lines after it have not";
}

// Read clears the three status labels where opening from the browser fills the information frame.
TEST_F(OpenFlow, ReadAsksForAFileClearsTheStatusLabelsAndReportsAMissingDocument) {
    editor.Settings().readFolder = dir.Path().string();
    toolkit.files = {DocArchive("read.thm", "<Prompt Color=\"0x0000FF\"/>\r\n"), std::nullopt,
                     Archive("nodoc.thm", {{"stand.gif", Gif(101, 80)}})};
    EXPECT_EQ(editor.OpenThemeWithDialog(), Editor::OpenResult::Opened);
    const FileDialogRequest& request = toolkit.fileRequests.at(0);
    EXPECT_EQ(std::tie(request.folder, request.extension, request.title, request.save),
              std::make_tuple(dir.Path().string(), "thm", "Read theme", false));
    EXPECT_EQ(editor.Colour(14), "0000FF");
    EXPECT_THAT(view.calls, Not(Contains("ShowThemeInfo")));
    EXPECT_THAT(view.calls, Contains("ClearStatusLabels"));
    EXPECT_FALSE(fs::exists(dir / "temp"));

    EXPECT_EQ(editor.OpenThemeWithDialog(), Editor::OpenResult::Cancelled);
    EXPECT_EQ(editor.OpenThemeWithDialog(), Editor::OpenResult::NoDocument);
    EXPECT_EQ(toolkit.Texts(), std::vector{editor.GetTexts().GetText(kTextNoThemeDocument)});
}

}  // namespace
