// The editor window driven as a user would: keys into the hex boxes, clicks on captions and the
// preview, the colour chooser, the language list, start-up, Reset and Exit, the picture rows, and
// a theme made, saved, reset and opened again from the file browser.

#include <gmock/gmock.h>

#include "model/ColourText.h"
#include "support/EditorRig.h"
#include "support/EndedProcess.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>

using namespace tintora;
using ::testing::ElementsAre;

namespace {

class MainWindowTest : public test::WindowFixture {
protected:
    // The nine rules' findings: the box up to the contrast lines.
    QString Findings() const {
        const QString box = Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText();
        return box.left(box.indexOf(QStringLiteral("Contrast on the phone")));
    }
    QString Hint() const { return Label("lblStatus_", 3)->text(); }
    QString OnOff(int slot) const { return Button("cmdOnOff_", slot)->text(); }
    // The slot row's on/off button and picture state, as "ON/Loaded".
    QString Row(int slot) const { return OnOff(slot) + '/' + Label("lblPicFileName_", slot)->text(); }
    // How caption i is drawn, as "bold #ff0000 10".
    QString Look(int i) const {
        const QLabel* c = Caption(i);
        return (c->font().bold() ? "bold " : "") + c->palette().color(QPalette::WindowText).name() + ' ' +
               QString::number(c->font().pointSize());
    }
    // The colour in the middle of the picture shown in the slot's row.
    QColor RowColour(int slot) const {
        const QImage image = Label("picture_", slot)->pixmap().toImage();
        return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    }
};

// Records the region of every paint a widget receives.
class PaintRegions : public QObject {
public:
    explicit PaintRegions(QWidget* target) { target->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(MainWindowTest, HexBoxesFilterKeysColourIncompleteValuesRedAndRepaintOnlyWhenComplete) {
    Start();
    HexBox* box = Box(4);
    const auto ink = [box] { return box->palette().color(QPalette::Text); };
    const QColor red(255, 0, 0), brick(181, 41, 8);
    QCoreApplication::processEvents();
    PaintRegions paints(PreviewOnScreen());
    Type(4, QStringLiteral("b5290"));
    EXPECT_EQ(box->text(), "B5290");
    EXPECT_EQ(ink(), red);
    QCoreApplication::processEvents();
    EXPECT_TRUE(paints.painted.isEmpty()) << "five characters keep the preview";

    // The sixth repaints the screens that show the Background, not the desktop screen.
    QTest::keyClick(box, Qt::Key_8);
    QCoreApplication::processEvents();
    EXPECT_TRUE(paints.painted.contains(test::ScreenRect(0)));
    EXPECT_FALSE(paints.painted.intersects(test::ScreenRect(1).adjusted(2, 2, -2, -2)));
    EXPECT_EQ(ink(), QColor(0, 0, 0));
    EXPECT_EQ(Core().Colour(4), "B52908");
    EXPECT_EQ(SwatchOf(4)->Colour(), brick);
    EXPECT_EQ(PaintedAt("ShapeStandby"), brick);

    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(box->text(), "B529081");
    EXPECT_EQ(ink(), red);
    EXPECT_EQ(PaintedAt("ShapeStandby"), brick) << "a seventh character keeps the preview";
    // On screen the box writes in a fixed-pitch font, the seventh character still in view.
    EXPECT_TRUE(QFontInfo(box->font()).fixedPitch());
    EXPECT_GE(box->contentsRect().width(), box->fontMetrics().horizontalAdvance(box->text()));

    // Rejected keys change nothing, not even the cursor.
    box->setCursorPosition(3);
    for (char key : {'g', '#', ' '}) QTest::keyClick(box, key);
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
    QApplication::sendEvent(box, &umlaut);
    EXPECT_EQ(box->text(), "B529081");
    EXPECT_EQ(box->cursorPosition(), 3);

    // Pasted text is taken unfiltered; the program's own values arrive without moving the cursor.
    box->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("zz12"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Core().Colour(4), "zz12");
    box->setCursorPosition(2);
    Core().SetColour(4, "abcdef");
    EXPECT_EQ(box->text(), "ABCDEF");
    EXPECT_EQ(box->cursorPosition(), 2);
}

// Which arrows and hints an element has is the marks' table; here the window shows them.
TEST_F(MainWindowTest, CaptionClicksSelectMarkAndExplain) {
    Start();
    Click(Caption(11));
    EXPECT_EQ(Look(11), "bold #ff0000 10");
    EXPECT_THAT(ShownArrows(), ElementsAre(2, 5));
    Click(Caption(11));
    EXPECT_EQ(Look(11), "#000000 10");
    EXPECT_TRUE(ShownArrows().empty());
    Click(Caption(11));
    Click(Caption(12));
    EXPECT_EQ(std::pair(Look(11), Look(12)), std::pair(QString("#000000 10"), QString("bold #ff0000 10")));

    // The standby texts' marks and hints follow the standby picture.
    Click(Caption(0));
    EXPECT_EQ(Hint(), "Only active if a Background Picture is active");
    LoadPicture(0);
    Click(Caption(9));
    Click(Caption(0));
    EXPECT_THAT(ShownArrows(), ElementsAre(0, 3));
    EXPECT_EQ(Hint(), "");
    Click(Caption(28));
    Click(Caption(28));
    EXPECT_EQ(Hint(), "Not visible") << "deselecting keeps the hint";
}

TEST_F(MainWindowTest, TheChooserSetsTheColourOnConfirmAndNothingOnCancel) {
    Start();
    CustomColourBlock stored{7}, defined{7, 0, 0, 0, 200}, edited{};
    edited.fill(5);
    Core().Settings().customColours = stored;
    toolkit.colours.push_back({0x00FF0000u, defined});
    Click(Button("cmdSelect_", 4));
    ASSERT_EQ(toolkit.customSeen.size(), 1u);
    EXPECT_EQ(toolkit.customSeen[0], stored) << "the chooser starts with the stored custom colours";
    EXPECT_EQ(Box(4)->text(), "0000FF");
    EXPECT_EQ(SwatchOf(4)->Colour(), QColor(0, 0, 255));
    EXPECT_EQ(Core().Settings().customColours, defined);

    // Cancel: not the value, not the custom colours.
    toolkit.colours.push_back({std::nullopt, edited});
    Click(Button("cmdSelect_", 11));
    EXPECT_EQ(toolkit.customSeen.size(), 2u);
    EXPECT_EQ(Box(11)->text().toStdString(), kElements[11].defaultValue);
    EXPECT_EQ(Core().Settings().customColours, defined);

    // The findings button runs the rules again.
    Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->clear();
    Click(Button("cmdSafe"));
    EXPECT_EQ(Findings(), "-->All colors are safe\n");
}

TEST_F(MainWindowTest, AFirstStartLogsInOrderRemovesTheOldWorkFolderAndShowsTheDefaults) {
    // Work folders of other editors: one whose process has ended, one still running (init).
    const auto ended = dir.Path() / ("temp-" + std::to_string(test::EndedProcess()));
    for (const auto& work : {ended, dir.Path() / "temp-1"}) {
        std::filesystem::create_directories(work);
        test::WriteAll(work / "left.gif", "old");
    }
    MainWindow& w = Start();
    const auto& lines = log.Captured();
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Application started");
    EXPECT_EQ(lines[1], "Version:4.2.5");
    EXPECT_LT(at("First start of the program!!!!!!!!"), at("Ini of application complete"));
    EXPECT_EQ(lines.back(), "Ini of application complete");
    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "temp-1/left.gif"));
    EXPECT_TRUE(toolkit.Texts().empty());
    EXPECT_EQ(store.Size(), 0u) << "settings are written only on exit";

