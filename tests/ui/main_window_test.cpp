// The editor window driven as a user would: keys into the hex boxes, clicks on captions and the
// preview, the colour chooser, the language list, start-up, Reset and Exit.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/ColourText.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>

using namespace tintora;
using ::testing::ElementsAre;

namespace {

class MainWindowTest : public test::WindowFixture {
protected:
    QString Findings() const { return Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText(); }
    QString Hint() const { return Label("lblStatus_", 3)->text(); }
};

TEST_F(MainWindowTest, HexBoxesFilterKeysColourIncompleteValuesRedAndRepaintOnlyWhenComplete) {
    Start();
    HexBox* box = Box(4);
    const QColor before = PaintedAt("ShapeStandby");
    const QColor red(255, 0, 0), brick(181, 41, 8);
    Type(4, QStringLiteral("b5290"));
    EXPECT_EQ(box->text(), "B5290");
    EXPECT_EQ(box->palette().color(QPalette::Text), red);
    EXPECT_EQ(PaintedAt("ShapeStandby"), before) << "five characters keep the preview";

    QTest::keyClick(box, Qt::Key_8);
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(Core().Colour(4), "B52908");
    EXPECT_EQ(SwatchOf(4)->Colour(), brick);
    EXPECT_EQ(PaintedAt("ShapeStandby"), brick);

    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(box->text(), "B529081");
    EXPECT_EQ(box->palette().color(QPalette::Text), red);
    EXPECT_EQ(PaintedAt("ShapeStandby"), brick) << "a seventh character keeps the preview";

    // Rejected keys change nothing, not even the cursor.
    box->setCursorPosition(3);
    for (char key : {'g', '#', ' ', 'z'}) QTest::keyClick(box, key);
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
    QApplication::sendEvent(box, &umlaut);
    EXPECT_EQ(box->text(), "B529081");
    EXPECT_EQ(box->cursorPosition(), 3);

    // Pasted text is taken unfiltered.
    box->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("zz12"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Core().Colour(4), "zz12");

    // The program's own values reach the box without moving the cursor.
    box->setCursorPosition(2);
    Core().SetColour(4, "abcdef");
    EXPECT_EQ(box->text(), "ABCDEF");
    EXPECT_EQ(box->cursorPosition(), 2);
}

TEST_F(MainWindowTest, CaptionClicksSelectMarkAndExplain) {
    Start();
    Click(Caption(11));
    EXPECT_TRUE(Caption(11)->font().bold());
    EXPECT_EQ(Caption(11)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(Caption(11)->font().pointSize(), 10);
    EXPECT_THAT(ShownArrows(), ElementsAre(2, 5));
    Click(Caption(11));
    EXPECT_FALSE(Caption(11)->font().bold());
    EXPECT_EQ(Caption(11)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(ShownArrows().empty());
    Click(Caption(11));
    Click(Caption(12));
    EXPECT_FALSE(Caption(11)->font().bold());
    EXPECT_TRUE(Caption(12)->font().bold());
    EXPECT_THAT(ShownArrows(), ElementsAre(2));

    // The standby texts' marks and hints follow the standby picture.
    Click(Caption(9));
    EXPECT_EQ(ShownArrows().size(), 7u);
    Click(Caption(0));
    EXPECT_TRUE(ShownArrows().empty());
    EXPECT_EQ(Hint(), "Only active if a Background Picture is active");
    LoadPicture(0);
    Click(Caption(9));
    EXPECT_EQ(ShownArrows().size(), 5u);
    EXPECT_EQ(Hint(), "");
    Click(Caption(0));
    EXPECT_THAT(ShownArrows(), ElementsAre(0, 3));

    Click(Caption(28));
    EXPECT_TRUE(ShownArrows().empty());
    EXPECT_EQ(Hint(), "Not visible");
    Click(Caption(28));
    EXPECT_EQ(Hint(), "Not visible") << "deselecting keeps the hint";
}

TEST_F(MainWindowTest, TheChooserSetsTheColourOnConfirmAndNothingOnCancel) {
    Start();
    CustomColourBlock stored{};
    stored[0] = 7;
    Core().Settings().customColors = stored;
    CustomColourBlock defined = stored;
    defined[4] = 200;

    toolkit.colours.push_back({0x00FF0000u, defined});
    Click(Button("cmdSelect_", 4));
    ASSERT_EQ(toolkit.customSeen.size(), 1u);
    EXPECT_EQ(toolkit.customSeen[0], stored) << "the chooser starts with the stored custom colours";
    EXPECT_EQ(Box(4)->text(), "0000FF");
    EXPECT_EQ(SwatchOf(4)->Colour(), QColor(0, 0, 255));
    EXPECT_EQ(PaintedAt("ShapeStandby"), QColor(0, 0, 255));
    EXPECT_EQ(Core().Settings().customColors, defined);

    // Cancel: not the value, not the findings, not the custom colours.
    Type(11, QStringLiteral("000000"));
    Type(12, QStringLiteral("000000"));
    const QString findings = Findings();
    EXPECT_TRUE(findings.contains("Highlight and highlight text are too close"));
    CustomColourBlock edited{};
    edited.fill(5);
    toolkit.colours.push_back({std::nullopt, edited});
    Click(Button("cmdSelect_", 11));
    EXPECT_EQ(toolkit.customSeen.size(), 2u);
    EXPECT_EQ(Box(11)->text(), "000000");
    EXPECT_EQ(Findings(), findings);
    EXPECT_EQ(Core().Settings().customColors, defined);

    // The findings button runs the rules again.
    Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->clear();
    Click(Button(QStringLiteral("cmdSafe")));
    EXPECT_EQ(Findings(), findings);
}

TEST_F(MainWindowTest, AFirstStartLogsInOrderRemovesTheOldWorkFolderAndShowsTheDefaults) {
    const std::filesystem::path work = dir.Path() / "temp";
    std::filesystem::create_directories(work);
    test::WriteAll(work / "left.gif", "old");
    MainWindow& w = Start();

    const auto& lines = log.Captured();
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Application started");
    EXPECT_EQ(lines[1], "Version:4.2.5");
    EXPECT_LT(at("First start of the program!!!!!!!!"), at("Ini of application complete"));
    EXPECT_EQ(lines.back(), "Ini of application complete");
    EXPECT_FALSE(std::filesystem::exists(work));
    EXPECT_EQ(store.Size(), 0u) << "settings are written only on exit";

    EXPECT_EQ(w.windowTitle(), "Tintora ver:4.2.5      tintora.example.org");
    std::vector<std::string> tabs;
    for (int t = 0; t < Tabs()->count(); ++t) tabs.push_back(Tabs()->tabText(t).toStdString());
    EXPECT_THAT(tabs, ElementsAre("Image", "Misc", "Popup", "Menu", "Standby", "Files"));
    EXPECT_EQ(Tabs()->currentIndex(), 5);
    EXPECT_NE(Tabs()->widget(4)->findChild<HexBox*>(QStringLiteral("txtColor_37")), nullptr);
    for (const ElementDef& e : kElements) {
        EXPECT_EQ(Box(e.index)->text().toStdString(), e.defaultValue) << e.index;
        const Rgb c = MakeRGB(e.defaultValue);
        EXPECT_EQ(SwatchOf(e.index)->Colour(), QColor(c.red, c.green, c.blue)) << e.index;
    }
    EXPECT_TRUE(w.Arrows().empty());
    auto* lang = Find<QComboBox>(QStringLiteral("cboLang"));
    EXPECT_EQ(lang->count(), 2);
    EXPECT_EQ(lang->currentText(), "English");
    EXPECT_EQ(Findings(), "-->All colors are safe\n");
}

TEST_F(MainWindowTest, ResetSwitchesPicturesOffAndRestoresTheDefaultColours) {
    Start();
    LoadPicture(0);
    LoadPicture(2);
    ASSERT_EQ(Button("cmdOnOff_", 0)->text(), "ON");
    Type(4, QStringLiteral("010203"));
    Click(Button(QStringLiteral("cmdReset")));
    for (int slot : {0, 2}) {
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "OFF");
        EXPECT_EQ(Label("lblPicFileName_", slot)->text(), "Loaded");
    }
    for (int holder : {0, 2, 6}) EXPECT_FALSE(Model().Item("BackImage", holder).visible) << holder;
    EXPECT_EQ(Box(4)->text().toStdString(), kElements[4].defaultValue);
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxWriteTheSettingsAndRemoveTheWorkFolderOnce) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Exit button");
        log.ClearCaptured();
        Start();
        Type(3, QStringLiteral("0a0b0c"));
        Core().Settings().customColors[5] = 42;
        const std::filesystem::path work = dir.Path() / "temp";
        std::filesystem::create_directories(work);
        test::WriteAll(work / "theme.xml", "x");

        if (closeBox) window->close();
        else Click(Button(QStringLiteral("cmdExit")));
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(store.Read("Last", "3"), "0A0B0C");
        EXPECT_EQ(store.Read("Last", "0"), "B52908");
        EXPECT_EQ(store.Read("CustC", "5"), "42");
        EXPECT_EQ(store.Read("Path", "BrowseFolder"), dir.Path().string() + "/");
        EXPECT_FALSE(std::filesystem::exists(work));

        store.Write("Last", "3", "changed later");
        window.reset();
        EXPECT_EQ(LogCount("Exit Application"), 1);
        EXPECT_EQ(store.Read("Last", "3"), "changed later") << "the exit runs once";
    }
}

