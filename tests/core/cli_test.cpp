// tintora-cli's subcommands called in-process: arguments, output and exit status.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include "commands/Commands.h"
#include "support/CliRun.h"
#include "support/TarTestKit.h"
#include "themefile/TarWriter.h"

using namespace tintora;
using namespace tintora::test;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

CliRun Cli(const std::vector<std::string>& args) {
    return CaptureCli([&](std::ostream& out, std::ostream& err) { return cli::RunCli(args, out, err); });
}

struct CliTest : ::testing::Test {
    TempDir dir;

    // A theme archive whose theme.xml holds these lines, with pictures in the given records.
    std::string HandMade(const std::string& name, std::string_view body,
                         std::initializer_list<std::pair<int, Bytes>> pictures = {}) {
        Theme t = ThemeWith(pictures);
        const std::string doc = "<Ericsson_theme>\r\n" + std::string(body) + "</Ericsson_theme>\r\n";
        t.members[kDocumentMember] = {Bytes(doc.begin(), doc.end()), true};
        WriteBytes(dir / name, BuildTarArchive(t.members).bytes);
        return dir / name;
    }
};

// day.month.year h:m:s without leading zeros, as the clock gives it.
const char* const kStampFromClock =
    "\"created\": \"[1-9][0-9]?\\.[1-9][0-9]?\\.[0-9]{4} [0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}\"";
const Bytes kGif{'G', 'I', 'F', '8', '9', 'a', 101, 0, 16, 0, 1, 2, 3};

TEST_F(CliTest, NewThenShowPrintsTheThemeAsJson) {
    // A creator that would add a document line of its own is stored on one line, and said so.
    const std::string creator = "Bo  <Background_image Source='theme.xml'/>";
    CliRun r = Cli({"new", dir / "out.thm", "--name", "Sommar\\\xC3\xA4", "--modified-by", "Ann",
                    "--creator", "Bo\r\n<Background_image Source=\"theme.xml\"/>", "--created", "1.1.2027 0:0:0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("--creator is stored as \"" + creator + "\""));
    r = Cli({"show", dir / "out.thm"});
    for (const std::string& part : std::vector<std::string>{
             "\"name\": \"Sommar\\\\\xC3\xA4\"", "\"modified_by\": \"Ann\"", "\"created\": \"1.1.2027 0:0:0\"",
             "\"creator\": \"" + creator + "\"", "\"Desktop_title_outline\": \"FFFFFF\"\n  }",
             "\"Standby_operatorname\": \"B52908\",\n    \"Standby_operatorname_outline\"",
             "{\"slot\": 0, \"member\": \"stand.gif\", \"on\": false, \"bytes\": 0, \"width\": 0, \"height\": 0}"})
        EXPECT_THAT(r.out, HasSubstr(part));
    ASSERT_EQ(Cli({"new", dir / "a.thm"}).status, 0);
    EXPECT_THAT(Cli({"show", dir / "a.thm"}).out, ContainsRegex(kStampFromClock));
    r = Cli({"show", HandMade("p.thm", "<Title_image_large Source=\"large.gif\"/>\r\n", {{5, kGif}})});
    EXPECT_THAT(r.out, HasSubstr("{\"slot\": 5, \"member\": \"large.gif\", \"on\": true, \"bytes\": 13, "
                                 "\"width\": 101, \"height\": 16}"));
}

// Which failures the open flow tells apart is tested there; here the exit status.
TEST_F(CliTest, ShowFailuresAndUsage) {
    EXPECT_EQ(Cli({"show", dir / "missing.thm"}).status, 1);
    CliRun r;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show"}, {"show", "a", "b"}, {"show", "--json", "a"}, {"frobnicate"}, {}, {"new"}, {"check"},
             {"new", dir / "x.thm", "--name"}, {"new", dir / "x.thm", "--colour", "red"}, {"unpack", "a.thm"}}) {
        r = Cli(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(r.err.empty()) << "a usage error says what is wrong";
    }
    EXPECT_EQ(Cli({"--help"}).status, 0);
    r = Cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.out, ContainsRegex("^tintora-cli [0-9]+\\.[0-9]+\\.[0-9]+\n$"));
}

