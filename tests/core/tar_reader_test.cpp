// The archive reader: round trips with the writer, the checksum diagnostics, the end test, and
// archives that are damaged or hostile.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TarTestKit.h"
#include "themefile/TarReader.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

struct ReaderTest : ::testing::Test, TarRig {
    fs::path work = dir.Path() / "work";
    std::string archive = dir / "in.thm";
    std::vector<std::string> names;

    ReaderTest() { fs::create_directory(work); }

    bool Unpack() { return UnpackTarFile(log, texts, archive, work.string(), &names); }
    bool UnpackBytes(const Bytes& bytes) {
        WriteBytes(archive, bytes);
        return Unpack();
    }
    Bytes Member(const std::string& name) const { return ReadBytes(work / name); }
    std::vector<std::string> Lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& l : log.Captured())
            if (l.rfind(prefix, 0) == 0) out.push_back(l);
        return out;
    }
};

Bytes Built(const Theme& t) { return BuildTarArchive(t.members).bytes; }

// The twelve lines of a failed checksum test for a calculated and a stored text.
std::vector<std::string> Diagnostics(const std::string& calc, const std::string& stored) {
    std::vector<std::string> out;
    for (std::size_t p = 0; p < 6; ++p)
        out.push_back("Char(Calc)--> " + std::to_string(p + 1) + "<--> " +
                      std::to_string(static_cast<unsigned char>(calc[p])));
    for (std::size_t p = 0; p < 6; ++p)
        out.push_back("Char(InFile)--> " + std::to_string(p + 1) + "<--> " +
                      std::to_string(static_cast<unsigned char>(stored[p])));
    return out;
}

}  // namespace

TEST_F(ReaderTest, OnlyDocumentGivesOneFileAndTheExactLogLines) {
    const Bytes doc = Pattern(1234, 6);
    ASSERT_TRUE(UnpackBytes(Built(ThemeWith({{kDocumentMember, doc}}))));
    EXPECT_EQ(Member("theme.xml"), doc);
    EXPECT_THAT(names, ElementsAre("theme.xml"));
    const std::string target = work.string() + "/theme.xml";
    EXPECT_THAT(log.Captured(),
                ElementsAre("Correct checksum", "bFileExist calls getfilename....-->Filename-->" + target,
                            "Could not find the file in bDeleteFile....->" + target, "No File to delete"));
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(ReaderTest, EveryMemberRoundTripsInArchiveOrder) {
    Theme t;
    const std::size_t sizes[kMemberCount] = {4321, 512, 0, 513, 32767, 1, 2000};
    for (int i = 0; i < kMemberCount; ++i) {
        t.members[i].data = Pattern(sizes[i], static_cast<unsigned>(i));
        t.members[i].active = true;
    }
    ASSERT_TRUE(UnpackBytes(Built(t)));
    for (int i = 0; i < kMemberCount; ++i)
        EXPECT_EQ(Member(std::string(kMemberNames[i])), *t.members[i].data) << kMemberNames[i];
    EXPECT_THAT(names, ElementsAre("stand.gif", "desk.gif", "medium.gif", "small.gif", "asian.gif",
                                   "large.gif", "theme.xml"));
    EXPECT_EQ(Lines("Correct checksum").size(), 7u);
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(ReaderTest, HeadersPast32KBAreRead) {
    // Three full-size pictures put the document's header at offset 99,840.
    const Theme t = ThemeWith({{0, Pattern(32767, 0)}, {1, Pattern(32767, 1)}, {2, Pattern(32767, 2)},
                               {kDocumentMember, Pattern(900, 6)}});
    ASSERT_TRUE(UnpackBytes(Built(t)));
    EXPECT_EQ(Member("theme.xml"), Pattern(900, 6));
    EXPECT_EQ(Member("medium.gif"), Pattern(32767, 2));
}

TEST_F(ReaderTest, BlockBoundariesOf512AndZeroByteMembers) {
    Bytes a;
    AddMember(a, "exact.gif", Pattern(512, 1));
    AddMember(a, "empty.gif", {});
    AddMember(a, "theme.xml", Pattern(3, 2));
    AddEndBlocks(a);
    ASSERT_TRUE(UnpackBytes(a));
    EXPECT_EQ(Member("exact.gif"), Pattern(512, 1));
    EXPECT_TRUE(fs::exists(work / "empty.gif"));
    EXPECT_EQ(fs::file_size(work / "empty.gif"), 0u);
    EXPECT_EQ(Member("theme.xml"), Pattern(3, 2));
    EXPECT_THAT(names, ElementsAre("exact.gif", "empty.gif", "theme.xml"));
}

TEST_F(ReaderTest, ChecksumWithLeadingSpacesPasses) {
    Bytes a = Built(ThemeWith({{kDocumentMember, Pattern(1234, 6)}}));
    ASSERT_EQ(std::string(a.begin() + 148, a.begin() + 154), "011066");
    a[148] = ' ';
    ASSERT_TRUE(UnpackBytes(a));
    EXPECT_THAT(Lines("Correct checksum"), ElementsAre("Correct checksum"));
    EXPECT_THAT(Lines("Char("), IsEmpty());
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(ReaderTest, DamagedHeaderGivesTwelveLinesAndTheWarningAndIsStillWritten) {
    Bytes a = Built(ThemeWith({{kDocumentMember, Pattern(1234, 6)}}));
    a[265] = 'A';  // owner name: the sum grows by 65, 4662 -> 4727 = octal 11167
    ASSERT_TRUE(UnpackBytes(a));
    std::vector<std::string> expected = Diagnostics("011167", "011066");
    expected.push_back(texts.GetText(279));
    const auto& lines = log.Captured();
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 13), expected);
    EXPECT_EQ(expected[0], "Char(Calc)--> 1<--> 48");
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Incorrect checksum for file - will try anyway"));
    EXPECT_EQ(Member("theme.xml"), Pattern(1234, 6));
}

TEST_F(ReaderTest, EmptyFileAndAllZeroFileFailAfterTheChecksumWarning) {
    for (const std::size_t n : {0u, 100u, 10240u}) {
        SCOPED_TRACE(n);
        log.ClearCaptured();
        toolkit.shown.clear();
        EXPECT_FALSE(UnpackBytes(Bytes(n, 0)));
        std::vector<std::string> expected = Diagnostics("000400", std::string(6, '\0'));
        expected.push_back(texts.GetText(279));
        const auto& lines = log.Captured();
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 13), expected);
        EXPECT_EQ(lines.back(), "Error when unpacking TAR file....");
        EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(279), texts.GetText(294)));
        EXPECT_THAT(TreeOf(work), IsEmpty());
    }
}

