// The editor window driven as a user would: keys into the hex boxes, clicks on captions, the
// colour chooser and the language list, with scripted dialogs and an in-memory settings store.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "model/Catalogue.h"
#include "model/ColourText.h"
#include "preview/PreviewLayout.h"
#include "settings/SettingsStore.h"
#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "support/TestGif.h"
#include "ui/ElementRow.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"
#include "workspace/Clock.h"
#include "workspace/Log.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace tintora;
using test::RecordingToolkit;
using test::TempDir;
using ::testing::ElementsAre;

namespace {

QColor ToQColor(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedHome_ = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(dir.Path().string()));
        log.SetCapture(true);
    }
    void TearDown() override {
        window.reset();
        qputenv("HOME", savedHome_);
    }

    MainWindow& Start() {
        window = std::make_unique<MainWindow>(toolkit, store, log, dir.Path());
        return *window;
    }

    template <class T>
    T* Find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    HexBox* Box(int i) const { return Find<HexBox>(QStringLiteral("txtColor_%1").arg(i)); }
    QLabel* Caption(int i) const { return Find<QLabel>(QStringLiteral("lbl_%1").arg(i)); }
    Swatch* SwatchOf(int i) const { return Find<Swatch>(QStringLiteral("shapeSelect_%1").arg(i)); }
    QPushButton* Button(const QString& name) const { return Find<QPushButton>(name); }
    PreviewWidget* PreviewOnScreen() const { return Find<PreviewWidget>(QStringLiteral("preview")); }
    const PreviewModel& Model() const { return window->Preview(); }
    Editor& Core() const { return window->GetEditor(); }

    // Replaces the whole text of a hex box by typing.
    void Retype(int i, const char* keys) {
        HexBox* box = Box(i);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QString::fromLatin1(keys));
    }

    // The colour painted at the middle of a preview item, as the widget draws it now.
    QColor PaintedAt(std::string_view name, int index = kNoIndex, int dx = 0, int dy = 0) const {
        const int id = Model().Find(name, index);
        EXPECT_GE(id, 0) << name;
        const ItemState& s = Model().State(id);
        const int screen = Model().Def(id).screen;
        const double x = (ScreenLeft(screen) + s.left + dx) * kDefaultZoom / kTwipsPerPixel;
        const double y = (ScreenTop(screen) + s.top + dy) * kDefaultZoom / kTwipsPerPixel;
        return PreviewOnScreen()->grab().toImage().pixelColor(static_cast<int>(x), static_cast<int>(y));
    }

    // A click on the middle of preview item name(index).
    void ClickPreviewItem(std::string_view name, int index) {
        const int id = Model().Find(name, index);
        ASSERT_GE(id, 0);
        const ItemState& s = Model().State(id);
        const int screen = Model().Def(id).screen;
        const QPoint at((ScreenLeft(screen) + s.left + s.width / 2) * 2 / kTwipsPerPixel,
                        (ScreenTop(screen) + s.top + s.height / 2) * 2 / kTwipsPerPixel);
        QTest::mouseClick(PreviewOnScreen(), Qt::LeftButton, {}, at);
    }

    // Takes a real picture of the slot's size into slot `slot` through its Select button.
    void LoadPicture(int slot, QColor colour = QColor(10, 200, 30)) {
        const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
        const std::string path = dir / ("slot" + std::to_string(slot) + ".gif");
        test::WriteAll(path, test::SolidGif(def.width, def.height, static_cast<std::uint8_t>(colour.red()),
                                            static_cast<std::uint8_t>(colour.green()),
                                            static_cast<std::uint8_t>(colour.blue())));
        toolkit.files.push_back(path);
        QTest::mouseClick(Button(QStringLiteral("cmdLoadFile_%1").arg(slot)), Qt::LeftButton);
    }
    void ClickOnOff(int slot) {
        QTest::mouseClick(Button(QStringLiteral("cmdOnOff_%1").arg(slot)), Qt::LeftButton);
    }

    // The core's findings text as the findings box shows it, one finding per line.
    QString FindingsAsShown() const {
        return QString::fromStdString(Core().Findings()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }

    std::vector<int> ShownArrows() const {
        std::vector<int> arrows;
        for (const ArrowPlacement& a : window->Arrows()) arrows.push_back(a.arrow);
        std::sort(arrows.begin(), arrows.end());
        return arrows;
    }

    void ChooseLanguage(const QString& name) {
        QComboBox* combo = Find<QComboBox>(QStringLiteral("cboLang"));
        const int at = combo->findText(name);
        ASSERT_GE(at, 0) << name.toStdString();
        combo->setCurrentIndex(at);
        Q_EMIT combo->activated(at);
    }

    static constexpr double kDefaultZoom = 2.0;

    TempDir dir;
    FixedClock clock{LocalTime{2026, 12, 6, 9, 30, 0}};
    RecordingToolkit toolkit;
    MemorySettingsStore store;
    Log log{dir.Path() / "log.txt", clock, &toolkit};
    std::unique_ptr<MainWindow> window;

private:
    QByteArray savedHome_;
};

