// Picture slots (header sizes, Select and on/off, findings, the file dialog) and pictures made from any
// image: fitting, phone colours, crop, bars, the GIF's header and colour table (pixels: tests/interop).

#include <gmock/gmock.h>

#include <array>
#include <filesystem>
#include <random>
#include <set>
#include <tuple>

#include "colourrules/PhoneColours.h"
#include "dialogs/FileDialog.h"
#include "model/Catalogue.h"
#include "pictures/ImageInfo.h"
#include "pictures/PhoneDither.h"
#include "pictures/SlotPicture.h"
#include "support/EditorRig.h"

using namespace tintora;
using namespace tintora::test;
namespace fs = std::filesystem;

namespace {

// A GIF header of the given size, `size` bytes long in all.
std::string Gif(int width, int height, std::size_t size = 40) { return AsText(HeaderGif(width, height, size - 10)); }

// A JFIF file whose frame header at 163..166 holds the given size (big-endian).
std::string Jfif(int width, int height, std::size_t size = 200) {
    std::string s = "\xFF\xD8....JFIF" + std::string(153, '\x11');
    s += {char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF)};
    s.resize(size, '\x11');
    return s;
}

auto Request(const FileDialogRequest& r) { return std::tie(r.folder, r.extension, r.title, r.save); }

struct SlotFixture : ::testing::Test, EditorRig<> {
    Theme& theme = editor.GetTheme();

    std::string File(const std::string& name, const std::string& bytes) {
        WriteAll(dir / name, bytes);
        return dir / name;
    }
    // The Select button of `slot` with `path` chosen in the dialog; the view's record starts here.
    void Select(int slot, const std::string& path) {
        toolkit.files.push_back(path);
        view.calls.clear();
        editor.ChooseSlotPicture(slot);
    }
    void OnOff(int slot) {
        view.calls.clear();
        editor.ToggleSlot(slot);
    }
    std::string Calls() const {
        std::string out;
        for (const std::string& c : view.calls) out += (out.empty() ? "" : ", ") + c;
        return out;
    }
    void ExpectSlot(int slot, SlotState state, const std::optional<std::string>& bytes) {
        const MemberRecord& m = theme.members[slot];
        EXPECT_EQ(std::tie(theme.slots[slot], m.active), std::tuple(state, state == SlotState::On)) << slot;
        EXPECT_EQ(m.data ? std::optional(AsText(*m.data)) : std::nullopt, bytes) << slot;
    }
};

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr std::uint32_t kTeal = 0x24B6AA;  // a palette colour

// A picture whose columns are red, then green from `greenFrom`, then blue from `blueFrom`.
RgbaImage Bands(int w, int h, int greenFrom, int blueFrom) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.At(x, y) = kOpaque | (x < greenFrom ? kRed : x < blueFrom ? kGreen : kBlue);
    return img;
}

RgbaImage Noise(int w, int h, unsigned seed, bool withAlpha) {
    std::mt19937 rng(seed);
    RgbaImage img(w, h);
    for (auto& px : img.pixels) px = static_cast<std::uint32_t>(rng()) | (withAlpha ? 0 : kOpaque);
    return img;
}

std::uint32_t Rgb24(std::uint32_t px) { return px & 0xFFFFFF; }

}  // namespace

TEST(ImageInfo, HeadersAreMeasuredAtTheirFixedPlaces) {
    // GIF little-endian, JFIF big-endian; the whole header is enough, a byte less not; GIF wins over JFIF.
    const std::pair<std::string, std::optional<std::tuple<std::string, int, int>>> cases[] = {
        {Gif(101, 80), std::tuple("GIF", 101, 80)}, {Jfif(101, 80), std::tuple("JPG", 101, 80)},
        {Gif(101, 80, 10), std::tuple("GIF", 101, 80)}, {Gif(101, 80).substr(0, 9), std::nullopt},
        {Jfif(101, 80, 167), std::tuple("JPG", 101, 80)}, {Jfif(101, 80, 166), std::nullopt},
        {Jfif(101, 80).replace(0, 3, "GIF"), std::tuple("GIF", 'J' | 'F' << 8, 'I' | 'F' << 8)}};
    for (const auto& [bytes, expected] : cases) {
        const auto info = MeasureImage(Bytes(bytes.begin(), bytes.end()));
        EXPECT_EQ(info ? std::optional(std::tuple(info->kind, info->width, info->height)) : std::nullopt, expected)
            << bytes.size();
    }
}

