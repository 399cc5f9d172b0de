#include "colourrules/ColourRules.h"

#include <cstdint>

#include "colourrules/PhoneColours.h"
#include "model/ColourText.h"
#include "text/Texts.h"

namespace tintora {

namespace {

constexpr std::size_t kRedPos = 0, kGreenPos = 2, kBluePos = 4;
constexpr int kRedGreenBits = 3, kBlueBits = 2;
// Truncated red and green move in steps of 32 and blue in steps of 64, so any difference gives a
// sum of at least 1024: the threshold only separates "all equal" from the rest.
constexpr int kTooCloseLimit = 432;

// The two characters of a colour text at `pos`, or fewer (down to none) near the end of it.
std::string_view PairAt(std::string_view text, std::size_t pos) {
    return pos < text.size() ? text.substr(pos, 2) : std::string_view{};
}

// The nearest level to v: walk the levels in ascending order and keep the first one at the
// smallest distance, so of two equally near levels the lower one wins.
template <std::size_t N>
constexpr int NearestLevel(int v, const std::array<int, N>& levels) {
    int best = 0;
    int bestDistance = 400;  // beyond any distance within 0..255
    for (int level : levels) {
        const int distance = level > v ? level - v : v - level;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = level;
        }
    }
    return best;
}

// The walk above for every component value, done once at compile time: the rules run after
// every colour change and snap nine components per triple.
template <std::size_t N>
constexpr std::array<std::uint8_t, 256> SnapTable(const std::array<int, N>& levels) {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(NearestLevel(v, levels));
    return table;
}

constexpr auto kSnap8 = SnapTable(SafeLevels8);
constexpr auto kSnap4 = SnapTable(SafeLevels4);

int SnapLevel(std::string_view pair, int n) {
    const auto v = static_cast<std::size_t>(HexPair(pair, 0));
    return n == kBlueBits ? kSnap4[v] : kSnap8[v];
}

// The safe colour a colour snaps to, packed as 0xRRGGBB; equal keys mean equal snapped texts.
std::uint32_t SnappedKey(std::string_view colour) {
    const auto r = static_cast<std::uint32_t>(SnapLevel(PairAt(colour, kRedPos), kRedGreenBits));
    const auto g = static_cast<std::uint32_t>(SnapLevel(PairAt(colour, kGreenPos), kRedGreenBits));
    const auto b = static_cast<std::uint32_t>(SnapLevel(PairAt(colour, kBluePos), kBlueBits));
    return r << 16 | g << 8 | b;
}

bool RuleFails(const ColourRule& rule, const ColourValues& colours) {
    const auto value = [&](std::size_t i) {
        return std::string_view(colours[static_cast<std::size_t>(rule.elements[i])]);
    };
    switch (rule.kind) {
        case ColourRuleKind::TooClose:
            return !ColoursFarApart(value(0), value(1));
        case ColourRuleKind::NotAllSame:
            return !ColoursNotAllSame(value(0), value(1), value(2));
    }
    return false;
}

}  // namespace

Rgb PhoneColour(const Rgb& colour) {
    const auto at = [](int v) { return static_cast<std::size_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return {kSnap8[at(colour.red)], kSnap8[at(colour.green)], kSnap4[at(colour.blue)]};
}

std::uint32_t PhoneColour(std::uint32_t rgb) {
    const Rgb snapped = PhoneColour(Rgb{static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                                        static_cast<int>(rgb & 0xFF)});
    return static_cast<std::uint32_t>(snapped.red << 16 | snapped.green << 8 | snapped.blue);
}

int TruncateComponent(std::string_view pair, int n) {
    if (n <= 0) return 0;
    const int v = HexPair(pair, 0);
    if (n >= 8) return v;
    const int keep = (0xFF << (8 - n)) & 0xFF;
    return v & keep;
}

std::string SnapComponent(std::string_view pair, int n) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const int level = SnapLevel(pair, n);
    return {kDigits[level >> 4], kDigits[level & 0xF]};
}

bool ColoursFarApart(std::string_view a, std::string_view b) {
    const auto diff = [&](std::size_t pos, int n) {
        return TruncateComponent(PairAt(a, pos), n) - TruncateComponent(PairAt(b, pos), n);
    };
    const int dr = diff(kRedPos, kRedGreenBits);
    const int dg = diff(kGreenPos, kRedGreenBits);
    const int db = diff(kBluePos, kBlueBits);
    return dr * dr + dg * dg + db * db > kTooCloseLimit;
}

bool ColoursNotAllSame(std::string_view a, std::string_view b, std::string_view c) {
    const std::uint32_t ka = SnappedKey(a), kb = SnappedKey(b), kc = SnappedKey(c);
    return !(ka == kb && kc == ka && kc == kb);
}

void AddColourFinding(std::string& box, std::string_view message) {
    constexpr std::string_view kArrow = "-->", kLineEnd = "\r\n";
    box.insert(0, kLineEnd);
    box.insert(0, message);
    box.insert(0, kArrow);
}

std::string CheckColours(const ColourValues& colours, const Texts& texts) {
    // Fetch the messages first so the box is sized once; each finding then goes in front of the
    // previous ones without another allocation.
    std::array<std::string, kColourRuleCount + 1> messages;
    std::size_t count = 0;
    std::size_t length = 0;
    for (const ColourRule& rule : kColourRules) {
        if (!RuleFails(rule, colours)) continue;
        messages[count] = texts.GetText(rule.message);
        length += messages[count++].size();
    }
    if (count == 0) {
        messages[count] = texts.GetText(kAllColoursSafeMessage);
        length += messages[count++].size();
    }

    std::string box;
    box.reserve(length + count * 5);
    for (std::size_t i = 0; i < count; ++i) AddColourFinding(box, messages[i]);
    return box;
}

std::vector<int> FailedRules(const ColourValues& colours) {
    std::vector<int> failed;
    for (int n = 1; n <= kColourRuleCount; ++n)
        if (RuleFails(kColourRules[static_cast<std::size_t>(n - 1)], colours)) failed.push_back(n);
    return failed;
}

}  // namespace tintora
