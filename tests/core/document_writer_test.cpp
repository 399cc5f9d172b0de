// The bytes of theme.xml as the phone reads them, and reading them back.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/Theme.h"
#include "support/GoldenCases.h"
#include "themefile/DocumentReader.h"
#include "themefile/DocumentWriter.h"

using namespace tintora;
using namespace tintora::test;

namespace {

// Saves the theme and returns the document's lines, checking that every line ends with CR LF.
std::vector<std::string> SavedLines(Theme& t) {
    const Bytes doc = DocumentBytes(t);
    const std::string text(doc.begin(), doc.end());
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
        lines.push_back(text.substr(start, p - start));
    EXPECT_EQ(start, text.size()) << "every line, the last included, ends with CR LF";
    return lines;
}

Theme DefaultTheme() {
    Theme t;
    for (const auto& e : kElements) t.colours[e.index] = std::string(e.defaultValue);
    return t;
}

}  // namespace

TEST(DocumentWriter, LinesForNoSomeAndAllPicturesAndTextsInWindows1252) {
    Theme t = DefaultTheme();
    t.Document().active = false;
    auto lines = SavedLines(t);
    ASSERT_EQ(lines.size(), 46u);
    const std::pair<std::size_t, const char*> expected[] = {
        {0, R"(<?xml version="1.0"?>)"}, {1, "<!--Created with Tintora by tintora.example.org"},
        {2, R"(<Theme_name Value=""/>)"}, {3, R"(<Theme_modified_by Value=""/>)"},
        {4, R"(<Theme_created Value=""/>)"}, {5, R"(<Theme_creator Value=""/>-->)"}, {6, "<Ericsson_theme>"},
        {7, R"(<Standby_operatorname Color="0xB52908"/>)"}, {11, R"(<Desktop_background Color="0xFFFEB6"/>)"},
        {20, R"(<Prompt Color="0x5C1D0E"/>)"}, {31, R"(<Popup_Prompt Color="0x5C1D0E"/>)"},
        {44, R"(<Wapbrowser_tableborder Color="0x5C1D0E"/>)"}, {45, "</Ericsson_theme>"}};
    for (const auto& [n, line] : expected) EXPECT_EQ(lines[n], line) << n;
    EXPECT_EQ(SavedLines(t), lines) << "a second call does not double the document";
    EXPECT_FALSE(t.Document().active);

    // The picture lines come between the opening tag and the first colour, for slots that are on.
    const char* pictures[] = {
        R"(<Background_image Source="stand.gif"/>)", R"(<Desktop_background_image Source="desk.gif"/>)",
        R"(<Title_image_medium Source="medium.gif"/>)", R"(<Title_image_small Source="small.gif"/>)",
        R"(<Title_image_asian Source="asian.gif"/>)", R"(<Title_image_large Source="large.gif"/>)"};
    t.slots.fill(SlotState::On);
    lines = SavedLines(t);
    ASSERT_EQ(lines.size(), 52u);
    for (int s = 0; s < 6; ++s) EXPECT_EQ(lines[7 + s], pictures[s]);
    EXPECT_EQ(lines[13], expected[7].second);
    t.slots = {SlotState::Off, SlotState::Empty, SlotState::Off, SlotState::On, SlotState::Empty, SlotState::Off};
    lines = SavedLines(t);
    ASSERT_EQ(lines.size(), 47u);
    EXPECT_EQ(lines[7], pictures[3]);
    EXPECT_EQ(lines[8], expected[7].second);

    // Values are written as held; texts so that they cannot end their value, line or comment;
    // both in Windows-1252.
    t.colours[9] = "ABC";
    t.info = {"Summer, \"hot\" <&> --> Bl\xC3\xA5 \xE2\x82\xAC", "A\r\nn\t", "5.12.2026 9:3:7",
              "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xBC"};  // "日本 ü": the CJK letters cannot be encoded
    lines = SavedLines(t);
    EXPECT_EQ(std::vector(lines.begin() + 2, lines.begin() + 6),
              (std::vector<std::string>{"<Theme_name Value=\"Summer, 'hot' <&> - -> Bl\xE5 \x80\"/>",
                                        "<Theme_modified_by Value=\"A  n \"/>",
                                        "<Theme_created Value=\"5.12.2026 9:3:7\"/>",
                                        "<Theme_creator Value=\"?? \xFC\"/>-->"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<Text Color=\"0xABC\"/>"), lines.end());
}

namespace {

// What the reader found, one line per step, the failure last.
std::vector<std::string> ReadStory(std::string_view doc) {
    const DocumentContents read = ReadDocument(Bytes(doc.begin(), doc.end()));
    std::vector<std::string> out;
    const char* kinds[] = {"log ", "colour ", "picture ", "info "};
    for (const DocumentStep& s : read.steps)
        out.push_back(kinds[static_cast<int>(s.kind)] +
                      (s.kind == DocumentStep::Kind::Log ? "" : std::to_string(s.index) + " ") + s.text);
    if (read.failure) out.push_back("failed " + std::to_string(read.failure->line) + " " + read.failure->tag);
    return out;
}

}  // namespace

// Documents as the program and other tools write them, and damaged ones: lines end in CR LF, LF or
// CR alike; a line is known by its first "<", a tag ends at a blank or Tab; the quirks of reading
// values stay. Each case folder holds theme.xml and read.txt, what ReadStory gives for it.
TEST(DocumentReader, GoldenDocuments) {
    const auto cases = CaseFolders("documents");
    EXPECT_EQ(cases.size(), 8u);
    for (const auto& c : cases) EXPECT_EQ(ReadStory(ReadText(c / "theme.xml")), ExpectedReading(c)) << c;
}
