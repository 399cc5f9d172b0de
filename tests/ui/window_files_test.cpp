// Theme files reaching the window: the Files tab driven with mouse and keyboard on real folders,
// the editor's command line, a theme given to it or dropped on it, and a picture dropped on a row.

#include <gmock/gmock.h>

#include "support/WindowFixture.h"
#include "ui/StartArguments.h"

#include <QDir>

using namespace tintora;
namespace fs = std::filesystem;

namespace {

TEST(StartArguments, HelpAndVersionWinThenOneFileAtMostAndNoOtherOption) {
    using A = StartArguments::Action;
    const struct {
        std::vector<std::string> args;
        A action;
        std::string file;
    } cases[] = {
        {{}, A::Run, ""},
        {{"sunset.thm"}, A::Run, "sunset.thm"},
        {{"--", "-x.thm"}, A::Run, "-x.thm"},
        {{"--", "--help"}, A::Run, "--help"},
        {{"a.thm", "--version"}, A::Version, ""},
        {{"--version", "--frobnicate", "--help"}, A::Help, ""},
        {{"--frobnicate"}, A::Usage, ""},
        {{"a.thm", "b.thm"}, A::Usage, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const StartArguments read = ReadStartArguments(c.args);
        EXPECT_EQ(read.action, c.action);
        EXPECT_EQ(read.file, c.file);
        EXPECT_EQ(read.problem.empty(), c.action != A::Usage);
    }
}

class WindowFiles : public test::WindowFixture {
protected:
    std::string Selected() const { return List()->currentItem() ? List()->currentItem()->text().toStdString() : ""; }
    const fs::path themes = dir.Path() / "themes";
};

// The browser's rules are the core's; here the list, labels and buttons reach them.
TEST_F(WindowFiles, ClicksAndKeysOpenThemesDoubleClicksMoveAndReadClearsThreeLabels) {
    fs::create_directories(themes / "sub");
    WriteTheme(themes / "red.thm", 0, "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(themes / "blue.thm", 0, "0000FF");
    WriteTheme(themes / "sub/deep.thm", 0, "ABCDEF");
    WriteTheme(dir / "green.thm", 0, "00FF00");
    Start();
    OpenTab(5);
    Core().Settings().browseFolder = themes.string() + "/";
    window->UpdateListFiles();
    EXPECT_FALSE(Button("cmdSave")->isEnabled());

    log.ClearCaptured();
    ClickEntry("red.thm");
    EXPECT_EQ(Core().Colour(0), "FF0000");
    // One click, one opening (the press that moved the selection did not open it as well).
    EXPECT_EQ(LogCount("#############ReadFileBrowse has started##########"), 1);
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(Core().Colour(0), "0000FF") << "the selection moved with the keyboard opens too";

    // Read empties three labels; Created stays.
    ClickEntry("red.thm");
    toolkit.files.push_back(dir / "green.thm");
    Click(Button("cmdReadFile"));
    EXPECT_EQ(Core().Colour(0), "00FF00");
    QStringList labels;
    for (int i : {0, 1, 2, 4}) labels << Label("lblStatus_", i)->text();
    EXPECT_EQ(labels.join('|'), "|||1.2.2003 4:5:6");

    ClickEntry("[sub]", true);
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->item(1)->text(), "deep.thm");
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblCurrentFolder"))->toolTip().toStdString(), (themes / "sub/").string());
    EXPECT_EQ(Core().Colour(0), "00FF00") << "moving opens nothing, not even the entry now in the folder's place";

    // The place list starts at home and jumps to the place chosen.
    auto* places = Find<QComboBox>(QStringLiteral("cboDrives"));
    EXPECT_EQ(places->itemText(0), QDir::homePath() + "/");
    const int root = places->findText(QStringLiteral("/"));
    ASSERT_GE(root, 1);
    places->setCurrentIndex(root);
    Q_EMIT places->activated(root);
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblCurrentFolder"))->text(), "/");
}

TEST_F(WindowFiles, ThemesOpenFromTheirFolderSelectedAndPicturesOnlyOnARowThroughImport) {
    fs::create_directories(themes);
    WriteTheme(themes / "red.thm", 0, "FF0000");
    WriteTheme(themes / "blue.thm", 0, "0000FF");
    Start();

    // Given on the command line: opened in its folder, selected there, Save writes back to it.
    window->OpenThemeFile(QString::fromStdString((themes / "red.thm").string()));
    EXPECT_EQ(Core().Colour(0), "FF0000");
    EXPECT_EQ(Selected(), "red.thm");
    EXPECT_TRUE(Button("cmdSave")->isEnabled());

    // Dropped on the preview (which takes no drops itself) or on a hex box (which takes dragged
    // text), a theme opens the same way.
    EXPECT_TRUE(Drop(PreviewOnScreen(), {5, 5}, (themes / "blue.thm").string()));
    EXPECT_EQ(Core().Colour(0), "0000FF");
    EXPECT_EQ(Selected(), "blue.thm");
    EXPECT_TRUE(Drop(Box(0), {2, 2}, (themes / "red.thm").string()));
    EXPECT_EQ(Box(0)->text().toStdString(), "FF0000");

    // A picture: refused away from the rows; on a row it goes to that slot's Import dialog,
    // which takes a GIF of the slot's size as it is.
    OpenTab(0);
    const std::string medium = dir / "medium.gif", gif = test::SolidGif(kSlots[2].width, kSlots[2].height, 1, 2, 3);
    test::WriteAll(medium, gif);
    EXPECT_FALSE(Drop(PreviewOnScreen(), {5, 5}, medium));
    bool shown = false;
    test::WhenModalShows<QDialog>([](QDialog&) {}, false, &shown);
    EXPECT_TRUE(Drop(Label("picture_", 0), {5, 70}, medium));  // below the row's buttons
    EXPECT_TRUE(shown);
    EXPECT_EQ(Core().GetTheme().slots[0], SlotState::Empty) << "cancelled";
    test::WhenModalShows<QDialog>([](QDialog&) {}, true, &shown);
    EXPECT_TRUE(Drop(Label("lblPicFileName_", 2), {1, 1}, medium));
    EXPECT_TRUE(shown);
    EXPECT_EQ(Core().GetTheme().slots[2], SlotState::On);
    EXPECT_EQ(Core().GetTheme().members[2].data, Bytes(gif.begin(), gif.end()));
    EXPECT_TRUE(toolkit.shown.empty());
}

}  // namespace
