// The Files tab of the window driven with the mouse and keyboard on real folders: what the list,
// the labels and the buttons show and do. The browsing and saving rules are checked on the core.

#include <gmock/gmock.h>

#include "support/EditorRig.h"
#include "support/WindowFixture.h"
#include "workspace/FileBrowser.h"

#include <QDir>

using namespace tintora;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
namespace fs = std::filesystem;

namespace {

class FilesTabTest : public test::WindowFixture {
protected:
    fs::path themes = dir.Path() / "themes";

    void SetUp() override {
        WindowFixture::SetUp();
        fs::create_directories(themes / "sub");
        Start();
        OpenTab(5);
        Core().Settings().browseFolder = themes.string() + "/";
    }
    std::string Text(const char* name) const { return Find<QLabel>(QString::fromLatin1(name))->text().toStdString(); }
    std::string Status(int i) const { return Label("lblStatus_", i)->text().toStdString(); }
    std::string Caption(const char* button) const { return Button(QString::fromLatin1(button))->text().toStdString(); }
    bool SaveEnabled() const { return Button(QStringLiteral("cmdSave"))->isEnabled(); }

    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < List()->count(); ++i) out.push_back(List()->item(i)->text().toStdString());
        return out;
    }
    QPoint Where(const std::string& text) const {
        const auto found = List()->findItems(QString::fromStdString(text), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << text;
        return found.isEmpty() ? QPoint() : List()->visualItemRect(found.front()).center();
    }
    void ClickEntry(const std::string& text) { QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Where(text)); }
    // As the window system delivers it: press and release, the double-click, the release.
    void DoubleClickEntry(const std::string& text) {
        const QPoint at = Where(text);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, at);
    }
    void WriteTheme(const fs::path& path, const std::string& first, const ThemeInfo& info = {}) {
        ASSERT_TRUE(test::WriteThemeFile(log, path.string(), [&](Theme& t) {
            t.colours[0] = first;
            t.info = info;
        }));
    }
};

TEST_F(FilesTabTest, ClicksAndKeysOpenThemesFromTheListAndReadClearsThreeLabels) {
    WriteTheme(themes / "red.thm", "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(themes / "blue.thm", "0000FF");
    WriteTheme(dir.Path() / "green.thm", "00FF00", {"Green", "Cid", "7.8.2009 1:1:1", "Dee"});
    window->UpdateListFiles();
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "blue.thm", "red.thm"));
    EXPECT_FALSE(SaveEnabled());

    log.ClearCaptured();
    ClickEntry("red.thm");
    EXPECT_EQ(Core().Colour(0), "FF0000");
    // One click, one opening (the press that moved the selection did not open it as well).
    EXPECT_EQ(LogCount("#############ReadFileBrowse has started##########"), 1);
    const char* const frame[] = {"Red", "Ann", "Bob", "", "1.2.2003 4:5:6"};
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(Status(i), frame[i]) << i;
    EXPECT_TRUE(SaveEnabled());

    // The selection moved with the keyboard opens too.
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(Core().Colour(0), "0000FF");
    ClickEntry("red.thm");

    // Read empties three labels; Created stays.
    toolkit.files.push_back((dir.Path() / "green.thm").string());
    Click(Button(QStringLiteral("cmdReadFile")));
    EXPECT_EQ(Core().Colour(0), "00FF00");
    for (int i : {0, 1, 2}) EXPECT_EQ(Status(i), "") << i;
    EXPECT_EQ(Status(4), "1.2.2003 4:5:6");

    ClickEntry("[sub]");
    EXPECT_FALSE(SaveEnabled()) << "a folder entry";
}

