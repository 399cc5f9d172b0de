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
#include "support/EndedProcess.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;
using namespace std::literals;

namespace {

std::string Slice(const Bytes& b, std::size_t offset, std::size_t width) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(offset),
                       b.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

Bytes Build(const Theme& t) {
    TarBuildResult r = BuildTarArchive(t.members);
    EXPECT_TRUE(r.ok) << r.failedMember << " " << r.reason;
    return r.bytes;
}

struct WriterTest : ::testing::Test, TarRig {};

}  // namespace

TEST(TarHeaderTest, OctalParserAndChecksum) {
    // NULs and spaces are dropped; nothing left, a non-octal digit or a sign fail.
    const std::pair<std::string_view, std::optional<std::uint64_t>> parsed[] = {
        {" 2322\0 \0"sv, 1234u}, {"  12 34", 01234u}, {"\0\0\0"sv, std::nullopt}, {"      ", std::nullopt},
        {"0000000008", std::nullopt}, {"-1", std::nullopt}};
    for (const auto& [text, value] : parsed) EXPECT_EQ(tar::ParseOctal(text), value) << text;

    // Bytes 0..147 and 156..499 count; the checksum field counts as spaces, the padding not at all.
    EXPECT_EQ(TarChecksum(Bytes(512, 0xFF).data()), "365424") << "492 x 255 + 256: the largest sum";
}

TEST(TarWriterBuild, WorkedExampleHeaderOfA1234ByteDocument) {
    const Bytes doc = Pattern(1234, 6), a = Build(ThemeWith({{kDocumentMember, doc}}));
    ASSERT_EQ(a.size(), 512u + 1536u + 1024u);
    const std::pair<std::size_t, std::string> fields[] = {
        {0, "theme.xml" + std::string(91, '\0')}, {100, "000666 \0" "000000 \0" "000000 \0"s},
        {124, "00000002322 " "07433057724 "}, {148, "011066 \0" "0"s},  // the data is not in the sum
        {157, std::string(100, '\0')}, {257, "ustar\0" "00"s}, {265, std::string(64, '\0')},
        {329, "000000 \0" "000000 \0"s}, {345, std::string(167, '\0')}};  // prefix and block padding
    for (const auto& [offset, bytes] : fields) EXPECT_EQ(Slice(a, offset, bytes.size()), bytes) << offset;
    EXPECT_EQ(Slice(a, 512, 1234 + 302 + 1024), std::string(doc.begin(), doc.end()) + std::string(302 + 1024, '\0'))
        << "data, padding and two end blocks";
}

TEST(TarWriterBuild, ActiveMembersFollowEachOtherInRecordOrderBlockByBlock) {
    // Sizes on and around the block boundary, nothing at all, and the largest allowed; records
    // that hold data but are switched off leave no trace.
    Theme t;
    const std::size_t sizes[kMemberCount] = {700, 512, 0, 300, 511, 32767, 513};
    const bool active[kMemberCount] = {false, true, true, false, true, true, true};
    for (int i = 0; i < kMemberCount; ++i) t.members[i] = {Pattern(sizes[i], static_cast<unsigned>(i)), active[i]};
    const Bytes a = Build(t);
    std::size_t pos = 0;
    for (int i = 0; i < kMemberCount; ++i) {
        if (!active[i]) continue;
        SCOPED_TRACE(i);
        const std::size_t n = sizes[i], end = pos + 512 + (n + 511) / 512 * 512;
        ASSERT_LE(end, a.size());
        EXPECT_EQ(Slice(a, pos, kMemberNames[i].size() + 1), std::string(kMemberNames[i]) + '\0');
        EXPECT_EQ(Slice(a, pos + 124, 12), OctalSize(n) + " ");
        const Bytes& data = *t.members[i].data;
        EXPECT_EQ(Slice(a, pos + 512, end - pos - 512),
                  std::string(data.begin(), data.end()) + std::string(end - pos - 512 - n, '\0'));
        pos = end;
    }
    EXPECT_EQ(Slice(a, pos, a.size() - pos), std::string(1024, '\0')) << "two zero blocks end it";
}

