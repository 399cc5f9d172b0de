// tintora-cli's subcommands, called in-process: their arguments, output and exit status. What the
// open flow, the archive reader and the colour rules do for them is tested with those.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include "commands/Commands.h"
#include "support/CliRun.h"
#include "support/TarTestKit.h"
#include "support/TempDir.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

CliRun Cli(const std::vector<std::string>& args) {
    return CaptureCli([&](std::ostream& out, std::ostream& err) { return cli::RunCli(args, out, err); });
}

// A theme archive made by hand: the pictures, then theme.xml with these lines.
std::string HandMade(const TempDir& dir, const std::string& name, std::string_view body,
                     std::initializer_list<std::pair<std::string, Bytes>> pictures = {}) {
    Bytes a;
    for (const auto& [n, data] : pictures) AddMember(a, n, data);
    const std::string doc = "<Ericsson_theme>\r\n" + std::string(body) + "</Ericsson_theme>\r\n";
    AddMember(a, "theme.xml", Bytes(doc.begin(), doc.end()));
    AddEndBlocks(a);
    WriteBytes(dir / name, a);
    return dir / name;
}

// day.month.year h:m:s without leading zeros, as the clock gives it.
const char* const kStampFromClock =
    "\"created\": \"[1-9][0-9]?\\.[1-9][0-9]?\\.[0-9]{4} [0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}\"";

TEST(Cli, NewThenShowPrintsTheThemeAsJson) {
    TempDir dir;
    const std::string thm = dir / "out.thm";
    // A creator that would add a document line of its own is stored on one line, and said so.
    CliRun r = Cli({"new", thm, "--name", "Sommar\\\xC3\xA4", "--modified-by", "Ann", "--creator",
                    "Bo\r\n<Background_image Source=\"theme.xml\"/>", "--created", "1.1.2027 0:0:0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("--creator is stored as \"Bo  <Background_image Source='theme.xml'/>\""));
    r = Cli({"show", thm});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part :
         {"\"name\": \"Sommar\\\\\xC3\xA4\"", "\"modified_by\": \"Ann\"", "\"created\": \"1.1.2027 0:0:0\"",
          "\"creator\": \"Bo  <Background_image Source='theme.xml'/>\"", "\"Standby_operatorname\": \"B52908\",\n    \"Standby_operatorname_outline\"",
          "\"Desktop_title_outline\": \"FFFFFF\"\n  }",
          "{\"slot\": 0, \"member\": \"stand.gif\", \"on\": false, \"bytes\": 0, \"width\": 0, \"height\": 0}",
          "{\"slot\": 5, \"member\": \"large.gif\""})
        EXPECT_THAT(r.out, HasSubstr(part));
    ASSERT_EQ(Cli({"new", dir / "a.thm"}).status, 0);
    EXPECT_THAT(Cli({"show", dir / "a.thm"}).out, ContainsRegex(kStampFromClock));

    // A picture that is on, measured.
    const Bytes gif{'G', 'I', 'F', '8', '9', 'a', 101, 0, 16, 0, 1, 2, 3};
    r = Cli({"show", HandMade(dir, "p.thm", "<Title_image_large Source=\"large.gif\"/>\r\n", {{"large.gif", gif}})});
    EXPECT_THAT(r.out, HasSubstr("{\"slot\": 5, \"member\": \"large.gif\", \"on\": true, \"bytes\": 13, "
                                 "\"width\": 101, \"height\": 16}"));
}

