// The archive reader on bytes: round trips with the writer, damaged, foreign and hostile archives;
// and unpacking a file into the work folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "editor/ThemeFiles.h"
#include "support/GoldenCases.h"
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

// Archives as other writers, damage or attackers make them. A wrong checksum is reported with both
// checksums, and the member read all the same; unsafe names and entries that are not plain files
// are skipped; any other damage stops reading with a reason, and what came before it stands.
// Each case folder holds archive.thm and read.txt, what the reader finds in it as Story writes it.
TEST(TarReader, GoldenArchives) {
    const auto cases = CaseFolders("archives");
    EXPECT_EQ(cases.size(), 15u);
    for (const auto& c : cases) EXPECT_EQ(StoryOf(ReadBytes(c / "archive.thm")), ExpectedReading(c)) << c;
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
    const std::string exist = "bFileExist calls getfilename....-->Filename-->" + work.string();
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
    Bytes cut = a;  // the second member runs past the end; the first is written all the same
    cut.resize(1024 + 512 + 100);
    WriteBytes(dir / "cut.thm", cut);
    fs::create_directory(dir / "cutwork");
    for (const auto& [thm, into, shown] :
         {std::tuple{dir / "nowhere/missing.thm", work.string(), failed + "Can not find the file"},
          {work.string(), work.string(), failed + "Not a file"},
          {archive, dir / "nowork", failed + dir / "nowork/stand.gif: No such file or directory"},
          {huge, work.string(), failed + rig.texts.GetText(kTextFileTooLarge)},
          {dir / "cut.thm", dir / "cutwork", failed + "member runs past the end of the file: theme.xml"}}) {
        rig.Forget();
        EXPECT_FALSE(UnpackTarFile(rig.log, rig.texts, thm, into)) << thm;
        EXPECT_THAT(rig.toolkit.Texts(), ElementsAre(shown));
        EXPECT_THAT(rig.log.Captured(), Contains(StartsWith("Failed to unpack tar file -> " + thm + ": ")));
    }
    EXPECT_FALSE(fs::exists(dir / "nowork")) << "no folder is ever created";
    EXPECT_EQ(TreeOf(dir.Path() / "cutwork"), std::vector<std::string>{"stand.gif"});
}
