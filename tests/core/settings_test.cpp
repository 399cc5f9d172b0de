// The settings kept between runs: first start, the round trip, stored values that are absent or
// damaged, and the order in which the store is read.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "support/RecordingToolkit.h"
#include "support/RecordingView.h"
#include "workspace/Editor.h"
#include "workspace/Log.h"

using namespace tintora;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::Not;

namespace {

const std::string kFirstStart = "First start of the program!!!!!!!!";

// Remembers every key read, in order.
class ReadRecordingStore : public MemorySettingsStore {
public:
    std::optional<std::string> Read(const std::string& section, const std::string& key) const override {
        reads.push_back(section + "/" + key);
        return MemorySettingsStore::Read(section, key);
    }
    mutable std::vector<std::string> reads;
};

struct Program {
    FixedClock clock{LocalTime{}};
    test::RecordingToolkit toolkit;
    test::RecordingView view;
    Log log{"", clock, &toolkit};
    Editor editor{log, toolkit, view};
    Program() { log.SetCapture(true); }
};

// Every key in the order the store is read; without stored colours the colour keys after the
// first are left out.
std::vector<std::string> ReadOrder(bool withColours) {
    std::vector<std::string> keys = {"Last/0"};
    for (int i = 0; withColours && i < kElementCount; ++i) keys.push_back("Last/" + std::to_string(i));
    for (int j = 0; j < 64; ++j) keys.push_back("CustC/" + std::to_string(j));
    for (const char* key : {"Path/Read", "Path/Create", "Path/BrowseFolder", "Info/Creator", "Info/Modified"})
        keys.push_back(key);
    return keys;
}

struct SettingsFixture : ::testing::Test {
    std::optional<std::string> savedHome;
    SettingsFixture() {
        if (const char* h = std::getenv("HOME")) savedHome = h;
        setenv("HOME", "/home/tester", 1);
    }
    ~SettingsFixture() override {
        if (savedHome) setenv("HOME", savedHome->c_str(), 1);
        else unsetenv("HOME");
    }
};

}  // namespace

TEST_F(SettingsFixture, FirstStartShowsTheDefaultThemeAndLogsIt) {
    Program run;
    ReadRecordingStore store;
    LoadSettings(run.editor, store);
    EXPECT_THAT(run.log.Captured(), Contains(kFirstStart));
    EXPECT_TRUE(run.toolkit.shown.empty()) << "the first-start line is not shown";
    for (int i = 0; i < kElementCount; ++i) EXPECT_EQ(run.editor.Colour(i), kElements[i].defaultValue);
    const UserSettings& s = run.editor.Settings();
    EXPECT_THAT(s.customColors, Each(0));
    EXPECT_EQ(s.browseFolder, "/home/tester/");
    EXPECT_EQ(s.readFolder + s.createFolder + s.defaultCreator + s.defaultModifiedBy, "");
    EXPECT_EQ(store.Size(), 0u) << "loading writes nothing";
    EXPECT_THAT(store.reads, ElementsAreArray(ReadOrder(false)));

    for (const char* home : {"/", "/home/slash/"}) {
        setenv("HOME", home, 1);
        EXPECT_EQ(DefaultBrowseFolder(), home);
    }
}

