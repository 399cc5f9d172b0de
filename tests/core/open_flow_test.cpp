// Opening themes: the document reader and the open flows shared by the editor and the command
// line, on archives written by the program's own writers and on hand-made ones.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "support/EditorRig.h"
#include "workspace/FileSystem.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

Bytes Gif(int w, int h, std::size_t extra = 20) { return HeaderGif(w, h, extra, static_cast<unsigned>(w * 31 + h)); }
Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

struct OpenFlow : ::testing::Test, EditorRig<> {
    // An archive written by the program's own writers from a theme that `setup` prepares.
    std::string Save(const std::string& name, const std::function<void(Theme&)>& setup) {
        const std::string path = dir / name;
        EXPECT_TRUE(WriteThemeFile(log, path, setup));
        return path;
    }

    // An archive made of the given members, written by hand.
    std::string Archive(const std::string& name, std::initializer_list<std::pair<std::string, Bytes>> members) {
        Bytes a;
        for (const auto& [n, data] : members) AddMember(a, n, data);
        AddEndBlocks(a);
        const std::string path = dir / name;
        WriteBytes(path, a);
        return path;
    }

    std::string Document(std::string_view body) {
        return std::string("<?xml version=\"1.0\"?>\r\n<Ericsson_theme>\r\n") + std::string(body) +
               "</Ericsson_theme>\r\n";
    }
};

}  // namespace

TEST_F(OpenFlow, AThemeWrittenByTheProgramReadsBackWhole) {
    const Bytes stand = Gif(101, 80, 900), small = Gif(101, 20, 300);
    const std::string path = Save("round.thm", [&](Theme& t) {
        t.colours[4] = "0000FF";
        t.colours[9] = "123ABC";
        t.colours[36] = "00ff00";
        t.info = {"Summer, hot", "Ann \xC3\xA5", "5.12.2026 9:3:7", "Bo"};
        t.slots[0] = t.slots[3] = SlotState::On;
        t.members[0] = {stand, true};
        t.members[3] = {small, true};
    });
    editor.GetTheme().info.name = "previous";

    ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
    const Theme& t = editor.GetTheme();
    EXPECT_EQ(t.colours[4], "0000FF");
    EXPECT_EQ(t.colours[9], "123ABC");
    EXPECT_EQ(t.colours[36], "00FF00") << "written as held, upper-cased when read";
    EXPECT_EQ(t.colours[0], "B52908");
    EXPECT_EQ((std::array{t.info.name, t.info.modifiedBy, t.info.created, t.info.creator}),
              (std::array<std::string, 4>{"Summer, hot", "Ann \xC3\xA5", "5.12.2026 9:3:7", "Bo"}));
    EXPECT_EQ(t.slots, (std::array{SlotState::On, SlotState::Empty, SlotState::Empty, SlotState::On,
                                   SlotState::Empty, SlotState::Empty}));
    EXPECT_EQ(*t.members[0].data, stand);
    EXPECT_TRUE(t.members[0].active);
    EXPECT_EQ(*t.members[3].data, small);
    EXPECT_FALSE(t.members[6].active) << "the reader never fills the document record";
    EXPECT_FALSE(fs::exists(dir / "temp")) << "the work folder is removed after reading";
    EXPECT_THAT(view.calls, Contains("ShowThemeInfo"));
    EXPECT_EQ(view.calls.back(), "FindingsChanged");
    EXPECT_THAT(log.Captured(), Contains("#############ReadFileBrowse has started##########"));
}

