// Files below the editor: the day's log, the file procedures, the theme file's archive and document
// on bytes, read and written, unpacking into the work folder, and saving that never loses the old file.

#include <gmock/gmock.h>

#include <optional>
#include <regex>
#include <sstream>
#include <tuple>

#include "base/FileOps.h"
#include "base/Log.h"
#include "editor/ThemeFiles.h"
#include "support/TarTestKit.h"
#include "themefile/DocumentReader.h"
#include "themefile/DocumentWriter.h"
#include "themefile/TarHeader.h"
#include "themefile/TarReader.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::StartsWith;
namespace fs = std::filesystem;
using namespace std::literals;

namespace {

const Texts kTexts;

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes Build(const Theme& t) { return BuildTarArchive(t.members).bytes; }

// The archive reader's log lines ("!" if shown), members "+name size", failure "x reason"; a wrong
// checksum's codes make one line per side; "Correct checksum" is left out (the unpack test pins it).
std::vector<std::string> Story(const TarContents& c) {
    static const std::regex kCode(R"((Char\(\w+\)-->) (\d+)<--> (\d+))");
    std::vector<std::string> out;
    for (const TarItem& i : c.items) {
        const std::string line = i.kind == TarItem::Kind::Member
                                     ? "+" + i.text + " " + std::to_string(i.data.size())
                                     : (i.level == 2 ? "!" : "") + i.text;
        if (line == "Correct checksum") continue;
        std::smatch m;
        if (!std::regex_match(line, m, kCode)) out.push_back(line);
        else if (m[2] == "1") out.push_back(m[1].str() + " " + m[3].str());
        else if (!out.empty() && out.back().starts_with(m[1].str()) &&
                 std::ranges::count(out.back(), ' ') + 1 == std::stoi(m[2]))
            out.back() += " " + m[3].str();
        else out.push_back(line);
    }
    if (c.failure) out.push_back("x " + *c.failure);
    return out;
}

// What the document reader found, one line per step, the failure last.
std::vector<std::string> ReadStory(const DocumentContents& read) {
    std::vector<std::string> out;
    const char* kinds[] = {"log ", "colour ", "picture ", "info "};
    for (const DocumentStep& s : read.steps)
        out.push_back(kinds[static_cast<int>(s.kind)] +
                      (s.kind == DocumentStep::Kind::Log ? "" : std::to_string(s.index) + " ") + s.text);
    if (read.failure) out.push_back("failed " + std::to_string(read.failure->line) + " " + read.failure->tag);
    return out;
}

// The golden cases of one kind: the folders of tests/data/<kind>/, each named after what it
// holds, with the input and read.txt, what reading it gives, one item a line.
std::vector<std::pair<fs::path, std::vector<std::string>>> Golden(std::string_view kind) {
    std::vector<std::pair<fs::path, std::vector<std::string>>> cases;
    for (const auto& folder : fs::directory_iterator(fs::path(TINTORA_TEST_DATA) / kind)) {
        std::istringstream text(ReadText(folder.path() / "read.txt"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        cases.emplace_back(folder.path(), lines);
    }
    return cases;
}

struct ThemeFileTest : ::testing::Test, TarRig {};

// NULs and spaces are dropped; nothing left, a non-octal digit, a sign or too many digits fail.
// The checksum is pinned by the worked example below and by the golden archives.
TEST(TarHeaderTest, OctalParser) {
    const std::pair<std::string_view, std::optional<std::uint64_t>> parsed[] = {
        {" 2322\0 \0"sv, 1234u}, {"  12 34", 01234u}, {"\0\0\0"sv, std::nullopt}, {"      ", std::nullopt},
        {"0000000008", std::nullopt}, {"-1", std::nullopt}, {"10000000000000000000000", std::nullopt}};
    for (const auto& [text, value] : parsed) EXPECT_EQ(tar::ParseOctal(text), value) << text;
}

TEST(TarWriterBuild, WorkedExampleHeaderOfA1234ByteDocument) {
    const Bytes doc = Pattern(1234, 6), a = Build(ThemeWith({{kDocumentMember, doc}}));
    const std::pair<std::size_t, std::string> fields[] = {
        {0, "theme.xml" + std::string(91, '\0')}, {100, "000666 \0" "000000 \0" "000000 \0"s},
        {124, "00000002322 " "07433057724 "}, {148, "011066 \0" "0"s},  // the data is not in the sum
        {157, std::string(100, '\0')}, {257, "ustar\0" "00"s}, {265, std::string(64, '\0')},
        {329, "000000 \0" "000000 \0"s}, {345, std::string(167, '\0')}};  // prefix and block padding
    const std::string text = Text(a);
    for (const auto& [offset, bytes] : fields) EXPECT_EQ(text.substr(offset, bytes.size()), bytes) << offset;
    EXPECT_EQ(text.substr(512), Text(doc) + std::string(302 + 1024, '\0'));
}

// An empty member, sizes on and off the block, the largest; records switched off leave no trace.
TEST(TarReader, EveryActiveMemberRoundTripsInRecordOrder) {
    Theme t = ThemeWith({{0, Pattern(512, 0)}, {2, {}}, {4, Pattern(32767, 4)}});
    t.members[1] = {Pattern(9, 1), false};
    EXPECT_THAT(Story(ReadTarArchive(Build(t), kTexts)),
                ElementsAre("+stand.gif 512", "+medium.gif 0", "+asian.gif 32767"));
}

// Archives and documents as other tools, damage or attackers make them: lines end in CR LF, LF or CR
// alike; a line is known by its first "<", a tag ends at a blank or Tab; reading values keeps its quirks.
TEST(GoldenCases, ArchivesAndDocuments) {
    const auto archives = Golden("archives"), documents = Golden("documents");
    EXPECT_EQ(archives.size() + documents.size(), 14u + 7u);
    for (const auto& [c, read] : archives)
        EXPECT_EQ(Story(ReadTarArchive(ReadAll(c / "archive.thm"), kTexts)), read) << c;
    for (const auto& [c, read] : documents)
        EXPECT_EQ(ReadStory(ReadDocument(ReadAll(c / "theme.xml"))), read) << c;
}

// The program's own document reads and writes back byte for byte: CR LF line ends, texts in
// Windows-1252, values as held, a line for each picture that is on and none for one that is off.
TEST(DocumentWriter, WritesBackTheDocumentItRead) {
    const Bytes doc = ReadAll(fs::path(TINTORA_TEST_DATA) / "theme-written-by-the-program.xml");
    Theme t;
    for (const DocumentStep& s : ReadDocument(doc).steps) {
        if (s.kind == DocumentStep::Kind::Colour) t.colours[s.index] = s.text;
        if (s.kind == DocumentStep::Kind::Picture) t.slots[s.index] = SlotState::On;
        if (s.kind == DocumentStep::Kind::Info) t.info.*kInfoFields[s.index] = s.text;
    }
    t.slots[1] = SlotState::Off;
    EXPECT_EQ(Text(DocumentBytes(t)), Text(doc));
}

TEST(DocumentWriter, AllPicturesInSlotOrderAndTextsThatCannotEndTheirValueLineOrComment) {
    Theme t;
    t.slots.fill(SlotState::On);
    t.info = {"Summer, \"hot\" <&> --> \xE2\x82\xAC", "A\r\nn\t", "", "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xBC"};
    const std::string text = Text(DocumentBytes(t));
    EXPECT_NE(text.find("<Theme_name Value=\"Summer, 'hot' <&> - -> \x80\"/>\r\n"
                        "<Theme_modified_by Value=\"A  n \"/>\r\n<Theme_created Value=\"\"/>\r\n"
                        "<Theme_creator Value=\"?? \xFC\"/>-->\r\n<Ericsson_theme>\r\n"
                        "<Background_image Source=\"stand.gif\"/>\r\n"
                        "<Desktop_background_image Source=\"desk.gif\"/>\r\n"
                        "<Title_image_medium Source=\"medium.gif\"/>\r\n"
                        "<Title_image_small Source=\"small.gif\"/>\r\n"
                        "<Title_image_asian Source=\"asian.gif\"/>\r\n"
                        "<Title_image_large Source=\"large.gif\"/>\r\n<Standby_operatorname Color=\"0x\"/>\r\n"),
              std::string::npos) << text;
}

// Each member replaces what was in the work folder (a link in the way is replaced, not followed),
// names are given once each; a failure shows 294 with the reason and keeps what was written.
TEST_F(ThemeFileTest, UnpackWritesTheMembersIntoTheWorkFolderOrSaysWhyNot) {
    const fs::path work = dir.Path() / "work", victim = dir.Path() / "victim.txt";
    fs::create_directory(work);
    WriteAll(victim, "untouched");
    fs::create_symlink(victim, work / "stand.gif");
    Bytes a;
    AddMember(a, "stand.gif", Pattern(64, 0));
    AddMember(a, "theme.xml", Pattern(900, 1));
    AddMember(a, "theme.xml", Pattern(100, 2));
    AddEndBlocks(a);
    const std::string archive = dir / "in.thm";
    WriteBytes(archive, a);
    std::vector<std::string> names;
    ASSERT_TRUE(UnpackTarFile(log, texts, archive, work.string(), &names));
    EXPECT_THAT(names, ElementsAre("stand.gif", "theme.xml"));
    EXPECT_EQ(ReadAll(work / "stand.gif"), Pattern(64, 0));
    EXPECT_EQ(ReadAll(work / "theme.xml"), Pattern(100, 2)) << "shorter second member, no old tail";
    EXPECT_EQ(ReadText(victim), "untouched");
    const std::string exist = "bFileExist calls getfilename....-->Filename-->" + work.string();
    EXPECT_THAT(log.Captured(),
                ElementsAre("Correct checksum", exist + "/stand.gif", exist + "/stand.gif",  // found, deleted
                            "Correct checksum", exist + "/theme.xml",
                            "Could not find the file in bDeleteFile....->" + work.string() + "/theme.xml",
                            "No File to delete", "Correct checksum", exist + "/theme.xml", exist + "/theme.xml"));
    EXPECT_TRUE(toolkit.shown.empty());

    const std::string huge = dir / "huge.thm", cut = dir / "cut.thm";
    WriteBytes(huge, a);
    fs::resize_file(huge, kMaxThemeFileSize + 1);  // refused before it is read; sparse, costs no disk
    a.resize(1024 + 512 + 100);  // the second member runs past the end
    WriteBytes(cut, a);
    fs::create_directory(dir / "cutwork");
    const std::string failed = texts.GetText(294) + "\n";
    for (const auto& [thm, into, shown] :
         {std::tuple{dir / "nowhere/missing.thm", work.string(), failed + "Can not find the file"},
          {work.string(), work.string(), failed + "Not a file"},
          {archive, dir / "nowork", failed + dir / "nowork/stand.gif: No such file or directory"},
          {huge, work.string(), failed + texts.GetText(kTextFileTooLarge)},
          {cut, dir / "cutwork", failed + "member runs past the end of the file: theme.xml"}}) {
        Forget();
        EXPECT_FALSE(UnpackTarFile(log, texts, thm, into)) << thm;
        EXPECT_THAT(toolkit.Texts(), ElementsAre(shown));
        EXPECT_THAT(log.Captured(), ::testing::Contains(StartsWith("Failed to unpack tar file -> " + thm)));
    }
    EXPECT_FALSE(fs::exists(dir / "nowork")) << "no folder is ever created";
    EXPECT_EQ(TreeOf(dir / "cutwork"), std::vector<std::string>{"stand.gif"});
}

// The log tells of removing the old file per member packed; a save keeps the file's permissions
// and link, leaves no temporary file and clears those of ended processes.
TEST_F(ThemeFileTest, SavesKeepTheFileAsItWasMadeAndLogTheRemovalSteps) {
    const std::string target = dir / (std::string(251, 'n') + ".thm");  // the longest name, 255 bytes
    const Theme big = ThemeWith({{1, Pattern(30000, 1)}, {kDocumentMember, Pattern(1234, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, big, target));
    EXPECT_EQ(ReadAll(target), Build(big));
    const std::string exist = "bFileExist calls getfilename....-->Filename-->" + target;
    const std::string notFound = "Could not find the file in bDeleteFile....->" + target;
    EXPECT_THAT(log.Captured(), ElementsAre(exist, notFound, "No file to remove",  //
                                            exist, notFound, "No file to remove"));
    // Saving over it: nothing of the longer old archive is left.
    log.ClearCaptured();
    const Theme theme = ThemeWith({{kDocumentMember, Pattern(60, 3)}});
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const std::string ended = ".tintora-" + std::to_string(EndedProcess()) + "-1.tmp";
    const std::string running = ".tintora-1-1.tmp";  // init runs as long as the machine does
    for (const std::string& name : {ended, running, ".tintora-x.tmp"s}) WriteAll(dir / name, "left");
    ASSERT_TRUE(CreateTarFile(log, texts, theme, target));
    EXPECT_THAT(log.Captured(), ElementsAre(exist, exist, "Removed a saved thm file"));
    EXPECT_EQ(ReadAll(target), Build(theme));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // A link stays a link, also a dangling one, and the file it names is written.
    fs::create_directory(dir / "real");
    fs::create_symlink("real/theme.thm", dir / "link.thm");
    fs::create_symlink("real/new.thm", dir / "dangling.thm");
    WriteAll(dir / "real/theme.thm", "old");
    for (const char* link : {"link.thm", "dangling.thm"})
        ASSERT_TRUE(CreateTarFile(log, texts, theme, dir / link)) << link;
    EXPECT_EQ(ReadAll(dir / "real/theme.thm"), Build(theme));
    EXPECT_EQ(ReadAll(dir / "real/new.thm"), Build(theme));
    // Only the temporary file of the ended process is gone; the saves left none of their own.
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre(running, ".tintora-x.tmp", "dangling.thm", "link.thm",
                                                fs::path(target).filename().string(), "real", "real/new.thm",
                                                "real/theme.thm"));
    EXPECT_TRUE(toolkit.shown.empty());
}

// A picture over 32,767 bytes; an active record without data; a folder part that is a regular
// file, which cannot be written into, not even by root; a target that is a folder.
TEST_F(ThemeFileTest, FailedSavesNameTheReasonAndLeaveEverythingAsItWas) {
    WriteAll(dir / "keep.thm", "the old archive");
    WriteAll(dir / "plain", "x");
    fs::create_directory(dir / "folder.thm");
    WriteAll(dir / "folder.thm/inside", "kept");
    const Theme fine = ThemeWith({{kDocumentMember, Pattern(50, 6)}});
    const Theme large = ThemeWith({{0, Pattern(32768, 0)}, {kDocumentMember, Pattern(50, 6)}});
    Theme noData = fine;
    noData.members[2].active = true;
    const std::string failed = texts.GetText(299);
    const struct { const Theme& theme; std::string target, logged, shown; } cases[] = {
        {large, dir / "keep.thm", "stand.gif", texts.GetText(298) + "Background (stand.gif)"},
        {noData, dir / "keep.thm", "medium.gif", failed + "medium.gif"},
        {fine, dir / "plain/t.thm", "", failed}, {fine, dir / "folder.thm", "", failed}};
    for (const auto& c : cases) {
        Forget();
        std::string shown;
        EXPECT_FALSE(CreateTarFile(log, texts, c.theme, c.target, &shown)) << c.target;
        EXPECT_THAT(shown, StartsWith(c.shown));
        EXPECT_GT(shown.size(), failed.size()) << "the reason follows the text";
        const std::string logged = "Failed to write tar file -> " + c.target + ": " + c.logged;
        EXPECT_THAT(log.Captured(), ElementsAre(StartsWith(logged)));
        EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("folder.thm", "folder.thm/inside", "keep.thm", "plain"));
        EXPECT_EQ(ReadText(dir / "keep.thm"), "the old archive");
    }
}

TEST_F(ThemeFileTest, LinesAreTimeTwoTabsMessageAndLevelTwoIsShownWhole) {
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
TEST_F(ThemeFileTest, FileExistsAndDeleteFileNeverDeletesAFolder) {
    WriteAll(dir / "a.thm", "x");
    fs::create_directory(dir.Path() / "sub");
    for (const auto& [name, kind, found] : {std::tuple{"a.thm", "File", true}, {"a.thm", "Folder", false},
                                            {"sub", "Folder", true}, {"sub", "File", true}, {"b", "Folder", false}})
        EXPECT_EQ(FileExists(log, dir / name, kind), found) << name << " " << kind;
    EXPECT_TRUE(DeleteFile(log, dir / "a.thm"));
    EXPECT_FALSE(DeleteFile(log, dir / "a.thm"));
    EXPECT_FALSE(DeleteFile(log, dir / "sub"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
    EXPECT_EQ(log.Captured().back(), "Failed to remove the file in bDeleteFile->" + (dir / "sub"));
}

// DeleteFolder removes files but is not recursive; CreateFolder leaves an empty folder.
TEST_F(ThemeFileTest, FolderProcedures) {
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
