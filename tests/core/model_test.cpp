// The element catalogue's tables and the text form of colours.

#include <gtest/gtest.h>

#include <set>

#include "model/Catalogue.h"
#include "model/ColourText.h"

using namespace tintora;

// The misspelled twins and the tag rule are checked where documents are read; here that the
// tables agree: no tag names two elements, and the groups and both orders hold each element once.
TEST(Catalogue, TagsAreUniqueAndGroupsAndOrdersHoldEveryElementOnce) {
    std::set<std::string_view> tags;
    for (int i = 0; i < kElementCount; ++i) {
        EXPECT_EQ(kElements[i].index, i);
        EXPECT_TRUE(tags.insert(kElements[i].tag).second) << kElements[i].tag;
        if (!kElements[i].alsoRead.empty()) { EXPECT_TRUE(tags.insert(kElements[i].alsoRead).second) << i; }
    }
    std::multiset<int> grouped;
    for (const auto& g : kGroups)
        for (int e : g.elements) {
            grouped.insert(e);
            EXPECT_EQ(kElements[e].group, g.index) << "element " << e;
        }
    for (const auto& order : {std::multiset<int>(kDefaultColourOrder.begin(), kDefaultColourOrder.end()),
                              std::multiset<int>(kDocumentOrder.begin(), kDocumentOrder.end()), grouped}) {
        EXPECT_EQ(order.size(), 38u);
        EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 38u);
    }
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
    for (std::uint32_t v : {0x123456u, 0xABCDEFu}) EXPECT_EQ(ToBgr(MakeRGB(ColourTextFromBgr(v))), v);

    const std::pair<char, char> keys[] = {{'b', 'B'}, {'f', 'F'}, {'A', 'A'}, {'9', '9'}, {kBackspace, kBackspace}};
    for (const auto& [key, shown] : keys) EXPECT_EQ(FilterHexKey(key), shown) << int(key);
    for (char c : {'g', 'G', ' ', '#', '@', '`'}) EXPECT_FALSE(FilterHexKey(c).has_value()) << int(c);
}
