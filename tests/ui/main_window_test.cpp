// The editor window driven as a user would, and what reaches it from outside: theme files, the
// command line, drops, and the import and information dialogs.

#include <gmock/gmock.h>

#include <set>

#include "colourrules/Contrast.h"
#include "colourrules/PhoneColours.h"
#include "model/ColourText.h"
#include "platform/PictureDecoder.h"
#include "support/WindowFixture.h"
#include "ui/CropView.h"
#include "ui/ImportDialog.h"
#include "ui/InfoDialog.h"
#include "ui/PreviewPainter.h"
#include "ui/StartArguments.h"
#include "ui/WindowToolkit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace tintora;
using ::testing::Field;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

constexpr int kHighlight = 11;  // default FFC600, on tab 1

class MainWindowTest : public test::WindowFixture {
protected:
    QPlainTextEdit* FindingsBox() const { return Find<QPlainTextEdit>(QStringLiteral("txtSafe")); }
    // The nine rules' findings: the box up to the contrast lines.
    QString Findings() const {
        const QString box = FindingsBox()->toPlainText();
        return box.left(box.indexOf(QStringLiteral("Contrast on the phone")));
    }
    // The slot row's on/off button and picture state, as "ON/Loaded".
    QString Row(int slot) const {
        return Button("cmdOnOff_", slot)->text() + '/' + Label("lblPicFileName_", slot)->text();
    }
    // How caption i is drawn, as "bold #ff0000 10".
    QString Look(int i) const {
        const QLabel* c = Caption(i);
        return (c->font().bold() ? "bold " : "") + c->palette().color(QPalette::WindowText).name() + ' ' +
               QString::number(c->font().pointSize());
    }
    void ChooseLanguage(const QString& name) {
        const int at = Languages()->findText(name);
        ASSERT_GE(at, 0) << name.toStdString();
        Languages()->setCurrentIndex(at);
        Q_EMIT Languages()->activated(at);
    }
    void ClickPreviewItem(std::string_view name, int index) {
        QTest::mouseClick(PreviewOnScreen(), Qt::LeftButton, {}, test::ItemRect(Model(), name, index).center());
    }
    std::string Highlight() const { return Core().Colour(kHighlight); }
    void Keys(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window.get(), static_cast<Qt::Key>(key), mods);
    }
    std::string Selected() const { return List()->currentItem() ? List()->currentItem()->text().toStdString() : ""; }
    const fs::path themes = dir.Path() / "themes";
};

struct PaintRegions : QObject {
    explicit PaintRegions(QWidget* target) { target->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

TEST_F(MainWindowTest, HexBoxesFilterKeysColourIncompleteValuesRedAndRepaintOnlyWhenComplete) {
    Start();
    HexBox* box = Box(4);
    const auto ink = [box] { return box->palette().color(QPalette::Text); };
    QCoreApplication::processEvents();
    PaintRegions paints(PreviewOnScreen());
    Type(4, QStringLiteral("b5290"));
    EXPECT_EQ(box->text(), "B5290");
    EXPECT_EQ(ink(), QColor(Qt::red));
    QCoreApplication::processEvents();
    EXPECT_TRUE(paints.painted.isEmpty()) << "five characters keep the preview";

    // The sixth repaints the screens that show the Background, not the desktop screen.
    QTest::keyClick(box, Qt::Key_8);
    QCoreApplication::processEvents();
    EXPECT_TRUE(paints.painted.contains(test::ScreenRect(0)));
    EXPECT_FALSE(paints.painted.intersects(test::ScreenRect(1).adjusted(2, 2, -2, -2)));
    EXPECT_EQ(ink(), QColor(0, 0, 0));

    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(ink(), QColor(Qt::red));
    // A fixed-pitch font, the seventh character still in view.
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

TEST_F(MainWindowTest, CaptionClicksAndThePreviewsMenuSelectMarkAndExplainAndTextClicksShowNumbers) {
    Start();
    Click(Caption(11));
    EXPECT_EQ(Look(11), "bold #ff0000 10");
    EXPECT_THAT(window->Arrows(), ::testing::UnorderedElementsAre(Field(&ArrowPlacement::arrow, 2),
                                                                 Field(&ArrowPlacement::arrow, 5)));
    Click(Caption(11));
    EXPECT_EQ(Look(11), "#000000 10");
    EXPECT_TRUE(window->Arrows().empty());

    Click(Caption(28));
    Click(Caption(28));
    EXPECT_EQ(Label("lblStatus_", 3)->text(), "Not visible") << "deselecting keeps the hint";

    // A click on a text of the preview shows every text's number, and another hides them.
    ClickPreviewItem("ShapeStandby", kNoIndex);
    EXPECT_EQ(Tabs()->tabText(4), "Standby") << "not a lblText item";
    ClickPreviewItem("lblText", 2);
    EXPECT_EQ(QStringList({Tabs()->tabText(4), Button("cmdOnOff_", 3)->text(), Caption(0)->text()}).join(','),
              "110,126,160");
    EXPECT_EQ(Model().Item("lblText", 2).caption, "226");
    ClickPreviewItem("lblText", 50);
    EXPECT_EQ(Caption(0)->text(), "Operator name");

    // The preview's context menu offers every element under the pointer.
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) offered << a->text();
        menu->actions().last()->trigger();
        menu->close();
    });
    Q_EMIT PreviewOnScreen()->customContextMenuRequested(test::ItemRect(Model(), "lblPopup_text", 0).center());
    EXPECT_EQ(offered, QStringList({"Select Popup text", "Select Popup background"}));
    EXPECT_TRUE(Caption(19)->font().bold());
}

