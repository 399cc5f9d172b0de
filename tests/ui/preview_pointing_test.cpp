// The preview talks back in the window: the tooltip and Ctrl+click over every visible element in
// both standby states, the context menu, the zoom and its setting, and the findings box's
// contrast line whose fix is one click.

#include <gtest/gtest.h>

#include <set>

#include "colourrules/Contrast.h"
#include "colourrules/PhoneColours.h"
#include "preview/PreviewColours.h"
#include "support/WindowFixture.h"
#include "ui/PreviewPainter.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>

using namespace tintora;

namespace {

class PreviewPointing : public test::WindowFixture {
protected:
    QPlainTextEdit* FindingsBox() const { return Find<QPlainTextEdit>(QStringLiteral("txtSafe")); }
    QString TooltipAt(QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, PreviewOnScreen()->mapToGlobal(at));
        QApplication::sendEvent(PreviewOnScreen(), &help);
        return QToolTip::text();
    }
};

// Every element its own colour, none another's.
QColor Distinct(int e) { return QColor(e + 1, 100 + e, 200 - e); }

TEST_F(PreviewPointing, EveryVisibleElementIsNamedAndCtrlClickSelectsWhereItsColourShows) {
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
            EXPECT_TRUE(TooltipAt(at).contains(QString::fromStdString(ElementName(e)) + ' ' + Distinct(e).name().mid(1).toUpper()))
                << e << ": " << TooltipAt(at).toStdString();
            QTest::mouseClick(PreviewOnScreen(), Qt::LeftButton, Qt::ControlModifier, at);
            EXPECT_TRUE(Caption(e)->font().bold()) << "element " << e;
            EXPECT_EQ(QApplication::focusWidget(), Box(e)) << "element " << e << ", its tab shown";
            selected.insert(e);
        }
    }
    EXPECT_EQ(selected.size(), static_cast<std::size_t>(kElementCount - 1));
}

TEST_F(PreviewPointing, TheContextMenuOffersEveryElementUnderThePointer) {
    Start();
    const QPoint at = test::ItemRect(Model(), "lblPopup_text", 0).center();
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) offered << a->text();
        menu->actions().last()->trigger();
        menu->close();
    });
    Q_EMIT PreviewOnScreen()->customContextMenuRequested(at);
    EXPECT_EQ(offered, QStringList({"Select Popup text", "Select Popup background"}));
    EXPECT_TRUE(Caption(19)->font().bold());
}

TEST_F(PreviewPointing, ZoomIsWholePixelsAndRemembered) {
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
    Click(Button("cmdExit"));
    EXPECT_EQ(store.Read("View", "Zoom"), "1");
}

TEST_F(PreviewPointing, AHardToReadTextGetsAContrastLineWhoseFixIsOneClick) {
    Start();
    Type(4, "123456");
    Type(9, "5C1D0E");
    const QString rules = QString::fromStdString(Core().Findings()).replace("\r\n", "\n");
    const QString box = FindingsBox()->toPlainText();
    ASSERT_TRUE(box.startsWith(rules)) << "the nine rules' findings come first, unchanged";
    EXPECT_TRUE(box.mid(rules.size()).startsWith("Contrast on the phone")) << box.toStdString();

    const QTextCursor link = FindingsBox()->document()->find(QStringLiteral("for Text ("));
    ASSERT_FALSE(link.isNull());
    QTest::mouseClick(FindingsBox()->viewport(), Qt::LeftButton, {}, FindingsBox()->cursorRect(link).center());
    const std::string fixed = Core().Colour(9);
    EXPECT_GE(ContrastRatio(MakeRGB(fixed), PhoneColour(MakeRGB("123456"))), 4.5) << fixed;
    EXPECT_FALSE(FindingsBox()->toPlainText().contains("Text on Background")) << FindingsBox()->toPlainText().toStdString();
}

}  // namespace
