// The archive writer: header bytes, block layout, and saving that never loses the old file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "editor/ThemeFiles.h"
#include "support/EndedProcess.h"
#include "support/TarTestKit.h"
#include "themefile/TarHeader.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ElementsAre;
using ::testing::StartsWith;
namespace fs = std::filesystem;
using namespace std::literals;

namespace {

Bytes Build(const Theme& t) { return BuildTarArchive(t.members).bytes; }

struct WriterTest : ::testing::Test, TarRig {};

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
    ASSERT_EQ(a.size(), 512u + 1536u + 1024u);
    const std::pair<std::size_t, std::string> fields[] = {
        {0, "theme.xml" + std::string(91, '\0')}, {100, "000666 \0" "000000 \0" "000000 \0"s},
        {124, "00000002322 " "07433057724 "}, {148, "011066 \0" "0"s},  // the data is not in the sum
        {157, std::string(100, '\0')}, {257, "ustar\0" "00"s}, {265, std::string(64, '\0')},
        {329, "000000 \0" "000000 \0"s}, {345, std::string(167, '\0')}};  // prefix and block padding
    const std::string text(a.begin(), a.end());
    for (const auto& [offset, bytes] : fields) EXPECT_EQ(text.substr(offset, bytes.size()), bytes) << offset;
    EXPECT_EQ(text.substr(512), std::string(doc.begin(), doc.end()) + std::string(302 + 1024, '\0'));
}

// The log tells of removing the old file per member packed; a save keeps the file's permissions
// and link, leaves no temporary file and clears those of ended processes.
TEST_F(WriterTest, SavesKeepTheFileAsItWasMadeAndLogTheRemovalSteps) {
    const std::string target = dir / (std::string(251, 'n') + ".thm");  // the longest name, 255 bytes
    const Theme big = ThemeWith({{1, Pattern(30000, 1)}, {kDocumentMember, Pattern(1234, 6)}});
    ASSERT_TRUE(CreateTarFile(log, texts, big, target));
    EXPECT_EQ(ReadBytes(target), Build(big));
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
    EXPECT_EQ(ReadBytes(target), Build(theme));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // A link stays a link, also a dangling one, and the file it names is written.
    fs::create_directory(dir / "real");
    fs::create_symlink("real/theme.thm", dir / "link.thm");
    fs::create_symlink("real/new.thm", dir / "dangling.thm");
    WriteAll(dir / "real/theme.thm", "old");
    for (const char* link : {"link.thm", "dangling.thm"})
        ASSERT_TRUE(CreateTarFile(log, texts, theme, dir / link)) << link;
    EXPECT_EQ(ReadBytes(dir / "real/theme.thm"), Build(theme));
    EXPECT_EQ(ReadBytes(dir / "real/new.thm"), Build(theme));
    // Only the temporary file of the ended process is gone; the saves left none of their own.
    EXPECT_THAT(TreeOf(dir.Path()), ElementsAre(running, ".tintora-x.tmp", "dangling.thm", "link.thm",
                                                fs::path(target).filename().string(), "real", "real/new.thm",
                                                "real/theme.thm"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.thm") && fs::is_symlink(dir / "dangling.thm"));
    EXPECT_TRUE(toolkit.shown.empty());
}

// A picture over 32,767 bytes; an active record without data; a folder part that is a regular
// file, which cannot be written into, not even by root; a target that is a folder.
TEST_F(WriterTest, FailedSavesNameTheReasonAndLeaveEverythingAsItWas) {
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

}  // namespace