TEST_F(MainWindowTest, TheChooserSetsTheColourOnConfirmAndNothingOnCancel) {
    Start();
    CustomColourBlock stored{7}, defined{7, 0, 0, 0, 200}, edited{};
    edited.fill(5);
    Core().Settings().customColours = stored;
    toolkit.colours.push_back({0x00FF0000u, defined});
    toolkit.colours.push_back({std::nullopt, edited});
    Click(Button("cmdSelect_", 4));
    Click(Button("cmdSelect_", 11));  // cancelled: not the value, not the custom colours
    EXPECT_THAT(toolkit.customSeen, ::testing::ElementsAre(stored, defined));
    EXPECT_EQ(Box(4)->text(), "0000FF");
    EXPECT_EQ(Find<Swatch>("shapeSelect_", 4)->Colour(), QColor(0, 0, 255));
    EXPECT_EQ(Box(11)->text().toStdString(), kElements[11].defaultValue);
    EXPECT_EQ(Core().Settings().customColours, defined);

    FindingsBox()->clear();
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
    Start();
    const auto& lines = log.Captured();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0] + ", " + lines[1], "Application started, Version:4.2.5");
    EXPECT_EQ(LogCount("First start of the program!!!!!!!!"), 1);
    EXPECT_EQ(lines.back(), "Ini of application complete") << "after the first start's line";
    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "temp-1/left.gif"));
    EXPECT_EQ(store.Size(), 0u) << "settings are written only on exit";

    QStringList tabs;
    for (int t = 0; t < Tabs()->count(); ++t) tabs << Tabs()->tabText(t);
    EXPECT_EQ(tabs.join(','), "Image,Misc,Popup,Menu,Standby,Files");
    EXPECT_EQ(Tabs()->currentIndex(), 5);
    EXPECT_EQ(Languages()->currentText(), "English");
    EXPECT_EQ(Findings(), "-->All colors are safe\n");
}

