// Our archives against real tar programs, both ways: what we write, GNU tar, bsdtar, busybox and
// Python's tarfile list and extract; what they write, we unpack. A case is skipped only when its
// program is not installed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/TarTestKit.h"
#include "themefile/TarReader.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;
namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status = -1;
    std::string output;
};

RunResult RunCommand(const std::string& command) {
    RunResult r;
    std::FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
    r.status = pclose(p);
    return r;
}

bool HaveTool(const std::string& tool) {
    return RunCommand("command -v " + tool + " >/dev/null").status == 0;
}

std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

// The members of a saved theme: pictures of GIF-like size, one of exactly 512 bytes, and the
// document.
Theme SampleTheme() {
    return ThemeWith({{0, Pattern(6123, 0)}, {1, Pattern(512, 1)}, {4, Pattern(4097, 4)},
                      {kDocumentMember, Pattern(2345, 6)}});
}

// Replaces every {key} in `command` by its quoted path.
std::string Fill(std::string command, const std::map<std::string, fs::path>& paths) {
    for (const auto& [key, path] : paths)
        for (std::size_t at; (at = command.find(key)) != std::string::npos;) command.replace(at, key.size(), Quote(path));
    return command;
}

// Our archive listed by each reader; those that extract ({out}) must give back identical bytes.
struct OurArchiveReader {
    const char* tool;
    const char* command;
    std::vector<std::string> listing;
};

const std::vector<std::string> kNames = {"stand.gif", "desk.gif", "asian.gif", "theme.xml"};
const OurArchiveReader kReaders[] = {
    {"tar", "TZ=UTC tar --numeric-owner --full-time -tvf {thm} && tar --numeric-owner -C {out} -xf {thm}",
     {"-rw-rw-rw- 0/0            6123 2002-02-15 01:09:40 stand.gif",
      "-rw-rw-rw- 0/0             512 2002-02-15 01:09:40 desk.gif",
      "-rw-rw-rw- 0/0            4097 2002-02-15 01:09:40 asian.gif",
      "-rw-rw-rw- 0/0            2345 2002-02-15 01:09:40 theme.xml"}},
    {"python3",
     "python3 -c \"import sys, tarfile\n"
     "with tarfile.open(sys.argv[1], 'r:') as tf:\n"
     "    [print(m.name, oct(m.mode), m.uid, m.gid, m.mtime, m.isreg(), m.size) for m in tf.getmembers()]\n"
     "    tf.extractall(sys.argv[2])\" {thm} {out}",
     {"stand.gif 0o666 0 0 1013735380 True 6123", "desk.gif 0o666 0 0 1013735380 True 512",
      "asian.gif 0o666 0 0 1013735380 True 4097", "theme.xml 0o666 0 0 1013735380 True 2345"}},
    {"bsdtar", "bsdtar -tf {thm}", kNames},
    {"busybox", "busybox tar -tf {thm}", kNames},
};

struct InteropTest : ::testing::Test, TarRig {};

}  // namespace

TEST_F(InteropTest, RealTarReadersListAndExtractOurArchive) {
    const Theme t = SampleTheme();
    const fs::path thm = dir.Path() / "ours.thm";
    ASSERT_TRUE(CreateTarFile(log, texts, t, thm.string()));
    int ran = 0;
    for (const OurArchiveReader& reader : kReaders) {
        if (!HaveTool(reader.tool)) continue;
        ++ran;
        SCOPED_TRACE(reader.tool);
        const fs::path out = dir.Path() / reader.tool;
        fs::create_directory(out);
        const RunResult r = RunCommand(Fill(reader.command, {{"{thm}", thm}, {"{out}", out}}));
        ASSERT_EQ(r.status, 0) << r.output;
        EXPECT_EQ(SplitLines(r.output), reader.listing);
        if (fs::is_empty(out)) continue;  // a lister only
        for (int i : {0, 1, 4, kDocumentMember})
            EXPECT_EQ(ReadBytes(out / std::string(kMemberNames[i])), *t.members[i].data) << kMemberNames[i];
        EXPECT_EQ(fs::last_write_time(out / "theme.xml"),
                  fs::file_time_type::clock::from_sys(std::chrono::sys_seconds{std::chrono::seconds{1013735380}}));
    }
    if (ran == 0) GTEST_SKIP() << "no tar reader is installed";
}

// Archives from other writers, of a flat folder of theme files.
struct ForeignWriter {
    const char* label;
    const char* tool;     // must be installed for the case to run
    const char* command;  // {src} is the folder, {out} the archive
};