// Select takes a picture byte for byte and switches the slot on; on/off keeps it; steps repaint in order.
TEST_F(SlotFixture, SelectAndOnOffKeepThePictureAndChangeThePreviewInOrder) {
    const std::string standby = "Fill transparent, ChangeColour 0, ChangeColour 1, ChangeColour 2, ChangeColour 3, "
                                "ChangeColour 9";
    const std::string show0 = "SlotChanged 0, " + standby + ", Show 6, Show 0";
    const std::string show1 = "SlotChanged 1, Show 1, ChangeColour 36, ChangeColour 37";
    // Without a file the step presses on/off.
    const struct { int slot; std::string file, bytes, calls; } steps[] = {
        {0, "stand.gif", Gif(101, 80, 321), show0},
        {0, "", "", "SlotChanged 0, Fill opaque, ChangeColour 1, ChangeColour 3, ChangeColour 9, Hide 6, Hide 0"},
        {0, "", "", "SlotChanged 0, Show 6, Show 0, " + standby},
        {0, "shorter.gif", Gif(101, 80, 50), show0},  // nothing of the longer old picture is left
        {1, "photo.jpg", Jfif(101, 80), show1},
        {1, "", "", "SlotChanged 1, Hide 1, ChangeColour 36, ChangeColour 37, ChangeColour 9"},
        {1, "", "", show1},
        {2, "27.gif", Gif(101, 27), "SlotChanged 2, Show 2, ChangeColour 5, ArrangeMenuItems"},
        {2, "", "", "SlotChanged 2, Hide 2, ChangeColour 5, ArrangeMenuItems"},
        {2, "", "", "SlotChanged 2, ChangeColour 5, ArrangeMenuItems, Show 2"},
        {3, "20.gif", Gif(101, 20), "SlotChanged 3, ChangeColour 5, ArrangeMenuItems, Show 3"},
        {3, "", "", "SlotChanged 3, Hide 3, ChangeColour 5, ArrangeMenuItems"},
        {3, "", "", "SlotChanged 3, ChangeColour 5, ArrangeMenuItems, Show 3"},
        {4, "16.gif", Gif(101, 16), "SlotChanged 4, Show 4"},
        {4, "", "", "SlotChanged 4, Hide 4"},
        {5, "16.gif", Gif(101, 16), "SlotChanged 5, Show 5"},  // both small title slots take 101 x 16
    };
    std::array<std::string, kSlotCount> kept;
    std::array<bool, kSlotCount> on{};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "slot " << s.slot << " " << (s.file.empty() ? "on/off" : s.file));
        if (!s.file.empty()) kept[s.slot] = s.bytes;
        s.file.empty() ? OnOff(s.slot) : Select(s.slot, File(s.file, s.bytes));
        on[s.slot] = !s.file.empty() || !on[s.slot];
        EXPECT_EQ(Calls(), s.calls + ", FindingsChanged");
        ExpectSlot(s.slot, on[s.slot] ? SlotState::On : SlotState::Off, kept[s.slot]);
    }
    EXPECT_EQ(Request(toolkit.fileRequests.at(0)), std::make_tuple("", "gif", "Select Image", false));
    EXPECT_TRUE(toolkit.shown.empty());
}