TEST_F(MainWindowTest, ZoomIsWholePixelsAndTheCloseBoxWritesItAndRemovesTheWorkFolderOnce) {
    store.Write("View", "Zoom", "3");
    Start();
    EXPECT_EQ(PreviewOnScreen()->size(), PreviewSize(3));
    auto* zoom = Find<QComboBox>(QStringLiteral("cboZoom"));
    zoom->setCurrentIndex(0);
    Q_EMIT zoom->activated(0);
    EXPECT_EQ(PreviewOnScreen()->size(), PreviewSize(1));
    // At 1x the window fits a 1366 x 768 screen.
    QApplication::processEvents();  // the layouts take the new size
    EXPECT_LE(window->minimumSizeHint().width(), 1366);
    EXPECT_LE(window->minimumSizeHint().height(), 768 - 60) << "room for a panel and the title bar";

    const std::filesystem::path work = dir.Path() / ("temp-" + std::to_string(getpid()));
    std::filesystem::create_directories(work);
    test::WriteAll(work / "theme.xml", "x");
    window->close();
    EXPECT_EQ(store.Read("View", "Zoom"), "1");
    EXPECT_FALSE(std::filesystem::exists(work));
    window.reset();
    EXPECT_EQ(LogCount("Exit Application"), 1) << "the exit runs once";
}

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

// A colour of its own for every element, none its default, typed in lower case; one per slot picture.
QString ColourFor(int i) { return QColor((17 + 6 * i) % 256, (250 - 5 * i) % 256, (37 * i + 3) % 256).name().mid(1); }
QColor PictureColour(int slot) { return QColor(40 * slot + 20, 200 - 30 * slot, 90); }

// The slots', formats' and saving's rules are the core's; here the window's rows and buttons reach them.
TEST_F(MainWindowTest, ASavedThemeSurvivesResetAndOpensFromTheBrowserWithEveryColourTextAndPicture) {
    Start();
    for (const ElementDef& e : kElements) Type(e.index, ColourFor(e.index));
    OpenTab(0);
    EXPECT_EQ(Button("cmdLoadFile_", 2)->toolTip(), "101x27") << "the size a slot takes is shown";
    for (int slot = 0; slot < kSlotCount; ++slot) LoadPicture(slot, PictureColour(slot));

    // Save As with the texts typed into the information dialog and the name without extension.
    OpenTab(5);
    toolkit.infoScripts.push_back(test::TypeInfo("Round trip", "Tester", "Maker"));
    toolkit.files.push_back(dir / "trip");
    Click(Button("cmdSaveAs"));

    // Reset switches the pictures off, keeping them in their rows, and brings back the defaults.
    Click(Button("cmdReset"));
    for (const ElementDef& e : kElements) ASSERT_EQ(Box(e.index)->text().toStdString(), e.defaultValue);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ASSERT_EQ(Row(slot), "OFF/Loaded") << slot;
        const QImage picture = Label("picture_", slot)->pixmap().toImage();
        ASSERT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), PictureColour(slot)) << slot;
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

    // Save writes back to the theme opened from the list.
    Type(3, QStringLiteral("0a0b0c"));
    OpenTab(5);
    Click(Button("cmdSave"));
    EXPECT_NE(test::ReadText(dir.Path() / "trip.thm").find("Color=\"0x0A0B0C\""), std::string::npos);
}

