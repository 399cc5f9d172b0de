// The archive reader on bytes, and unpacking a file into the work folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

// What the reader found, one line per item: log lines ("!" before those shown), members as
// "+name size", the failure as "x reason".
std::vector<std::string> Story(const TarContents& c) {
    std::vector<std::string> out;
    for (const TarItem& i : c.items)
        out.push_back(i.kind == TarItem::Kind::Member ? "+" + i.text + " " + std::to_string(i.data.size())
                                                      : (i.level == 2 ? "!" : "") + i.text);
    if (c.failure) out.push_back("x " + *c.failure);
    return out;
}

}  // namespace

// Sizes on and around the block boundary, an empty member, and one that puts the later headers
// past 32 KB; records switched off leave no trace.
TEST(TarReader, EveryActiveMemberRoundTripsInRecordOrder) {
    const std::size_t sizes[kMemberCount] = {4321, 512, 0, 513, 32767, 1, 2000};
    Theme t;
    std::vector<std::string> story;
    for (int i = 0; i < kMemberCount; ++i) {
        t.members[i] = {Pattern(sizes[i], static_cast<unsigned>(i)), i != 1 && i != 5};
        if (t.members[i].active)
            story.insert(story.end(),
                         {"Correct checksum", "+" + std::string(kMemberNames[i]) + " " + std::to_string(sizes[i])});
    }
    EXPECT_EQ(Story(ReadTarArchive(BuildTarArchive(t.members).bytes, kTexts)), story);
}

// Archives as other writers, damage or attackers make them: archive.thm and read.txt, its Story.
TEST(TarReader, GoldenArchives) {
    const auto cases = CaseFolders("archives");
    EXPECT_EQ(cases.size(), 15u);
    for (const auto& c : cases)
        EXPECT_EQ(Story(ReadTarArchive(ReadBytes(c / "archive.thm"), kTexts)), ExpectedReading(c)) << c;
}

// Each member replaces what was in the work folder (a link in the way is replaced, not followed),
// names are given once each; a failure shows 294 with the reason and keeps what was written.
TEST(UnpackTarFile, WritesTheMembersIntoTheWorkFolderOrSaysWhyNot) {
    TarRig rig;
    const fs::path work = rig.dir.Path() / "work", victim = rig.dir.Path() / "victim.txt";
    fs::create_directory(work);
    WriteAll(victim, "untouched");
    fs::create_symlink(victim, work / "stand.gif");
    Bytes a;
    AddMember(a, "stand.gif", Pattern(64, 0));
    AddMember(a, "theme.xml", Pattern(900, 1));
    AddMember(a, "theme.xml", Pattern(100, 2));
    AddEndBlocks(a);
    const std::string archive = rig.dir / "in.thm";
    WriteBytes(archive, a);
    std::vector<std::string> names;
    ASSERT_TRUE(UnpackTarFile(rig.log, rig.texts, archive, work.string(), &names));
    EXPECT_THAT(names, ElementsAre("stand.gif", "theme.xml"));
    EXPECT_EQ(ReadBytes(work / "stand.gif"), Pattern(64, 0));
    EXPECT_EQ(ReadBytes(work / "theme.xml"), Pattern(100, 2)) << "shorter second member, no old tail";
    EXPECT_EQ(ReadText(victim), "untouched");
    const std::string exist = "bFileExist calls getfilename....-->Filename-->" + work.string();
    EXPECT_THAT(rig.log.Captured(),
                ElementsAre("Correct checksum", exist + "/stand.gif", exist + "/stand.gif",  // found, deleted
                            "Correct checksum", exist + "/theme.xml",
                            "Could not find the file in bDeleteFile....->" + work.string() + "/theme.xml",
                            "No File to delete", "Correct checksum", exist + "/theme.xml", exist + "/theme.xml"));
    EXPECT_TRUE(rig.toolkit.shown.empty());

    const std::string huge = rig.dir / "huge.thm", cut = rig.dir / "cut.thm";
    WriteBytes(huge, a);
    fs::resize_file(huge, kMaxThemeFileSize + 1);  // refused before it is read; sparse, costs no disk
    a.resize(1024 + 512 + 100);  // the second member runs past the end
    WriteBytes(cut, a);
    fs::create_directory(rig.dir / "cutwork");
    const std::string failed = rig.texts.GetText(294) + "\n";
    for (const auto& [thm, into, shown] :
         {std::tuple{rig.dir / "nowhere/missing.thm", work.string(), failed + "Can not find the file"},
          {work.string(), work.string(), failed + "Not a file"},
          {archive, rig.dir / "nowork", failed + rig.dir / "nowork/stand.gif: No such file or directory"},
          {huge, work.string(), failed + rig.texts.GetText(kTextFileTooLarge)},
          {cut, rig.dir / "cutwork", failed + "member runs past the end of the file: theme.xml"}}) {
        rig.Forget();
        EXPECT_FALSE(UnpackTarFile(rig.log, rig.texts, thm, into)) << thm;
        EXPECT_THAT(rig.toolkit.Texts(), ElementsAre(shown));
        EXPECT_THAT(rig.log.Captured(), Contains(StartsWith("Failed to unpack tar file -> " + thm)));
    }
    EXPECT_FALSE(fs::exists(rig.dir / "nowork")) << "no folder is ever created";
    EXPECT_EQ(TreeOf(rig.dir / "cutwork"), std::vector<std::string>{"stand.gif"});
}