// --- Hex boxes ---

TEST_F(MainWindowTest, TypingAColourUpperCasesItAndRepaintsOnlyWhenComplete) {
    Start();
    const QColor before = PaintedAt("ShapeStandby", kNoIndex, 30, 30);
    Retype(4, "b5290");
    EXPECT_EQ(Box(4)->text(), "B5290");
    EXPECT_FALSE(Box(4)->IsComplete());
    EXPECT_EQ(Box(4)->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(Core().Colour(4), "B5290");
    EXPECT_EQ(PaintedAt("ShapeStandby", kNoIndex, 30, 30), before) << "five characters keep the preview";
    EXPECT_EQ(SwatchOf(4)->Colour(), before);

    QTest::keyClick(Box(4), Qt::Key_8);
    EXPECT_EQ(Box(4)->text(), "B52908");
    EXPECT_EQ(Box(4)->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(Core().Colour(4), "B52908");
    const QColor brick(181, 41, 8);
    EXPECT_EQ(SwatchOf(4)->Colour(), brick);
    EXPECT_EQ(Model().Item("ShapeStandby").back, (Rgb{181, 41, 8}));
    EXPECT_EQ(Model().Item("lblText", 0).back, (Rgb{181, 41, 8}));
    EXPECT_EQ(PaintedAt("ShapeStandby", kNoIndex, 30, 30), brick);

    QTest::keyClick(Box(4), Qt::Key_1);
    EXPECT_EQ(Box(4)->text(), "B529081");
    EXPECT_EQ(Box(4)->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(PaintedAt("ShapeStandby", kNoIndex, 30, 30), brick) << "a seventh character keeps the preview";
    EXPECT_EQ(SwatchOf(4)->Colour(), brick);

    QTest::keyClick(Box(4), Qt::Key_Backspace);
    EXPECT_EQ(Box(4)->text(), "B52908");
    EXPECT_TRUE(Box(4)->IsComplete());
}

TEST_F(MainWindowTest, RejectedKeysLeaveTheBoxAlonePasteIsNotFiltered) {
    Start();
    HexBox* box = Box(12);
    box->setFocus();
    box->setCursorPosition(3);
    const QString before = box->text();
    for (char key : {'g', '#', ' ', 'z', 'G'}) QTest::keyClick(box, key);
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
    QApplication::sendEvent(box, &umlaut);
    EXPECT_EQ(box->text(), before);
    EXPECT_EQ(Core().Colour(12), before.toStdString());
    EXPECT_EQ(box->cursorPosition(), 3);

    box->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("zz12"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "zz12");
    EXPECT_EQ(Core().Colour(12), "zz12");
    EXPECT_FALSE(box->IsComplete());
}

TEST_F(MainWindowTest, TheProgramsOwnValuesReachTheBoxWithoutLosingTheCursor) {
    Start();
    HexBox* box = Box(20);
    box->setFocus();
    box->setCursorPosition(2);
    Core().SetColour(20, "abcdef");
    EXPECT_EQ(box->text(), "ABCDEF");
    EXPECT_EQ(box->cursorPosition(), 2);
    Core().SetColour(20, "12");
    EXPECT_EQ(box->text(), "12");
    EXPECT_FALSE(box->IsComplete());
}

// --- Element selection ---

TEST_F(MainWindowTest, ClickingCaptionsSelectsMovesAndDeselects) {
    Start();
    QTest::mouseClick(Caption(11), Qt::LeftButton);
    EXPECT_TRUE(Caption(11)->font().bold());
    EXPECT_EQ(Caption(11)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(Caption(11)->font().pointSize(), 10);
    EXPECT_THAT(ShownArrows(), ElementsAre(2, 5));

    QTest::mouseClick(Caption(11), Qt::LeftButton);
    EXPECT_FALSE(Caption(11)->font().bold());
    EXPECT_EQ(Caption(11)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(ShownArrows().empty());

    QTest::mouseClick(Caption(11), Qt::LeftButton);
    QTest::mouseClick(Caption(12), Qt::LeftButton);
    EXPECT_FALSE(Caption(11)->font().bold());
    EXPECT_TRUE(Caption(12)->font().bold());
    EXPECT_THAT(ShownArrows(), ElementsAre(2));
    for (int i = 0; i < kElementCount; ++i) {
        if (i != 12) {
            EXPECT_FALSE(Caption(i)->font().bold()) << i;
        }
    }
}

TEST_F(MainWindowTest, MarksFollowTheStandbyPictureAndHintsExplain) {
    Start();
    QLabel* hint = Find<QLabel>(QStringLiteral("lblStatus_3"));
    QTest::mouseClick(Caption(9), Qt::LeftButton);
    EXPECT_EQ(ShownArrows().size(), 7u);
    QTest::mouseClick(Caption(0), Qt::LeftButton);
    EXPECT_TRUE(ShownArrows().empty());
    EXPECT_EQ(hint->text(), "Only active if a Background Picture is active");

    LoadPicture(0);
    QTest::mouseClick(Caption(9), Qt::LeftButton);
    EXPECT_EQ(ShownArrows().size(), 5u);
    EXPECT_EQ(hint->text(), "");
    QTest::mouseClick(Caption(0), Qt::LeftButton);
    EXPECT_THAT(ShownArrows(), ElementsAre(0, 3));
    EXPECT_EQ(hint->text(), "");

    QTest::mouseClick(Caption(28), Qt::LeftButton);
    EXPECT_TRUE(ShownArrows().empty());
    EXPECT_EQ(hint->text(), "Not visible");
    QTest::mouseClick(Caption(28), Qt::LeftButton);
    EXPECT_EQ(hint->text(), "Not visible") << "deselecting keeps the hint";
}

TEST_F(MainWindowTest, ALongSelectedCaptionIsDrawnSmaller) {
    Start();
    ChooseLanguage(QStringLiteral("German"));
    // German 561 "Betreiber Name aussenlinie" has 26 characters.
    QTest::mouseClick(Caption(1), Qt::LeftButton);
    EXPECT_EQ(Caption(1)->font().pointSize(), 8);
    QTest::mouseClick(Caption(2), Qt::LeftButton);
    EXPECT_EQ(Caption(1)->font().pointSize(), 10);
    EXPECT_EQ(Caption(2)->font().pointSize(), 10);
}

// --- Colour chooser ---

TEST_F(MainWindowTest, ChoosingPureBlueSetsTheValueSwatchPreviewAndFindings) {
    Start();
    CustomColourBlock before{};
    before[0] = 7;
    Core().Settings().customColors = before;
    CustomColourBlock defined = before;
    defined[4] = 200;
    toolkit.colours.push_back({0x00FF0000u, defined});

    QTest::mouseClick(Button(QStringLiteral("cmdSelect_4")), Qt::LeftButton);
    ASSERT_EQ(toolkit.customSeen.size(), 1u);
    EXPECT_EQ(toolkit.customSeen[0], before) << "the chooser starts with the stored custom colours";
    EXPECT_EQ(Box(4)->text(), "0000FF");
    EXPECT_EQ(SwatchOf(4)->Colour(), QColor(0, 0, 255));
    EXPECT_EQ(Model().Item("ShapeStandby").back, (Rgb{0, 0, 255}));
    EXPECT_EQ(Core().Settings().customColors, defined);
    EXPECT_EQ(Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText(), FindingsAsShown());

    toolkit.colours.push_back({0x000000FFu, defined});
    QTest::mouseClick(Button(QStringLiteral("cmdSelect_6")), Qt::LeftButton);
    EXPECT_EQ(Box(6)->text(), "FF0000");
}

TEST_F(MainWindowTest, CancellingTheChooserChangesNothing) {
    Start();
    Retype(11, "123456");
    CustomColourBlock before{};
    before[8] = 99;
    Core().Settings().customColors = before;
    const QString findings = Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText();
    CustomColourBlock edited{};
    edited.fill(5);
    toolkit.colours.push_back({std::nullopt, edited});

    QTest::mouseClick(Button(QStringLiteral("cmdSelect_11")), Qt::LeftButton);
    EXPECT_EQ(toolkit.customSeen.size(), 1u);
    EXPECT_EQ(Box(11)->text(), "123456");
    EXPECT_EQ(SwatchOf(11)->Colour(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText(), findings);
    EXPECT_EQ(Core().Settings().customColors, before);
}

TEST_F(MainWindowTest, TheFindingsButtonRunsTheRulesAgain) {
    Start();
    Retype(11, "000000");
    Retype(12, "000000");
    auto* safe = Find<QPlainTextEdit>(QStringLiteral("txtSafe"));
    EXPECT_TRUE(safe->toPlainText().contains("Highlight and highlight text are too close"));
    safe->clear();
    QTest::mouseClick(Button(QStringLiteral("cmdSafe")), Qt::LeftButton);
    EXPECT_TRUE(safe->toPlainText().contains("Highlight and highlight text are too close"));
}

// --- Start-up, reset, exit ---

TEST_F(MainWindowTest, AFirstStartLogsInOrderAndShowsTheDefaultTheme) {
    const std::filesystem::path work = dir.Path() / "temp";
    std::filesystem::create_directories(work);
    test::WriteAll(work / "left.gif", "old");

    MainWindow& w = Start();
    const auto& lines = log.Captured();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Application started");
    EXPECT_EQ(lines[1], "Version:4.2.5");
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    EXPECT_LT(at("Version:4.2.5"), at("First start of the program!!!!!!!!"));
    EXPECT_LT(at("First start of the program!!!!!!!!"), at("Ini of application complete"));
    EXPECT_EQ(lines.back(), "Ini of application complete");
    EXPECT_FALSE(std::filesystem::exists(work)) << "a work folder left by an earlier run is removed";

    EXPECT_EQ(w.windowTitle(), "Tintora ver:4.2.5      tintora.example.org");
    for (const ElementDef& e : kElements) {
        EXPECT_EQ(Box(e.index)->text().toStdString(), e.defaultValue) << e.index;
        EXPECT_EQ(SwatchOf(e.index)->Colour(), ToQColor(MakeRGB(e.defaultValue))) << e.index;
        EXPECT_FALSE(Caption(e.index)->font().bold());
    }
    auto* tabs = Find<QTabWidget>(QStringLiteral("SSTab1"));
    EXPECT_EQ(tabs->currentIndex(), 5);
    std::vector<std::string> captions;
    for (int t = 0; t < tabs->count(); ++t) captions.push_back(tabs->tabText(t).toStdString());
    EXPECT_THAT(captions, ElementsAre("Image", "Misc", "Popup", "Menu", "Standby", "Files"));
    EXPECT_EQ(tabs->widget(1)->findChild<QGroupBox*>(QStringLiteral("Frame_Color_5"))->title(), "Wap browser");
    EXPECT_NE(tabs->widget(4)->findChild<HexBox*>(QStringLiteral("txtColor_37")), nullptr);
    EXPECT_NE(tabs->widget(0)->findChild<QPushButton*>(QStringLiteral("cmdOnOff_5")), nullptr);
    EXPECT_TRUE(w.Arrows().empty());
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblStatus_3"))->text(), "");

    auto* lang = Find<QComboBox>(QStringLiteral("cboLang"));
    ASSERT_EQ(lang->count(), 2);
    EXPECT_EQ(lang->itemText(0), "English");
    EXPECT_EQ(lang->itemText(1), "German");
    EXPECT_EQ(lang->currentText(), "English");
    EXPECT_EQ(Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText(), "-->All colors are safe\n");
    EXPECT_EQ(store.Size(), 0u) << "settings are written only on exit";
}

TEST_F(MainWindowTest, StoredColoursComeBackIncompleteOnesToo) {
    for (int i = 0; i < kElementCount; ++i) store.Write("Last", std::to_string(i), "102030");
    store.Write("Last", "8", "abc");
    Start();
    EXPECT_EQ(Box(0)->text(), "102030");
    EXPECT_EQ(Box(8)->text(), "abc");
    EXPECT_FALSE(Box(8)->IsComplete());
    EXPECT_EQ(Model().Item("ShapeStandby").back, (Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(std::count(log.Captured().begin(), log.Captured().end(), "First start of the program!!!!!!!!"), 0);
}

TEST_F(MainWindowTest, ResetSwitchesPicturesOffAndRestoresTheDefaults) {
    Start();
    LoadPicture(0);
    LoadPicture(2);
    ASSERT_EQ(Button(QStringLiteral("cmdOnOff_0"))->text(), "ON");
    ASSERT_TRUE(Model().Item("BackImage", 0).visible);
    Retype(4, "010203");
    Core().GetTheme().info.name = "Mine";

    QTest::mouseClick(Button(QStringLiteral("cmdReset")), Qt::LeftButton);
    for (int slot : {0, 2}) {
        EXPECT_EQ(Button(QStringLiteral("cmdOnOff_%1").arg(slot))->text(), "OFF");
        EXPECT_EQ(Find<QLabel>(QStringLiteral("lblPicFileName_%1").arg(slot))->text(), "Loaded");
    }
    EXPECT_FALSE(Model().Item("BackImage", 0).visible);
    EXPECT_FALSE(Model().Item("BackImage", 6).visible);
    EXPECT_FALSE(Model().Item("BackImage", 2).visible);
    EXPECT_EQ(Box(4)->text().toStdString(), kElements[4].defaultValue);
    EXPECT_EQ(Core().GetTheme().info.name, "Mine");
}

TEST_F(MainWindowTest, ExitWritesTheSettingsRemovesTheWorkFolderOnce) {
    Start();
    Retype(3, "0a0b0c");
    Core().Settings().customColors[5] = 42;
    const std::filesystem::path work = dir.Path() / "temp";
    std::filesystem::create_directories(work);
    test::WriteAll(work / "theme.xml", "x");
    window->show();

    QTest::mouseClick(Button(QStringLiteral("cmdExit")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    const auto exitLine = std::find(log.Captured().begin(), log.Captured().end(), "Exit Application");
    ASSERT_NE(exitLine, log.Captured().end());
    EXPECT_TRUE(std::any_of(exitLine, log.Captured().end(), [](const std::string& line) {
        return line.starts_with("Success when removing arrfile");
    })) << "the work folder is emptied after the exit line";
    EXPECT_EQ(store.Read("Last", "3"), "0A0B0C");
    EXPECT_EQ(store.Read("Last", "0"), "B52908");
    EXPECT_EQ(store.Read("CustC", "5"), "42");
    EXPECT_EQ(store.Read("Path", "BrowseFolder"), dir.Path().string() + "/");
    EXPECT_FALSE(std::filesystem::exists(work));

    window.reset();
    EXPECT_EQ(std::count(log.Captured().begin(), log.Captured().end(), "Exit Application"), 1);
}

TEST_F(MainWindowTest, ClosingTheWindowIsTheSameExit) {
    Start();
    Retype(30, "ABCDEF");
    window->show();
    window->close();
    EXPECT_EQ(std::count(log.Captured().begin(), log.Captured().end(), "Exit Application"), 1);
    EXPECT_EQ(store.Read("Last", "30"), "ABCDEF");
    store.Write("Last", "30", "changed later");
    window.reset();
    EXPECT_EQ(store.Read("Last", "30"), "changed later") << "the exit runs once";
}

TEST_F(MainWindowTest, SavingAsShowsTheNewThemeInTheBrowserAndItsInformation) {
    Start();
    toolkit.files.push_back(dir / "mine.thm");
    QTest::mouseClick(Button(QStringLiteral("cmdSaveAs")), Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(dir.Path() / "mine.thm"));
    auto* list = Find<QListWidget>(QStringLiteral("ListFiles"));
    EXPECT_FALSE(list->findItems(QStringLiteral("mine.thm"), Qt::MatchContains).isEmpty())
        << "the browser lists the saved theme";
    EXPECT_EQ(Button(QStringLiteral("cmdSaveAs"))->text(), "Save As") << "not left reading Wait";
    EXPECT_FALSE(Core().GetTheme().info.created.empty());
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblStatus_4"))->text().toStdString(), Core().GetTheme().info.created);
}

// --- Languages ---

TEST_F(MainWindowTest, GermanCaptionsKeepTheSlotsState) {
    Start();
    LoadPicture(0);
    ChooseLanguage(QStringLiteral("German"));
    auto* tabs = Find<QTabWidget>(QStringLiteral("SSTab1"));
    EXPECT_EQ(tabs->tabText(1), "Versch.");
    EXPECT_EQ(tabs->tabText(2), "Dialogfenster");
    EXPECT_EQ(Button(QStringLiteral("cmdExit"))->text(), "Beenden");
    EXPECT_EQ(Button(QStringLiteral("cmdAbout"))->text(), "Über");
    EXPECT_EQ(Button(QStringLiteral("cmdReset"))->text(), "Neustart") << "the Files tab follows";
    EXPECT_EQ(Button(QStringLiteral("cmdSelect_0"))->text(), "Auswählen");
    EXPECT_EQ(Caption(4)->text(), "Hintergrund");
    EXPECT_EQ(Find<QGroupBox>(QStringLiteral("Frame_Color_7"))->title(), "Bilder");
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblImage_2"))->text(), "Titel - mittel");
    EXPECT_EQ(Button(QStringLiteral("cmdOnOff_0"))->text(), "Ein");
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblPicFileName_0"))->text(), "geladen");
    EXPECT_EQ(Button(QStringLiteral("cmdOnOff_1"))->text(), "Aus");
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblPicFileName_1"))->text(), "Nicht geladen");
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).caption, "D2");
    EXPECT_EQ(Model().Item("lblText", 37).fontSize, 8);

    auto* lang = Find<QComboBox>(QStringLiteral("cboLang"));
    ASSERT_EQ(lang->count(), 2);
    EXPECT_EQ(lang->itemText(0), "Englisch");
    EXPECT_EQ(lang->itemText(1), "Deutsch");
    EXPECT_EQ(lang->currentText(), "Deutsch");

    EXPECT_EQ(Model().Item("lblText", 54).caption, "5. Gesend. Nachr.") << "17 characters, not shortened";

    ClickOnOff(0);
    EXPECT_EQ(Button(QStringLiteral("cmdOnOff_0"))->text(), "Aus") << "the slot switches off, not asks for a file";
    EXPECT_EQ(toolkit.fileRequests.size(), 1u);
    ClickOnOff(0);
    ASSERT_EQ(Button(QStringLiteral("cmdOnOff_0"))->text(), "Ein");
    QTest::mouseClick(Button(QStringLiteral("cmdReset")), Qt::LeftButton);
    EXPECT_EQ(Button(QStringLiteral("cmdOnOff_0"))->text(), "Aus") << "Reset in German switches the slot off";
    EXPECT_FALSE(Model().Item("BackImage", 0).visible);

    ChooseLanguage(QStringLiteral("Englisch"));
    EXPECT_EQ(tabs->tabText(1), "Misc");
    EXPECT_EQ(Button(QStringLiteral("cmdOnOff_0"))->text(), "OFF");
    EXPECT_EQ(Model().Item("lblText", 37).fontSize, 9);
    EXPECT_EQ(Model().Item("lblText", 2).caption, "3. Manage contact");
}

TEST_F(MainWindowTest, AnUnknownLanguageNameKeepsTheLanguageAndShowsMissing) {
    Start();
    auto* lang = Find<QComboBox>(QStringLiteral("cboLang"));
    lang->setEditText(QStringLiteral("german"));
    Q_EMIT lang->activated(0);
    EXPECT_EQ(lang->currentText(), "Missing");
    EXPECT_EQ(Button(QStringLiteral("cmdExit"))->text(), "Exit");
    lang->setEditText(QStringLiteral("Swedish"));
    Q_EMIT lang->activated(0);
    EXPECT_EQ(Find<QTabWidget>(QStringLiteral("SSTab1"))->tabText(4), "Viloläge");
    EXPECT_EQ(Button(QStringLiteral("cmdAbout"))->text(), "Missing");
}

TEST_F(MainWindowTest, ClickingAPreviewTextTogglesNumberDisplay) {
    Start();
    ClickPreviewItem("ShapeStandby", kNoIndex);
    EXPECT_EQ(Find<QTabWidget>(QStringLiteral("SSTab1"))->tabText(4), "Standby") << "not a lblText item";

    ClickPreviewItem("lblText", 2);
    auto* tabs = Find<QTabWidget>(QStringLiteral("SSTab1"));
    EXPECT_EQ(tabs->tabText(4), "110");
    EXPECT_EQ(Button(QStringLiteral("cmdOnOff_3"))->text(), "126");
    EXPECT_EQ(Caption(0)->text(), "160");
    EXPECT_EQ(Model().Item("lblText", 2).caption, "226");
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("cboLang"))->itemText(1), "German");

    ClickPreviewItem("lblText", 50);
    EXPECT_EQ(tabs->tabText(4), "Standby");
    EXPECT_EQ(Caption(0)->text(), "Operator name");
}

// --- The preview follows the core ---

TEST_F(MainWindowTest, StandbyTextsTakeTheirColoursFromThePicturesState) {
    Start();
    Retype(9, "111111");
    Retype(0, "222222");
    Retype(1, "333333");
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x11, 0x11, 0x11}));
    EXPECT_EQ(Model().Item("lblStandby_time", 1).text, (Rgb{0x11, 0x11, 0x11}));
    EXPECT_FALSE(Model().Item("lblStandby_operatorname", 12).visible);

    LoadPicture(0, QColor(10, 200, 30));
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x22, 0x22, 0x22}));
    EXPECT_TRUE(Model().Item("lblStandby_operatorname", 12).visible);
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 12).text, (Rgb{0x33, 0x33, 0x33}));
    EXPECT_EQ(PaintedAt("BackImage", 0, 30, 30), QColor(10, 200, 30)) << "the standby picture shows";
    EXPECT_EQ(Find<QLabel>(QStringLiteral("picture_0"))->pixmap().size(), QSize(101, 80));

    ClickOnOff(0);
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x11, 0x11, 0x11}));
    EXPECT_FALSE(Model().Item("lblStandby_operatorname", 12).visible);
    EXPECT_NE(PaintedAt("ShapeStandby", kNoIndex, 30, 30), QColor(10, 200, 30));
}