TEST_F(MainWindowTest, TheTitleTheUndoButtonsAndTheShortcutsFollowTheHistory) {
    WriteTheme(dir / "a.thm", kHighlight, "111111");
    Start();
    Keys(Qt::Key_S);  // no file yet: Save As, which asks for a name
    ASSERT_EQ(toolkit.fileRequests.size(), 1u);
    EXPECT_TRUE(toolkit.fileRequests[0].save);
    ClickEntry("a.thm");
    const QString title = window->windowTitle();
    EXPECT_EQ(title, QStringLiteral("Tintora ver:4.2.5      tintora.example.org \u2014 a.thm"));
    Type(kHighlight, QStringLiteral("00FF00"));
    EXPECT_EQ(window->windowTitle(), title + QStringLiteral(" *"));
    EXPECT_FALSE(Button("cmdRedo")->isEnabled());
    EXPECT_TRUE(Button("cmdUndo")->toolTip().startsWith(QStringLiteral("Undo: Highlight 111111 \u2192 00FF00")));
    Click(Button("cmdUndo"));
    EXPECT_EQ(Box(kHighlight)->text(), QStringLiteral("111111"));
    EXPECT_EQ(window->windowTitle(), title);
    Click(Button("cmdRedo"));
    EXPECT_EQ(Highlight(), "00FF00");

    // With the focus outside the hex boxes, Ctrl+Z takes back; Ctrl+Shift+Z and Ctrl+Y do again.
    Button("cmdSafe")->setFocus();
    for (const char* redo : {"Ctrl+Shift+Z", "Ctrl+Y"}) {
        Keys(Qt::Key_Z);
        EXPECT_EQ(Highlight(), "111111") << redo;
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(redo)));
        EXPECT_EQ(Highlight(), "00FF00") << redo;
    }
    // Typing in the box: Ctrl+Z takes back the box's own typing, and the theme follows the box.
    Type(kHighlight, QStringLiteral("123"));
    Keys(Qt::Key_Z);
    EXPECT_NE(Box(kHighlight)->text(), QStringLiteral("123"));
    EXPECT_TRUE(Box(kHighlight)->isRedoAvailable()) << "the box's own undo ran, not the theme's";
    EXPECT_EQ(Highlight(), Box(kHighlight)->text().toStdString());

    for (int tab = 0; tab < 6; ++tab) {
        Keys(Qt::Key_1 + tab);
        EXPECT_EQ(Tabs()->currentIndex(), tab);
    }
    EXPECT_EQ(Button("cmdReadFile")->toolTip(), QStringLiteral("Ctrl+O"));
    EXPECT_EQ(Button("cmdExit")->toolTip(), QStringLiteral("Ctrl+Q"));
}

TEST_F(MainWindowTest, EachWayOfDroppingWorkAsksOnlyWhileModifiedAndDoesWhatTheAnswerSays) {
    WriteTheme(dir / "a.thm", kHighlight, "111111");
    WriteTheme(dir / "b.thm", kHighlight, "222222");
    const auto opened = [this] { return Highlight() == "222222"; };
    const std::tuple<const char*, std::function<void()>, std::function<bool()>> paths[] = {
        {"Files tab click", [this] { ClickEntry("b.thm"); }, opened},
        {"Read (Ctrl+O)", [this] {
             toolkit.files.push_back(dir / "b.thm");
             QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
         }, opened},
        {"Reset", [this] { Click(Button("cmdReset")); }, [this] { return Highlight() == "FFC600"; }},
        {"Exit", [this] { Click(Button("cmdExit")); }, [this] { return !window->isVisible(); }},
    };
    for (const auto& [name, act, wentOn] : paths)
        for (const auto& [modify, answer] : {std::pair{false, Answer::Cancel}, std::pair{true, Answer::Cancel},
                                             std::pair{true, Answer::Discard}}) {
            SCOPED_TRACE(std::string(name) + (modify ? ", modified, answer " : ", ") +
                         std::to_string(int(answer)));
            Start();
            ClickEntry("a.thm");
            if (modify) Type(kHighlight, QStringLiteral("00FF00"));
            OpenTab(5);
            toolkit.questions.clear();
            toolkit.askAnswers = {answer};
            act();
            ASSERT_EQ(toolkit.questions.size(), modify ? 1u : 0u);  // its text is the core's
            const bool kept = modify && answer == Answer::Cancel;
            EXPECT_EQ(wentOn(), !kept);
            if (!kept) continue;
            EXPECT_EQ(Highlight(), "00FF00");
            EXPECT_EQ(Selected(), "a.thm") << "the browser's selection stays";
        }
}

// Tab goes through the page's colour rows as they stand: down a column, then on to the next one.
TEST_F(MainWindowTest, TabReachesEveryControlAndTheRowsAsTheyStand) {
    Start();
    for (int tab = 0; tab < Tabs()->count(); ++tab) {
        SCOPED_TRACE(tab);
        OpenTab(tab);
        std::vector<QWidget*> reachable;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
                reachable.push_back(w->focusProxy() ? w->focusProxy() : w);  // the tabs' bar for the tabs
        ASSERT_FALSE(reachable.empty());
        reachable.front()->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> visited;
        const auto seen = [&](QWidget* w) { return std::find(visited.begin(), visited.end(), w) != visited.end(); };
        for (QWidget* at = QApplication::focusWidget(); at && !seen(at); at = QApplication::focusWidget()) {
            visited.push_back(at);
            QTest::keyClick(at, Qt::Key_Tab);
        }
        for (QWidget* w : reachable) EXPECT_TRUE(seen(w)) << "Tab never reaches " << w->objectName().toStdString();
        std::vector<QPoint> rows;  // where the hex boxes stand, in the order Tab visits them
        for (QWidget* w : visited)
            if (w->objectName().startsWith(QStringLiteral("txtColor_")))
                rows.push_back(w->mapTo(window.get(), QPoint()));
        const auto before = [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); };
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), before));
    }
}

