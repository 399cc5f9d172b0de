// The archive writer: header bytes, block layout, member order, and saving that never loses the
// old file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TarTestKit.h"
#include "themefile/TarHeader.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::string Slice(const Bytes& b, std::size_t offset, std::size_t width) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(offset),
                       b.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

bool AllZero(const Bytes& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (b[i] != 0) return false;
    return true;
}

Bytes Build(const Theme& t) {
    TarBuildResult r = BuildTarArchive(t.members);
    EXPECT_TRUE(r.ok) << r.failedMember << " " << r.reason;
    return r.bytes;
}

struct WriterTest : ::testing::Test, TarRig {};

}  // namespace

TEST(TarHeaderTest, OctalFieldsAndChecksum) {
    std::uint8_t out[11] = {};
    ASSERT_TRUE(tar::WriteOctal(out, 1234, 11));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 11), "00000002322");
    EXPECT_FALSE(tar::WriteOctal(out, 01000000, 6)) << "seven digits do not fit in six";
    ASSERT_TRUE(tar::WriteOctal(out, 0777777, 6));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 6), "777777");

    EXPECT_EQ(tar::ParseOctal("00000002322"), 1234u);
    EXPECT_EQ(tar::ParseOctal(" 2322\0 \0"), 1234u) << "NULs and spaces are dropped";
    EXPECT_EQ(tar::ParseOctal("  12 34"), 01234u);
    EXPECT_EQ(tar::ParseOctal(std::string_view("\0\0\0", 3)), std::nullopt) << "nothing left";
    EXPECT_EQ(tar::ParseOctal("      "), std::nullopt);
    EXPECT_EQ(tar::ParseOctal("0000000008"), std::nullopt) << "8 is not octal";
    EXPECT_EQ(tar::ParseOctal("-1"), std::nullopt);
    EXPECT_EQ(tar::ParseOctal("1777777777777777777777"), 0xFFFFFFFFFFFFFFFFu);
    EXPECT_EQ(tar::ParseOctal("2000000000000000000000"), std::nullopt) << "overflow";
    EXPECT_EQ(tar::ParseOctal("77777777777777777777777777"), std::nullopt) << "overflow";

    // The checksum ignores what its own field holds and the padding after byte 499.
    Bytes zero(512, 0);
    EXPECT_EQ(TarChecksum(zero.data()), "000400");
    zero[148] = 0xFF;
    zero[155] = 0xFF;
    zero[511] = 0xFF;
    EXPECT_EQ(TarChecksum(zero.data()), "000400");
    Bytes full(512, 0xFF);
    EXPECT_EQ(TarChecksum(full.data()), "365424") << "492 x 255 + 256: the largest sum";
    zero[0] = 1;
    zero[147] = 2;
    zero[156] = 4;
    zero[499] = 8;
    EXPECT_EQ(TarChecksum(zero.data()), "000417");
}

TEST(TarWriterBuild, WorkedExampleDocumentOf1234Bytes) {
    const Bytes doc = Pattern(1234, 6);
    const Bytes a = Build(ThemeWith({{kDocumentMember, doc}}));
    ASSERT_EQ(a.size(), 512u + 1536u + 1024u);
    EXPECT_EQ(Slice(a, 124, 12), "00000002322 ");
    // The checksum depends only on the name and the size: the data is not in the header.
    EXPECT_EQ(Slice(a, 148, 8), std::string("011066 \0", 8));
    EXPECT_EQ(HeaderSum(a.data()), 4662u);
    EXPECT_EQ(Bytes(a.begin() + 512, a.begin() + 512 + 1234), doc);
    EXPECT_TRUE(AllZero(a, 512 + 1234, a.size())) << "padding and end blocks are zero";
}

TEST(TarWriterBuild, HeaderHoldsExactlyTheFixedFields) {
    const Bytes a = Build(ThemeWith({{1, Pattern(4321, 1)}}));
    std::string name("desk.gif");
    name.resize(100, '\0');
    struct Expected {
        std::size_t offset;
        std::string bytes;
    };
    const Expected fields[] = {
        {0, name},
        {100, std::string("000666 \0", 8)},
        {108, std::string("000000 \0", 8)},
        {116, std::string("000000 \0", 8)},
        {124, "00000010341 "},  // 4321
        {136, "07433057724 "},
        {156, "0"},
        {157, std::string(100, '\0')},
        {257, std::string("ustar\0", 6)},
        {263, "00"},
        {265, std::string(64, '\0')},
        {329, std::string("000000 \0", 8)},
        {337, std::string("000000 \0", 8)},
        {345, std::string(167, '\0')},  // prefix and block padding
    };
    for (const Expected& f : fields)
        EXPECT_EQ(Slice(a, f.offset, f.bytes.size()), f.bytes) << "field at " << f.offset;

    char sum[8];
    std::snprintf(sum, sizeof sum, "%06o", HeaderSum(a.data()));
    EXPECT_EQ(Slice(a, 148, 8), std::string(sum) + std::string(" \0", 2));
}

