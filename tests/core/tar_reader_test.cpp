// The archive reader on bytes: round trips with the writer, the checksum diagnostics, the end
// test, damaged and hostile archives; and unpacking a file into the work folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "editor/ThemeFiles.h"
#include "support/TarTestKit.h"
#include "themefile/TarReader.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

const Texts kTexts;

// What the reader found, one line per item: log lines as they are ("!" before those shown),
// members as "+name size", the failure as "x reason".
std::vector<std::string> Story(const TarContents& c) {
    std::vector<std::string> out;
    for (const TarItem& i : c.items)
        out.push_back(i.kind == TarItem::Kind::Member ? "+" + i.text + " " + std::to_string(i.data.size())
                                                      : (i.level == 2 ? "!" : "") + i.text);
    if (c.failure) out.push_back("x " + *c.failure);
    return out;
}

std::vector<std::string> StoryOf(const Bytes& archive) { return Story(ReadTarArchive(archive, kTexts)); }

// The lines of a failed checksum test: six calculated and six stored characters, then 279.
std::vector<std::string> BadChecksum(const std::string& calc, const std::string& stored) {
    std::vector<std::string> lines;
    for (const auto& [prefix, digits] : {std::pair{"Char(Calc)--> ", calc}, {"Char(InFile)--> ", stored}})
        for (std::size_t p = 0; p < 6; ++p)
            lines.push_back(prefix + std::to_string(p + 1) + "<--> " +
                            std::to_string(static_cast<unsigned char>(digits[p])));
    lines.push_back("!" + kTexts.GetText(279));
    return lines;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Built(const Theme& t) { return BuildTarArchive(t.members).bytes; }

}  // namespace

TEST(TarReader, EveryActiveMemberRoundTripsInRecordOrder) {
    // Sizes on and around the block boundary, an empty member, and the largest one, which puts
    // the later headers past 32 KB; records that hold data but are switched off leave no trace.
    Theme t;
    const std::size_t sizes[kMemberCount] = {4321, 512, 0, 513, 32767, 1, 2000};
    const bool active[kMemberCount] = {true, false, true, true, true, false, true};
    std::vector<std::string> story;
    std::size_t end = 1024;  // the two zero blocks
    for (int i = 0; i < kMemberCount; ++i) {
        t.members[i] = {Pattern(sizes[i], static_cast<unsigned>(i)), active[i]};
        if (!active[i]) continue;
        story.insert(story.end(), {"Correct checksum", "+" + std::string(kMemberNames[i]) + " " + std::to_string(sizes[i])});
        end += 512 + (sizes[i] + 511) / 512 * 512;
    }
    const Bytes archive = Built(t);
    EXPECT_EQ(archive.size(), end);
    const TarContents read = ReadTarArchive(archive, kTexts);
    ASSERT_EQ(Story(read), story);
    for (std::size_t item = 1, i = 0; i < kMemberCount; ++i) {
        if (!active[i]) continue;
        const auto& data = read.items[item].data;
        EXPECT_EQ(Bytes(data.begin(), data.end()), *t.members[i].data) << kMemberNames[i];
        item += 2;
    }
}

// A wrong checksum is reported and its member read all the same; any other damage stops reading
// with a reason, and what came before it stands.
TEST(TarReader, DamagedArchives) {
    const Bytes doc = Pattern(1234, 6);
    Bytes owner = Built(ThemeWith({{kDocumentMember, doc}}));  // checksum 011066
    owner[265] = 'A';  // owner name: the sum grows by 65, 4662 -> 4727 = octal 11167
    Bytes spaced = Built(ThemeWith({{kDocumentMember, doc}}));
    spaced[148] = ' ';  // " 11066": padded with a space instead of a zero
    Bytes garbage = Built(ThemeWith({{0, Pattern(700, 0)}, {kDocumentMember, Pattern(80, 6)}}));
    garbage.resize(garbage.size() + 512, 'G');
    Bytes unended = Built(ThemeWith({{kDocumentMember, Pattern(80, 6)}}));
    unended.resize(1024 + 505, 0);
    unended.push_back(1);  // a part block after the member, non-zero only where no header counts
    const auto header = [](Bytes h) {
        h.resize(1024, 'x');
        return h;
    };
    // A block of zeros reads as a member without name and size.
    const std::vector<std::string> zeros = Join({BadChecksum("000400", std::string(6, '\0')), {"x bad size field for "}});
    const std::string pastEnd = "x member runs past the end of the file: big.gif";
    const struct { const char* what; Bytes bytes; std::vector<std::string> story; } cases[] = {
        {"owner changed", owner, Join({BadChecksum("011167", "011066"), {"+theme.xml 1234"}})},
        {"checksum padded with a space", spaced, {"Correct checksum", "+theme.xml 1234"}},
        {"empty", {}, zeros},
        {"a few zeros", Bytes(100, 0), zeros},
        {"zero blocks", Bytes(10240, 0), zeros},
        {"garbage after the end blocks", garbage,
         Join({{"Correct checksum", "+stand.gif 700", "Correct checksum", "+theme.xml 80"}, zeros})},
        {"a part block after the end", unended, Join({{"Correct checksum", "+theme.xml 80"}, zeros})},
        {"the largest size", header(RawHeader("big.gif", "77777777777")), {"Correct checksum", pastEnd}},
        {"a byte more than the file", header(RawHeader("big.gif", OctalSize(513))), {"Correct checksum", pastEnd}},
        {"no NUL in the name", header(RawHeader(std::string(100, 'n'), OctalSize(1))),
         {"Correct checksum", "x member name without end"}},
        {"not octal", header(RawHeader("a\tb.gif", "00000000009")), {"Correct checksum", "x bad size field for a?b.gif"}},
        {"no size", header(RawHeader("a.gif", "")), {"Correct checksum", "x bad size field for a.gif"}}};
    for (const auto& c : cases) EXPECT_EQ(StoryOf(c.bytes), c.story) << c.what;
}