// Every element its own colour, none another's.
QColor Distinct(int e) { return QColor(e + 1, 100 + e, 200 - e); }

TEST_F(MainWindowTest, EveryVisibleElementIsNamedAndCtrlClickSelectsWhereItsColourShows) {
    Start();
    for (int e = 0; e < kElementCount; ++e) Core().SetColour(e, Distinct(e).name().mid(1).toStdString());
    std::set<int> selected;
    // The standby texts take their own colours only over the standby picture.
    for (bool standbyPicture : {false, true}) {
        if (standbyPicture) LoadPicture(0, QColor(250, 250, 250));
        const QImage shown = PreviewOnScreen()->grab().toImage();
        for (int e = 0; e < kElementCount; ++e) {
            if (e == 28 || selected.count(e)) continue;
            QPoint at(-1, -1);
            for (int y = 0; y < shown.height() && at.x() < 0; ++y)
                for (int x = 0; x < shown.width() && at.x() < 0; ++x)
                    if (shown.pixelColor(x, y) == Distinct(e)) {
                        for (const ColourSource& s : PreviewOnScreen()->SourcesAt({x, y}))
                            if (s.element == e && s.kind != SourceKind::Picture) at = {x, y};
                    }
            if (at.x() < 0) continue;  // not shown in this state
            QTest::mouseClick(PreviewOnScreen(), Qt::LeftButton, Qt::ControlModifier, at);
            EXPECT_TRUE(Caption(e)->font().bold()) << "element " << e;
            EXPECT_EQ(QApplication::focusWidget(), Box(e)) << "element " << e << ", its tab shown";
            selected.insert(e);
        }
    }
    EXPECT_EQ(selected.size(), static_cast<std::size_t>(kElementCount - 1));
}

TEST_F(MainWindowTest, PhoneColoursRepaintThePreviewAndAHardToReadTextGetsAContrastLineFixedInOneClick) {
    Start();
    Type(4, QStringLiteral("4080C0"));
    auto* phone = Find<QCheckBox>(QStringLiteral("chkPhoneColours"));
    const QPoint inside = test::ItemRect(Model(), "f_calling").topLeft() + QPoint(4, 4);
    const auto painted = [&] { return PreviewOnScreen()->grab().toImage().pixelColor(inside); };
    phone->click();
    EXPECT_EQ(painted().rgb() & 0xFFFFFF, PhoneColour(0x4080C0u));
    phone->click();
    EXPECT_EQ(painted(), QColor(0x40, 0x80, 0xC0));

    Type(4, "123456");
    Type(9, "5C1D0E");
    const QString rules = QString::fromStdString(Core().Findings()).replace("\r\n", "\n");
    const QString box = FindingsBox()->toPlainText();
    ASSERT_TRUE(box.startsWith(rules)) << "the nine rules' findings come first, unchanged";
    EXPECT_TRUE(box.mid(rules.size()).startsWith("Contrast on the phone")) << box.toStdString();

    const QTextCursor link = FindingsBox()->document()->find(QStringLiteral("for Text ("));
    ASSERT_FALSE(link.isNull());
    QTest::mouseClick(FindingsBox()->viewport(), Qt::LeftButton, {}, FindingsBox()->cursorRect(link).center());
    EXPECT_GE(ContrastRatio(MakeRGB(Core().Colour(9)), PhoneColour(MakeRGB("123456"))), 4.5);
    EXPECT_FALSE(FindingsBox()->toPlainText().contains("Text on Background")) << FindingsBox()->toPlainText().toStdString();
}

