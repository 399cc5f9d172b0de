// The element and slot catalogues, the default theme and the text form of colours.

#include <gtest/gtest.h>

#include <set>

#include "model/Catalogue.h"
#include "model/ColourText.h"

using namespace tintora;

TEST(Catalogue, ElementsAreIndexedInOrderWithUniqueTags) {
    std::set<std::string_view> tags;
    for (int i = 0; i < kElementCount; ++i) {
        EXPECT_EQ(kElements[i].index, i);
        EXPECT_TRUE(tags.insert(kElements[i].tag).second) << kElements[i].tag;
        if (!kElements[i].alsoRead.empty()) {
            EXPECT_TRUE(tags.insert(kElements[i].alsoRead).second);
        }
        EXPECT_EQ(kElements[i].LabelNumber(), 160 + i);
        EXPECT_EQ(kElements[i].defaultValue.size(), 6u);
    }
}

TEST(Catalogue, DefaultsAndSpellingsOfSelectedElements) {
    EXPECT_EQ(kElements[0].defaultValue, "B52908");
    EXPECT_EQ(kElements[4].defaultValue, "FFEAB6");
    EXPECT_EQ(kElements[8].defaultValue, "FFFEB6");
    EXPECT_EQ(kElements[19].defaultValue, "FFF000");
    EXPECT_EQ(kElements[28].defaultValue, "949191");
    EXPECT_EQ(kElements[22].tag, "Popup_Prompt");
    EXPECT_EQ(kElements[23].tag, "Popup_Cursor");
    EXPECT_EQ(ElementForTag("Hightlight_text"), 12);
    EXPECT_EQ(ElementForTag("Hightlight_disabled_text"), 13);
    EXPECT_EQ(ElementForTag("Popup_hightlight_text"), 25);
    EXPECT_EQ(ElementForTag("Popup_hightlight_disabled_text"), 26);
    EXPECT_EQ(ElementForTag("Calendar_weekend_hightlight"), 34);
    EXPECT_EQ(ElementForTag("Calendar_weekend_hightlight_text"), 35);
    EXPECT_EQ(ElementForTag("highlight_text"), -1) << "tags compare with letter case";
    EXPECT_EQ(ElementForTag("popup_prompt"), -1);
    EXPECT_EQ(ElementForTag(""), -1);
    EXPECT_EQ(SlotForTag("Backround_image"), 0);
    EXPECT_EQ(SlotForTag("Title_image_large"), 5);
    EXPECT_EQ(SlotForTag("Background"), -1);
}

TEST(Catalogue, GroupsCoverEveryElementOnce) {
    std::multiset<int> seen;
    for (const auto& g : kGroups)
        for (int e : g.elements) {
            seen.insert(e);
            EXPECT_EQ(kElements[e].group, g.index) << "element " << e;
        }
    EXPECT_EQ(seen.size(), 38u);
    EXPECT_EQ(std::set<int>(seen.begin(), seen.end()).size(), 38u);
    EXPECT_TRUE(kGroups[7].elements.empty());
}

TEST(Catalogue, OrdersSlotsAndMembers) {
    EXPECT_EQ(std::set<int>(kIniDefaultOrder.begin(), kIniDefaultOrder.end()).size(), 38u);
    EXPECT_EQ(std::set<int>(kDocumentOrder.begin(), kDocumentOrder.end()).size(), 38u);
    // The default theme starts 0 1 2 3 8 36 37 5 6 7 4 9 10 11 and ends 32, 31, 30, 29, 33, 34, 35; the
    // document puts prompt and cursor before the highlights and ends with the WAP lines.
    const std::array<int, 14> iniHead{0, 1, 2, 3, 8, 36, 37, 5, 6, 7, 4, 9, 10, 11};
    EXPECT_TRUE(std::equal(iniHead.begin(), iniHead.end(), kIniDefaultOrder.begin()));
    const std::pair<int, int> ini[] = {{31, 32}, {34, 29}, {37, 35}};
    for (const auto& [at, e] : ini) EXPECT_EQ(kIniDefaultOrder[at], e) << at;
    const std::pair<int, int> doc[] = {{13, 14}, {15, 11}, {36, 30}, {37, 29}};
    for (const auto& [at, e] : doc) EXPECT_EQ(kDocumentOrder[at], e) << at;

    EXPECT_EQ(kSlots[0].member, "stand.gif");
    EXPECT_EQ(kSlots[2].height, 27);
    EXPECT_EQ(kSlots[3].sizeText, " 101x20");
    EXPECT_EQ(kSlots[4].height, kSlots[5].height);
    for (int s = 0; s < kSlotCount; ++s) {
        EXPECT_EQ(kSlots[s].member, kMemberNames[s]);
        EXPECT_EQ(kSlots[s].sizeText, " " + std::to_string(kSlots[s].width) + "x" + std::to_string(kSlots[s].height));
    }
    EXPECT_EQ(kMemberNames[6], "theme.xml");
}

TEST(ColourText, PairRuleInverseAndKeyFilter) {
    const std::pair<const char*, Rgb> pairs[] = {
        {"B52908", {181, 41, 8}}, {"FFF", {255, 15, 0}}, {"b52908", {181, 41, 8}}, {"", {0, 0, 0}},
        {"G1F00Z", {0, 240, 0}},  // a pair starting with a non-digit is 0
        {"1G2H3I", {1, 2, 3}},    // a pair stops at its first non-digit
        {"FFFFFFFF", {255, 255, 255}}, {"#12345", {0, 35, 69}}};
    for (const auto& [text, rgb] : pairs) EXPECT_EQ(MakeRGB(text), rgb) << text;

    const std::pair<std::uint32_t, const char*> inverse[] = {
        {0xFF0000, "0000FF"}, {0x0000FF, "FF0000"}, {0x000000, "000000"}, {0x0829B5, "B52908"}};
    for (const auto& [bgr, text] : inverse) EXPECT_EQ(ColourTextFromBgr(bgr), text) << text;
    for (std::uint32_t v : {0x123456u, 0xABCDEFu, 0x00FF00u, 0x010203u}) EXPECT_EQ(ToBgr(MakeRGB(ColourTextFromBgr(v))), v);

    const std::pair<char, char> keys[] = {{'b', 'B'}, {'f', 'F'}, {'A', 'A'}, {'0', '0'}, {'9', '9'}, {kBackspace, kBackspace}};
    for (const auto& [key, shown] : keys) EXPECT_EQ(FilterHexKey(key), shown) << int(key);
    for (char c : {'g', 'G', ' ', '#', 'x', '\t', '\r', '@', '`'}) EXPECT_FALSE(FilterHexKey(c).has_value()) << int(c);
}