TEST_F(MainWindowTest, DesktopTitleCopiesFollowTheDesktopPicture) {
    Start();
    Retype(37, "445566");
    const ItemState& title = Model().Item("lblText", 34);
    EXPECT_FALSE(Model().Item("lblText", 41).visible);
    EXPECT_FALSE(Model().Item("lblText", 42).visible);
    EXPECT_TRUE(Model().Item("lblText", 43).visible);
    EXPECT_EQ(Model().Item("lblText", 43).left, title.left + 10);
    EXPECT_EQ(Model().Item("lblText", 44).top, title.top + 10);
    EXPECT_EQ(Model().Item("lblText", 44).text, (Rgb{0x44, 0x55, 0x66}));

    LoadPicture(1);
    for (int copy = 41; copy <= 44; ++copy) EXPECT_TRUE(Model().Item("lblText", copy).visible) << copy;
    EXPECT_EQ(Model().Item("lblText", 41).left, title.left - 10);
    EXPECT_EQ(Model().Item("lblText", 42).top, title.top - 10);
}

TEST_F(MainWindowTest, ThePopupShadowColoursOnlyItsSwatch) {
    Start();
    std::vector<std::tuple<Rgb, Rgb, Rgb, bool>> before;
    for (int id = 0; id < Model().ItemCount(); ++id) {
        const ItemState& s = Model().State(id);
        before.emplace_back(s.text, s.back, s.border, s.visible);
    }
    Retype(28, "FF00FF");
    EXPECT_EQ(SwatchOf(28)->Colour(), QColor(255, 0, 255));
    for (int id = 0; id < Model().ItemCount(); ++id) {
        const ItemState& s = Model().State(id);
        EXPECT_EQ(before[static_cast<std::size_t>(id)], std::make_tuple(s.text, s.back, s.border, s.visible)) << id;
    }
}