TEST(StartArguments, HelpAndVersionWinThenOneFileAtMostAndNoOtherOption) {
    using A = StartArguments::Action;
    const std::tuple<std::vector<std::string>, A, std::string> cases[] = {
        {{}, A::Run, ""},
        {{"sunset.thm"}, A::Run, "sunset.thm"},
        {{"--", "-x.thm"}, A::Run, "-x.thm"},
        {{"--", "--help"}, A::Run, "--help"},
        {{"a.thm", "--version"}, A::Version, ""},
        {{"--version", "--frobnicate", "--help"}, A::Help, ""},
        {{"--frobnicate"}, A::Usage, ""},
        {{"a.thm", "b.thm"}, A::Usage, ""},
    };
    for (const auto& [args, action, file] : cases) {
        const StartArguments r = ReadStartArguments(args);
        EXPECT_EQ(std::tuple(r.action, r.file, r.problem.empty()),
                  std::tuple(action, file, action != A::Usage)) << ::testing::PrintToString(args);
    }
}

TEST_F(MainWindowTest, ThemesGivenDroppedClickedOrKeyedOpenInTheirFolderDoubleClicksMoveAndReadClearsLabels) {
    fs::create_directories(themes / "sub");
    WriteTheme(themes / "red.thm", 0, "FF0000", {"Red", "Ann", "1.2.2003 4:5:6", "Bob"});
    WriteTheme(themes / "blue.thm", 0, "0000FF");
    WriteTheme(themes / "sub/deep.thm", 0, "ABCDEF");
    WriteTheme(dir / "green.thm", 0, "00FF00");
    Start();
    EXPECT_FALSE(Button("cmdSave")->isEnabled());

    // Given on the command line: opened in its folder, selected there, Save writes back to it.
    window->OpenThemeFile(QString::fromStdString((themes / "blue.thm").string()));
    EXPECT_EQ(Core().Colour(0), "0000FF");
    EXPECT_EQ(Selected(), "blue.thm");
    EXPECT_TRUE(Button("cmdSave")->isEnabled());

    // Dropped on the preview (no drop target itself) or on a hex box (one for text), it opens alike.
    EXPECT_TRUE(Drop(PreviewOnScreen(), {5, 5}, (themes / "red.thm").string()));
    EXPECT_EQ(Core().Colour(0), "FF0000");
    EXPECT_TRUE(Drop(Box(0), {2, 2}, (themes / "blue.thm").string()));
    EXPECT_EQ(Box(0)->text().toStdString(), "0000FF");

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

constexpr std::uint32_t kTeal = 0x24B6AA;

// 400 x 200: every column its own colour, so any move of the crop window changes the result.
QImage Wide() {
    QImage img(400, 200, QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x) img.setPixelColor(x, y, QColor(x * 255 / 399, 128, 255 - x * 255 / 399));
    return img;
}

TEST(ImportDialogTest, TheResultFollowsTheCropWindowTheModeAndTheConvertTick) {
    Texts texts;
    const RgbaImage source = FromQImage(Wide());
    const ImportSettings start{FitMode::Crop, kTeal, true, false};
    // A photo: its file's bytes count only when it is a GIF of the slot's size.
    ImportDialog dialog(texts, 0, {}, source, start, [](std::uint32_t) { return std::optional<std::uint32_t>(0xFF0000); });
    auto* view = dialog.findChild<CropView*>(QStringLiteral("cropView"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("resultZoom"))->pixmap().size(), QSize(202, 160));

    const CropWindow centred = *dialog.Window();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(dialog.Window()->x, centred.x - 9);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(view, QPoint(250, 150));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(250, 150));
    const CropWindow moved = *dialog.Window();
    EXPECT_NEAR(moved.x, centred.x - 9 + 50 * view->Scale(), 1e-6);
    EXPECT_EQ(moved.y, centred.y);
    EXPECT_EQ(dialog.Result().pixels, FitToSlot(source, 0, start, moved).pixels);
    EXPECT_EQ(DecodePicture(dialog.ResultBytes().value()).image.pixels, dialog.Result().pixels);

    // Fit inside, with a bar colour from the chooser: the window goes, the bars take the colour.
    dialog.findChild<QRadioButton*>(QStringLiteral("optFit"))->click();
    dialog.findChild<QPushButton*>(QStringLiteral("cmdBar"))->click();
    EXPECT_FALSE(dialog.Window());
    EXPECT_EQ(dialog.Result().At(50, 0), 0xFFFF0000u);
    EXPECT_EQ(dialog.Choice(), (ImportChoice{FitMode::Fit, 0xFF0000, true}));

    // A GIF of the slot's size goes in as it is unless converted.
    const std::string gif = test::SolidGif(101, 80, 0xC0, 0x10, 0x90);
    const Bytes file(gif.begin(), gif.end());
    ImportDialog sized(texts, 1, file, DecodePicture(file).image, start, {});
    auto* convert = sized.findChild<QCheckBox*>(QStringLiteral("chkConvert"));
    EXPECT_FALSE(convert->isHidden());
    EXPECT_FALSE(convert->isChecked());
    EXPECT_EQ(sized.ResultBytes(), file);
    convert->setChecked(true);
    EXPECT_EQ(sized.ResultBytes(), MakeSlotPicture(DecodePicture(file).image, 1, {FitMode::Crop, kTeal, true, true}).bytes);
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("chkConvert"))->isHidden());
}

