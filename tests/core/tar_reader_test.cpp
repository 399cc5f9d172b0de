// The archive reader: round trips with the writer, the checksum diagnostics, the end test, and
// archives that are damaged or hostile.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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

struct ReaderTest : ::testing::Test, TarRig {
    fs::path work = dir.Path() / "work";
    std::string archive = dir / "in.thm";
    std::vector<std::string> names;

    ReaderTest() { fs::create_directory(work); }

    // `fresh` starts with an empty work folder, log and toolkit, for several archives in one test.
    bool Unpack(const Bytes& bytes, bool fresh = false) {
        if (fresh) {
            fs::remove_all(work);
            fs::create_directory(work);
            Forget();
            names.clear();
        }
        WriteBytes(archive, bytes);
        return UnpackTarFile(log, texts, archive, work.string(), &names);
    }
    Bytes Member(const std::string& name) const { return ReadBytes(work / name); }
    std::size_t Count(const std::string& prefix) const {
        std::size_t n = 0;
        for (const std::string& l : log.Captured()) n += l.rfind(prefix, 0) == 0;
        return n;
    }
    // The first lines of a failed checksum test: six calculated and six stored characters, then 279.
    void ExpectDiagnostics(const std::string& calc, const std::string& stored) const {
        const auto& lines = log.Captured();
        ASSERT_GE(lines.size(), 13u);
        for (std::size_t p = 0; p < 6; ++p) {
            const std::string place = std::to_string(p + 1) + "<--> ";
            EXPECT_EQ(lines[p], "Char(Calc)--> " + place + std::to_string(static_cast<unsigned char>(calc[p])));
            EXPECT_EQ(lines[p + 6], "Char(InFile)--> " + place + std::to_string(static_cast<unsigned char>(stored[p])));
        }
        EXPECT_EQ(lines[12], texts.GetText(279));
    }
};

Bytes Built(const Theme& t) { return BuildTarArchive(t.members).bytes; }

}  // namespace

