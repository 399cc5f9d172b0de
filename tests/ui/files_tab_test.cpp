// The Files tab driven with the mouse and keyboard on real folders: opening themes from the
// browser and with Read, the information frame, moving between folders, saving back and under a
// new name, the place list and the captions in another language.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "text/Texts.h"
#include "themefile/DocumentWriter.h"
#include "themefile/TarWriter.h"
#include "ui/FilesTab.h"
#include "workspace/Clock.h"
#include "workspace/Editor.h"
#include "workspace/Log.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace tintora;
using test::RecordingToolkit;
using test::TempDir;
using test::WriteAll;
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

TEST_F(FilesTabTest, AClickOpensAThemeAndFillsTheFrameWhileReadClearsThreeLabels) {
    WriteTheme(themes / "red.thm", "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(dir.Path() / "green.thm", "00FF00", {"Green", "Cid", "7.8.2009 1:1:1", "Dee"});
    tab.UpdateListFiles();
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "red.thm"));
    EXPECT_FALSE(Button("cmdSave")->isEnabled());

    log.SetCapture(true);
    Click("red.thm");
    EXPECT_EQ(editor.Colour(0), "FF0000");
    // One click, one opening (the press that moved the selection did not open it as well).
    EXPECT_EQ(std::count(log.Captured().begin(), log.Captured().end(),
                         "#############ReadFileBrowse has started##########"),
              1);
    EXPECT_EQ(Label("lblStatus_0"), "Red");
    EXPECT_EQ(Label("lblStatus_1"), "Ann");
    EXPECT_EQ(Label("lblStatus_2"), "Bob");
    EXPECT_EQ(Label("lblStatus_4"), "1.2.2003 4:5:6");
    EXPECT_TRUE(Button("cmdSave")->isEnabled());

    // Read with the open dialog: the theme comes in, three labels are emptied, Created stays.
    toolkit.watch = Button("cmdReadFile");
    toolkit.files.push_back((dir.Path() / "green.thm").string());
    QTest::mouseClick(Button("cmdReadFile"), Qt::LeftButton);
    EXPECT_EQ(editor.Colour(0), "00FF00");
    EXPECT_EQ(editor.GetTheme().info.name, "Green");
    EXPECT_EQ(Label("lblStatus_0"), "");
    EXPECT_EQ(Label("lblStatus_1"), "");
    EXPECT_EQ(Label("lblStatus_2"), "");
    EXPECT_EQ(Label("lblStatus_4"), "1.2.2003 4:5:6");
    EXPECT_THAT(toolkit.captionsDuringDialog, ElementsAre("Wait"));
    EXPECT_EQ(Button("cmdReadFile")->text().toStdString(), "Read");
    EXPECT_EQ(Button("cmdReadFile")->font().pointSize(), 8);

    // A folder entry clicked disables Save.
    Click("[sub]");
    EXPECT_FALSE(Button("cmdSave")->isEnabled());
}

TEST_F(FilesTabTest, AThemeDeletedBehindTheBrowsersBackGivesMessage268AndARefresh) {
    WriteTheme(themes / "gone.thm", "123456", {});
    tab.UpdateListFiles();
    ASSERT_THAT(Entries(), Contains("gone.thm"));
    fs::remove(themes / "gone.thm");

    Click("gone.thm");
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "Can not find the file");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]"));
    EXPECT_FALSE(Button("cmdSave")->isEnabled());
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);
}

TEST_F(FilesTabTest, DoubleClicksMoveIntoAFolderAndBackToTheParent) {
    WriteTheme(themes / "sub/blue.thm", "0000FF", {});
    tab.UpdateListFiles();

    DoubleClick("[sub]");
    EXPECT_EQ(editor.Settings().browseFolder, (themes / "sub").string() + "/");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "blue.thm"));
    EXPECT_EQ(Label("lblCurrentFolder"), ShortenFolderLabel((themes / "sub").string() + "/"));
    // Moving opened nothing, not even the entry that took the folder's place in the list.
    EXPECT_EQ(editor.Colour(0), kElements[0].defaultValue);

    DoubleClick("[Previous]");
    EXPECT_EQ(editor.Settings().browseFolder, themes.string() + "/");
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]"));
}

TEST_F(FilesTabTest, TheSelectionMovedByKeyboardOpensTheTheme) {
    WriteTheme(themes / "a.thm", "AAAAAA", {});
    WriteTheme(themes / "b.thm", "BBBBBB", {});
    tab.UpdateListFiles();
    Click("a.thm");
    ASSERT_EQ(editor.Colour(0), "AAAAAA");

    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(List()->currentItem()->text().toStdString(), "b.thm");
    EXPECT_EQ(editor.Colour(0), "BBBBBB");
}

TEST_F(FilesTabTest, TheRootHasNoParentEntryAndTheLevelBelowHasOne) {
    editor.Settings().browseFolder = "/";
    tab.UpdateListFiles();
    ASSERT_GT(List()->count(), 0);
    EXPECT_THAT(Entries(), Not(Contains("[Previous]")));
    EXPECT_EQ(Label("lblCurrentFolder"), "/");

    auto part = dir.Path().begin();
    const std::string top = (++part)->string();
    editor.Settings().browseFolder = "/" + top;
    tab.UpdateListFiles();
    EXPECT_EQ(Entries().front(), "[Previous]");
    EXPECT_EQ(Label("lblCurrentFolder"), "/" + top + "/");
}