TEST(TarWriterBuild, OnlyDocumentTakesHeaderWholeBlocksAndTwoEndBlocks) {
    for (const std::size_t n : {0u, 1u, 511u, 512u, 513u, 1024u, 5000u, 32767u}) {
        SCOPED_TRACE(n);
        const Bytes doc = Pattern(n, 9);
        const Bytes a = Build(ThemeWith({{kDocumentMember, doc}}));
        const std::size_t blocks = (n + 511) / 512;
        ASSERT_EQ(a.size(), 512 + 512 * blocks + 1024);
        EXPECT_EQ(Slice(a, 0, 10), std::string("theme.xml\0", 10));
        EXPECT_EQ(Bytes(a.begin() + 512, a.begin() + 512 + static_cast<std::ptrdiff_t>(n)), doc);
        EXPECT_TRUE(AllZero(a, 512 + n, a.size()));
    }
}

TEST(TarWriterBuild, MemberOf512BytesHasNoPaddingAnd513BytesTakesTwoBlocks) {
    const Bytes exact = Build(ThemeWith({{0, Pattern(512, 1)}, {kDocumentMember, Pattern(10, 2)}}));
    ASSERT_EQ(exact.size(), 512u + 512u + 512u + 512u + 1024u);
    EXPECT_EQ(Slice(exact, 1024, 10), std::string("theme.xml\0", 10))
        << "the next header follows the single data block at once";

    const Bytes more = Build(ThemeWith({{0, Pattern(513, 1)}, {kDocumentMember, Pattern(10, 2)}}));
    ASSERT_EQ(more.size(), 512u + 1024u + 512u + 512u + 1024u);
    EXPECT_EQ(more[1024], Pattern(513, 1)[512]) << "the 513th byte opens the second block";
    EXPECT_TRUE(AllZero(more, 1025, 1536)) << "511 zero bytes after it";
    EXPECT_EQ(Slice(more, 1536, 10), std::string("theme.xml\0", 10));
}

TEST(TarWriterBuild, ActiveRecordsInRecordOrderAndInactiveOnesLeaveNoTrace) {
    Theme t = ThemeWith({{kDocumentMember, Pattern(700, 6)}, {4, Pattern(600, 4)}, {1, Pattern(100, 1)}});
    t.members[0].data = Pattern(900, 0);  // held but switched off
    t.members[2].data = Bytes{};
    const Bytes a = Build(t);
    ASSERT_EQ(a.size(), (1 + 1) * 512u + (1 + 2) * 512u + (1 + 2) * 512u + 1024u);
    EXPECT_EQ(Slice(a, 0, 9), "desk.gif\0"s);
    EXPECT_EQ(Slice(a, 1024, 10), "asian.gif\0"s);
    EXPECT_EQ(Slice(a, 2560, 10), "theme.xml\0"s);
    EXPECT_EQ(Bytes(a.begin() + 1536, a.begin() + 2136), Pattern(600, 4));
}

TEST(TarWriterBuild, AllSevenMembersAndZeroLengthOnes) {
    Theme t;
    for (int i = 0; i < kMemberCount; ++i) {
        t.members[i].data = Pattern(static_cast<std::size_t>(i) * 300, static_cast<unsigned>(i));
        t.members[i].active = true;
    }
    const Bytes a = Build(t);
    std::size_t pos = 0;
    for (int i = 0; i < kMemberCount; ++i) {
        SCOPED_TRACE(i);
        const std::size_t n = static_cast<std::size_t>(i) * 300;
        EXPECT_EQ(Slice(a, pos, kMemberNames[i].size()), std::string(kMemberNames[i]));
        EXPECT_EQ(Slice(a, pos + 124, 12), OctalSize(n) + " ");
        pos += 512 + (n + 511) / 512 * 512;
    }
    EXPECT_EQ(pos + 1024, a.size());
}

TEST(TarWriterBuild, TwoBuildsAreByteIdentical) {
    const Theme t = ThemeWith({{0, Pattern(5000, 0)}, {3, Pattern(77, 3)}, {kDocumentMember, Pattern(2000, 6)}});
    EXPECT_EQ(Build(t), Build(t));
}

TEST(TarWriterBuild, RefusesActiveRecordWithoutDataOrTooLarge) {
    Theme t = ThemeWith({{kDocumentMember, Pattern(10, 6)}});
    t.members[2].active = true;  // no buffer at all
    TarBuildResult r = BuildTarArchive(t.members);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, TarBuildError::NoData);
    EXPECT_EQ(r.failedMember, "medium.gif");
    EXPECT_TRUE(r.bytes.empty());

    t = ThemeWith({{5, Pattern(32768, 5)}, {kDocumentMember, Pattern(10, 6)}});
    r = BuildTarArchive(t.members);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, TarBuildError::TooLarge);
    EXPECT_EQ(r.failedMember, "large.gif");

    t.members[5].data->pop_back();  // 32,767 bytes is the largest member allowed
    EXPECT_TRUE(BuildTarArchive(t.members).ok);
}