const ForeignWriter kForeignWriters[] = {
    {"gnu_ustar", "tar", "tar --format=ustar -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"gnu_gnu", "tar", "tar --format=gnu -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"gnu_v7", "tar", "tar --format=v7 -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"gnu_posix", "tar", "tar --format=posix -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"gnu_folder_dot", "tar", "tar -C {src} -cf {out} ."},
    {"gnu_posix_folder_dot", "tar", "tar --format=posix -C {src} -cf {out} ."},
    {"bsdtar_ustar", "bsdtar", "bsdtar --format ustar -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"bsdtar_pax", "bsdtar", "bsdtar --format pax -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"bsdtar_paxr", "bsdtar", "bsdtar --format paxr -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"bsdtar_gnutar", "bsdtar", "bsdtar --format gnutar -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"bsdtar_v7", "bsdtar", "bsdtar --format v7 -C {src} -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"bsdtar_folder_dot", "bsdtar", "bsdtar -C {src} -cf {out} ."},
    {"busybox", "busybox", "cd {src} && busybox tar -cf {out} stand.gif desk.gif empty.gif theme.xml"},
    {"busybox_folder_dot", "busybox", "cd {src} && busybox tar -cf {out} ."},
    {"python_ustar", "python3", "python3 -c \"import sys,tarfile,os; os.chdir(sys.argv[1]); t=tarfile.open(sys.argv[2],'w',format=tarfile.USTAR_FORMAT); [t.add(n) for n in ('stand.gif','desk.gif','empty.gif','theme.xml')]; t.close()\" {src} {out}"},
    {"python_gnu", "python3", "python3 -c \"import sys,tarfile,os; os.chdir(sys.argv[1]); t=tarfile.open(sys.argv[2],'w',format=tarfile.GNU_FORMAT); [t.add(n) for n in ('stand.gif','desk.gif','empty.gif','theme.xml')]; t.close()\" {src} {out}"},
    {"python_pax", "python3", "python3 -c \"import sys,tarfile,os; os.chdir(sys.argv[1]); t=tarfile.open(sys.argv[2],'w',format=tarfile.PAX_FORMAT,pax_headers={'comment':'x'}); [t.add(n) for n in ('stand.gif','desk.gif','empty.gif','theme.xml')]; t.close()\" {src} {out}"},
};

class ForeignArchiveTest : public ::testing::TestWithParam<ForeignWriter>, public TarRig {};

TEST_P(ForeignArchiveTest, UnpacksWithIdenticalBytesAndNoWarning) {
    const ForeignWriter& w = GetParam();
    if (!HaveTool(w.tool)) GTEST_SKIP() << w.tool << " is not installed";

    const fs::path src = dir.Path() / "src";
    fs::create_directory(src);
    const std::map<std::string, Bytes> files = {{"stand.gif", Pattern(7001, 0)},
                                                {"desk.gif", Pattern(512, 1)},
                                                {"empty.gif", {}},
                                                {"theme.xml", Pattern(3210, 6)}};
    for (const auto& [name, bytes] : files) WriteBytes(src / name, bytes);

    const fs::path thm = dir.Path() / "foreign.thm";
    const std::string command = Fill(w.command, {{"{src}", src}, {"{out}", thm}});
    const RunResult made = RunCommand(command);
    ASSERT_EQ(made.status, 0) << command << "\n" << made.output;

    const fs::path work = dir.Path() / "work";
    fs::create_directory(work);
    std::vector<std::string> names;
    ASSERT_TRUE(UnpackTarFile(log, texts, thm.string(), work.string(), &names));
    std::vector<std::string> expectedNames;
    for (const auto& [name, bytes] : files) {
        expectedNames.push_back(name);
        EXPECT_EQ(ReadBytes(work / name), bytes) << name;
    }
    EXPECT_THAT(names, UnorderedElementsAreArray(expectedNames));
    EXPECT_THAT(TreeOf(work), UnorderedElementsAreArray(expectedNames)) << "nothing else written";
    EXPECT_TRUE(toolkit.shown.empty()) << "no checksum warning, no failure";
    for (const std::string& line : log.Captured()) EXPECT_EQ(line.rfind("Char(", 0), std::string::npos) << line;
}

INSTANTIATE_TEST_SUITE_P(Writers, ForeignArchiveTest, ::testing::ValuesIn(kForeignWriters),
                         [](const ::testing::TestParamInfo<ForeignWriter>& p) { return std::string(p.param.label); });