TEST_F(MainWindowTest, PicturesComeInThroughTheImportDialogFromItsButtonOrDroppedOnTheirRowOrPlace) {
    Start();
    EXPECT_EQ(Button("cmdImport_", 2)->text(), QStringLiteral("Import…"));
    const std::string png = dir / "wide.png";
    Wide().save(QString::fromStdString(png));

    test::WhenModalShows<ImportDialog>([](ImportDialog&) {}, false);
    EXPECT_FALSE(window->ImportPictureFile(0, png));
    EXPECT_EQ(Core().GetTheme().slots[0], SlotState::Empty);

    Bytes expected;
    test::WhenModalShows<ImportDialog>([&](ImportDialog& d) {
        QTest::keyClick(d.findChild<CropView*>(QStringLiteral("cropView")), Qt::Key_Down);
        d.SetMode(FitMode::Stretch);
        expected = *d.ResultBytes();
    }, true);
    EXPECT_TRUE(window->ImportPictureFile(0, png));
    EXPECT_TRUE(Core().GetTheme().SlotOn(0));
    EXPECT_EQ(Core().GetTheme().members[0].data, expected);

    // On a slot's row or picture place (shown or not): that slot's import, from its last; elsewhere refused.
    OpenTab(0);
    bool shown = false;
    const std::tuple<QWidget*, QPoint, int, FitMode> drops[] = {
        {PreviewOnScreen(), test::ItemRect(Model(), "BackImage", 2).center(), 2, FitMode::Crop},
        {Label("picture_", 0), {5, 70}, 0, FitMode::Stretch},  // below the row's buttons
        {Label("lblPicFileName_", 3), {1, 1}, 3, FitMode::Crop},
        {PreviewOnScreen(), test::ItemRect(Model(), "BackImage", 0).center(), 0, FitMode::Stretch},
    };
    for (const auto& [target, at, slot, mode] : drops) {
        FitMode startedWith = FitMode::Fit;
        test::WhenModalShows<ImportDialog>([&](auto& d) { startedWith = d.Choice().mode; }, true, &shown);
        EXPECT_TRUE(Drop(target, at, png)) << slot;
        EXPECT_TRUE(shown) << slot;
        EXPECT_EQ(startedWith, mode) << slot;
        EXPECT_TRUE(Core().GetTheme().SlotOn(slot)) << slot;
    }
    test::WhenModalShows<ImportDialog>([](ImportDialog&) {}, false);  // so that a wrong one cannot hang
    EXPECT_FALSE(Drop(PreviewOnScreen(), {5, 5}, png));
    EXPECT_TRUE(toolkit.shown.empty());

    // Reading and decoding are the decoder's; a file that fails either is refused with its name.
    test::WriteAll(dir / "cut.png", test::ReadText(png).substr(0, 100));
    for (const std::string& bad : {dir / "cut.png", dir / "missing.png"}) {
        toolkit.shown.clear();
        test::WhenModalShows<ImportDialog>([](ImportDialog&) {}, true, &shown);
        EXPECT_FALSE(window->ImportPictureFile(1, bad));
        QApplication::processEvents();
        EXPECT_FALSE(shown) << bad;
        ASSERT_EQ(toolkit.shown.size(), 1u) << bad;
        EXPECT_THAT(toolkit.shown[0].text, HasSubstr("The picture cannot be imported: " + bad + "\n"));
        EXPECT_EQ(Core().GetTheme().slots[1], SlotState::Empty);
    }
}