TEST_F(WriterTest, SavesAndLogsTheRemovalStepsPerMember) {
    const std::string target = dir / "my theme.thm";
    const Theme t = ThemeWith({{1, Pattern(3000, 1)}, {kDocumentMember, Pattern(1234, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, t, target));
    EXPECT_EQ(ReadBytes(target), Build(t));
    const std::string exist = "bFileExist calls getfilename....-->Filename-->" + target;
    const std::string notFound = "Could not find the file in bDeleteFile....->" + target;
    EXPECT_THAT(log.Captured(), ElementsAre(exist, notFound, "No file to remove",  //
                                            exist, notFound, "No file to remove"));

    // Saving again over it: the first member replaces the saved file.
    log.ClearCaptured();
    ASSERT_TRUE(CreateTarFile(log, texts, t, target));
    EXPECT_THAT(log.Captured(), ElementsAre(exist, exist, "Removed a saved thm file",  //
                                            exist, notFound, "No file to remove"));
    EXPECT_TRUE(toolkit.shown.empty());
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("my theme.thm")) << "no temporary file left";
}

TEST_F(WriterTest, TargetNameOfTheLongestLengthSaves) {
    const std::string target = dir / (std::string(251, 'n') + ".thm");  // 255 bytes
    const Theme t = ThemeWith({{kDocumentMember, Pattern(10, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, t, target)) << log.Captured().back();
    EXPECT_EQ(ReadBytes(target), Build(t));
}

TEST_F(WriterTest, SavingOverALongerArchiveLeavesExactlyTheNewOne) {
    const std::string target = dir / "t.thm";
    const Theme big = ThemeWith({{0, Pattern(30000, 0)}, {1, Pattern(30000, 1)}, {kDocumentMember, Pattern(4000, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, big, target));
    const Theme small = ThemeWith({{kDocumentMember, Pattern(100, 7)}});
    ASSERT_TRUE(CreateTarFile(log, texts, small, target));
    EXPECT_EQ(fs::file_size(target), 512u + 512u + 1024u);
    EXPECT_EQ(ReadBytes(target), Build(small));

    // The same theme saved twice, to two files, gives the same bytes.
    ASSERT_TRUE(CreateTarFile(log, texts, big, dir / "a.thm"));
    ASSERT_TRUE(CreateTarFile(log, texts, big, dir / "b.thm"));
    EXPECT_EQ(ReadBytes(dir / "a.thm"), ReadBytes(dir / "b.thm"));
}

TEST_F(WriterTest, TooLargePictureFailsAndKeepsTheOldFile) {
    const std::string target = dir / "keep.thm";
    WriteAll(target, "the old archive");
    const Theme t = ThemeWith({{0, Pattern(40000, 0)}, {kDocumentMember, Pattern(50, 6)}});
    std::string shown;
    EXPECT_FALSE(CreateTarFile(log, texts, t, target, &shown));
    EXPECT_EQ(ReadText(target), "the old archive");
    EXPECT_EQ(shown, texts.GetText(298) + "Background (stand.gif)");
    EXPECT_THAT(shown, HasSubstr("32767"));
    ASSERT_EQ(log.Captured().size(), 1u);
    EXPECT_THAT(log.Captured()[0], StartsWith("Failed to write tar file -> " + target + ": stand.gif"));
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("keep.thm"));
}

TEST_F(WriterTest, UnwritableTargetFailsWithTheReason) {
    // A folder part that is a regular file cannot be written into, not even by root.
    WriteAll(dir / "plain", "x");
    const std::string target = dir / "plain/t.thm";
    std::string shown;
    EXPECT_FALSE(CreateTarFile(log, texts, ThemeWith({{kDocumentMember, Pattern(50, 6)}}), target, &shown));
    EXPECT_THAT(shown, StartsWith(texts.GetText(299)));
    EXPECT_GT(shown.size(), texts.GetText(299).size()) << "the reason follows the text";
    ASSERT_EQ(log.Captured().size(), 1u);
    EXPECT_THAT(log.Captured()[0], StartsWith("Failed to write tar file -> " + target + ": "));
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("plain"));
}

TEST_F(WriterTest, TargetThatIsAFolderStaysAndNoTemporaryFileIsLeft) {
    const std::string target = dir / "folder.thm";
    fs::create_directory(target);
    WriteAll(dir / "folder.thm/inside", "kept");
    std::string shown;
    EXPECT_FALSE(CreateTarFile(log, texts, ThemeWith({{kDocumentMember, Pattern(50, 6)}}), target, &shown));
    EXPECT_THAT(shown, StartsWith(texts.GetText(299)));
    EXPECT_EQ(ReadText(dir / "folder.thm/inside"), "kept");
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("folder.thm", "folder.thm/inside"));
}
