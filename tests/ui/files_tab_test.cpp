// The Files tab of the window driven with the mouse and keyboard on real folders: what the list,
// the labels and the buttons show and do. The browsing and saving rules are checked on the core.

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
    fs::path themes = dir.Path() / "themes";

    void SetUp() override {
        WindowFixture::SetUp();
        fs::create_directories(themes / "sub");
        Start();
        OpenTab(5);
        Core().Settings().browseFolder = themes.string() + "/";
    }
    QLabel* Folder() const { return Find<QLabel>(QStringLiteral("lblCurrentFolder")); }
    QString Status(int i) const { return Label("lblStatus_", i)->text(); }
    bool SaveEnabled() const { return Button("cmdSave")->isEnabled(); }
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
    WriteTheme(themes / "red.thm", "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(themes / "blue.thm", "0000FF");
    WriteTheme(themes / "gone.thm", "123456");
    WriteTheme(themes / "sub/deep.thm", "ABCDEF");
    WriteTheme(dir.Path() / "green.thm", "00FF00");
    window->UpdateListFiles();
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "blue.thm", "gone.thm", "red.thm"));
    EXPECT_FALSE(SaveEnabled());

    log.ClearCaptured();
    ClickEntry("red.thm");
    EXPECT_EQ(Core().Colour(0), "FF0000");
    // One click, one opening (the press that moved the selection did not open it as well).
    EXPECT_EQ(LogCount("#############ReadFileBrowse has started##########"), 1);
    EXPECT_EQ(Status(0), "Red");
    EXPECT_TRUE(SaveEnabled());
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(Core().Colour(0), "123456") << "the selection moved with the keyboard opens too";
    ClickEntry("red.thm");

    // Read empties three labels; Created stays.
    toolkit.files.push_back((dir.Path() / "green.thm").string());
    Click(Button("cmdReadFile"));
    EXPECT_EQ(Core().Colour(0), "00FF00");
    EXPECT_EQ(QStringList({Status(0), Status(1), Status(2), Status(4)}).join('|'), "|||1.2.2003 4:5:6");
    ClickEntry("[sub]");
    EXPECT_FALSE(SaveEnabled()) << "a folder entry";

    fs::remove(themes / "gone.thm");
    ClickEntry("gone.thm");
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Can not find the file"));
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "blue.thm", "red.thm")) << "the list is refreshed";

    ClickEntry("[sub]", true);
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "deep.thm"));
    EXPECT_EQ(Folder()->toolTip().toStdString(), (themes / "sub").string() + "/");
    EXPECT_EQ(Core().Colour(0), "00FF00") << "moving opens nothing, not even the entry now in the folder's place";
    ClickEntry("[Previous]", true);
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "blue.thm", "red.thm"));

    // A long folder shows its end.
    const fs::path deep = themes / std::string(30, 'x') / std::string(30, 'y');
    fs::create_directories(deep);
    Core().Settings().browseFolder = deep.string();
    window->UpdateListFiles();
    EXPECT_EQ(Folder()->text().toStdString(), "/.../" + std::string(30, 'y') + "/");

    // The place list starts at home and jumps to the place chosen.
    auto* places = Find<QComboBox>(QStringLiteral("cboDrives"));
    EXPECT_EQ(places->itemText(0), QDir::homePath() + "/");
    const int root = places->findText(QStringLiteral("/"));
    ASSERT_GE(root, 1);
    places->setCurrentIndex(root);
    Q_EMIT places->activated(root);
    EXPECT_EQ(Folder()->text(), "/");
}

TEST_F(FilesTabTest, GermanCaptionsAndButtonsReadingWaitKeepTheListInPlace) {
    window->UpdateListFiles();
    ChooseLanguage(QStringLiteral("German"));
    EXPECT_EQ(Entries().front(), "[Vorschau]");
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblStatusText_1"))->text(), "Verändert von:");

    // "Abwarten" is narrower than "Speichern unter": the list beside the buttons must not shift
    // while a dialog of the operation is up (its event loop lays the window out again).
    const auto listAt = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return List()->mapTo(window.get(), QPoint()).x();
    };
    const int before = listAt();
    const std::pair<BusyButton, const char*> buttons[] = {
        {BusyButton::Read, "cmdReadFile"}, {BusyButton::Save, "cmdSave"}, {BusyButton::SaveAs, "cmdSaveAs"}};
    for (const auto& [busy, name] : buttons) {
        window->SetBusy(busy, true);
        EXPECT_EQ(listAt(), before) << name;
        EXPECT_EQ(Button(name)->text(), "Abwarten");
        window->SetBusy(busy, false);
    }
    EXPECT_EQ(Button("cmdSaveAs")->text(), "Speichern unter");
}

}  // namespace