QLineEdit* Field(QWidget& d, int i) { return d.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(i)); }
void TypeIn(QWidget& dialog, int i, const QString& text) {
    Field(dialog, i)->selectAll();
    QTest::keyClicks(Field(dialog, i), text);
}

struct InfoDialogTest : ::testing::Test {
    ThemeInfo info;
    UserSettings settings;
    Texts texts;
};

TEST_F(InfoDialogTest, EachButtonTheCloseBoxAndEscapeReachTheDialogsLogic) {
    const ThemeInfo before{"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    settings.defaultThemeName = "Default";
    const auto press = [](auto b) { return [b](InfoDialog& d) { d.findChild<QPushButton*>(b)->click(); }; };
    // What is done; then whether the dialog is open, whether cancelled, the theme's name, the name box.
    using Act = std::function<void(InfoDialog&)>;
    const std::tuple<const char*, Act, bool, bool, const char*, const char*> cases[] = {
        {"OK", press("cmdOK"), false, false, "typed", "typed"},
        {"Skip", press("cmdSkip"), false, false, "", "typed"},
        {"Cancel", press("cmdCancel"), false, true, "Winter", "typed"},
        {"close box", [](InfoDialog& d) { d.close(); }, false, false, "Winter", "typed"},
        {"Escape", [](InfoDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false, true, "Winter", "typed"},
        {"Use default", press("cmdGetDefault"), true, false, "Winter", "Default"},
        {"Save as default", press("cmdSaveAsDefault"), true, false, "Winter", "typed"},
    };
    for (const auto& [what, act, open, cancelled, name, box] : cases) {
        SCOPED_TRACE(what);
        info = before;
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        EXPECT_FALSE(Field(dialog, 2)->isEnabled()) << "the creator of a saved theme is locked";
        TypeIn(dialog, 0, QStringLiteral("typed"));
        act(dialog);
        EXPECT_EQ(dialog.isVisible(), open);
        EXPECT_EQ(model.Cancelled(), cancelled);
        EXPECT_EQ(info.name, name);
        EXPECT_EQ(Field(dialog, 0)->text().toStdString(), box);
    }
    EXPECT_EQ(settings.defaultThemeName, "typed");
}

// A new theme: the defaults offered, the creator box open.
TEST_F(InfoDialogTest, TheWindowToolkitRunsTheDialogModallyInTheLanguageInForce) {
    settings.defaultModifiedBy = "Ann";
    settings.defaultCreator = "Bob";
    texts.SetLanguageOffset(kGerman);
    InfoDialogModel model(info, settings, texts);
    QString shown;
    test::WhenModalShows<InfoDialog>([&](InfoDialog& d) {
        shown = QStringList({d.windowTitle(), Field(d, 0)->text(), Field(d, 1)->text(), Field(d, 2)->text()})
                    .join('|');
        // Typed as it will be stored: no quote or "--" can end the text in the document.
        TypeIn(d, 2, QStringLiteral("Cid \"C\" --> x"));
        EXPECT_EQ(Field(d, 2)->text(), QStringLiteral("Cid 'C' - -> x"));
        d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    }, true);
    WindowToolkit().RunInfoDialog(model);
    EXPECT_EQ(shown, "Informationen hinzufügen||Ann|Bob");
    EXPECT_EQ(info.creator, "Cid 'C' - -> x");
}

}  // namespace
