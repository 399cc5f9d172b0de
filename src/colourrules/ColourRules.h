#pragma once
// The nine contrast rules over a theme's colours. Colours are judged after reduction to a 3-3-2
// palette (8 red x 8 green x 4 blue levels), so colours that differ on the desktop but collapse to
// one colour on the phone are reported. The rules only inform: they never change a colour.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/Catalogue.h"

namespace tintora {

class Texts;

// The levels of the safe palette: red and green use eight, blue four.
inline constexpr std::array<int, 8> SafeLevels8{0, 36, 73, 109, 146, 182, 219, 255};
inline constexpr std::array<int, 4> SafeLevels4{0, 85, 170, 255};

enum class ColourRuleKind {
    TooClose,    // two elements whose truncated components are all equal
    NotAllSame,  // three elements that all snap to the same safe colour
};

struct ColourRule {
    ColourRuleKind kind;
    std::array<int, 3> elements;  // element indices in the order compared; -1 when unused
    int message;                  // catalogue base number of the finding
};

inline constexpr int kColourRuleCount = 9;
inline constexpr int kAllColoursSafeMessage = 289;

// The rules in the order in which they run; rule number n is kColourRules[n - 1].
inline constexpr std::array<ColourRule, kColourRuleCount> kColourRules{{
    {ColourRuleKind::TooClose, {11, 12, -1}, 280},    // Highlight, Highlight_text
    {ColourRuleKind::TooClose, {14, 4, -1}, 281},     // Prompt, Background
    {ColourRuleKind::TooClose, {22, 19, -1}, 282},    // Popup_Prompt, Popup_background
    {ColourRuleKind::TooClose, {19, 20, -1}, 283},    // Popup_background, Popup_text
    {ColourRuleKind::TooClose, {0, 1, -1}, 284},      // Standby_operatorname(_outline)
    {ColourRuleKind::TooClose, {9, 4, -1}, 285},      // Text, Background
    {ColourRuleKind::NotAllSame, {8, 36, 37}, 286},   // Desktop_background, Desktop_title(_outline)
    {ColourRuleKind::NotAllSame, {16, 17, 18}, 287},  // Popup_title, _text, _text_shadow
    {ColourRuleKind::NotAllSame, {5, 6, 7}, 288},     // Title, Title_text, Title_text_shadow
}};

using ColourValues = std::array<std::string, kElementCount>;

// Keeps the n most significant bits of the two-character hex `pair` (read by the pair rule, so a
// missing or non-hex pair is 0): n = 3 gives v & 0xE0, n = 2 gives v & 0xC0.
int TruncateComponent(std::string_view pair, int n);

// The safe level nearest to `pair`, as two upper-case hex digits. n = 2 picks from SafeLevels4,
// any other n from SafeLevels8. Of two equally near levels the lower one wins (18 -> "00").
std::string SnapComponent(std::string_view pair, int n);

// False (too close) exactly when the truncated red, green and blue components are all equal.
bool ColoursFarApart(std::string_view a, std::string_view b);

// False only when all three colours snap to the same safe colour; two equal ones are allowed.
bool ColoursNotAllSame(std::string_view a, std::string_view b, std::string_view c);

// Puts one finding in front of the findings text: "-->" message CR LF, then the old text.
void AddColourFinding(std::string& box, std::string_view message);

// Runs all nine rules and returns the whole findings text: one line per failed rule, newest
// (last run) first, or the single "all safe" line when every rule passes.
std::string CheckColours(const ColourValues& colours, const Texts& texts);

// The 1-based numbers of the failing rules in the order they run; empty when all pass.
std::vector<int> FailedRules(const ColourValues& colours);

}  // namespace tintora
