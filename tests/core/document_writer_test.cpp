// The bytes of theme.xml as the phone reads them, and reading them back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Theme.h"
#include "support/GoldenCases.h"
#include "support/TarTestKit.h"
#include "themefile/DocumentReader.h"
#include "themefile/DocumentWriter.h"

using namespace tintora;
using namespace tintora::test;

namespace {

// What the reader found, one line per step, the failure last.
std::vector<std::string> ReadStory(const DocumentContents& read) {
    std::vector<std::string> out;
    const char* kinds[] = {"log ", "colour ", "picture ", "info "};
    for (const DocumentStep& s : read.steps)
        out.push_back(kinds[static_cast<int>(s.kind)] +
                      (s.kind == DocumentStep::Kind::Log ? "" : std::to_string(s.index) + " ") + s.text);
    if (read.failure) out.push_back("failed " + std::to_string(read.failure->line) + " " + read.failure->tag);
    return out;
}

// The theme a document describes: its colours, texts, and its pictures switched on.
Theme Applied(const DocumentContents& read) {
    Theme t;
    for (const DocumentStep& s : read.steps) {
        if (s.kind == DocumentStep::Kind::Colour) t.colours[s.index] = s.text;
        if (s.kind == DocumentStep::Kind::Picture) t.slots[s.index] = SlotState::On;
        if (s.kind == DocumentStep::Kind::Info) t.info.*kInfoFields[s.index] = s.text;
    }
    return t;
}

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

// Documents as the program and other tools write them, and damaged ones: lines end in CR LF, LF or
// CR alike; a line is known by its first "<", a tag ends at a blank or Tab; the quirks of reading
// values stay. Each case folder holds theme.xml and read.txt, what ReadStory gives for it.
TEST(DocumentReader, GoldenDocuments) {
    const auto cases = CaseFolders("documents");
    EXPECT_EQ(cases.size(), 8u);
    for (const auto& c : cases)
        EXPECT_EQ(ReadStory(ReadDocument(ReadBytes(c / "theme.xml"))), ExpectedReading(c)) << c;
}

// The program's own document reads and writes back byte for byte: CR LF line ends, texts in
// Windows-1252, values as held, a line for each picture that is on and none for one that is off.
TEST(DocumentWriter, WritesBackTheDocumentItRead) {
    const Bytes doc = ReadBytes(std::string(TINTORA_TEST_DATA) + "/documents/written-by-the-program/theme.xml");
    Theme t = Applied(ReadDocument(doc));
    t.slots[1] = SlotState::Off;
    EXPECT_EQ(Text(DocumentBytes(t)), Text(doc));
}

TEST(DocumentWriter, AllPicturesInSlotOrderAndTextsThatCannotEndTheirValueLineOrComment) {
    Theme t;
    t.slots.fill(SlotState::On);
    t.info = {"Summer, \"hot\" <&> --> \xE2\x82\xAC", "A\r\nn\t", "", "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xBC"};
    const std::string text = Text(DocumentBytes(t));
    EXPECT_NE(text.find("<Theme_name Value=\"Summer, 'hot' <&> - -> \x80\"/>\r\n"
                        "<Theme_modified_by Value=\"A  n \"/>\r\n<Theme_created Value=\"\"/>\r\n"
                        "<Theme_creator Value=\"?? \xFC\"/>-->\r\n<Ericsson_theme>\r\n"
                        "<Background_image Source=\"stand.gif\"/>\r\n"
                        "<Desktop_background_image Source=\"desk.gif\"/>\r\n"
                        "<Title_image_medium Source=\"medium.gif\"/>\r\n"
                        "<Title_image_small Source=\"small.gif\"/>\r\n"
                        "<Title_image_asian Source=\"asian.gif\"/>\r\n"
                        "<Title_image_large Source=\"large.gif\"/>\r\n<Standby_operatorname Color=\"0x\"/>\r\n"),
              std::string::npos) << text;
}
