// The settings kept between runs: first start, the round trip, and stored values that are absent
// or damaged.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/EditorSettings.h"
#include "settings/SettingsStore.h"
#include "support/EditorRig.h"

using namespace tintora;

namespace {

const std::string kFirstStart = "First start of the program!!!!!!!!";
constexpr std::size_t kEveryKey = 38 + 64 + 6 + 3 * kSlotCount;

struct Settings : ::testing::Test {
    test::EditorRig<> run;
    MemorySettingsStore store;
};

TEST_F(Settings, FirstStartShowsTheDefaultThemeInItsOrderAndLogsIt) {
    setenv("HOME", "/home/tester", 1);  // no other test of this program looks at it
    store.Write("Last", "5", "123456");  // without key 0 the other colours are not looked at
    LoadSettings(run.editor, store);
    EXPECT_TRUE(run.Logged(kFirstStart));
    for (int i = 0; i < kElementCount; ++i) EXPECT_EQ(run.editor.Colour(i), kElements[i].defaultValue);
    std::vector<int> order;  // in which the default values are set
    for (const std::string& call : run.view.calls)
        if (call.starts_with("ColourTextChanged ")) order.push_back(std::stoi(call.substr(18)));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 8, 36, 37, 5, 6, 7, 4, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                       20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 31, 30, 29, 33, 34, 35}));
    UserSettings defaults;
    defaults.browseFolder = "/home/tester/";
    EXPECT_EQ(run.editor.Settings(), defaults);
}

TEST_F(Settings, EverythingComesBackInTheNextRun) {
    const StoredSettings atLoad = LoadSettings(run.editor, store);
    for (int i = 0; i < kElementCount; ++i) run.editor.SetColour(i, std::string(6, "0123456789abcdef"[i % 16]));
    run.editor.SetColour(7, "c4");  // left half typed
    UserSettings& s = run.editor.Settings();
    for (std::size_t j = 0; j < s.customColours.size(); ++j)
        s.customColours[j] = static_cast<std::uint8_t>(j * 4 + j % 4);  // 0 .. 255
    std::array<ImportChoice, kSlotCount> imports{};
    imports[1] = {FitMode::Fit, 0x00A0FF, false};
    imports[5] = {FitMode::Stretch, std::nullopt, true};
    s = {s.customColours, "/media/card/themes/", "/srv/read", "/srv/create", "Åsa, Lund", "Jörg", "not stored", 3,
         imports};
    SaveSettings(run.editor, store, atLoad);

    test::EditorRig<> second;
    LoadSettings(second.editor, store);
    EXPECT_FALSE(second.Logged(kFirstStart));
    for (int i = 0; i < kElementCount; ++i)
        EXPECT_EQ(second.editor.Colour(i), i == 7 ? "c4" : std::string(6, "0123456789ABCDEF"[i % 16])) << i;
    s.defaultThemeName.clear();  // kept until exit only
    EXPECT_EQ(second.editor.Settings(), s);
}

// Two editors of one user: each writes only what it changed, so the last to exit keeps the
// other's changes.
TEST_F(Settings, OfTwoEditorsTheLastToExitKeepsWhatTheOtherChanged) {
    SaveSettings(run.editor, store, LoadSettings(run.editor, store));
    ASSERT_EQ(store.Size(), kEveryKey) << "a first run stores every value";
    test::EditorRig<> first, second;
    const StoredSettings firstAtLoad = LoadSettings(first.editor, store);
    const StoredSettings secondAtLoad = LoadSettings(second.editor, store);
    first.editor.SetColour(3, "0A0B0C");
    first.editor.Settings().defaultCreator = "Ann";
    second.editor.Settings().browseFolder = "/srv/second/";
    SaveSettings(first.editor, store, firstAtLoad);
    SaveSettings(second.editor, store, secondAtLoad);
    EXPECT_EQ(store.Read("Last", "3"), "0A0B0C");
    EXPECT_EQ(store.Read("Info", "Creator"), "Ann");
    EXPECT_EQ(store.Read("Path", "BrowseFolder"), "/srv/second/");
}

// Stored colours are decided by key 0 alone and taken as they are; a custom colour value that is
// not a whole number 0..255 reads as 0, and damaged import choices read as the default.
TEST_F(Settings, StoredValuesThatAreAbsentOrDamaged) {
    store.Write("Last", "0", "12ab9f");
    store.Write("Last", "37", "zz");
    const std::pair<const char*, int> custom[] = {
        {"abc", 0}, {"256", 0}, {"-1", 0}, {"3.5", 0}, {" 7", 0}, {"7 ", 0}, {"+7", 0},
        {"", 0},    {"99999999999999999999", 0}, {"7", 7}, {"255", 255}, {"007", 7}, {"200", 200}};
    for (std::size_t j = 0; j < std::size(custom); ++j) store.Write("CustC", std::to_string(j), custom[j].first);
    store.Write("View", "Zoom", "5");  // beyond 4x: the default 2x
    const char* damagedImport[][3] = {{"zoom", "12345", "yes"}, {"fit", "12345G", "0"}, {"", "0x1234", ""}};
    for (std::size_t k = 0; k < std::size(damagedImport); ++k)
        for (std::size_t f = 0; f < 3; ++f)
            store.Write("Import", std::string(f == 0 ? "Mode" : f == 1 ? "Bar" : "Dither") + std::to_string(k),
                        damagedImport[k][f]);
    LoadSettings(run.editor, store);
    const UserSettings& s = run.editor.Settings();
    EXPECT_EQ(s.previewZoom, 2);
    const std::array<ImportChoice, 3> readImports{{{}, {FitMode::Fit, std::nullopt, false}, {}}};
    for (std::size_t k = 0; k < readImports.size(); ++k) EXPECT_EQ(s.imports[k], readImports[k]) << k;
    for (std::size_t j = 0; j < std::size(custom); ++j)
        EXPECT_EQ(s.customColours[j], custom[j].second) << '"' << custom[j].first << '"';
    EXPECT_EQ(run.editor.Colour(0), "12AB9F");
    for (int i = 1; i < 37; ++i) EXPECT_EQ(run.editor.Colour(i), "000000") << i;
    EXPECT_EQ(run.editor.Colour(37), "zz");
    // Every element is set first, then all are repainted once more in order.
    EXPECT_EQ(run.view.calls.front(), "ColourTextChanged 0");
    for (int i = 0; i < kElementCount; ++i)
        EXPECT_EQ(run.view.calls[run.view.calls.size() - kElementCount + i], "ChangeColour " + std::to_string(i));
}

}  // namespace
