// Our files against real programs, both ways: GNU tar lists and extracts our archive, and we unpack
// what GNU tar, bsdtar, busybox and Python's tarfile write; ImageMagick and giflib's gif2rgb read
// back the pixels of our GIFs. scripts/setup.sh installs them all; a missing one fails.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <sstream>

#include "editor/ThemeFiles.h"
#include "pictures/SlotPicture.h"
#include "support/TarTestKit.h"

using namespace tintora;
using namespace tintora::test;
namespace fs = std::filesystem;

namespace {

// Runs `command` through the shell after replacing each key by its value, quoted; the exit status
// and the non-empty lines of its output (standard error included).
std::pair<int, std::vector<std::string>> RunShell(std::string command,
                                                  const std::map<std::string, std::string>& keys = {}) {
    for (const auto& [key, value] : keys)
        for (std::size_t at; (at = command.find(key)) != std::string::npos;)
            command.replace(at, key.size(), "'" + value + "'");
    std::FILE* p = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buf[4096];
    for (std::size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) output.append(buf, n);
    const int status = p ? pclose(p) : -1;
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return {status, lines};
}

struct InteropTest : ::testing::Test, TarRig {};

// Our archive listed by GNU tar with mode, owner, time and size, then extracted.
TEST_F(InteropTest, GnuTarListsAndExtractsOurArchive) {
    const Theme t = ThemeWith({{0, Pattern(6123, 0)}, {1, Pattern(512, 1)}, {4, Pattern(4097, 4)},
                               {kDocumentMember, Pattern(2345, 6)}});
    const fs::path thm = dir.Path() / "ours.thm", out = dir.Path() / "out";
    ASSERT_TRUE(CreateTarFile(log, texts, t, thm.string()));
    fs::create_directory(out);
    const auto [status, lines] = RunShell("TZ=UTC tar --numeric-owner --full-time -tvf {thm} && "
                                          "tar --numeric-owner -C {out} -xf {thm}",
                                          {{"{thm}", thm}, {"{out}", out}});
    ASSERT_EQ(status, 0) << ::testing::PrintToString(lines);
    EXPECT_THAT(lines, ::testing::ElementsAre("-rw-rw-rw- 0/0            6123 2002-02-15 01:09:40 stand.gif",
                                              "-rw-rw-rw- 0/0             512 2002-02-15 01:09:40 desk.gif",
                                              "-rw-rw-rw- 0/0            4097 2002-02-15 01:09:40 asian.gif",
                                              "-rw-rw-rw- 0/0            2345 2002-02-15 01:09:40 theme.xml"));
    for (int i : {0, 1, 4, kDocumentMember})
        EXPECT_EQ(ReadAll(out / std::string(kMemberNames[i])), *t.members[i].data) << kMemberNames[i];
}

// Each reader writes the pixels of {gif} as RGB triplets to {rgb}.
TEST_F(InteropTest, ImageMagickAndGif2rgbReadTheEncodedPixels) {
    std::mt19937 rng(11);
    RgbaImage noise(333, 77);
    for (auto& px : noise.pixels) px = static_cast<std::uint32_t>(rng());  // alpha too
    const std::pair<int, ImportSettings> cases[] = {{0, {FitMode::Crop, 0x102030, true, false}},
                                                    {5, {FitMode::Fit, 0xFF00AA, false, false}}};
    const std::string gifPath = dir / "p.gif", rgbPath = dir / "p.rgb";
    for (const auto& [slot, settings] : cases) {
        const GifResult gif = MakeSlotPicture(noise, slot, settings);
        ASSERT_TRUE(gif.bytes);
        WriteBytes(gifPath, *gif.bytes);
        std::string expected;
        for (std::uint32_t px : FitToSlot(noise, slot, settings).pixels)
            for (int shift : {16, 8, 0}) expected += static_cast<char>(px >> shift & 0xFF);
        for (const char* command : {"convert {gif} rgb:{rgb}", "gif2rgb -1 -o {rgb} {gif}"}) {
            fs::remove(rgbPath);
            const auto [status, output] = RunShell(command, {{"{gif}", gifPath}, {"{rgb}", rgbPath}});
            ASSERT_EQ(status, 0) << command << ::testing::PrintToString(output);
            EXPECT_EQ(ReadText(rgbPath), expected) << command;
        }
    }
}

// Archives from other writers of the theme files in {src}; {out} the archive.
const char* const kForeignWriters[] = {
    "cd {src} && tar --format=ustar -cf {out} *",
    "cd {src} && tar --format=gnu -cf {out} *",
    "cd {src} && tar --format=v7 -cf {out} *",
    "cd {src} && tar --format=posix -cf {out} *",
    "tar -C {src} -cf {out} .",
    "cd {src} && bsdtar --format pax -cf {out} *",
    "bsdtar -C {src} -cf {out} .",
    "cd {src} && busybox tar -cf {out} *",
    "cd {src} && python3 -c \"import sys, tarfile; t = tarfile.open(sys.argv[1], 'w', "
    "format=tarfile.PAX_FORMAT, pax_headers={'comment': 'x'}); "  // with a global header
    "[t.add(n) for n in sys.argv[2:]]; t.close()\" {out} *",
};

TEST_F(InteropTest, ForeignArchivesUnpackWithIdenticalBytesAndNoWarning) {
    const fs::path src = dir.Path() / "src", thm = dir.Path() / "foreign.thm";
    fs::create_directory(src);
    const std::map<std::string, Bytes> files = {{"stand.gif", Pattern(7001, 0)}, {"desk.gif", Pattern(512, 1)},
                                                {"empty.gif", {}}, {"theme.xml", Pattern(3210, 6)}};
    for (const auto& [name, bytes] : files) WriteBytes(src / name, bytes);
    int writer = 0;
    for (const char* command : kForeignWriters) {
        SCOPED_TRACE(command);
        const fs::path work = dir.Path() / ("work" + std::to_string(++writer));
        fs::create_directory(work);
        const auto [status, output] = RunShell(command, {{"{src}", src}, {"{out}", thm}});
        ASSERT_EQ(status, 0) << ::testing::PrintToString(output);
        std::vector<std::string> names;
        ASSERT_TRUE(UnpackTarFile(log, texts, thm.string(), work.string(), &names));
        for (const auto& [name, bytes] : files) EXPECT_EQ(ReadAll(work / name), bytes) << name;
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, TreeOf(work)) << "each name once, and nothing else written";
        EXPECT_TRUE(toolkit.shown.empty()) << "no checksum warning, no failure";
    }
}

}  // namespace