TEST_F(WriterTest, SavesAndLogsTheRemovalStepsPerMember) {
    const std::string target = dir / (std::string(251, 'n') + ".thm");  // the longest name, 255 bytes
    const Theme big = ThemeWith({{1, Pattern(30000, 1)}, {kDocumentMember, Pattern(1234, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, big, target));
    EXPECT_EQ(ReadBytes(target), Build(big));
    const std::string exist = "bFileExist calls getfilename....-->Filename-->" + target;
    const std::string notFound = "Could not find the file in bDeleteFile....->" + target;
    EXPECT_THAT(log.Captured(), ElementsAre(exist, notFound, "No file to remove",  //
                                            exist, notFound, "No file to remove"));

    // Saving over it: the first member replaces the saved file, and nothing of the longer old
    // archive is left.
    log.ClearCaptured();
    const Theme small = ThemeWith({{kDocumentMember, Pattern(100, 7)}});
    ASSERT_TRUE(CreateTarFile(log, texts, small, target));
    EXPECT_THAT(log.Captured(), ElementsAre(exist, exist, "Removed a saved thm file"));
    EXPECT_EQ(ReadBytes(target), Build(small));
    EXPECT_TRUE(toolkit.shown.empty());
    EXPECT_EQ(TreeOf(dir.Path()).size(), 1u) << "no temporary file left";
}

TEST_F(WriterTest, FailedSavesNameTheReasonAndLeaveEverythingAsItWas) {
    // A picture over 32,767 bytes; an active record without data; a folder part that is a regular
    // file, which cannot be written into, not even by root; a target that is a folder.
    WriteAll(dir / "keep.thm", "the old archive");
    WriteAll(dir / "plain", "x");
    fs::create_directory(dir / "folder.thm");
    WriteAll(dir / "folder.thm/inside", "kept");
    const Theme fine = ThemeWith({{kDocumentMember, Pattern(50, 6)}});
    const Theme large = ThemeWith({{0, Pattern(32768, 0)}, {kDocumentMember, Pattern(50, 6)}});
    Theme noData = fine;
    noData.members[2].active = true;
    const struct { const Theme& theme; std::string target, logged, shown; } cases[] = {{large, dir / "keep.thm", "stand.gif", texts.GetText(298) + "Background (stand.gif)"},
                 {noData, dir / "keep.thm", "medium.gif", texts.GetText(299) + "medium.gif"},
                 {fine, dir / "plain/t.thm", "", texts.GetText(299)},
                 {fine, dir / "folder.thm", "", texts.GetText(299)}};
    for (const auto& c : cases) {
        Forget();
        std::string shown;
        EXPECT_FALSE(CreateTarFile(log, texts, c.theme, c.target, &shown)) << c.target;
        EXPECT_THAT(shown, StartsWith(c.shown));
        EXPECT_GT(shown.size(), texts.GetText(299).size()) << "the reason follows the text";
        EXPECT_THAT(log.Captured(), ElementsAre(StartsWith("Failed to write tar file -> " + c.target + ": " + c.logged)));
        EXPECT_THAT(TreeOf(dir.Path()), ElementsAre("folder.thm", "folder.thm/inside", "keep.thm", "plain"));
        EXPECT_EQ(ReadText(dir / "keep.thm"), "the old archive");
    }
}

TEST_F(WriterTest, ASaveKeepsTheFilesPermissionsAndLinkAndClearsTemporariesOfEndedProcesses) {
    const Theme theme = ThemeWith({{kDocumentMember, Pattern(60, 3)}});
    WriteAll(dir / "private.thm", "old");
    fs::permissions(dir / "private.thm", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(dir / "real");
    WriteAll(dir / "real/theme.thm", "old");
    fs::create_symlink("real/theme.thm", dir / "link.thm");
    fs::create_symlink("real/new.thm", dir / "dangling.thm");
    const std::string ended = ".tintora-" + std::to_string(EndedProcess()) + "-1.tmp";
    const std::string running = ".tintora-1-1.tmp";  // init runs as long as the machine does
    for (const std::string& name : {ended, running, ".tintora-x.tmp"s}) WriteAll(dir / name, "left");

    for (const char* target : {"private.thm", "link.thm", "dangling.thm"})
        ASSERT_TRUE(CreateTarFile(log, texts, theme, dir / target)) << target;
    EXPECT_EQ(fs::status(dir / "private.thm").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(fs::is_symlink(dir / "link.thm"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.thm"));
    EXPECT_EQ(ReadBytes(dir / "real/theme.thm"), Build(theme));
    EXPECT_EQ(ReadBytes(dir / "real/new.thm"), Build(theme));
    // Only the temporary file of the ended process is gone; the saves left none of their own.
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.Path())) left.push_back(e.path().filename().string());
    EXPECT_THAT(left, UnorderedElementsAre(running, ".tintora-x.tmp", "dangling.thm", "link.thm", "private.thm", "real"));
}