    EXPECT_EQ(w.windowTitle(), "Tintora ver:4.2.5      tintora.example.org");
    QStringList tabs;
    for (int t = 0; t < Tabs()->count(); ++t) tabs << Tabs()->tabText(t);
    EXPECT_EQ(tabs.join(','), "Image,Misc,Popup,Menu,Standby,Files");
    EXPECT_EQ(Tabs()->currentIndex(), 5);
    EXPECT_EQ(Languages()->currentText(), "English");
    EXPECT_EQ(Findings(), "-->All colors are safe\n");
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxWriteTheSettingsAndRemoveTheWorkFolderOnce) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Exit button");
        log.ClearCaptured();
        Start();
        Type(3, QStringLiteral("0a0b0c"));
        const std::filesystem::path work = dir.Path() / ("temp-" + std::to_string(getpid()));
        std::filesystem::create_directories(work);
        test::WriteAll(work / "theme.xml", "x");

        if (closeBox) window->close();
        else Click(Button("cmdExit"));
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(store.Read("Last", "3"), "0A0B0C");
        EXPECT_FALSE(std::filesystem::exists(work));

        store.Write("Last", "3", "changed later");
        window.reset();
        EXPECT_EQ(LogCount("Exit Application"), 1);
        EXPECT_EQ(store.Read("Last", "3"), "changed later") << "the exit runs once";
    }
}