TEST_F(CliTest, CheckPrintsFindingsNewestFirstAndTheHighestStatus) {
    const std::string plain = HandMade("plain.thm", "<Theme_name Value=\"No colours\"/>\r\n");
    const std::string unsafe = HandMade("unsafe.thm",
        "<Highlight Color=\"0xFFC600\"/>\r\n<Highlight_text Color=\"0xFFDF10\"/>\r\n"
        "<Text Color=\"0x000000\"/>\r\n<Background Color=\"0x000000\"/>\r\n");
    const std::string findings =
        "-->Text and background are too close\n-->Highlight and highlight text are too close\n";
    // Each file its own block, a bad file does not stop the others, each starts from the default.
    WriteAll(dir / "junk.thm", "not an archive");
    CliRun r = Cli({"check", unsafe, dir / "junk.thm", plain});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "== " + unsafe + "\n" + findings + "== " + (dir / "junk.thm") + "\n== " + plain +
                         "\n-->All colors are safe\n");
    EXPECT_THAT(r.err, HasSubstr("cannot open " + (dir / "junk.thm")));
    EXPECT_THAT(r.err, HasSubstr("Error when unpacking TAR file....\nbad size field for not an archive\n"))
        << "the reason on its own line, each message ending its line";
    EXPECT_EQ(Cli({"check", plain, unsafe}).status, 1);
    // A picture the phone cannot show as it is fails the check as a rule does.
    const Bytes big{'G', 'I', 'F', '8', '9', 'a', 120, 0, 90, 0, 1, 2, 3};
    r = Cli({"check", HandMade("big.thm", "<Background_image Source=\"stand.gif\"/>\r\n", {{0, big}})});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "-->All colors are safe\n-->stand.gif is 120 x 90; the phone needs 101 x 80\n");
    // The work was done in memory: nothing of the unpacked themes is left on the disk.
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / ("tintora-cli-" + std::to_string(getpid()))));
}

// --contrast adds the pairs after the rules' output, worst first, with a fix for each hard one,
// which fails the check; a disabled text is listed as meant to look faint.
TEST_F(CliTest, CheckContrastAddsThePairsAfterTheFindings) {
    const std::string dark = HandMade("dark.thm",
        "<Text Color=\"0x5C1D0E\"/>\r\n<Background Color=\"0x123456\"/>\r\n"
        "<Disabled_text Color=\"0x123457\"/>\r\n");
    const CliRun r = Cli({"check", "--contrast", dark});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.out, ::testing::StartsWith(
                           "-->All colors are safe\n"
                           "Contrast on the phone (text on its background):\n"
                           "  Disabled text on Background: 1.0:1 (meant to look faint)\n"
                           "  Text on Background: 1.3:1 \xE2\x80\x94 hard to read on the phone. Use "));
    EXPECT_THAT(r.out, ContainsRegex("Use [0-9A-F]{6} for Text \\(([4-9]|1[0-9]|2[01])\\.[0-9]:1\\)\n"));
}

TEST_F(CliTest, ResaveKeepsOrMakesTheCreationDateAndUnpackListsTheMembers) {
    ASSERT_EQ(Cli({"new", dir / "in.thm", "--created", "2.2.2002 1:9:40"}).status, 0);
    ASSERT_EQ(Cli({"resave", dir / "in.thm", dir / "out.thm"}).status, 0);
    EXPECT_EQ(ReadAll(dir / "in.thm"), ReadAll(dir / "out.thm")) << "a saved theme saves the same bytes";
    const std::string undated = HandMade("undated.thm", "<Text Color=\"0x0000FF\"/>\r\n");
    ASSERT_EQ(Cli({"resave", undated, dir / "dated.thm"}).status, 0);
    EXPECT_THAT(Cli({"show", dir / "dated.thm"}).out,
                ::testing::AllOf(ContainsRegex(kStampFromClock), HasSubstr("\"Text\": \"0000FF\"")));
    EXPECT_EQ(Cli({"resave", dir / "missing.thm", dir / "o.thm"}).status, 1);

    const std::string p = HandMade("p.thm", "", {{0, Bytes(700, 's')}});
    const CliRun u = Cli({"unpack", p, dir / "out/deep"});
    ASSERT_EQ(u.status, 0) << u.err;
    EXPECT_EQ(u.out, "stand.gif\ntheme.xml\n");
    EXPECT_EQ(ReadAll(dir / "out/deep/stand.gif").size(), 700u);
    // A failed unpack leaves nothing: no folder for a missing archive, no member written before
    // the one that could not be (a folder stands in its way).
    EXPECT_EQ(Cli({"unpack", dir / "none.thm", dir / "out2"}).status, 1);
    EXPECT_FALSE(fs::exists(dir / "out2"));
    fs::create_directories(dir / "out3/theme.xml/in");
    EXPECT_EQ(Cli({"unpack", dir / "p.thm", dir / "out3"}).status, 1);
    EXPECT_THAT(TreeOf(dir / "out3"), ::testing::ElementsAre("theme.xml", "theme.xml/in"));
}

}  // namespace