// On/off asks for a picture for an empty slot or one opened off without data; cancelled, nothing changes.
TEST_F(SlotFixture, OnOffOfAnEmptySlotAsksForAPicture) {
    toolkit.files.push_back(std::nullopt);
    OnOff(3);
    ExpectSlot(3, SlotState::Empty, std::nullopt);
    EXPECT_TRUE(view.calls.empty());
    toolkit.files.push_back(File("small.gif", Gif(101, 20)));
    OnOff(3);
    ExpectSlot(3, SlotState::On, Gif(101, 20));
    for (const std::optional<Bytes>& cleared : {std::optional<Bytes>{}, std::optional<Bytes>{Bytes{}}}) {
        theme.members[3] = MemberRecord{cleared, false};
        theme.slots[3] = SlotState::Off;
        toolkit.files.push_back(std::nullopt);
        OnOff(3);
        EXPECT_EQ(std::tie(theme.slots[3], theme.members[3].active), std::tuple(SlotState::Off, false));
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_EQ(toolkit.fileRequests.size(), 4u);
}

// A refusal names the sizes or the file and leaves the slot, the log and the folder as they were.
TEST_F(SlotFixture, RefusedOrUnreadablePicturesLeaveTheSlotAsItWas) {
    const std::string old = Gif(101, 80, 77);
    Select(0, File("old.gif", old));
    OnOff(0);  // off, with its picture
    const std::string title = "Incorrect image size", unreadable = "The picture file could not be read: ";
    const struct { int slot; std::string chosen, message, title; } cases[] = {
        {2, File("bg.gif", Gif(101, 80)), "The image you select is 101x80.\r\nThe image should be:  101x27", title},
        {0, File("words.gif", "this text holds GIF, but not at its start"),
         "The image you select is 0x0.\r\nThe image should be:  101x80", title},
        {0, File("wrong.gif", Gif(101, 27)), "The image you select is 101x27.\r\nThe image should be:  101x80", title},
        {0, dir / "gone.gif", unreadable + (dir / "gone.gif"), ""},
        {0, File("short.gif", "GIF89a\x65"), unreadable + (dir / "short.gif"), ""}};
    for (const auto& c : cases) {
        toolkit.shown.clear();
        Select(c.slot, c.chosen);
        ASSERT_EQ(toolkit.shown.size(), 1u) << c.chosen;
        const auto& shown = toolkit.shown[0];
        EXPECT_EQ(std::tie(shown.text, shown.title, shown.buttons, shown.icon),
                  std::make_tuple(c.message, c.title, Buttons::Ok, Icon::Warning));
        c.slot == 2 ? ExpectSlot(2, SlotState::Empty, std::nullopt) : ExpectSlot(0, SlotState::Off, old);
        EXPECT_TRUE(view.calls.empty());
    }
    EXPECT_FALSE(fs::exists(dir / "gone.gif"));
    EXPECT_TRUE(log.Captured().empty());
}

// The findings name, after the colours, the pictures of slots that are on that the phone cannot show.
TEST_F(SlotFixture, PicturesOfAnotherSizeThanTheirSlotAreNamedInTheFindings) {
    ASSERT_TRUE(editor.LoadSlotPicture(File("tall.gif", Gif(101, 90)), 0));
    ASSERT_TRUE(editor.LoadSlotPicture(File("wide.gif", Gif(120, 80)), 1));
    ASSERT_TRUE(editor.LoadSlotPicture(File("fits.gif", Gif(101, 20)), 3));
    ASSERT_TRUE(editor.LoadSlotPicture(File("stub.gif", "GIF8"), 5));
    ASSERT_TRUE(editor.LoadSlotPicture(File("off.gif", Gif(300, 27)), 2));
    OnOff(2);
    EXPECT_EQ(editor.Findings(), "-->All colors are safe\r\n"
                                 "-->stand.gif is 101 x 90; the phone needs 101 x 80\r\n"
                                 "-->desk.gif is 120 x 80; the phone needs 101 x 80\r\n"
                                 "-->large.gif has no size that can be read; the phone needs 101 x 16\r\n");
    OnOff(0);
    editor.GetTexts().SetLanguageOffset(kGerman);
    editor.CheckColours();
    EXPECT_THAT(editor.Findings(),
                ::testing::EndsWith("-->large.gif hat keine lesbare Gr\xC3\xB6\xC3\x9F" "e; das Telefon braucht 101 x 16\r\n"));
}

TEST_F(SlotFixture, FileDialogAppendsTheExtensionOnlyWhereItIsMissing) {
    const std::string photo = File("PHOTO.GIF", Gif(101, 80));
    fs::create_directory(dir.Path() / "folder");
    // The letter case counts, blanks are trimmed, an existing file opens as chosen, a folder is no file.
    const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
        {dir / "my", dir / "my.thm"}, {dir / "my.THM", dir / "my.THM.thm"}, {dir / "my.thm.bak", dir / "my.thm.bak"},
        {"  " + (dir / "my") + "  ", dir / "my.thm"}, {std::nullopt, std::nullopt}, {"   ", std::nullopt},
        {photo, photo}, {dir / "folder", dir / "folder.thm"}};
    for (const auto& [answer, result] : cases) {
        toolkit.files.push_back(answer);
        EXPECT_EQ(ShowFileDialog(toolkit, "/start", "thm", "Create theme", true), result) << answer.value_or("-");
    }
}