// What cannot be written is said once, with the reason, instead of being lost in silence.
TEST_F(MainWindowTest, AnUnwritableDataFolderAndSettingsThatCannotBeSavedAreReported) {
    test::WriteAll(dir / "file", "a file where the data folder would be");
    Start(dir.Path() / "file/Tintora");
    ASSERT_EQ(toolkit.Texts().size(), 1u);
    const std::string shown = toolkit.Texts()[0];
    EXPECT_EQ(shown.substr(0, shown.find('\n')), "The data folder cannot be written, so no theme can be opened:");
    EXPECT_NE(shown.find((dir.Path() / "file/Tintora").string()), std::string::npos);

    store.failure = "Tintora.conf: is a folder";
    Click(Button("cmdExit"));
    ASSERT_EQ(toolkit.Texts().size(), 2u);
    EXPECT_EQ(toolkit.Texts()[1], "The settings could not be saved:\nTintora.conf: is a folder");
    EXPECT_EQ(LogCount("The settings could not be saved: Tintora.conf: is a folder"), 1);
}

TEST_F(MainWindowTest, GermanCaptionsFollowTheSlotsAndTheLanguageListAndBack) {
    Start();
    LoadPicture(0);
    ChooseLanguage(QStringLiteral("German"));
    window->SetBusy(BusyButton::SaveAs, true);
    // The Files tab follows, its busy buttons and its browser's list too.
    const std::pair<QString, const char*> german[] = {
        {Tabs()->tabText(2), "Dialogfenster"}, {Button("cmdAbout")->text(), "Über"},
        {Button("cmdReset")->text(), "Neustart"}, {Button("cmdSaveAs")->text(), "Abwarten"},
        {List()->item(0)->text(), "[Vorschau]"},
        {Caption(4)->text(), "Hintergrund"}, {Find<QGroupBox>(QStringLiteral("Frame_Color_7"))->title(), "Bilder"},
        {Row(0), "Ein/geladen"}, {Row(1), "Aus/Nicht geladen"},
        {Languages()->itemText(0), "Englisch"}, {Languages()->currentText(), "Deutsch"},
        {QString::fromStdString(Model().Item("lblText", 54).caption), "5. Gesend. Nachr."},  // 17 characters, kept
    };
    for (const auto& [shown, expected] : german) EXPECT_EQ(shown, QString::fromUtf8(expected));
    window->SetBusy(BusyButton::SaveAs, false);
    EXPECT_EQ(Button("cmdSaveAs")->text(), "Speichern unter");
    // German 561 "Betreiber Name aussenlinie" has 26 characters: drawn smaller while selected.
    Click(Caption(1));
    EXPECT_EQ(Look(1), "bold #ff0000 8");
    Click(Caption(2));
    EXPECT_EQ(Look(1), "#000000 10");

    ChooseLanguage(QStringLiteral("Englisch"));
    EXPECT_EQ(Tabs()->tabText(1), "Misc");
    EXPECT_EQ(Row(0), "ON/Loaded");

    // A name typed that is no language keeps the language and the list says so.
    Languages()->setEditText(QStringLiteral("german"));
    Q_EMIT Languages()->activated(0);
    EXPECT_EQ(Languages()->currentText(), "Missing");
    EXPECT_EQ(Tabs()->tabText(1), "Misc");
}