// Unsafe names and entries that are not plain files are skipped with their data, and a name may
// come twice.
TEST(TarReader, OnlyPlainFilesWithSafeNamesAreMembers) {
    Bytes a;
    const std::vector<std::string> hostile = {
        "../escaped", "../../escaped", "/abs.gif", "a/b", "outside\\x.gif", "C:x.gif", "c:/x.gif",
        "..", ".", "./", "", "./../escaped", "././x.gif"};
    std::vector<std::string> story;
    for (const std::string& n : hostile) {
        AddMember(a, n, Pattern(600, 1));
        story.insert(story.end(), {"Correct checksum", "Skipped a member with an unsafe name -> " + n});
    }
    AddMember(a, "x.gif", Pattern(3, 1), '0', "sub");  // a ustar prefix means a folder
    story.insert(story.end(), {"Correct checksum", "Skipped a member with an unsafe name -> x.gif"});
    for (const auto& [name, type, size] :
         {std::tuple{"./", '5', std::size_t{0}}, {"./PaxHeaders/theme.xml", 'x', 30}, {"pax_global_header", 'g', 600},
          {"././@LongLink", 'L', 700}, {"link.gif", '2', 0}}) {
        AddMember(a, name, Bytes(size, 'p'), type);
        story.insert(story.end(), {"Correct checksum", "Skipped an entry that is not a file -> " + std::string(name) +
                                                           " (type " + type + ")"});
    }
    AddMember(a, "dev.gif", {}, '\x01');
    story.insert(story.end(), {"Correct checksum", "Skipped an entry that is not a file -> dev.gif (type 1)"});
    AddMember(a, "old.gif", Pattern(10, 3), '\0');  // old writers leave the type NUL
    AddMember(a, "cont.gif", Pattern(10, 3), '7');
    AddMember(a, "./theme.xml", Pattern(900, 1));  // as `tar -C dir .` writes names
    AddMember(a, "theme.xml", Pattern(100, 2));
    AddEndBlocks(a);
    for (const char* member : {"+old.gif 10", "+cont.gif 10", "+theme.xml 900", "+theme.xml 100"})
        story.insert(story.end(), {"Correct checksum", member});
    EXPECT_EQ(StoryOf(a), story);
}

// Unpacking a file: each member replaces what was in the work folder (a link in the way is
// replaced, not followed), the names are given once each, and the file is refused when it is
// missing, no file or too large. Every failure shows 294 with the reason.
TEST(UnpackTarFile, WritesTheMembersIntoTheWorkFolderOrSaysWhyNot) {
    TarRig rig;
    auto& dir = rig.dir;
    const fs::path work = dir.Path() / "work";
    fs::create_directories(dir.Path() / "outside");
    fs::create_directory(work);
    WriteAll(dir.Path() / "outside/victim.txt", "untouched");
    fs::create_symlink(dir.Path() / "outside/victim.txt", work / "stand.gif");
    Bytes a;
    AddMember(a, "stand.gif", Pattern(64, 0));
    AddMember(a, "theme.xml", Pattern(900, 1));
    AddMember(a, "theme.xml", Pattern(100, 2));
    AddEndBlocks(a);
    const std::string archive = dir / "in.thm";
    WriteBytes(archive, a);
    std::vector<std::string> names;
    ASSERT_TRUE(UnpackTarFile(rig.log, rig.texts, archive, work.string(), &names));
    EXPECT_THAT(names, ElementsAre("stand.gif", "theme.xml"));
    EXPECT_EQ(ReadBytes(work / "stand.gif"), Pattern(64, 0));
    EXPECT_EQ(ReadBytes(work / "theme.xml"), Pattern(100, 2)) << "shorter second member, no old tail";
    EXPECT_EQ(ReadText(dir.Path() / "outside/victim.txt"), "untouched");
    const std::string exist = "FileExists calls SplitFileName....-->Filename-->" + work.string();
    EXPECT_THAT(rig.log.Captured(),
                ElementsAre("Correct checksum", exist + "/stand.gif", exist + "/stand.gif",  // found, deleted
                            "Correct checksum", exist + "/theme.xml",
                            "Could not find the file in bDeleteFile....->" + work.string() + "/theme.xml",
                            "No File to delete", "Correct checksum", exist + "/theme.xml", exist + "/theme.xml"));
    EXPECT_TRUE(rig.toolkit.shown.empty());

    // A file larger than any theme is refused before it is read (a sparse file costs no disk).
    const std::string huge = dir / "huge.thm";
    WriteBytes(huge, a);
    fs::resize_file(huge, kMaxThemeFileSize + 1);
    const std::string failed = rig.texts.GetText(294) + "\n";
    for (const auto& [thm, into, shown] :
         {std::tuple{dir / "nowhere/missing.thm", work.string(), failed + "Can not find the file"},
          {work.string(), work.string(), failed + "Not a file"},
          {archive, dir / "nowork", failed + dir / "nowork/stand.gif: No such file or directory"},
          {huge, work.string(), failed + rig.texts.GetText(kTextFileTooLarge)}}) {
        rig.Forget();
        EXPECT_FALSE(UnpackTarFile(rig.log, rig.texts, thm, into)) << thm;
        EXPECT_THAT(rig.toolkit.Texts(), ElementsAre(shown));
        EXPECT_THAT(rig.log.Captured(), Contains(StartsWith("Failed to unpack tar file -> " + thm + ": ")));
    }
    EXPECT_FALSE(fs::exists(dir / "nowork")) << "no folder is ever created";
}