TEST_F(OpenFlow, MisspelledTwinsLetterCaseAndTheQuirksTheReaderKeeps) {
    const std::string path = Archive("twins.thm", {
        {"stand.gif", Gif(101, 80)},
        {"theme.xml", Text(Document(
            "<Hightlight_text Color=\"0x010101\"/>\r\n"
            "<Hightlight_disabled_text Color=\"0x020202\"/>\r\n"
            "<Popup_hightlight_text Color=\"0x030303\"/>\r\n"
            "<Popup_hightlight_disabled_text Color=\"0x040404\"/>\r\n"
            "<Calendar_weekend_hightlight Color=\"0x050505\"/>\r\n"
            "<Calendar_weekend_hightlight_text Color=\"0x060606\"/>\r\n"
            "<popup_prompt Color=\"0x070707\"/>\r\n"
            "<Backround_image Source=\"STAND.GIF\"/>\r\n"
            "<Text Color=\"0xABC\"/>\r\n"
            "<Prompt Value=\"1\"/>\r\n"
            "<Theme_name Name=\"Other tool\"/>\r\n"
            "<Theme_creator/>\r\n"
            "<Theme_created Value=\"no closing quote\r\n"))}});
    ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
    const Theme& t = editor.GetTheme();
    const std::pair<int, const char*> twins[] = {{12, "010101"}, {13, "020202"}, {25, "030303"},
                                                  {26, "040404"}, {34, "050505"}, {35, "060606"}};
    for (const auto& [e, value] : twins) EXPECT_EQ(t.colours[e], value) << e;
    EXPECT_EQ(t.colours[22], "5C1D0E") << "a tag differing in letter case is ignored";
    EXPECT_EQ(t.slots[0], SlotState::On) << "the member is found whatever its letter case";
    EXPECT_EQ(editor.Colour(9), "ABC\"/>") << "three digits and the three characters that end the line";
    EXPECT_EQ(editor.Colour(14), "000000");
    EXPECT_TRUE(Logged("Could Not find the value in FindValue -- sTag=<Prompt Value=\"1\"/>"));
    EXPECT_EQ((std::array{t.info.name, t.info.modifiedBy, t.info.created, t.info.creator}),
              (std::array<std::string, 4>{"Other tool", "", "no closing quote", ""}))
        << "texts the document does not name end up empty";
    EXPECT_EQ(editor.Colour(0), "B52908") << "elements the document does not name keep their value";
    // The next save writes the correct spelling.
    Theme copy = t;
    bSaveFile(copy);
    const std::string doc = AsText(*copy.Document().data);
    EXPECT_NE(doc.find("<Highlight_text Color=\"0x010101\"/>"), std::string::npos);
    EXPECT_EQ(doc.find("Hightlight"), std::string::npos);
}

TEST_F(OpenFlow, IndentationAndEveryKindOfLineEnd) {
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        const std::string doc = "<?xml version=\"1.0\"?>" + eol + "  \t<Ericsson_theme>" + eol +
                                "\t\t<Text Color=\"0xabcdef\"/>" + eol + "    <Theme_name Value=\"Ind\"/>" +
                                eol + "</Ericsson_theme>";
        const std::string path = Archive("eol.thm", {{"theme.xml", Text(doc)}});
        ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
        EXPECT_EQ(editor.Colour(9), "ABCDEF") << "lower-case values are upper-cased";
        EXPECT_EQ(editor.GetTheme().info.name, "Ind");
        editor.SetColour(9, "000000");
    }
}

TEST_F(OpenFlow, PictureNamesLoseTheirBlanksAndCannotReachOutsideTheWorkFolder) {
    const Bytes gif = Gif(101, 80);
    WriteBytes(dir.Path() / "secret.gif", gif);
    const std::string path = Archive("names.thm", {
        {"mystand.gif", gif},
        {"theme.xml", Text(Document("<Background_image Source=\"my stand.gif\"/>\r\n"
                                    "<Desktop_background_image Source=\"desk.gif\"/>\r\n"
                                    "<Title_image_medium Source=\"..\\secret.gif\"/>\r\n"
                                    "<Title_image_small Source=\"../secret.gif\"/>\r\n"))}});
    ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
    const Theme& t = editor.GetTheme();
    EXPECT_EQ(t.slots[0], SlotState::On);
    EXPECT_EQ(*t.members[0].data, gif);
    EXPECT_EQ(t.slots, (std::array{SlotState::On, SlotState::Empty, SlotState::Empty, SlotState::Empty,
                                   SlotState::Empty, SlotState::Empty}))
        << "a missing picture is no failure; a parent reference finds nothing";
    EXPECT_TRUE(toolkit.shown.empty());
    // An absolute name has its first "/" at the start: a damaged picture line.
    const std::string absolute = Archive("abs.thm", {{"theme.xml", Text(Document(
        "<Background_image Source=\"" + (dir / "secret.gif") + "\"/>\r\n"))}});
    EXPECT_EQ(editor.ReadFileBrowse(absolute), Editor::OpenResult::ReadFailed);
    EXPECT_EQ(t.slots[0], SlotState::Empty);
}