TEST_F(ReaderTest, GarbageAfterTheEndBlocksEndsInTheFailurePath) {
    Bytes a = Built(ThemeWith({{0, Pattern(700, 0)}, {kDocumentMember, Pattern(80, 6)}}));
    a.resize(a.size() + 512, 'G');
    EXPECT_FALSE(UnpackBytes(a));
    EXPECT_EQ(Member("stand.gif"), Pattern(700, 0)) << "members before stay";
    EXPECT_EQ(Member("theme.xml"), Pattern(80, 6));
    EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(279), texts.GetText(294)));

    // Zero bytes after the end blocks, as tar's record padding, are fine.
    a.resize(a.size() - 512);
    a.resize(a.size() + 8192, 0);
    toolkit.shown.clear();
    EXPECT_TRUE(UnpackBytes(a));
    EXPECT_TRUE(toolkit.shown.empty());
    // No end blocks at all: the end of the file ends the archive.
    a.resize(512 + 1024 + 512 + 512);
    EXPECT_TRUE(UnpackBytes(a));
}

TEST_F(ReaderTest, TruncatedOrOversizedMembersFail) {
    Bytes a = Built(ThemeWith({{0, Pattern(700, 0)}, {kDocumentMember, Pattern(2000, 6)}}));
    // Cut inside the document's data: 2000 bytes are announced, 1000 are there.
    a.resize(512 + 1024 + 512 + 1000);
    EXPECT_FALSE(UnpackBytes(a));
    EXPECT_EQ(Member("stand.gif"), Pattern(700, 0));
    EXPECT_FALSE(fs::exists(work / "theme.xml")) << "a member is never written short";
    EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(294)));

    // The largest size the field can hold, and a size one byte longer than the file.
    for (const std::string& size : {std::string("77777777777"), OctalSize(513)}) {
        SCOPED_TRACE(size);
        fs::remove_all(work);
        fs::create_directory(work);
        toolkit.shown.clear();
        Bytes h = RawHeader("big.gif", size);
        h.resize(1024, 'x');
        EXPECT_FALSE(UnpackBytes(h));
        EXPECT_THAT(TreeOf(work), IsEmpty());
        EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(294)));
    }
}

TEST_F(ReaderTest, BadNameOrSizeFieldsFail) {
    Bytes noNul = RawHeader(std::string(100, 'n'), OctalSize(1));
    Bytes notOctal = RawHeader("a.gif", "00000000009");
    Bytes emptySize = RawHeader("a.gif", "");
    for (Bytes* h : {&noNul, &notOctal, &emptySize}) {
        fs::remove_all(work);
        fs::create_directory(work);
        toolkit.shown.clear();
        Bytes a = *h;
        a.resize(a.size() + 2048, 0);
        EXPECT_FALSE(UnpackBytes(a));
        EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(294)));
        EXPECT_THAT(TreeOf(work), IsEmpty());
    }
}