TEST_F(MainWindowTest, ClickingAPreviewTextTogglesNumberDisplay) {
    Start();
    ClickPreviewItem("ShapeStandby", kNoIndex);
    EXPECT_EQ(Tabs()->tabText(4), "Standby") << "not a lblText item";
    ClickPreviewItem("lblText", 2);
    EXPECT_EQ(QStringList({Tabs()->tabText(4), OnOff(3), Caption(0)->text()}).join(','), "110,126,160");
    EXPECT_EQ(Model().Item("lblText", 2).caption, "226");
    ClickPreviewItem("lblText", 50);
    EXPECT_EQ(Caption(0)->text(), "Operator name");
}

// A colour of its own for every element, none of them its default, as typed in lower case; and
// one for every slot's picture.
QString ColourFor(int i) { return QColor((17 + 6 * i) % 256, (250 - 5 * i) % 256, (37 * i + 3) % 256).name().mid(1); }
QColor PictureColour(int slot) { return QColor(40 * slot + 20, 200 - 30 * slot, 90); }

// Which pictures a slot takes, which preview rows follow them, how the theme is written and read
// and where Save writes are the core's rules; here the window's rows, buttons and browser reach them.
TEST_F(MainWindowTest, ASavedThemeSurvivesResetAndOpensFromTheBrowserWithEveryColourTextAndPicture) {
    Start();
    for (const ElementDef& e : kElements) {
        ASSERT_NE(ColourFor(e.index).toUpper().toStdString(), e.defaultValue) << e.index;
        Type(e.index, ColourFor(e.index));
    }
    OpenTab(0);
    EXPECT_EQ(Button("cmdLoadFile_", 2)->toolTip(), "101x27") << "the size a slot takes is shown";
    for (int slot = 0; slot < kSlotCount; ++slot) LoadPicture(slot, PictureColour(slot));
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;

    // Save As with the texts typed into the information dialog and the name without extension.
    OpenTab(5);
    toolkit.infoScripts.push_back(test::TypeInfo("Round trip", "Tester", "Maker"));
    toolkit.files.push_back(dir / "trip");
    Click(Button("cmdSaveAs"));
    ASSERT_TRUE(std::filesystem::exists(dir.Path() / "trip.thm"));
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;

    // Reset switches the pictures off, keeping them in their rows, and brings back the defaults.
    Click(Button("cmdReset"));
    for (const ElementDef& e : kElements) ASSERT_EQ(Box(e.index)->text().toStdString(), e.defaultValue);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ASSERT_EQ(Row(slot), "OFF/Loaded") << slot;
        ASSERT_EQ(RowColour(slot), PictureColour(slot)) << slot;
    }
    // Reset keeps the descriptive texts; forget them so that what shows next came from the file.
    Core().GetTheme().info = {};
    window->ShowThemeInfo();

    ClickEntry("trip.thm");
    EXPECT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    for (const ElementDef& e : kElements) EXPECT_EQ(Box(e.index)->text(), ColourFor(e.index).toUpper()) << e.index;
    const std::string created = MakeCreationStamp(clock.Now());
    const char* const frame[] = {"Round trip", "Tester", "Maker", nullptr, created.c_str()};
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(Label("lblStatus_", i)->text().toStdString(), frame[i]) << i;
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(Row(slot), "ON/Loaded") << slot;
    EXPECT_EQ(toolkit.fileRequests.size(), std::size_t{kSlotCount + 1}) << "no dialog but for the pictures and the name";

    // Save writes back to the theme opened from the list.
    Type(3, QStringLiteral("0a0b0c"));
    OpenTab(5);
    Click(Button("cmdSave"));
    EXPECT_NE(test::ReadText(dir.Path() / "trip.thm").find("Color=\"0x0A0B0C\""), std::string::npos);
}

}  // namespace