TEST_F(SettingsFixture, EverythingComesBackInTheNextRun) {
    MemorySettingsStore store;
    {
        Program first;
        LoadSettings(first.editor, store);
        for (int i = 0; i < kElementCount; ++i) first.editor.SetColour(i, std::string(6, "0123456789abcdef"[i % 16]));
        first.editor.SetColour(7, "c4");  // left half typed
        UserSettings& s = first.editor.Settings();
        for (std::size_t j = 0; j < s.customColors.size(); ++j)
            s.customColors[j] = static_cast<std::uint8_t>(j * 4 + j % 4);  // 0 .. 255
        s.browseFolder = "/media/card/themes/";
        s.readFolder = "/srv/read";
        s.createFolder = "/srv/create";
        s.defaultCreator = "Åsa, Lund";
        s.defaultModifiedBy = "Jörg";
        SaveSettings(first.editor, store);
    }
    EXPECT_EQ(store.Size(), 38u + 64u + 5u);
    EXPECT_EQ(store.Read("Last", "7"), "c4");
    EXPECT_EQ(store.Read("Last", "10"), "AAAAAA");
    EXPECT_EQ(store.Read("CustC", "25"), "101");
    EXPECT_EQ(store.Read("CustC", "63"), "255");

    Program second;
    LoadSettings(second.editor, store);
    EXPECT_THAT(second.log.Captured(), Not(Contains(kFirstStart)));
    for (int i = 0; i < kElementCount; ++i)
        EXPECT_EQ(second.editor.Colour(i), i == 7 ? "c4" : std::string(6, "0123456789ABCDEF"[i % 16])) << i;
    const UserSettings& s = second.editor.Settings();
    for (std::size_t j = 0; j < s.customColors.size(); ++j) EXPECT_EQ(s.customColors[j], j * 4 + j % 4) << j;
    EXPECT_EQ(s.browseFolder, "/media/card/themes/");
    EXPECT_EQ(s.defaultCreator, "Åsa, Lund");
    EXPECT_EQ(s.defaultModifiedBy, "Jörg");

    // Read and Create are written back exactly as they were read.
    MemorySettingsStore again;
    SaveSettings(second.editor, again);
    EXPECT_EQ(again.Read("Path", "Read"), "/srv/read");
    EXPECT_EQ(again.Read("Path", "Create"), "/srv/create");
}

TEST_F(SettingsFixture, StoredColoursAreDecidedByTheFirstKeyAlone) {
    Program run;
    ReadRecordingStore store;
    store.Write("Last", "0", "12ab9f");
    store.Write("Last", "37", "zz");
    LoadSettings(run.editor, store);
    EXPECT_THAT(store.reads, ElementsAreArray(ReadOrder(true)));
    EXPECT_EQ(run.editor.Colour(0), "12AB9F");
    for (int i = 1; i < 37; ++i) EXPECT_EQ(run.editor.Colour(i), "000000") << i;
    EXPECT_EQ(run.editor.Colour(37), "zz") << "taken as it is";
    EXPECT_THAT(run.log.Captured(), Not(Contains(kFirstStart)));

    // Every element is set first, then all are repainted once more in order.
    std::vector<std::string> tail(run.view.calls.end() - kElementCount, run.view.calls.end());
    std::vector<std::string> repaint;
    for (int i = 0; i < kElementCount; ++i) repaint.push_back("ChangeColor " + std::to_string(i));
    EXPECT_THAT(tail, ElementsAreArray(repaint));
    EXPECT_EQ(run.view.calls.front(), "ColourTextChanged 0");

    // Without key 0 the other colours are not looked at: the default theme is shown.
    Program fresh;
    MemorySettingsStore partial;
    partial.Write("Last", "5", "123456");
    LoadSettings(fresh.editor, partial);
    EXPECT_EQ(fresh.editor.Colour(5), kElements[5].defaultValue);
    EXPECT_THAT(fresh.log.Captured(), Contains(kFirstStart));
}

TEST_F(SettingsFixture, CustomColourValuesThatAreNoByteReadAsZero) {
    Program run;
    MemorySettingsStore store;
    const std::vector<std::pair<std::string, int>> cases = {
        {"abc", 0}, {"256", 0}, {"-1", 0},   {"3.5", 0}, {" 7", 0}, {"7 ", 0}, {"+7", 0},
        {"", 0},    {"99999999999999999999", 0}, {"7", 7}, {"255", 255}, {"007", 7}, {"0", 0}};
    for (std::size_t j = 0; j < cases.size(); ++j) store.Write("CustC", std::to_string(j), cases[j].first);
    store.Write("CustC", "63", "200");
    LoadSettings(run.editor, store);
    const auto& custom = run.editor.Settings().customColors;
    for (std::size_t j = 0; j < cases.size(); ++j) EXPECT_EQ(custom[j], cases[j].second) << '"' << cases[j].first << '"';
    EXPECT_EQ(custom[63], 200);
}