TEST_F(FilesTabTest, DoubleClicksMoveBetweenFoldersAndTheLabelShowsWhere) {
    WriteTheme(themes / "sub/blue.thm", "0000FF");
    WriteTheme(themes / "gone.thm", "123456");
    window->UpdateListFiles();
    fs::remove(themes / "gone.thm");
    ClickEntry("gone.thm");
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Can not find the file"));
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]")) << "the list is refreshed";

    DoubleClickEntry("[sub]");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "blue.thm"));
    EXPECT_EQ(Text("lblCurrentFolder"), ShortenFolderLabel((themes / "sub").string() + "/"));
    // Moving opened nothing, not even the entry that took the folder's place in the list.
    EXPECT_EQ(Core().Colour(0), kElements[0].defaultValue);
    DoubleClickEntry("[Previous]");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]"));

    Core().Settings().browseFolder = "/";
    window->UpdateListFiles();
    EXPECT_THAT(Entries(), Not(Contains("[Previous]")));
    EXPECT_EQ(Text("lblCurrentFolder"), "/");

    // A long folder shows its end, and the whole of it as a tooltip.
    const fs::path deep = themes / std::string(30, 'x') / std::string(30, 'y');
    fs::create_directories(deep);
    Core().Settings().browseFolder = deep.string();
    window->UpdateListFiles();
    EXPECT_EQ(Text("lblCurrentFolder"), "/.../" + std::string(30, 'y') + "/");
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblCurrentFolder"))->toolTip().toStdString(), deep.string() + "/");
}

TEST_F(FilesTabTest, GermanCaptionsAndButtonsReadingWaitKeepTheListInPlace) {
    window->UpdateListFiles();
    ChooseLanguage(QStringLiteral("German"));
    EXPECT_EQ(Entries().front(), "[Vorschau]");
    EXPECT_EQ(Caption("cmdSaveAs"), "Speichern unter");
    EXPECT_EQ(Text("lblStatusText_1"), "Verändert von:");

    // "Abwarten" is narrower than "Speichern unter": the list beside the buttons must not shift
    // while a dialog of the operation is up (its event loop lays the window out again).
    const auto layOut = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); };
    layOut();
    const int listAt = List()->mapTo(window.get(), QPoint()).x();
    const std::pair<BusyButton, const char*> buttons[] = {
        {BusyButton::Read, "cmdReadFile"}, {BusyButton::Save, "cmdSave"}, {BusyButton::SaveAs, "cmdSaveAs"}};
    for (const auto& [busy, name] : buttons) {
        window->SetBusy(busy, true);
        layOut();
        EXPECT_EQ(Caption(name), "Abwarten");
        EXPECT_EQ(List()->mapTo(window.get(), QPoint()).x(), listAt) << name;
        window->SetBusy(busy, false);
    }
    EXPECT_EQ(Caption("cmdSaveAs"), "Speichern unter");

    DoubleClickEntry("[Vorschau]");
    EXPECT_EQ(Core().Settings().browseFolder, dir.Path().string() + "/");
}

TEST_F(FilesTabTest, SaveWritesBackToTheClickedThemeAndSaveAsListsTheNewFile) {
    WriteTheme(themes / "mine.thm", "FF0000", {"Mine", "", "1.1.2020 0:0:0", "Me"});
    window->UpdateListFiles();
    ClickEntry("mine.thm");
    Core().SetColour(0, "0A0B0C");
    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(test::TypeInfo("Mine again", "You", "ignored"));
    Click(Button(QStringLiteral("cmdSave")));
    EXPECT_EQ(Status(0), "Mine again");
    EXPECT_EQ(Status(2), "Me") << "the creator of an existing theme is locked";
    Core().SetColour(0, "FFFFFF");
    ClickEntry("[sub]");
    ClickEntry("mine.thm");
    EXPECT_EQ(Core().Colour(0), "0A0B0C") << "Save wrote to the clicked theme";

    toolkit.files.push_back((themes / "copy").string());
    Click(Button(QStringLiteral("cmdSaveAs")));
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "copy.thm", "mine.thm"));
    EXPECT_FALSE(SaveEnabled()) << "the entry Save wrote to went with the old list";
}

TEST_F(FilesTabTest, ThePlaceListOffersHomeAndTheRootAndJumpsToTheChosenOne) {
    auto* combo = Find<QComboBox>(QStringLiteral("cboDrives"));
    EXPECT_EQ(combo->itemText(0), QDir::homePath() + "/");
    const int root = combo->findText(QStringLiteral("/"));
    ASSERT_GE(root, 0);
    ASSERT_EQ(combo->currentIndex(), 0) << "the browser starts at home";

    combo->setCurrentIndex(root);
    Q_EMIT combo->activated(root);
    EXPECT_EQ(Core().Settings().browseFolder, "/");
    EXPECT_EQ(Text("lblCurrentFolder"), "/");
}

}  // namespace