TEST_F(MainWindowTest, GermanCaptionsFollowTheSlotsAndTheLanguageListAndBack) {
    Start();
    LoadPicture(0);
    ChooseLanguage(QStringLiteral("German"));
    EXPECT_EQ(Tabs()->tabText(2), "Dialogfenster");
    EXPECT_EQ(Button(QStringLiteral("cmdAbout"))->text(), "Über");
    EXPECT_EQ(Button(QStringLiteral("cmdReset"))->text(), "Neustart") << "the Files tab follows";
    EXPECT_EQ(Caption(4)->text(), "Hintergrund");
    EXPECT_EQ(Find<QGroupBox>(QStringLiteral("Frame_Color_7"))->title(), "Bilder");
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "Ein");
    EXPECT_EQ(Label("lblPicFileName_", 0)->text(), "geladen");
    EXPECT_EQ(Button("cmdOnOff_", 1)->text(), "Aus");
    EXPECT_EQ(Label("lblPicFileName_", 1)->text(), "Nicht geladen");
    EXPECT_EQ(Model().Item("lblText", 54).caption, "5. Gesend. Nachr.") << "17 characters, not shortened";
    EXPECT_EQ(Model().Item("lblText", 37).fontSize, 8);
    auto* lang = Find<QComboBox>(QStringLiteral("cboLang"));
    EXPECT_EQ(lang->itemText(0), "Englisch");
    EXPECT_EQ(lang->currentText(), "Deutsch");

    // German 561 "Betreiber Name aussenlinie" has 26 characters: drawn smaller while selected.
    Click(Caption(1));
    EXPECT_EQ(Caption(1)->font().pointSize(), 8);
    Click(Caption(2));
    EXPECT_EQ(Caption(1)->font().pointSize(), 10);

    ClickOnOff(0);
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "Aus") << "the slot switches off, not asks for a file";
    EXPECT_EQ(toolkit.fileRequests.size(), 1u);

    ChooseLanguage(QStringLiteral("Englisch"));
    EXPECT_EQ(Tabs()->tabText(1), "Misc");
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "OFF");
    EXPECT_EQ(Model().Item("lblText", 37).fontSize, 9);

    // A name typed that is no language keeps the language and the list says so.
    lang->setEditText(QStringLiteral("german"));
    Q_EMIT lang->activated(0);
    EXPECT_EQ(lang->currentText(), "Missing");
    EXPECT_EQ(Tabs()->tabText(1), "Misc");
}

