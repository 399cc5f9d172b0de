// The editor window driven as a user would: keys into the hex boxes, clicks on captions and the
// preview, the colour chooser, the language list, start-up, Reset and Exit, the picture rows, and
// a theme made, saved, reset and opened again from the file browser.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "model/ColourText.h"
#include "support/EditorRig.h"
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
    QString Findings() const { return Find<QPlainTextEdit>(QStringLiteral("txtSafe"))->toPlainText(); }
    QString Hint() const { return Label("lblStatus_", 3)->text(); }
    // The colour in the middle of the picture shown in the slot's row.
    QColor RowColour(int slot) const {
        const QImage image = Label("picture_", slot)->pixmap().toImage();
        return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    }
    QColor StandbyScreenColour() const { return PaintedAt("BackImage", 0, 300, 300); }
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
    // On screen the box writes in a fixed-pitch font, the seventh character still in view.
    EXPECT_TRUE(QFontInfo(box->font()).fixedPitch());
    EXPECT_GE(box->contentsRect().width(), box->fontMetrics().horizontalAdvance(box->text()));

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

// Which rows follow which picture is the preview model's rule, checked on the core; here the
// window's gestures reach it.
TEST_F(MainWindowTest, ThePreviewFollowsTheStandbyAndDesktopPictures) {
    Start();
    Type(9, QStringLiteral("111111"));
    Type(0, QStringLiteral("222222"));
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x11, 0x11, 0x11}));
    EXPECT_FALSE(Model().Item("lblText", 41).visible);

    LoadPicture(0, QColor(10, 200, 30));
    LoadPicture(1);
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x22, 0x22, 0x22}));
    EXPECT_EQ(PaintedAt("BackImage", 0), QColor(10, 200, 30));
    EXPECT_TRUE(Model().Item("lblText", 41).visible) << "the desktop title's copies";

    ClickOnOff(0);
    EXPECT_EQ(Model().Item("lblStandby_operatorname", 11).text, (Rgb{0x11, 0x11, 0x11}));
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
            if (touched) { EXPECT_TRUE(painted.contains(screenRect(s))) << c.element << " screen " << s; }
            else EXPECT_FALSE(painted.intersects(screenRect(s).adjusted(2, 2, -2, -2))) << c.element << " screen " << s;
        }
    }
}

// The picture size each slot asks for, written out here rather than taken from the program's
// own table, so that a wrong entry there shows.
constexpr std::array<QSize, kSlotCount> kSlotSizes{
    {{101, 80}, {101, 80}, {101, 27}, {101, 20}, {101, 16}, {101, 16}}};

// A colour of its own for every element, none of them its default, as typed in lower case.
std::string ColourFor(int i) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", (17 + 6 * i) % 256, (250 - 5 * i) % 256, (37 * i + 3) % 256);
    return text;
}

