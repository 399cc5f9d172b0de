// The archive writer: header bytes, block layout, member order, and saving that never loses the
// old file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
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
using namespace std::literals;

namespace {

std::string Slice(const Bytes& b, std::size_t offset, std::size_t width) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(offset),
                       b.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

bool AllZero(const Bytes& b, std::size_t from, std::size_t to) {
    return std::all_of(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(to),
                       [](std::uint8_t v) { return v == 0; });
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

    // NULs and spaces are dropped; nothing left, a non-octal digit, a sign or overflow fail.
    const std::pair<std::string_view, std::optional<std::uint64_t>> parsed[] = {
        {"00000002322", 1234u}, {" 2322\0 \0"sv, 1234u}, {"  12 34", 01234u}, {"\0\0\0"sv, std::nullopt},
        {"      ", std::nullopt}, {"0000000008", std::nullopt}, {"-1", std::nullopt},
        {"1777777777777777777777", 0xFFFFFFFFFFFFFFFFu}, {"2000000000000000000000", std::nullopt},
        {"77777777777777777777777777", std::nullopt}};
    for (const auto& [text, value] : parsed) EXPECT_EQ(tar::ParseOctal(text), value) << text;

    // The checksum ignores what its own field holds and the padding after byte 499.
    Bytes zero(512, 0);
    EXPECT_EQ(TarChecksum(zero.data()), "000400");
    zero[148] = zero[155] = zero[511] = 0xFF;
    EXPECT_EQ(TarChecksum(zero.data()), "000400");
    EXPECT_EQ(TarChecksum(Bytes(512, 0xFF).data()), "365424") << "492 x 255 + 256: the largest sum";
    zero[0] = 1, zero[147] = 2, zero[156] = 4, zero[499] = 8;
    EXPECT_EQ(TarChecksum(zero.data()), "000417");
}

TEST(TarWriterBuild, WorkedExampleHeaderOfA1234ByteDocument) {
    const Bytes doc = Pattern(1234, 6);
    const Bytes a = Build(ThemeWith({{kDocumentMember, doc}}));
    ASSERT_EQ(a.size(), 512u + 1536u + 1024u);
    std::string name("theme.xml");
    name.resize(100, '\0');
    const std::pair<std::size_t, std::string> fields[] = {
        {0, name},
        {100, "000666 \0"s},
        {108, "000000 \0"s},
        {116, "000000 \0"s},
        {124, "00000002322 "},
        {136, "07433057724 "},
        {148, "011066 \0"s},  // name and size only: the data is not in the header
        {156, "0"},
        {157, std::string(100, '\0')},
        {257, "ustar\0"s},
        {263, "00"},
        {265, std::string(64, '\0')},
        {329, "000000 \0"s},
        {337, "000000 \0"s},
        {345, std::string(167, '\0')},  // prefix and block padding
    };
    for (const auto& [offset, bytes] : fields) EXPECT_EQ(Slice(a, offset, bytes.size()), bytes) << offset;
    EXPECT_EQ(HeaderSum(a.data()), 4662u);
    EXPECT_EQ(Bytes(a.begin() + 512, a.begin() + 512 + 1234), doc);
    EXPECT_TRUE(AllZero(a, 512 + 1234, a.size())) << "padding and end blocks are zero";
}

TEST(TarWriterBuild, OnlyDocumentTakesHeaderWholeBlocksAndTwoEndBlocks) {
    for (const std::size_t n : {0u, 1u, 511u, 512u, 513u, 1024u, 32767u}) {
        SCOPED_TRACE(n);
        const Bytes doc = Pattern(n, 9);
        const Bytes a = Build(ThemeWith({{kDocumentMember, doc}}));
        ASSERT_EQ(a.size(), 512 + (n + 511) / 512 * 512 + 1024);
        EXPECT_EQ(Bytes(a.begin() + 512, a.begin() + 512 + static_cast<std::ptrdiff_t>(n)), doc);
        EXPECT_TRUE(AllZero(a, 512 + n, a.size()));
    }
}

TEST(TarWriterBuild, AllSevenMembersFollowEachOtherBlockByBlock) {
    Theme t;
    const std::size_t sizes[kMemberCount] = {512, 0, 513, 300, 1, 1024, 2000};
    for (int i = 0; i < kMemberCount; ++i) t.members[i] = {Pattern(sizes[i], static_cast<unsigned>(i)), true};
    const Bytes a = Build(t);
    std::size_t pos = 0;
    for (int i = 0; i < kMemberCount; ++i) {
        SCOPED_TRACE(i);
        const std::size_t n = sizes[i], end = pos + 512 + (n + 511) / 512 * 512;
        ASSERT_LE(end, a.size());
        EXPECT_EQ(Slice(a, pos, kMemberNames[i].size() + 1), std::string(kMemberNames[i]) + '\0');
        EXPECT_EQ(Slice(a, pos + 124, 12), OctalSize(n) + " ");
        EXPECT_EQ(Bytes(a.begin() + static_cast<std::ptrdiff_t>(pos + 512),
                        a.begin() + static_cast<std::ptrdiff_t>(pos + 512 + n)), *t.members[i].data);
        EXPECT_TRUE(AllZero(a, pos + 512 + n, end));
        pos = end;
    }
    EXPECT_EQ(pos + 1024, a.size());
}

TEST(TarWriterBuild, InactiveRecordsLeaveNoTrace) {
    Theme t = ThemeWith({{kDocumentMember, Pattern(700, 6)}, {4, Pattern(600, 4)}, {1, Pattern(100, 1)}});
    t.members[0].data = Pattern(900, 0);  // held but switched off
    t.members[2].data = Bytes{};
    const Bytes a = Build(t);
    ASSERT_EQ(a.size(), (1 + 1) * 512u + (1 + 2) * 512u + (1 + 2) * 512u + 1024u);
    EXPECT_EQ(Slice(a, 0, 9), "desk.gif\0"s);
    EXPECT_EQ(Slice(a, 1024, 10), "asian.gif\0"s);
    EXPECT_EQ(Slice(a, 2560, 10), "theme.xml\0"s);
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

TEST_F(WriterTest, SavingOverALongerArchiveAndSavingTwiceGiveExactBytes) {
    const std::string target = dir / (std::string(251, 'n') + ".thm");  // the longest name, 255 bytes
    const Theme big = ThemeWith({{0, Pattern(30000, 0)}, {1, Pattern(30000, 1)}, {kDocumentMember, Pattern(4000, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, big, target));
    const Theme small = ThemeWith({{kDocumentMember, Pattern(100, 7)}});
    ASSERT_TRUE(CreateTarFile(log, texts, small, target));
    EXPECT_EQ(ReadBytes(target), Build(small));

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

TEST_F(WriterTest, UnwritableTargetFailsWithTheReasonAndLeavesNoTemporaryFile) {
    // A folder part that is a regular file cannot be written into, not even by root; a target
    // that is a folder stays as it is.
    WriteAll(dir / "plain", "x");
    fs::create_directory(dir / "folder.thm");
    WriteAll(dir / "folder.thm/inside", "kept");
    for (const std::string& target : {dir / "plain/t.thm", dir / "folder.thm"}) {
        Forget();
        std::string shown;
        EXPECT_FALSE(CreateTarFile(log, texts, ThemeWith({{kDocumentMember, Pattern(50, 6)}}), target, &shown));
        EXPECT_THAT(shown, StartsWith(texts.GetText(299)));
        EXPECT_GT(shown.size(), texts.GetText(299).size()) << "the reason follows the text";
        ASSERT_EQ(log.Captured().size(), 1u);
        EXPECT_THAT(log.Captured()[0], StartsWith("Failed to write tar file -> " + target + ": "));
        EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("folder.thm", "folder.thm/inside", "plain"));
        EXPECT_EQ(ReadText(dir / "folder.thm/inside"), "kept");
    }
}