TEST_F(OpenFlow, ADamagedLineEndsReadingWithThreeMessages) {
    const std::string path = Archive("broken.thm", {{"theme.xml", Text(Document(
        "<Text Color=\"0x111111\"/>\r\n"
        "<Background_image Source=stand.gif>\r\n"
        "<Prompt Color=\"0x222222\"/>\r\n"))}});
    EXPECT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::ReadFailed);
    EXPECT_EQ(editor.Colour(9), "111111") << "lines before the failing one have taken effect";
    EXPECT_EQ(editor.Colour(14), "5C1D0E") << "lines after it have not";
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Error in ReadFile", "Line Number-> 3",
                                             "Current sTag->Background_image"));
    EXPECT_FALSE(fs::exists(dir / "temp"));

    toolkit.shown.clear();
    const std::string noClose = Archive("noclose.thm", {{"theme.xml", Text("<Text\r\n")}});
    editor.ReadFileBrowse(noClose);
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Error in ReadFile", "Line Number-> 0", "Current sTag->"));
}

TEST_F(OpenFlow, OpeningSwitchesPicturesOffAndEmptiesRecordsFirst) {
    Theme& t = editor.GetTheme();
    t.slots[2] = SlotState::On;
    t.members[2] = {Gif(101, 27), true};
    t.slots[4] = SlotState::Off;
    t.members[4] = {Gif(101, 16), false};
    const std::string path = Archive("bad.thm", {{"theme.xml", Bytes(600, 'x')}});
    fs::resize_file(path, 700);  // the member's data now runs past the end of the file
    EXPECT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::UnpackFailed);
    EXPECT_EQ(t.slots[2], SlotState::Empty);
    EXPECT_EQ(t.slots[4], SlotState::Empty) << "a picture that is gone no longer shows as loaded";
    for (const auto& m : t.members) {
        EXPECT_FALSE(m.active);
        EXPECT_FALSE(m.data.has_value());
    }
    EXPECT_THAT(toolkit.Texts(), Contains("Error when unpacking TAR file...."));
    EXPECT_EQ(view.calls.back(), "FindingsChanged") << "the rules still run after a failed unpack";
    EXPECT_EQ(editor.Colour(4), "FFEAB6") << "the colours of the previous theme stay";
}

TEST_F(OpenFlow, EarlyExitsAndTheChoiceOfDocument) {
    EXPECT_EQ(editor.ReadFileBrowse(dir / "gone.thm"), Editor::OpenResult::FileMissing);
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Can not find the file"));
    EXPECT_FALSE(fs::exists(dir / "gone.thm"));

    toolkit.shown.clear();
    EXPECT_EQ(editor.ReadFileBrowse(Archive("nodoc.thm", {{"stand.gif", Gif(101, 80)}})),
              Editor::OpenResult::NoDocument);
    EXPECT_THAT(toolkit.Texts(), ElementsAre(editor.GetTexts().GetText(kTextNoThemeDocument)));
    EXPECT_TRUE(fs::exists(dir.Path() / "temp" / "stand.gif")) << "the unpacked files stay until the next open";
    EXPECT_THAT(view.calls, ::testing::Not(Contains("FindingsChanged"))) << "no rules, no repaint";

    // The document is the first XML member in archive order, whatever its letter case.
    const std::string path = Archive("two.thm", {
        {"z.XML", Text(Document("<Text Color=\"0x0000AA\"/>\r\n"))},
        {"a.xml", Text(Document("<Text Color=\"0x0000BB\"/>\r\n"))}});
    ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
    EXPECT_EQ(editor.Colour(9), "0000AA");
}

TEST_F(OpenFlow, ReadAsksForAFileAndKeepsTheCreatedLabel) {
    const std::string path = Save("read.thm", [](Theme& t) {
        t.colours[4] = "0000FF";
        t.info = {"N", "M", "1.1.2027 0:0:0", "C"};
    });
    editor.Settings().readFolder = dir.Path().string();
    toolkit.files.push_back(path);
    EXPECT_EQ(editor.ReadWithDialog(), Editor::OpenResult::Opened);
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_EQ(toolkit.fileRequests[0].folder, dir.Path().string());
    EXPECT_EQ(toolkit.fileRequests[0].extension, "thm");
    EXPECT_EQ(toolkit.fileRequests[0].title, "Read theme");
    EXPECT_FALSE(toolkit.fileRequests[0].save);
    EXPECT_EQ(editor.Colour(4), "0000FF");
    EXPECT_THAT(view.calls, ::testing::Not(Contains("ShowThemeInfo")));
    EXPECT_THAT(view.calls, Contains("ClearStatusLabels"));
    EXPECT_FALSE(fs::exists(dir / "temp"));

    // Cancel changes nothing; a typed name that does not exist fails like a bad archive.
    EXPECT_EQ(editor.ReadWithDialog(), Editor::OpenResult::Cancelled);
    toolkit.files.push_back(dir / "typed.thm");
    EXPECT_EQ(editor.ReadWithDialog(), Editor::OpenResult::UnpackFailed);
    EXPECT_FALSE(fs::exists(dir / "typed.thm"));
}

