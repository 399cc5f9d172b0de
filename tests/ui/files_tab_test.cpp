// The Files tab of the window driven with the mouse and keyboard on real folders: its list, labels
// and buttons reach the browser and the open flow, whose rules are checked on the core.

#include <gmock/gmock.h>

#include "support/EditorRig.h"
#include "support/WindowFixture.h"

#include <QDir>

using namespace tintora;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

class FilesTabTest : public test::WindowFixture {
protected:
    QString Status(int i) const { return Label("lblStatus_", i)->text(); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < List()->count(); ++i) out.push_back(List()->item(i)->text().toStdString());
        return out;
    }
    void WriteTheme(const fs::path& path, const std::string& first, const ThemeInfo& info = {}) {
        ASSERT_TRUE(test::WriteThemeFile(log, path.string(), [&](Theme& t) {
            t.colours[0] = first;
            t.info = info;
        }));
    }
};

TEST_F(FilesTabTest, ClicksAndKeysOpenThemesDoubleClicksMoveAndReadClearsThreeLabels) {
    const fs::path themes = dir.Path() / "themes";
    fs::create_directories(themes / "sub");
    WriteTheme(themes / "red.thm", "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(themes / "blue.thm", "0000FF");
    WriteTheme(themes / "sub/deep.thm", "ABCDEF");
    WriteTheme(dir.Path() / "green.thm", "00FF00");
    Start();
    OpenTab(5);
    Core().Settings().browseFolder = themes.string() + "/";
    window->UpdateListFiles();
    const auto all = ElementsAre("[Previous]", "[sub]", "blue.thm", "red.thm");
    EXPECT_THAT(Entries(), all);
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
    EXPECT_EQ(QStringList({Status(0), Status(1), Status(2), Status(4)}).join('|'), "|||1.2.2003 4:5:6");

    ClickEntry("[sub]", true);
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "deep.thm"));
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblCurrentFolder"))->toolTip().toStdString(), (themes / "sub/").string());
    EXPECT_EQ(Core().Colour(0), "00FF00") << "moving opens nothing, not even the entry now in the folder's place";
    ClickEntry("[Previous]", true);
    EXPECT_THAT(Entries(), all);

    // The place list starts at home and jumps to the place chosen.
    auto* places = Find<QComboBox>(QStringLiteral("cboDrives"));
    EXPECT_EQ(places->itemText(0), QDir::homePath() + "/");
    const int root = places->findText(QStringLiteral("/"));
    ASSERT_GE(root, 1);
    places->setCurrentIndex(root);
    Q_EMIT places->activated(root);
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblCurrentFolder"))->text(), "/");
}

}  // namespace