// Records the region of every paint a widget receives.
class PaintRegions : public QObject {
public:
    explicit PaintRegions(QWidget* target) { target->installEventFilter(this); }
    std::vector<QRegion> regions;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

TEST_F(MainWindowTest, AColourChangeRepaintsOnlyTheScreensItTouches) {
    Start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    PaintRegions paints(PreviewOnScreen());
    const auto screenRect = [](int s) {
        return QRect(ScreenLeft(s) * 2 / kTwipsPerPixel, ScreenTop(s) * 2 / kTwipsPerPixel,
                     kScreenWidth * 2 / kTwipsPerPixel, kScreenHeight * 2 / kTwipsPerPixel);
    };

    Retype(8, "123456");  // Desktop_background: the desktop screen only
    QCoreApplication::processEvents();
    ASSERT_FALSE(paints.regions.empty());
    const QRegion desktop = paints.regions.back();
    EXPECT_TRUE(desktop.contains(screenRect(1)));
    for (int s = 0; s < kScreenCount; ++s) {
        if (s != 1) {
            EXPECT_FALSE(desktop.intersects(screenRect(s).adjusted(2, 2, -2, -2))) << s;
        }
    }
    EXPECT_EQ(PreviewOnScreen()->grab().toImage().pixelColor(screenRect(1).bottomLeft() + QPoint(6, -6)),
              QColor(0x12, 0x34, 0x56));

    paints.regions.clear();
    Retype(28, "ABCDEF");  // Popup_shadow: nothing in the preview
    QCoreApplication::processEvents();
    EXPECT_TRUE(paints.regions.empty());

    Retype(4, "010101");  // Background: every screen that shows the menu background
    QCoreApplication::processEvents();
    ASSERT_FALSE(paints.regions.empty());
    for (int s : {0, 2, 3, 4, 5, 6, 10, 11, 12}) EXPECT_TRUE(paints.regions.back().contains(screenRect(s))) << s;
}

TEST_F(MainWindowTest, TitlePicturesMakeTheirTitleBarsTransparentAndMoveTheRows) {
    Start();
    const int rowTop = Model().Item("lblText", 50).top;
    EXPECT_FALSE(Model().Item("lblTitle_text", 7).transparent);
    LoadPicture(3);
    EXPECT_TRUE(Model().Item("lblTitle_text", 7).transparent);
    EXPECT_EQ(Model().Item("lblText", 50).top, rowTop + 160);
    EXPECT_TRUE(Model().Item("BackImage", 3).visible);
}

}  // namespace