TEST_F(ReaderTest, EveryMemberRoundTripsInArchiveOrderWithItsLogLines) {
    // Sizes on and around the block boundary, an empty member, and the largest one, which puts
    // the later headers past 32 KB.
    Theme t;
    const std::size_t sizes[kMemberCount] = {4321, 512, 0, 513, 32767, 1, 2000};
    for (int i = 0; i < kMemberCount; ++i) t.members[i] = {Pattern(sizes[i], static_cast<unsigned>(i)), true};
    ASSERT_TRUE(Unpack(Built(t)));
    std::vector<std::string> lines;
    for (int i = 0; i < kMemberCount; ++i) {
        const std::string name(kMemberNames[i]), target = work.string() + "/" + name;
        EXPECT_EQ(Member(name), *t.members[i].data) << name;
        lines.insert(lines.end(), {"Correct checksum", "bFileExist calls getfilename....-->Filename-->" + target,
                                   "Could not find the file in bDeleteFile....->" + target, "No File to delete"});
    }
    EXPECT_EQ(log.Captured(), lines);
    EXPECT_THAT(names, ElementsAre("stand.gif", "desk.gif", "medium.gif", "small.gif", "asian.gif",
                                   "large.gif", "theme.xml"));
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(ReaderTest, ADamagedHeaderIsReportedAndItsMemberStillWritten) {
    Bytes a = Built(ThemeWith({{kDocumentMember, Pattern(1234, 6)}}));  // checksum 011066
    a[265] = 'A';  // owner name: the sum grows by 65, 4662 -> 4727 = octal 11167
    ASSERT_TRUE(Unpack(a));
    ExpectDiagnostics("011167", "011066");
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Incorrect checksum for file - will try anyway"));
    EXPECT_EQ(Member("theme.xml"), Pattern(1234, 6));
}

// Message 294 ends every failure, after 279 where a header's checksum was wrong; what came before
// the damage stays, nothing else is written.
TEST_F(ReaderTest, DamagedArchivesFailAndWriteNothingPastTheDamage) {
    Bytes garbage = Built(ThemeWith({{0, Pattern(700, 0)}, {kDocumentMember, Pattern(80, 6)}}));
    garbage.resize(garbage.size() + 512, 'G');
    const auto header = [](Bytes h) {
        h.resize(1024, 'x');
        return h;
    };
    // A block of zeros reads as a member without name and size.
    const std::string warned = texts.GetText(279), failed = texts.GetText(294) + "\n";
    const std::string noSize = failed + "bad size field for ", pastEnd = failed + "member runs past the end of the file: big.gif";
    const struct { const char* what; Bytes bytes; std::vector<std::string> shown, tree; } cases[] = {
        {"empty", {}, {warned, noSize}, {}}, {"a few zeros", Bytes(100, 0), {warned, noSize}, {}},
        {"zero blocks", Bytes(10240, 0), {warned, noSize}, {}},
        {"garbage after the end blocks", garbage, {warned, noSize}, {"stand.gif", "theme.xml"}},
        {"the largest size", header(RawHeader("big.gif", "77777777777")), {pastEnd}, {}},
        {"a byte more than the file", header(RawHeader("big.gif", OctalSize(513))), {pastEnd}, {}},
        {"no NUL in the name", header(RawHeader(std::string(100, 'n'), OctalSize(1))),
         {failed + "member name without end"}, {}},
        {"not octal", header(RawHeader("a.gif", "00000000009")), {noSize + "a.gif"}, {}},
        {"no size", header(RawHeader("a.gif", "")), {noSize + "a.gif"}, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Unpack(c.bytes, true));
        if (c.shown.size() == 2 && c.tree.empty()) ExpectDiagnostics("000400", std::string(6, '\0'));  // zeros only
        EXPECT_THAT(log.Captured(), Contains(StartsWith("Failed to unpack tar file -> " + archive + ": ")));
        EXPECT_EQ(toolkit.Texts(), c.shown);
        EXPECT_EQ(TreeOf(work), c.tree);
        if (!c.tree.empty()) {
            EXPECT_EQ(Member("stand.gif"), Pattern(700, 0));
        }
    }
}

// Unsafe names and entries that are not plain files are skipped with their data, a later member of
// the same name wins, and a link in the way is replaced, not followed: nothing lands outside.
TEST_F(ReaderTest, OnlyPlainFilesWithSafeNamesAreWrittenAndOnlyInsideTheWorkFolder) {
    const fs::path outside = dir.Path() / "outside";
    fs::create_directory(outside);
    WriteAll(outside / "victim.txt", "untouched");
    fs::create_symlink(outside / "victim.txt", work / "stand.gif");
    Bytes a;
    const std::vector<std::string> hostile = {
        "../escaped", "../../escaped", (outside / "abs.gif").string(), "a/b", "outside\\x.gif",
        "C:x.gif", "c:/x.gif", "..", ".", "./", "", "./../escaped", "././x.gif"};
    for (const std::string& n : hostile) AddMember(a, n, Pattern(600, 1));
    AddMember(a, "x.gif", Pattern(3, 1), '0', "sub");  // a ustar prefix means a folder
    AddMember(a, "./", {}, '5');
    AddMember(a, "./PaxHeaders/theme.xml", Bytes(30, 'p'), 'x');
    AddMember(a, "pax_global_header", Bytes(600, 'g'), 'g');
    AddMember(a, "././@LongLink", Bytes(700, 'L'), 'L');
    AddMember(a, "link.gif", {}, '2');
    AddMember(a, "old.gif", Pattern(10, 3), '\0');  // old writers leave the type NUL
    AddMember(a, "stand.gif", Pattern(64, 0));
    AddMember(a, "./theme.xml", Pattern(900, 1));  // as `tar -C dir .` writes names
    AddMember(a, "theme.xml", Pattern(100, 2));
    AddEndBlocks(a);
    ASSERT_TRUE(Unpack(a));
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("in.thm", "outside", "outside/victim.txt", "work", "work/old.gif",
                                                "work/stand.gif", "work/theme.xml"));
    EXPECT_EQ(ReadText(outside / "victim.txt"), "untouched");
    EXPECT_FALSE(fs::is_symlink(work / "stand.gif"));
    EXPECT_EQ(Member("stand.gif"), Pattern(64, 0));
    EXPECT_EQ(Member("theme.xml"), Pattern(100, 2)) << "shorter second member, no old tail";
    EXPECT_THAT(names, ElementsAre("old.gif", "stand.gif", "theme.xml"));
    EXPECT_EQ(Count("Skipped a member with an unsafe name -> "), hostile.size() + 1);
    EXPECT_THAT(log.Captured(), Contains("Skipped a member with an unsafe name -> ../escaped"));
    EXPECT_EQ(Count("Skipped an entry that is not a file -> "), 5u);
    EXPECT_THAT(log.Captured(), Contains("Skipped an entry that is not a file -> ./ (type 5)"));
    EXPECT_EQ(Count("No File to delete"), 2u) << "the link and the first theme.xml were found to delete";
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(ReaderTest, MissingArchiveFolderAsArchiveOrMissingWorkFolderCreateNothing) {
    WriteBytes(archive, Built(ThemeWith({{kDocumentMember, Pattern(64, 6)}})));
    const std::string missing = dir / "nowhere/missing.thm";
    // A file larger than any theme is refused before it is read (a sparse file costs no disk).
    const std::string huge = dir / "huge.thm";
    WriteBytes(huge, Built(ThemeWith({{kDocumentMember, Pattern(64, 6)}})));
    fs::resize_file(huge, kMaxThemeFileSize + 1);
    const std::string tooLarge = texts.GetText(294) + "\n" + texts.GetText(kTextFileTooLarge);
    for (const auto& [thm, into, shown] :
         {std::tuple{missing, work.string(), texts.GetText(294) + "\nCan not find the file"},
          {work.string(), work.string(), texts.GetText(294) + "\nNot a file"},
          {archive, dir / "nowork", texts.GetText(294) + "\n" + dir / "nowork/theme.xml: No such file or directory"},
          {huge, work.string(), tooLarge}}) {
        Forget();
        EXPECT_FALSE(UnpackTarFile(log, texts, thm, into)) << thm;
        EXPECT_THAT(toolkit.Texts(), ElementsAre(shown));
        EXPECT_THAT(log.Captured(), Contains(StartsWith("Failed to unpack tar file -> " + thm + ": ")));
    }
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("huge.thm", "in.thm", "work")) << "no folder is ever created here";
}