TEST_F(MainWindowTest, ClickingAPreviewTextTogglesNumberDisplay) {
    Start();
    ClickPreviewItem("ShapeStandby", kNoIndex);
    EXPECT_EQ(Tabs()->tabText(4), "Standby") << "not a lblText item";
    ClickPreviewItem("lblText", 2);
    EXPECT_EQ(Tabs()->tabText(4), "110");
    EXPECT_EQ(Button("cmdOnOff_", 3)->text(), "126");
    EXPECT_EQ(Caption(0)->text(), "160");
    EXPECT_EQ(Model().Item("lblText", 2).caption, "226");
    ClickPreviewItem("lblText", 50);
    EXPECT_EQ(Caption(0)->text(), "Operator name");
}

TEST_F(MainWindowTest, ThePreviewFollowsTheStandbyAndDesktopPictures) {
    Start();
    Type(9, QStringLiteral("111111"));
    Type(0, QStringLiteral("222222"));
    Type(1, QStringLiteral("333333"));
    Type(37, QStringLiteral("445566"));
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x11, 0x11, 0x11}));
    EXPECT_FALSE(Model().Item("lblStandby_operatorname", 12).visible);
    const ItemState& title = Model().Item("lblText", 34);
    EXPECT_FALSE(Model().Item("lblText", 41).visible);
    EXPECT_EQ(Model().Item("lblText", 43).left, title.left + 10);
    EXPECT_EQ(Model().Item("lblText", 44).text, (Rgb{0x44, 0x55, 0x66}));

    LoadPicture(0, QColor(10, 200, 30));
    LoadPicture(1);
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x22, 0x22, 0x22}));
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 12).text, (Rgb{0x33, 0x33, 0x33}));
    EXPECT_TRUE(Model().Item("lblStandby_operatorname", 12).visible);
    EXPECT_EQ(PaintedAt("BackImage", 0), QColor(10, 200, 30));
    for (int copy = 41; copy <= 44; ++copy) EXPECT_TRUE(Model().Item("lblText", copy).visible) << copy;
    EXPECT_EQ(Model().Item("lblText", 41).left, title.left - 10);

    ClickOnOff(0);
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x11, 0x11, 0x11}));
    EXPECT_FALSE(Model().Item("lblStandby_operatorname", 12).visible);
    EXPECT_NE(PaintedAt("ShapeStandby"), QColor(10, 200, 30));
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
    QCoreApplication::processEvents();
    PaintRegions paints(PreviewOnScreen());
    const auto screenRect = [](int s) {
        return QRect(ScreenLeft(s) * 2 / kTwipsPerPixel, ScreenTop(s) * 2 / kTwipsPerPixel,
                     kScreenWidth * 2 / kTwipsPerPixel, kScreenHeight * 2 / kTwipsPerPixel);
    };
    struct Change {
        int element;
        std::vector<int> screens;  // those repainted; none for a colour the preview does not show
    };
    const Change changes[] = {{8, {1}}, {28, {}}, {4, {0, 2, 3, 4, 5, 6, 10, 11, 12}}};
    for (const Change& c : changes) {
        paints.regions.clear();
        Type(c.element, QStringLiteral("123456"));
        QCoreApplication::processEvents();
        QRegion painted;
        for (const QRegion& r : paints.regions) painted += r;
        for (int s = 0; s < kScreenCount; ++s) {
            const bool touched = std::find(c.screens.begin(), c.screens.end(), s) != c.screens.end();
            if (touched) EXPECT_TRUE(painted.contains(screenRect(s))) << c.element << " screen " << s;
            else EXPECT_FALSE(painted.intersects(screenRect(s).adjusted(2, 2, -2, -2))) << c.element << " screen " << s;
        }
    }
}

}  // namespace
