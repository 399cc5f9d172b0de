// Safe editing in the window: the title and the Undo and Redo buttons follow the history, each
// way of dropping work asks first, and the shortcuts reach their actions.

#include <algorithm>
#include <functional>
#include <vector>

#include "support/EditorRig.h"
#include "support/WindowFixture.h"

using namespace tintora;
using namespace tintora::test;

namespace {

constexpr int kHighlight = 11;  // default FFC600, on tab 1

class SafeEditingWindowTest : public WindowFixture {
protected:
    void WriteThemes() {
        for (const auto& [name, colour] : {std::pair{"a.thm", "111111"}, std::pair{"b.thm", "222222"}})
            ASSERT_TRUE(WriteThemeFile(log, dir / name, [colour](Theme& t) { t.colours[kHighlight] = colour; }));
    }
    std::string Highlight() const { return Core().Colour(kHighlight); }
    void Keys(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                        static_cast<Qt::Key>(key), mods);
    }
};

}  // namespace

TEST_F(SafeEditingWindowTest, TheTitleAndTheUndoButtonsFollowTheHistory) {
    WriteThemes();
    Start();
    ClickEntry("a.thm");
    const QString title = window->windowTitle();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Tintora ver:"))) << title.toStdString();
    EXPECT_TRUE(title.endsWith(QStringLiteral(" \u2014 a.thm"))) << title.toStdString();
    Type(kHighlight, QStringLiteral("00FF00"));
    EXPECT_EQ(window->windowTitle(), title + QStringLiteral(" *"));
    QPushButton* undo = Button("cmdUndo");
    QPushButton* redo = Button("cmdRedo");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(undo->toolTip().startsWith(QStringLiteral("Undo: Highlight 111111 \u2192 00FF00"))) << undo->toolTip().toStdString();

    Click(undo);
    EXPECT_EQ(Box(kHighlight)->text(), QStringLiteral("111111"));
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_TRUE(redo->isEnabled());
    Click(redo);
    EXPECT_EQ(Box(kHighlight)->text(), QStringLiteral("00FF00"));
}

TEST_F(SafeEditingWindowTest, EachWayOfDroppingWorkAsksOnlyWhileModifiedAndDoesWhatTheAnswerSays) {
    WriteThemes();
    struct Path {
        const char* name;
        std::function<void()> act;
        std::function<bool()> wentOn;
    };
    const std::vector<Path> paths{
        {"Files tab click", [this] { ClickEntry("b.thm"); },
         [this] { return Highlight() == "222222"; }},
        {"Read (Ctrl+O)",
         [this] {
             toolkit.files.push_back(dir / "b.thm");
             QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
         },
         [this] { return Highlight() == "222222"; }},
        {"Reset", [this] { Click(Button("cmdReset")); },
         [this] { return Highlight() == "FFC600"; }},
        {"Exit", [this] { Click(Button("cmdExit")); },
         [this] { return !window->isVisible(); }},
    };
    for (const Path& path : paths)
        for (const auto& [modify, answer] : {std::pair{false, Answer::Cancel}, std::pair{true, Answer::Cancel},
                                             std::pair{true, Answer::Discard}}) {
            SCOPED_TRACE(std::string(path.name) + (modify ? " modified, answer " + std::to_string(static_cast<int>(answer)) : ""));
            Start();
            ClickEntry("a.thm");
            if (modify) Type(kHighlight, QStringLiteral("00FF00"));
            OpenTab(5);
            toolkit.questions.clear();
            toolkit.askAnswers = {answer};
            path.act();
            ASSERT_EQ(toolkit.questions.size(), modify ? 1u : 0u);  // its text is the core's
            const bool kept = modify && answer == Answer::Cancel;
            EXPECT_EQ(path.wentOn(), !kept);
            if (!kept) continue;
            EXPECT_EQ(Highlight(), "00FF00");
            EXPECT_TRUE(window->isVisible());
            ASSERT_NE(List()->currentItem(), nullptr);
            EXPECT_EQ(List()->currentItem()->text(), QStringLiteral("a.thm")) << "the browser's selection stays";
        }
}

TEST_F(SafeEditingWindowTest, ShortcutsReachTheirActionsAndAHexBoxUndoesItsOwnTypingFirst) {
    Start();
    Type(kHighlight, QStringLiteral("00FF00"));
    Button("cmdSafe")->setFocus();
    Keys(Qt::Key_Z);
    EXPECT_EQ(Highlight(), "FFC600");
    Keys(Qt::Key_Y);
    EXPECT_EQ(Highlight(), "00FF00");
    Keys(Qt::Key_Z);
    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Highlight(), "00FF00");

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
    Keys(Qt::Key_S);  // no file yet: Save As, which asks for a name
    ASSERT_FALSE(toolkit.fileRequests.empty());
    EXPECT_TRUE(toolkit.fileRequests.back().save);
    EXPECT_EQ(Button("cmdReadFile")->toolTip(), QStringLiteral("Ctrl+O"));
    EXPECT_EQ(Button("cmdExit")->toolTip(), QStringLiteral("Ctrl+Q"));
}

// Tab reaches every control of the page in view and of the rest of the window, and goes through
// the page's colour rows as they stand: down a column, then on to the next column.
TEST_F(SafeEditingWindowTest, TabReachesEveryControlAndTheRowsAsTheyStand) {
    Start();
    for (int tab = 0; tab < Tabs()->count(); ++tab) {
        OpenTab(tab);
        std::vector<QWidget*> reachable;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
                reachable.push_back(w->focusProxy() ? w->focusProxy() : w);  // the tabs' bar for the tabs
        ASSERT_FALSE(reachable.empty());
        reachable.front()->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> visited;
        for (int i = 0; i < 500 && QApplication::focusWidget(); ++i) {
            QWidget* at = QApplication::focusWidget();
            if (std::find(visited.begin(), visited.end(), at) != visited.end()) break;
            visited.push_back(at);
            QTest::keyClick(at, Qt::Key_Tab);
        }
        for (QWidget* w : reachable)
            EXPECT_NE(std::find(visited.begin(), visited.end(), w), visited.end())
                << "tab " << tab << ": Tab never reaches " << w->objectName().toStdString();
        QPoint last(-1, -1);
        for (QWidget* w : visited) {
            if (!w->objectName().startsWith(QStringLiteral("txtColor_"))) continue;
            const QPoint at = w->mapTo(window.get(), QPoint(0, 0));
            EXPECT_TRUE(at.x() > last.x() || (at.x() == last.x() && at.y() > last.y()))
                << "tab " << tab << ": " << w->objectName().toStdString() << " out of order";
            last = at;
        }
    }
}
