// The bytes of theme.xml as the phone reads them, and reading them back.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/Theme.h"
#include "themefile/DocumentReader.h"
#include "themefile/DocumentWriter.h"

using namespace tintora;

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

// Documents as other tools write them, and the quirks the reader keeps. Lines end in CR LF, LF or
// CR alike; a line is known by its first "<", a tag ends at a blank or Tab.
TEST(DocumentReader, DocumentsOfOtherToolsAndDamagedLines) {
    const std::string noValue = "log Could Not find the value in FindValue -- sTag=";
    const struct { std::string doc; std::vector<std::string> story; } cases[] = {
        {"<?xml version=\"1.0\"?>\r\n<Ericsson_theme>\n  \t<Hightlight_text Color=\"0x010101\"/>\r"
         "<Hightlight_disabled_text\tColor=\"0x020202\"/>\n\nx<Popup_hightlight_text Color=\"0x030303\"/>\r\n"
         "<Popup_hightlight_disabled_text Color=\"0x040404\"/>\n<Calendar_weekend_hightlight Color=\"0x050505\"/>\n"
         "<Calendar_weekend_hightlight_text Color=\"0x060606\"/>\n<popup_prompt Color=\"0x070707\"/>\n</Ericsson_theme>",
         {"colour 12 010101", "colour 13 020202", "colour 25 030303", "colour 26 040404", "colour 34 050505",
          "colour 35 060606"}},
        {"<Text Color=\"0xABC\"/>\n<Prompt Value=\"1\"/>\n<Text Color=\"0x\xE5\xE5\xE5\xE5\xE5\xE5\xE5\"/>",
         {"colour 9 ABC\"/>", noValue + "<Prompt Value=\"1\"/>", "colour 14 000000",
          "colour 9 \xC3\xA5\xC3\xA5\xC3\xA5"}},
        {"<Theme_name Name=\"Other tool\"/>\n<Theme_creator/>\n<Theme_modified_by Time=x/>\n"
         "<Theme_created Value=\"no closing quote\n<Theme_creator Value=\"Bl\xE5\"/>\n<Theme_name Value=>",
         {"info 0 Other tool", "info 1 ", "info 2 no closing quote", "info 3 Bl\xC3\xA5", "info 0 >"}},
        {"<Backround_image Source=\"ST AND.GIF\"/>\n<Desktop_background_image Source=\"../x.gif\"/>\n"
         "<Title_image_large Value=\"l.gif\"/>\n<Title_image_asian Source=\"\"/>",
         {"picture 0 STAND.GIF", "picture 1 .", noValue + "<Title_image_large Value=\"l.gif\"/>", "picture 5 ",
          "picture 4 "}},
        // An absolute name has its first "/" at the start; a name without a "/" runs off the line.
        {"<Text Color=\"0x111111\"/>\r\n<Background_image Source=\"/abs.gif\"/>\r\n<Prompt Color=\"0x222222\"/>",
         {"colour 9 111111", "failed 1 Background_image"}},
        {"<Text Color=\"0x111111\"/>\r\r\n<Background_image Source=stand.gif>", {"colour 9 111111", "failed 2 Background_image"}},
        {"\n\r<Text\r\n<Prompt Color=\"0x222222\"/>", {"failed 2 "}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadStory(c.doc), c.story) << c.doc;
}