TEST(SlotPicture, EverySlotAndModeGivesTheSlotSizeInPhoneColoursAndATableOfTheColoursUsed) {
    RgbaImage palette = Noise(101, 80, 3, false);  // snapped, it holds all 256 phone colours: a full table
    for (auto& px : palette.pixels) px = kOpaque | PhoneColour(px & 0xFFFFFF);
    const RgbaImage sources[] = {Bands(300, 150, 100, 200), Noise(37, 91, 7, true), Noise(5, 3, 8, false),
                                 palette};
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (FitMode mode : {FitMode::Crop, FitMode::Fit, FitMode::Stretch})
            for (bool dither : {true, false})
                for (const RgbaImage& source : sources) {
                    SCOPED_TRACE(testing::Message() << "slot " << slot << " mode " << FitModeName(mode) << " dither "
                                                    << dither << " source " << source.width);
                    const ImportSettings settings{mode, kTeal, dither, false};
                    const RgbaImage fitted = FitToSlot(source, slot, settings);
                    const GifResult gif = MakeSlotPicture(source, slot, settings);
                    ASSERT_TRUE(gif.bytes) << gif.error;
                    EXPECT_LT(gif.bytes->size(), 32767u) << "the member limit";
                    const Bytes header(gif.bytes->begin(), gif.bytes->begin() + 10);
                    EXPECT_EQ(header, HeaderGif(kSlots[slot].width, kSlots[slot].height, 0));  // GIF89a
                    std::set<std::uint32_t> used;
                    for (std::uint32_t px : fitted.pixels) {
                        EXPECT_EQ(PhoneColour(px) | kOpaque, px);  // opaque, in phone colours
                        used.insert(Rgb24(px));
                    }
                    const int tableSize = 2 << (gif.bytes->at(10) & 7);  // from the screen descriptor
                    EXPECT_EQ(tableSize, std::max(2, static_cast<int>(std::bit_ceil(used.size()))));
                }
}

TEST(SlotPicture, DitheringKeepsAColoursMeanWhereSnappingPicksOneLevel) {
    // Grey 0x40 lies between two levels: dithered it mixes both, snapped it is one of them.
    for (bool dither : {true, false}) {
        RgbaImage img(101, 80, kOpaque | 0x404040);
        ToPhoneColours(img, dither);
        double red = 0;
        for (std::uint32_t px : img.pixels) red += px >> 16 & 0xFF;
        EXPECT_NEAR(red / static_cast<double>(img.pixels.size()), dither ? 0x40 : 0x49, dither ? 1.0 : 0.0);
    }
}

TEST(SlotPicture, CropKeepsTheCentreOrTheMovedWindowAndFitFillsTheBars) {
    const RgbaImage wide = Bands(200, 100, 30, 170);  // 2:1, the default window all green
    const ImportSettings crop{FitMode::Crop, kTeal, true, false};
    const auto column = [](const RgbaImage& img, int x) {
        std::set<std::uint32_t> colours;
        for (int y = 0; y < img.height; ++y) colours.insert(Rgb24(img.At(x, y)));
        return colours;
    };
    const RgbaImage centre = FitToSlot(wide, 0, crop);
    for (int x : {0, 100}) EXPECT_EQ(column(centre, x), std::set<std::uint32_t>{kGreen}) << x;

    const CropWindow start = DefaultCropWindow(200, 100, 101, 80);
    const CropWindow left = MoveCropWindow(start, -1000, 50, 200, 100);
    EXPECT_EQ(std::pair(left.x, left.y), std::pair(0.0, start.y));  // already as tall as the picture
    const RgbaImage moved = FitToSlot(wide, 0, crop, left);
    EXPECT_EQ(column(moved, 0), std::set<std::uint32_t>{kRed});
    EXPECT_EQ(column(moved, 100), std::set<std::uint32_t>{kGreen});

    const RgbaImage fit = FitToSlot(wide, 0, {FitMode::Fit, kTeal, true, false});
    const PlacedRect place = FitInsideRect(200, 100, 101, 80);
    EXPECT_EQ(place.height, 51);
    for (int y : {0, place.y - 1, place.y + place.height, 79})
        for (int x = 0; x < 101; ++x) ASSERT_EQ(Rgb24(fit.At(x, y)), kTeal) << x << "," << y;
    EXPECT_EQ(Rgb24(fit.At(0, place.y)), kRed);
    // A bar colour the phone cannot show gives solid bars of the colour it shows instead.
    const RgbaImage offPalette = FitToSlot(wide, 0, {FitMode::Fit, 0x102030, true, false});
    for (int x = 0; x < 101; ++x) ASSERT_EQ(Rgb24(offPalette.At(x, 0)), PhoneColour(0x102030u)) << x;

    EXPECT_EQ(PrepareSource(wide).pixels, wide.pixels) << "a small picture is not shrunk";

    // Transparency shows the bar colour, in every mode.
    const RgbaImage clear = FitToSlot(RgbaImage(30, 30, 0x00FF00FF), 4, {FitMode::Crop, kTeal, true, false});
    EXPECT_EQ(column(clear, 50), std::set<std::uint32_t>{kTeal});
}

