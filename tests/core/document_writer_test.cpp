// The bytes of theme.xml as the phone reads them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Theme.h"
#include "text/Cp1252.h"
#include "themefile/DocumentWriter.h"

using namespace tintora;

namespace {

Theme DefaultTheme() {
    Theme t;
    for (const auto& e : kElements) t.colours[e.index] = std::string(e.defaultValue);
    return t;
}

std::string DocumentText(const Theme& t) {
    const auto& d = *t.Document().data;
    return {d.begin(), d.end()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
        lines.push_back(text.substr(start, p - start));
    EXPECT_EQ(start, text.size()) << "every line, the last included, ends with CR LF";
    return lines;
}

}  // namespace

TEST(DocumentWriter, NoPicturesEmptyInfo) {
    Theme t = DefaultTheme();
    ASSERT_TRUE(bSaveFile(t));
    const auto lines = Lines(DocumentText(t));
    ASSERT_EQ(lines.size(), 46u);
    EXPECT_EQ(lines[0], R"(<?xml version="1.0"?>)");
    EXPECT_EQ(lines[1], "<!--Created with Tintora by tintora.example.org");
    EXPECT_EQ(lines[2], R"(<Theme_name Value=""/>)");
    EXPECT_EQ(lines[3], R"(<Theme_modified_by Value=""/>)");
    EXPECT_EQ(lines[4], R"(<Theme_created Value=""/>)");
    EXPECT_EQ(lines[5], R"(<Theme_creator Value=""/>-->)");
    EXPECT_EQ(lines[6], "<Ericsson_theme>");
    EXPECT_EQ(lines[7], R"(<Standby_operatorname Color="0xB52908"/>)");
    EXPECT_EQ(lines[11], R"(<Desktop_background Color="0xFFFEB6"/>)");
    EXPECT_EQ(lines[31], R"(<Popup_Prompt Color="0x5C1D0E"/>)");
    EXPECT_EQ(lines[43], R"(<Wapbrowser_underline Color="0x5C1D0E"/>)");
    EXPECT_EQ(lines[44], R"(<Wapbrowser_tableborder Color="0x5C1D0E"/>)");
    EXPECT_EQ(lines[45], "</Ericsson_theme>");
    // Colour lines follow the document order with the catalogue defaults.
    for (int pos = 0; pos < kElementCount; ++pos) {
        const auto& e = kElements[kDocumentOrder[pos]];
        EXPECT_EQ(lines[7 + pos], "<" + std::string(e.tag) + " Color=\"0x" +
                                      std::string(e.defaultValue) + "\"/>");
    }
}

TEST(DocumentWriter, PictureLinesForSlotsThatAreOnOnly) {
    Theme t = DefaultTheme();
    t.slots = {SlotState::On, SlotState::On, SlotState::On, SlotState::On, SlotState::On, SlotState::On};
    bSaveFile(t);
    auto lines = Lines(DocumentText(t));
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[6], "<Ericsson_theme>");
    EXPECT_EQ(lines[7], R"(<Background_image Source="stand.gif"/>)");
    EXPECT_EQ(lines[8], R"(<Desktop_background_image Source="desk.gif"/>)");
    EXPECT_EQ(lines[9], R"(<Title_image_medium Source="medium.gif"/>)");
    EXPECT_EQ(lines[10], R"(<Title_image_small Source="small.gif"/>)");
    EXPECT_EQ(lines[11], R"(<Title_image_asian Source="asian.gif"/>)");
    EXPECT_EQ(lines[12], R"(<Title_image_large Source="large.gif"/>)");
    EXPECT_EQ(lines[13], R"(<Standby_operatorname Color="0xB52908"/>)");

    // Off and empty slots write nothing; only slot 3 on writes exactly its line.
    t.slots = {SlotState::Off, SlotState::Empty, SlotState::Off, SlotState::On, SlotState::Empty, SlotState::Off};
    bSaveFile(t);
    lines = Lines(DocumentText(t));
    ASSERT_EQ(lines.size(), 47u);
    EXPECT_EQ(lines[7], R"(<Title_image_small Source="small.gif"/>)");
    EXPECT_EQ(lines[8], R"(<Standby_operatorname Color="0xB52908"/>)");
}

TEST(DocumentWriter, ValuesAndTextsAreWrittenAsHeld) {
    Theme t = DefaultTheme();
    t.colours[9] = "ABC";
    t.info = {"Summer, \"hot\" <&> --", "Ann", "5.12.2026 9:3:7", "Bo"};
    bSaveFile(t);
    const std::string text = DocumentText(t);
    EXPECT_NE(text.find("\r\n<Text Color=\"0xABC\"/>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<Theme_name Value=\"Summer, \"hot\" <&> --\"/>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<Theme_modified_by Value=\"Ann\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Theme_created Value=\"5.12.2026 9:3:7\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Theme_creator Value=\"Bo\"/>-->"), std::string::npos);
}

TEST(DocumentWriter, NonAsciiTextsInWindows1252) {
    Theme t = DefaultTheme();
    t.info.name = "Bl\xC3\xA5 \xE2\x82\xAC";           // "Blå €"
    t.info.creator = "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xBC";  // "日本 ü": the CJK letters cannot be encoded
    bSaveFile(t);
    const std::string text = DocumentText(t);
    EXPECT_NE(text.find("<Theme_name Value=\"Bl\xE5 \x80\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Theme_creator Value=\"?? \xFC\"/>-->"), std::string::npos);
    EXPECT_EQ(Cp1252ToUtf8("Bl\xE5 \x80"), "Bl\xC3\xA5 \xE2\x82\xAC");
}

TEST(DocumentWriter, RebuildsFromScratchAndKeepsActiveFlag) {
    Theme t = DefaultTheme();
    t.Document().active = false;
    bSaveFile(t);
    const auto first = *t.Document().data;
    bSaveFile(t);
    EXPECT_EQ(*t.Document().data, first) << "a second call does not double the document";
    EXPECT_FALSE(t.Document().active);
    const std::string tail = "</Ericsson_theme>\r\n";
    EXPECT_EQ(std::string(first.end() - static_cast<long>(tail.size()), first.end()), tail);
}

TEST(DocumentWriter, AppendAllocatesOnFirstLine) {
    MemberRecord r;
    EXPECT_FALSE(IsBufferAllocated(r.data));
    AppendDocumentLine(r, "");
    ASSERT_TRUE(IsBufferAllocated(r.data));
    EXPECT_EQ(*r.data, (Bytes{13, 10}));
    AppendDocumentLine(r, "ab");
    EXPECT_EQ(*r.data, (Bytes{13, 10, 'a', 'b', 13, 10}));
    MemberRecord empty;
    empty.data.emplace();
    EXPECT_TRUE(IsBufferAllocated(empty.data)) << "an allocated buffer of zero bytes is allocated";
}