TEST_F(ReaderTest, HostileNamesAreSkippedAndNothingLandsOutsideTheWorkFolder) {
    const fs::path outside = dir.Path() / "outside";
    fs::create_directory(outside);
    Bytes a;
    const std::vector<std::string> hostile = {
        "../escaped", "../../escaped", (outside / "abs.gif").string(), "a/b", "outside\\x.gif",
        "C:x.gif", "c:/x.gif", "..", ".", "./", "", "./../escaped", "././x.gif"};
    for (const std::string& n : hostile) AddMember(a, n, Pattern(600, 1));
    AddMember(a, "./theme.xml", Pattern(50, 6));  // as `tar -C dir .` writes names
    AddEndBlocks(a);
    ASSERT_TRUE(UnpackBytes(a));
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("in.thm", "outside", "work", "work/theme.xml"));
    EXPECT_EQ(Member("theme.xml"), Pattern(50, 6));
    EXPECT_THAT(names, ElementsAre("theme.xml"));
    EXPECT_EQ(Lines("Skipped a member with an unsafe name -> ").size(), hostile.size());
    EXPECT_THAT(log.Captured(), Contains("Skipped a member with an unsafe name -> ../escaped"));
    EXPECT_TRUE(toolkit.shown.empty());
}

TEST_F(ReaderTest, UstarPrefixMeansAFolderAndIsSkipped) {
    Bytes h = RawHeader("x.gif", OctalSize(3));
    PutText(h, 345, "sub");
    // Fix the checksum for the changed header.
    char sum[8];
    std::snprintf(sum, sizeof sum, "%06o", HeaderSum(h.data()));
    PutText(h, 148, std::string_view(sum, 6));
    Bytes a = h;
    a.resize(1024, 0);
    AddMember(a, "theme.xml", Pattern(5, 6));
    AddEndBlocks(a);
    ASSERT_TRUE(UnpackBytes(a));
    EXPECT_THAT(TreeOf(work), ElementsAre("theme.xml"));
}

TEST_F(ReaderTest, EntriesThatAreNotFilesArePassedOverWithTheirData) {
    Bytes a;
    AddMember(a, "./", {}, '5');
    AddMember(a, "./PaxHeaders/theme.xml", Bytes(30, 'p'), 'x');
    AddMember(a, "pax_global_header", Bytes(600, 'g'), 'g');
    AddMember(a, "././@LongLink", Bytes(700, 'L'), 'L');
    AddMember(a, "link.gif", {}, '2');
    AddMember(a, "sub", {}, '5');
    AddMember(a, "old.gif", Pattern(10, 3), '\0');  // old writers leave the type NUL
    AddMember(a, "theme.xml", Pattern(40, 6));
    AddEndBlocks(a);
    ASSERT_TRUE(UnpackBytes(a));
    EXPECT_THAT(TreeOf(work), ElementsAre("old.gif", "theme.xml"));
    EXPECT_EQ(Member("theme.xml"), Pattern(40, 6));
    EXPECT_EQ(Lines("Skipped an entry that is not a file -> ").size(), 6u);
    EXPECT_THAT(log.Captured(), Contains("Skipped an entry that is not a file -> ./ (type 5)"));
}

TEST_F(ReaderTest, DuplicateNamesLastOneWins) {
    Bytes a;
    AddMember(a, "theme.xml", Pattern(900, 1));
    AddMember(a, "theme.xml", Pattern(100, 2));
    AddEndBlocks(a);
    ASSERT_TRUE(UnpackBytes(a));
    EXPECT_EQ(Member("theme.xml"), Pattern(100, 2)) << "shorter second member, no old tail";
    EXPECT_THAT(names, ElementsAre("theme.xml"));
    EXPECT_EQ(Lines("No File to delete").size(), 1u) << "the second one found the first to delete";
}

TEST_F(ReaderTest, LinkInTheWorkFolderIsReplacedNotFollowed) {
    const fs::path victim = dir.Path() / "victim.txt";
    WriteAll(victim, "untouched");
    fs::create_symlink(victim, work / "theme.xml");
    ASSERT_TRUE(UnpackBytes(Built(ThemeWith({{kDocumentMember, Pattern(64, 6)}}))));
    EXPECT_EQ(ReadText(victim), "untouched");
    EXPECT_FALSE(fs::is_symlink(work / "theme.xml"));
    EXPECT_EQ(Member("theme.xml"), Pattern(64, 6));
}

TEST_F(ReaderTest, MissingArchiveOrWorkFolderCreatesNothing) {
    archive = (dir.Path() / "nowhere" / "missing.thm").string();
    EXPECT_FALSE(Unpack());
    EXPECT_FALSE(fs::exists(archive));
    EXPECT_FALSE(fs::exists(dir.Path() / "nowhere"));
    EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(294)));
    EXPECT_THAT(log.Captured().front(), StartsWith("Failed to unpack tar file -> " + archive));

    // A folder is not an archive.
    archive = work.string();
    toolkit.shown.clear();
    EXPECT_FALSE(Unpack());
    EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(294)));

    // The work folder is never created here.
    archive = dir / "in.thm";
    WriteBytes(archive, Built(ThemeWith({{kDocumentMember, Pattern(64, 6)}})));
    toolkit.shown.clear();
    EXPECT_FALSE(UnpackTarFile(log, texts, archive, (dir.Path() / "nowork").string()));
    EXPECT_FALSE(fs::exists(dir.Path() / "nowork"));
    EXPECT_THAT(toolkit.Texts(), ElementsAre(texts.GetText(294)));
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("in.thm", "work"));
}
