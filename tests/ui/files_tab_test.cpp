// The Files tab driven with the mouse and keyboard on real folders: what the list, the labels
// and the buttons show and do. The browsing and saving rules themselves are checked on the core.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "text/Texts.h"
#include "themefile/DocumentWriter.h"
#include "themefile/TarWriter.h"
#include "ui/FilesTab.h"
#include "workspace/Clock.h"
#include "workspace/Editor.h"
#include "workspace/Log.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace tintora;
using test::RecordingToolkit;
using test::TempDir;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
namespace fs = std::filesystem;

namespace {

// The part of the main window that the tab needs: what the core reports reaches the tab.
class TabView : public EditorView {
public:
    void ShowThemeInfo() override { tab->ShowThemeInfo(); }
    void ClearStatusLabels() override { tab->ClearStatusLabels(); }
    void SetBusy(BusyButton button, bool busy) override { tab->SetBusy(button, busy); }
    void UpdateListFiles() override { tab->UpdateListFiles(); }
    FilesTab* tab = nullptr;
};

// Notes the captions of the tab's buttons while a file dialog is up.
class CaptionToolkit : public RecordingToolkit {
public:
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override {
        if (watch) captionsDuringDialog.push_back(watch->text().toStdString());
        return RecordingToolkit::FileDialog(request);
    }
    QPushButton* watch = nullptr;
    std::vector<std::string> captionsDuringDialog;
};

class FilesTabTest : public ::testing::Test {
protected:
    TempDir dir;
    FixedClock clock{LocalTime{2026, 12, 5, 9, 3, 7}};
    CaptionToolkit toolkit;
    Log log{{}, clock, &toolkit};
    TabView view;
    Editor editor{log, toolkit, view, dir / "temp"};
    FilesTab tab{editor};
    fs::path themes;

    void SetUp() override {
        view.tab = &tab;
        editor.SetClock(clock);
        editor.IniDefault();
        themes = dir.Path() / "themes";
        fs::create_directories(themes / "sub");
        editor.Settings().browseFolder = themes.string() + "/";
        tab.ApplyLanguage();
        tab.resize(500, 600);
        tab.show();
    }

    template <typename T>
    T* Find(const char* name) {
        T* w = tab.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* List() { return Find<QListWidget>("ListFiles"); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    std::string Label(const char* name) { return Find<QLabel>(name)->text().toStdString(); }

    std::vector<std::string> Entries() {
        std::vector<std::string> out;
        for (int i = 0; i < List()->count(); ++i) out.push_back(List()->item(i)->text().toStdString());
        return out;
    }
    QListWidgetItem* Item(const std::string& text) {
        const auto found = List()->findItems(QString::fromStdString(text), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << text;
        return found.isEmpty() ? nullptr : found.front();
    }
    QPoint Where(const std::string& text) {
        QListWidgetItem* item = Item(text);
        return item ? List()->visualItemRect(item).center() : QPoint();
    }
    void Click(const std::string& text) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Where(text));
    }
    // As the window system delivers it: press and release, the double-click, the release.
    void DoubleClick(const std::string& text) {
        const QPoint at = Where(text);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, at);
    }

    // A theme archive with its first colour and descriptive texts.
    void WriteTheme(const fs::path& path, const std::string& first, const ThemeInfo& info) {
        Theme t;
        for (const auto& e : kElements) t.colours[e.index] = std::string(e.defaultValue);
        t.colours[0] = first;
        t.info = info;
        bSaveFile(t);
        t.Document().active = true;
        Texts texts;
        ASSERT_TRUE(CreateTarFile(log, texts, t, path.string()));
    }
};

TEST_F(FilesTabTest, ClicksAndKeysOpenThemesFromTheListAndReadClearsThreeLabels) {
    WriteTheme(themes / "red.thm", "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(themes / "blue.thm", "0000FF", {});
    WriteTheme(dir.Path() / "green.thm", "00FF00", {"Green", "Cid", "7.8.2009 1:1:1", "Dee"});
    tab.UpdateListFiles();
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "blue.thm", "red.thm"));
    EXPECT_FALSE(Button("cmdSave")->isEnabled());

    log.SetCapture(true);
    Click("red.thm");
    EXPECT_EQ(editor.Colour(0), "FF0000");
    // One click, one opening (the press that moved the selection did not open it as well).
    EXPECT_EQ(std::count(log.Captured().begin(), log.Captured().end(),
                         "#############ReadFileBrowse has started##########"), 1);
    const char* const frame[] = {"Red", "Ann", "Bob", "", "1.2.2003 4:5:6"};
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(Label(("lblStatus_" + std::to_string(i)).c_str()), frame[i]) << i;
    EXPECT_TRUE(Button("cmdSave")->isEnabled());

    // The selection moved with the keyboard opens too.
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(editor.Colour(0), "0000FF");
    Click("red.thm");

    // Read: the button reads Wait while its dialog is up; three labels are emptied, Created stays.
    toolkit.watch = Button("cmdReadFile");
    toolkit.files.push_back((dir.Path() / "green.thm").string());
    QTest::mouseClick(Button("cmdReadFile"), Qt::LeftButton);
    EXPECT_EQ(editor.Colour(0), "00FF00");
    for (int i : {0, 1, 2}) EXPECT_EQ(Label(("lblStatus_" + std::to_string(i)).c_str()), "") << i;
    EXPECT_EQ(Label("lblStatus_4"), "1.2.2003 4:5:6");
    EXPECT_THAT(toolkit.captionsDuringDialog, ElementsAre("Wait"));
    EXPECT_EQ(Button("cmdReadFile")->text().toStdString(), "Read");

    Click("[sub]");
    EXPECT_FALSE(Button("cmdSave")->isEnabled()) << "a folder entry";
}