TEST_F(FilesTabTest, ALongFolderIsShortenedInTheLabel) {
    const fs::path deep = themes / std::string(30, 'x') / std::string(30, 'y');
    fs::create_directories(deep);
    editor.Settings().browseFolder = deep.string();
    tab.UpdateListFiles();
    const std::string label = Label("lblCurrentFolder");
    EXPECT_EQ(label, "/.../" + std::string(30, 'y') + "/");
    EXPECT_EQ(Find<QLabel>("lblCurrentFolder")->toolTip().toStdString(), deep.string() + "/");
}

TEST_F(FilesTabTest, GermanCaptionsAndParentEntryAfterALanguageChange) {
    tab.UpdateListFiles();
    List()->setCurrentRow(1);
    editor.GetTexts().SetLanguageOffset(kGerman);
    tab.ApplyLanguage();
    EXPECT_EQ(Entries().front(), "[Vorschau]");
    EXPECT_EQ(List()->currentItem(), nullptr);  // the list was rebuilt
    EXPECT_EQ(Button("cmdSave")->text().toStdString(), "Speichern");
    EXPECT_EQ(Button("cmdSaveAs")->text().toStdString(), "Speichern unter");
    EXPECT_EQ(Button("cmdReadFile")->text().toStdString(), "Lesen");
    EXPECT_EQ(Button("cmdReset")->text().toStdString(), "Neustart");
    EXPECT_EQ(Label("lblDrive"), "Laufwerk wählen:");
    EXPECT_EQ(Label("lblStatusText_1"), "Verändert von:");

    DoubleClick("[Vorschau]");
    EXPECT_EQ(editor.Settings().browseFolder, dir.Path().string() + "/");
}

TEST_F(FilesTabTest, ButtonsReadingWaitKeepTheirWidth) {
    // German captions are wider than a button's least width, and "Abwarten" is narrower than
    // "Speichern unter": the button column, and the list beside it, must not shift while a
    // dialog of the operation is up (its event loop lays the window out again).
    const auto layOut = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); };
    editor.GetTexts().SetLanguageOffset(kGerman);
    tab.ApplyLanguage();
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
        layOut();
    }
    EXPECT_EQ(Button("cmdSaveAs")->text().toStdString(), "Speichern unter");
    EXPECT_EQ(List()->mapTo(&tab, QPoint()).x(), listAt);
}

TEST_F(FilesTabTest, SaveWritesBackToTheClickedThemeAndSaveAsListsTheNewFile) {
    WriteTheme(themes / "mine.thm", "FF0000", {"Mine", "", "1.1.2020 0:0:0", "Me"});
    tab.UpdateListFiles();
    Click("mine.thm");
    editor.SetColour(0, "0A0B0C");

    toolkit.answers.push_back(Answer::Ok);
    toolkit.infoScripts.push_back(test::TypeInfo("Mine again", "You", "ignored"));
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    EXPECT_EQ(Button("cmdSave")->text().toStdString(), "Save");
    EXPECT_EQ(Label("lblStatus_0"), "Mine again");
    EXPECT_EQ(Label("lblStatus_2"), "Me");  // the creator of an existing theme is locked

    // Reading the file back proves Save wrote there.
    editor.SetColour(0, "FFFFFF");
    Click("[sub]");
    Click("mine.thm");
    EXPECT_EQ(editor.Colour(0), "0A0B0C");

    // Save As puts a new file into the browse folder, and the list shows it.
    toolkit.files.push_back((themes / "copy").string());
    QTest::mouseClick(Button("cmdSaveAs"), Qt::LeftButton);
    EXPECT_TRUE(fs::exists(themes / "copy.thm"));
    EXPECT_THAT(Entries(), ElementsAre("[Previous]", "[sub]", "copy.thm", "mine.thm"));
    EXPECT_EQ(Button("cmdSaveAs")->text().toStdString(), "Save As");
    // The entry Save wrote to is gone with the old list.
    EXPECT_FALSE(Button("cmdSave")->isEnabled());
}

TEST_F(FilesTabTest, ThePlaceListOffersHomeAndTheRootAndJumpsToTheChosenOne) {
    tab.Initialise();
    auto* combo = Find<QComboBox>("cboDrives");
    std::vector<std::string> places;
    for (int i = 0; i < combo->count(); ++i) places.push_back(combo->itemText(i).toStdString());
    EXPECT_EQ(places.front(), QDir::homePath().toStdString() + "/");
    EXPECT_THAT(places, Contains("/"));
    // The temporary folder lies below the root (or another mount point), not below home.
    const int current = combo->currentIndex();
    ASSERT_GE(current, 0);
    EXPECT_EQ(themes.string().rfind(places[current], 0), 0u);

    // Choosing the place the folder is in changes nothing; another place is jumped to.
    Click("[sub]");
    combo->setCurrentIndex(current);
    Q_EMIT combo->activated(current);
    EXPECT_EQ(editor.Settings().browseFolder, themes.string() + "/");

    const int other = current == 0 ? combo->findText(QStringLiteral("/")) : 0;
    combo->setCurrentIndex(other);
    Q_EMIT combo->activated(other);
    EXPECT_EQ(editor.Settings().browseFolder, places[other]);
    EXPECT_EQ(Label("lblCurrentFolder"), ShortenFolderLabel(places[other]));
    EXPECT_EQ(combo->currentIndex(), other);
    EXPECT_FALSE(Button("cmdSave")->isEnabled());
}

}  // namespace