TEST(Cli, ShowFailuresAndUsage) {
    TempDir dir;
    // Which failures the open flow tells apart is tested there; each one exits 1, its message on
    // the error stream.
    CliRun r = Cli({"show", HandMade(dir, "bad.thm", "<Text\r\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("Error in ReadFile"));
    EXPECT_EQ(Cli({"show", dir / "missing.thm"}).status, 1);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show"}, {"show", "a", "b"}, {"show", "--json", "a"}, {"frobnicate"}, {}, {"new"}, {"check"},
             {"new", dir / "x.thm", "--name"}, {"new", dir / "x.thm", "--colour", "red"}, {"unpack", "a.thm"}}) {
        r = Cli(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(r.err.empty()) << "a usage error says what is wrong";
    }
    EXPECT_FALSE(fs::exists(dir / "x.thm"));

    EXPECT_EQ(Cli({"--help"}).status, 0);
}

TEST(Cli, CheckPrintsFindingsNewestFirstAndTheHighestStatus) {
    TempDir dir;
    const std::string plain = HandMade(dir, "plain.thm", "<Theme_name Value=\"No colours\"/>\r\n");
    const std::string unsafe = HandMade(dir, "unsafe.thm",
        "<Highlight Color=\"0xFFC600\"/>\r\n<Highlight_text Color=\"0xFFDF10\"/>\r\n"
        "<Text Color=\"0x000000\"/>\r\n<Background Color=\"0x000000\"/>\r\n");
    const std::string findings =
        "-->Text and background are too close\n-->Highlight and highlight text are too close\n";
    CliRun r = Cli({"check", unsafe});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, findings);

    // Several files: each its own block, a bad file does not stop the others, and every file
    // starts from the default theme.
    WriteAll(dir / "junk.thm", "not an archive");
    r = Cli({"check", unsafe, dir / "junk.thm", plain});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "== " + unsafe + "\n" + findings + "== " + (dir / "junk.thm") + "\n== " + plain +
                         "\n-->All colors are safe\n");
    EXPECT_THAT(r.err, HasSubstr("cannot open " + (dir / "junk.thm")));
    EXPECT_THAT(r.err, HasSubstr("Error when unpacking TAR file....\n")) << "the reason follows on its own line";
    EXPECT_EQ(Cli({"check", plain, unsafe}).status, 1);

    // A picture the phone cannot show as it is fails the check as a rule does.
    const Bytes gif{'G', 'I', 'F', '8', '9', 'a', 120, 0, 90, 0, 1, 2, 3};
    r = Cli({"check", HandMade(dir, "big.thm", "<Background_image Source=\"stand.gif\"/>\r\n", {{"stand.gif", gif}})});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "-->All colors are safe\n-->stand.gif is 120 x 90; the phone needs 101 x 80\n");
    // The work was done in memory: nothing of the unpacked themes is left on the disk.
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / ("tintora-cli-" + std::to_string(getpid()))));
}

TEST(Cli, ResaveKeepsOrMakesTheCreationDateAndUnpackListsTheMembers) {
    TempDir dir;
    ASSERT_EQ(Cli({"new", dir / "in.thm", "--created", "2.2.2002 1:9:40"}).status, 0);
    ASSERT_EQ(Cli({"resave", dir / "in.thm", dir / "out.thm"}).status, 0);
    EXPECT_EQ(ReadAll(dir / "in.thm"), ReadAll(dir / "out.thm")) << "a saved theme saves to the same bytes";
    const std::string undated = HandMade(dir, "undated.thm", "<Text Color=\"0x0000FF\"/>\r\n");
    ASSERT_EQ(Cli({"resave", undated, dir / "dated.thm"}).status, 0);
    const CliRun r = Cli({"show", dir / "dated.thm"});
    EXPECT_THAT(r.out, ContainsRegex(kStampFromClock));
    EXPECT_THAT(r.out, HasSubstr("\"Text\": \"0000FF\""));
    EXPECT_EQ(Cli({"resave", dir / "missing.thm", dir / "o.thm"}).status, 1);
    EXPECT_FALSE(fs::exists(dir / "o.thm"));

    // unpack makes the folder and lists what it wrote there.
    const CliRun u = Cli({"unpack", HandMade(dir, "p.thm", "", {{"stand.gif", Bytes(700, 's')}}), dir / "out/deep"});
    ASSERT_EQ(u.status, 0) << u.err;
    EXPECT_EQ(u.out, "stand.gif\ntheme.xml\n");
    EXPECT_EQ(ReadAll(dir / "out/deep/stand.gif").size(), 700u);
    // A failed unpack leaves nothing: no folder for a missing archive, and no member written
    // before the one that could not be (here a folder stands in its way).
    EXPECT_EQ(Cli({"unpack", dir / "none.thm", dir / "out2"}).status, 1);
    EXPECT_FALSE(fs::exists(dir / "out2"));
    fs::create_directories(dir / "out3/theme.xml/in");
    EXPECT_EQ(Cli({"unpack", dir / "p.thm", dir / "out3"}).status, 1);
    EXPECT_FALSE(fs::exists(dir / "out3/stand.gif"));
    EXPECT_TRUE(fs::exists(dir / "out3/theme.xml/in"));
}

}  // namespace