TEST_F(FilesTabTest, DoubleClicksMoveBetweenFoldersAndTheLabelShowsWhere) {
    WriteTheme(themes / "sub/blue.thm", "0000FF", {});
    WriteTheme(themes / "gone.thm", "123456", {});
    tab.UpdateListFiles();
    fs::remove(themes / "gone.thm");
    Click("gone.thm");
    EXPECT_THAT(toolkit.Texts(), ElementsAre("Can not find the file"));
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]")) << "the list is refreshed";

    DoubleClick("[sub]");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "blue.thm"));
    EXPECT_EQ(Label("lblCurrentFolder"), ShortenFolderLabel((themes / "sub").string() + "/"));
    // Moving opened nothing, not even the entry that took the folder's place in the list.
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);
    DoubleClick("[Previous]");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]"));

    // The root has no parent entry; the level below has one.
    editor.Settings().browseFolder = "/";
    tab.UpdateListFiles();
    EXPECT_THAT(Entries(), Not(Contains("[Previous]")));
    EXPECT_EQ(Label("lblCurrentFolder"), "/");
    const std::string top = "/" + (++dir.Path().begin())->string();
    editor.Settings().browseFolder = top;
    tab.UpdateListFiles();
    EXPECT_EQ(Entries().front(), "[Previous]");
    EXPECT_EQ(Label("lblCurrentFolder"), top + "/");

    // A long folder shows its end, and the whole of it as a tooltip.
    const fs::path deep = themes / std::string(30, 'x') / std::string(30, 'y');
    fs::create_directories(deep);
    editor.Settings().browseFolder = deep.string();
    tab.UpdateListFiles();
    EXPECT_EQ(Label("lblCurrentFolder"), "/.../" + std::string(30, 'y') + "/");
    EXPECT_EQ(Find<QLabel>("lblCurrentFolder")->toolTip().toStdString(), deep.string() + "/");
}

TEST_F(FilesTabTest, GermanCaptionsAndButtonsReadingWaitKeepTheListInPlace) {
    tab.UpdateListFiles();
    editor.GetTexts().SetLanguageOffset(kGerman);
    tab.ApplyLanguage();
    EXPECT_EQ(Entries().front(), "[Vorschau]");
    EXPECT_EQ(Button("cmdSaveAs")->text().toStdString(), "Speichern unter");
    EXPECT_EQ(Button("cmdReset")->text().toStdString(), "Neustart");
    EXPECT_EQ(Label("lblDrive"), "Laufwerk wählen:");
    EXPECT_EQ(Label("lblStatusText_1"), "Verändert von:");

    // "Abwarten" is narrower than "Speichern unter": the list beside the buttons must not shift
    // while a dialog of the operation is up (its event loop lays the window out again).
    const auto layOut = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); };
    layOut();
    const int listAt = List()->mapTo(&tab, QPoint()).x();
    const std::pair<BusyButton, const char*> buttons[] = {
        {BusyButton::Read, "cmdReadFile"}, {BusyButton::Save, "cmdSave"}, {BusyButton::SaveAs, "cmdSaveAs"}};
    for (const auto& [busy, name] : buttons) {
        tab.SetBusy(busy, true);
        layOut();
        EXPECT_EQ(Button(name)->text().toStdString(), "Abwarten");
        EXPECT_EQ(List()->mapTo(&tab, QPoint()).x(), listAt) << name;
        tab.SetBusy(busy, false);
    }
    EXPECT_EQ(Button("cmdSaveAs")->text().toStdString(), "Speichern unter");

    DoubleClick("[Vorschau]");
    EXPECT_EQ(editor.Settings().browseFolder, dir.Path().string() + "/");
}

TEST_F(FilesTabTest, SaveWritesBackToTheClickedThemeAndSaveAsListsTheNewFile) {
    WriteTheme(themes / "mine.thm", "FF0000", {"Mine", "", "1.1.2020 0:0:0", "Me"});
    tab.UpdateListFiles();
    Click("mine.thm");
    editor.SetColour(0, "0A0B0C");
    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(test::TypeInfo("Mine again", "You", "ignored"));
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    EXPECT_EQ(Label("lblStatus_0"), "Mine again");
    EXPECT_EQ(Label("lblStatus_2"), "Me") << "the creator of an existing theme is locked";
    editor.SetColour(0, "FFFFFF");
    Click("[sub]");
    Click("mine.thm");
    EXPECT_EQ(editor.Colour(0), "0A0B0C") << "Save wrote to the clicked theme";

    toolkit.files.push_back((themes / "copy").string());
    QTest::mouseClick(Button("cmdSaveAs"), Qt::LeftButton);
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "copy.thm", "mine.thm"));
    EXPECT_FALSE(Button("cmdSave")->isEnabled()) << "the entry Save wrote to went with the old list";
}

TEST_F(FilesTabTest, ThePlaceListOffersHomeAndTheRootAndJumpsToTheChosenOne) {
    tab.Initialise();
    auto* combo = Find<QComboBox>("cboDrives");
    EXPECT_EQ(combo->itemText(0), QDir::homePath() + "/");
    const int root = combo->findText(QStringLiteral("/"));
    ASSERT_GE(root, 0);
    // The temporary folder lies below the place shown.
    ASSERT_GE(combo->currentIndex(), 0);
    EXPECT_EQ(themes.string().rfind(combo->currentText().toStdString(), 0), 0u);

    const int other = combo->currentIndex() == 0 ? root : 0;
    combo->setCurrentIndex(other);
    Q_EMIT combo->activated(other);
    EXPECT_EQ(editor.Settings().browseFolder, combo->itemText(other).toStdString());
    EXPECT_EQ(Label("lblCurrentFolder"), ShortenFolderLabel(combo->itemText(other).toStdString()));
}

}  // namespace
