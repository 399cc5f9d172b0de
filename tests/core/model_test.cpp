// The element and slot catalogues and the text form of colours.

#include <gtest/gtest.h>

#include <set>

#include "model/Catalogue.h"
#include "model/ColourText.h"

using namespace tintora;

TEST(Catalogue, ElementsGroupsOrdersAndSlotsAgree) {
    std::set<std::string_view> tags;
    for (int i = 0; i < kElementCount; ++i) {
        EXPECT_EQ(kElements[i].index, i);
        EXPECT_EQ(kElements[i].defaultValue.size(), 6u) << i;
        EXPECT_TRUE(tags.insert(kElements[i].tag).second) << kElements[i].tag;
        if (!kElements[i].alsoRead.empty()) { EXPECT_TRUE(tags.insert(kElements[i].alsoRead).second) << i; }
    }
    std::multiset<int> grouped;
    for (const auto& g : kGroups)
        for (int e : g.elements) {
            grouped.insert(e);
            EXPECT_EQ(kElements[e].group, g.index) << "element " << e;
        }
    for (const auto& order : {std::multiset<int>(kIniDefaultOrder.begin(), kIniDefaultOrder.end()),
                              std::multiset<int>(kDocumentOrder.begin(), kDocumentOrder.end()), grouped}) {
        EXPECT_EQ(order.size(), 38u);
        EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 38u);
    }
    EXPECT_TRUE(kGroups[7].elements.empty());
    // Slot sizes and member names are checked where pictures are taken in and saved; here only
    // that the tables agree.
    for (int s = 0; s < kSlotCount; ++s) {
        EXPECT_EQ(kSlots[s].member, kMemberNames[s]);
        EXPECT_EQ(kSlots[s].sizeText, " " + std::to_string(kSlots[s].width) + "x" + std::to_string(kSlots[s].height));
    }
    for (const auto& [e, value] : {std::pair{0, "B52908"}, {4, "FFEAB6"}, {8, "FFFEB6"}, {19, "FFF000"}, {28, "949191"}})
        EXPECT_EQ(kElements[e].defaultValue, value) << e;
}

TEST(Catalogue, TagsInEitherSpellingCaseSensitive) {
    const std::pair<const char*, int> elements[] = {
        {"Popup_Prompt", 22}, {"Popup_Cursor", 23}, {"Hightlight_text", 12}, {"Hightlight_disabled_text", 13},
        {"Popup_hightlight_text", 25}, {"Popup_hightlight_disabled_text", 26}, {"Calendar_weekend_hightlight", 34},
        {"Calendar_weekend_hightlight_text", 35}, {"highlight_text", -1}, {"popup_prompt", -1}, {"", -1}};
    for (const auto& [tag, e] : elements) EXPECT_EQ(ElementForTag(tag), e) << tag;
    EXPECT_EQ(SlotForTag("Backround_image"), 0);
    EXPECT_EQ(SlotForTag("Title_image_large"), 5);
    EXPECT_EQ(SlotForTag("Background"), -1);
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
    for (std::uint32_t v : {0x123456u, 0xABCDEFu, 0x010203u}) EXPECT_EQ(ToBgr(MakeRGB(ColourTextFromBgr(v))), v);

    const std::pair<char, char> keys[] = {{'b', 'B'}, {'f', 'F'}, {'A', 'A'}, {'9', '9'}, {kBackspace, kBackspace}};
    for (const auto& [key, shown] : keys) EXPECT_EQ(FilterHexKey(key), shown) << int(key);
    for (char c : {'g', 'G', ' ', '#', '\t', '@', '`'}) EXPECT_FALSE(FilterHexKey(c).has_value()) << int(c);
}