TEST_F(MainWindowTest, ASavedThemeOpensFromTheBrowserWithEveryColourTextAndPicture) {
    Start();
    for (const ElementDef& e : kElements) {
        ASSERT_NE(UpperColourText(ColourFor(e.index)), e.defaultValue) << e.index;
        Type(e.index, QString::fromStdString(ColourFor(e.index)));
    }
    OpenTab(0);
    std::array<std::string, kSlotCount> pictures;
    std::array<QColor, kSlotCount> colours;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        colours[slot] = QColor(40 * slot + 20, 200 - 30 * slot, 90);
        pictures[slot] = test::SolidGif(kSlotSizes[slot].width(), kSlotSizes[slot].height(),
                                        static_cast<std::uint8_t>(colours[slot].red()),
                                        static_cast<std::uint8_t>(colours[slot].green()), 90);
        Select(slot, File("picture" + std::to_string(slot) + ".gif", pictures[slot]));
    }
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;

    // Save As with the texts typed into the information dialog and the name without extension.
    OpenTab(5);
    toolkit.infoScripts.push_back(test::TypeInfo("Round trip", "Tester", "Maker"));
    toolkit.files.push_back(dir / "trip");
    Click(Button(QStringLiteral("cmdSaveAs")));
    ASSERT_TRUE(std::filesystem::exists(dir.Path() / "trip.thm"));
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    const std::string created = MakeCreationStamp(clock.Now());

    Click(Button(QStringLiteral("cmdReset")));
    for (const ElementDef& e : kElements) ASSERT_EQ(Box(e.index)->text().toStdString(), e.defaultValue);
    for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_EQ(Button("cmdOnOff_", slot)->text(), "OFF");
    // Reset keeps the descriptive texts; forget them so that what shows next came from the file.
    Core().GetTheme().info = {};
    window->ShowThemeInfo();

    const auto found = List()->findItems(QStringLiteral("trip.thm"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(found.front()).center());
    EXPECT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    EXPECT_TRUE(Button(QStringLiteral("cmdSave"))->isEnabled());

    for (const ElementDef& e : kElements) {
        EXPECT_EQ(Box(e.index)->text().toStdString(), UpperColourText(ColourFor(e.index))) << e.index;
        EXPECT_EQ(Core().GetTheme().colours[e.index], UpperColourText(ColourFor(e.index))) << e.index;
    }
    const char* const frame[] = {"Round trip", "Tester", "Maker", nullptr, created.c_str()};
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(Label("lblStatus_", i)->text().toStdString(), frame[i]) << i;
    EXPECT_EQ(Core().GetTheme().info.created, created);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ASSERT_TRUE(Core().GetTheme().members[slot].data) << slot;
        EXPECT_EQ(test::AsText(*Core().GetTheme().members[slot].data), pictures[slot]) << slot;
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
        EXPECT_EQ(Label("picture_", slot)->pixmap().size(), kSlotSizes[slot]) << slot;
        EXPECT_EQ(RowColour(slot), colours[slot]) << slot;
    }
    EXPECT_EQ(StandbyScreenColour(), colours[0]);
}

TEST_F(MainWindowTest, PictureRowsTakeRightSizesRefuseOthersAndKeepPicturesWhenSwitchedOff) {
    Start();
    OpenTab(0);
    const std::string big = test::SolidGif(101, 80, 200, 40, 40);
    const std::string bigPath = File("big.gif", big);
    EXPECT_EQ(Button("cmdLoadFile_", 2)->toolTip(), "101x27") << "the size a slot takes is shown";
    Select(0, bigPath);
    Select(1, bigPath);
    EXPECT_TRUE(toolkit.shown.empty());
    for (int slot : {0, 1}) {
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
        EXPECT_EQ(Label("lblPicFileName_", slot)->text(), "Loaded") << slot;
        EXPECT_EQ(RowColour(slot), QColor(200, 40, 40)) << slot;
    }
    // "Loaded" keeps the room of "Not Loaded", so the preview beside the tab stays put.
    QLabel* loaded = Label("lblPicFileName_", 0);
    EXPECT_GE(loaded->minimumWidth(), loaded->fontMetrics().horizontalAdvance(QStringLiteral("Not Loaded")));

    // Too tall for the medium title picture: refused, the row as before.
    Select(2, bigPath);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "The image you select is 101x80.\r\nThe image should be:  101x27");
    EXPECT_EQ(toolkit.shown[0].title, "Incorrect image size");
    EXPECT_EQ(Button("cmdOnOff_", 2)->text(), "OFF");
    EXPECT_EQ(Label("lblPicFileName_", 2)->text(), "Not Loaded");
    EXPECT_TRUE(Label("picture_", 2)->pixmap().isNull());

    // A text file named like a picture measures 0x0 and leaves the standby picture in place.
    Select(0, File("notes.gif", "shopping list: bread, milk, GIF89a"));
    ASSERT_EQ(toolkit.shown.size(), 2u);
    EXPECT_EQ(toolkit.shown[1].text, "The image you select is 0x0.\r\nThe image should be:  101x80");
    EXPECT_EQ(test::AsText(*Core().GetTheme().members[0].data), big);
    EXPECT_EQ(StandbyScreenColour(), QColor(200, 40, 40));

    // Off keeps the picture in the row; on shows it again without asking for a file.
    ClickOnOff(0);
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "OFF");
    EXPECT_EQ(Label("lblPicFileName_", 0)->text(), "Loaded");
    EXPECT_EQ(RowColour(0), QColor(200, 40, 40));
    EXPECT_NE(StandbyScreenColour(), QColor(200, 40, 40)) << "the preview no longer shows it";
    ClickOnOff(0);
    EXPECT_EQ(StandbyScreenColour(), QColor(200, 40, 40));
    EXPECT_EQ(toolkit.fileRequests.size(), 4u) << "no dialog for switching on";
}

}  // namespace