// A shrunk pixel is its block's mean (colours weighted by alpha), at block sizes on both sides of 16.
TEST(SlotPicture, ShrinkingGivesTheMeanOfEachBlock) {
    struct Case { int width, height, minWidth, minHeight, factor; };
    for (const Case c : {Case{1600, 1200, kWorkingWidth, kWorkingHeight, 3}, Case{707, 500, 100, 70, 7},
                         Case{1620, 1290, 101, 80, 16}, Case{1717, 700, 101, 20, 17}}) {
        RgbaImage source = Noise(c.width, c.height, static_cast<unsigned>(c.factor), false);
        for (int y = c.height / 2; y < c.height; ++y)  // the lower half partly transparent
            for (int x = 0; x < c.width; x += 2) source.At(x, y) &= 0x7FFFFFFFu >> (x % 8);
        const RgbaImage shrunk = PrepareSource(source, c.minWidth, c.minHeight);
        ASSERT_EQ(std::pair(shrunk.width, shrunk.height), std::pair(c.width / c.factor, c.height / c.factor));
        for (int by = 0; by < shrunk.height; ++by)
            for (int bx = 0; bx < shrunk.width; ++bx) {
                std::array<double, 4> sum{};  // red, green, blue times alpha; alpha
                for (int y = by * c.factor; y < (by + 1) * c.factor; ++y)
                    for (int x = bx * c.factor; x < (bx + 1) * c.factor; ++x) {
                        const std::uint32_t px = source.At(x, y);
                        const double a = px >> 24;
                        for (std::size_t k = 0; k < 3; ++k) sum[k] += (px >> (16 - 8 * k) & 0xFF) * a;
                        sum[3] += a;
                    }
                const std::uint32_t got = shrunk.At(bx, by);
                const double alpha = sum[3] / (c.factor * c.factor);
                ASSERT_NEAR(got >> 24, alpha, 0.5) << c.factor << ": " << bx << "," << by;
                for (std::size_t k = 0; k < 3 && sum[3] > 0; ++k)
                    ASSERT_NEAR(got >> (16 - 8 * k) & 0xFF, sum[k] / sum[3], 0.5) << c.factor << ": " << bx << "," << by;
            }
    }
}

TEST(SlotPicture, SettingsAndTheByteForByteGif) {
    Theme theme;
    theme.colours[4] = "102030";
    theme.colours[5] = "A0B0C0";
    EXPECT_EQ(SettingsFromChoice({}, theme, 1).bar, 0x102030u);
    EXPECT_EQ(SettingsFromChoice({}, theme, 3).bar, 0xA0B0C0u);
    EXPECT_EQ(SettingsFromChoice({FitMode::Fit, 0x123456, false}, theme, 3).bar, 0x123456u);
    for (int slot : {3, 6}) EXPECT_FALSE(IsSlotSizedGif(HeaderGif(101, 27), slot)) << slot;
    const std::string jfif = Jfif(101, 16);  // the right size, but not a GIF: converted
    EXPECT_FALSE(IsSlotSizedGif(Bytes(jfif.begin(), jfif.end()), 4));
}