TEST_F(OpenFlow, AWorkFolderInMemoryOpensTheSameThemeWithTheSameLogLines) {
    const Bytes stand = Gif(101, 80, 700);
    const std::string path = Save("mem.thm", [&](Theme& t) {
        t.colours[19] = "ABCDEF";
        t.info.name = "Memory";
        t.slots[0] = SlotState::On;
        t.members[0] = {stand, true};
    });
    log.ClearCaptured();
    ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
    const std::vector<std::string> onDisk = log.Captured();
    const Theme fromDisk = editor.GetTheme();

    editor.Reset();
    editor.GetTheme().info = {};
    log.ClearCaptured();
    {
        const MemoryFolder memory(editor.Tempfolder());
        ASSERT_EQ(editor.ReadFileBrowse(path), Editor::OpenResult::Opened);
        EXPECT_FALSE(fs::exists(dir / "temp"));
    }
    EXPECT_EQ(editor.GetTheme().slots, fromDisk.slots) << "the picture was found in memory";
    EXPECT_EQ(log.Captured(), onDisk);
    EXPECT_EQ(editor.GetTheme().colours, fromDisk.colours);
    EXPECT_EQ(editor.GetTheme().info.name, "Memory");
    EXPECT_EQ(*editor.GetTheme().members[0].data, stand);
    EXPECT_FALSE(fs::exists(dir / "temp")) << "nothing of the work folder reached the disk";
}

TEST(MemoryFolderTest, KeepsOnlyItsOwnFolderInMemory) {
    TempDir dir;
    const std::string root = dir / "work";
    MemoryFolder memory(root);
    FileSystem& files = Files();
    EXPECT_EQ(files.Status(root), FileSystem::Kind::None);
    files.MakeFolder(root);
    EXPECT_EQ(files.Status(root), FileSystem::Kind::Folder);
    EXPECT_FALSE(fs::exists(root)) << "the folder lives in memory";
    std::string why;
    const Bytes data{1, 2, 3};
    ASSERT_TRUE(files.WriteNew(root + "/b.gif", data.data(), data.size(), why));
    ASSERT_TRUE(files.WriteNew(root + "/a.xml", data.data(), 1, why));
    EXPECT_FALSE(files.WriteNew(root + "/a.xml", data.data(), 1, why)) << "never replaces";
    EXPECT_FALSE(files.WriteNew(root + "/sub/c.gif", data.data(), 1, why)) << "files only, flat";
    EXPECT_FALSE(files.WriteNew(root + "x/c.gif", data.data(), 1, why)) << "a sibling is on the disk";
    EXPECT_EQ(files.ListFiles(root), (std::vector<std::string>{"a.xml", "b.gif"}));
    EXPECT_EQ(*files.Read(root + "/b.gif", 2), (Bytes{1, 2}));
    files.Remove(root);
    EXPECT_EQ(files.Status(root), FileSystem::Kind::Folder) << "a folder with files stays";
    files.Remove(root + "/a.xml");
    files.Remove(root + "/b.gif");
    files.Remove(root);
    EXPECT_EQ(files.Status(root), FileSystem::Kind::None);
    // Everything else is the disk.
    WriteAll(dir.Path() / "disk.txt", "d");
    EXPECT_EQ(files.Status(dir / "disk.txt"), FileSystem::Kind::File);
    EXPECT_EQ(*files.Read(dir / "disk.txt", 10), (Bytes{'d'}));
    // A folder whose parent does not exist cannot be made, in memory as on the disk.
    MemoryFolder nested(dir / "no/parent");
    Files().MakeFolder(dir / "no/parent");
    EXPECT_EQ(Files().Status(dir / "no/parent"), FileSystem::Kind::None);
}
