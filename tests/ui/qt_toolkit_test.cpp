// The Qt toolkit's real dialogs, answered from inside their own modal loops: the message box's
// title, buttons and icon, and the colour chooser's custom colours on confirm and on cancel.

#include <gtest/gtest.h>

#include <functional>

#include "platform/QtToolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTimer>

using namespace tintora;

namespace {

// Runs `answer` on the dialog that the next modal loop shows.
template <class Dialog>
void AnswerNextDialog(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

TEST(QtToolkit, MessageBoxesCarryTheTitleButtonsAndIcon) {
    // Shows a box, checks what it shows, presses `press` and gives back the answer.
    const auto ask = [](const char* title, Buttons buttons, Icon icon, const char* shownTitle,
                        QMessageBox::StandardButtons shownButtons, QMessageBox::Icon shownIcon,
                        QMessageBox::StandardButton press) {
        bool shown = false;
        AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
            shown = true;
            EXPECT_EQ(box.windowTitle(), shownTitle);
            EXPECT_EQ(box.icon(), shownIcon);
            EXPECT_EQ(box.standardButtons(), shownButtons);
            box.button(press)->click();
        });
        const Answer answer = QtToolkit().MessageBox("text", title, buttons, icon);
        EXPECT_TRUE(shown);
        return answer;
    };
    EXPECT_EQ(ask("", Buttons::YesNo, Icon::Warning, "Tintora", QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Warning, QMessageBox::No), Answer::No) << "an empty title";
    EXPECT_EQ(ask("Warning", Buttons::OkCancel, Icon::None, "Warning", QMessageBox::Ok | QMessageBox::Cancel,
                  QMessageBox::NoIcon, QMessageBox::Cancel), Answer::Cancel);
}

TEST(QtToolkit, TheChooserShowsTheCustomColoursAndReturnsThemOnlyOnConfirm) {
    QtToolkit toolkit;
    CustomColourBlock custom{10, 20, 30, 0, 40, 50, 60, 0};
    custom[60] = 255;  // red of custom colour 15
    const CustomColourBlock before = custom;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        QColorDialog::setCustomColor(0, QColor(200, 200, 200));
        dialog.reject();
    });
    EXPECT_FALSE(toolkit.ChooseColour(custom));
    EXPECT_EQ(custom, before) << "cancel keeps even a colour the user defined";

    std::vector<QColor> seen;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        seen = {QColorDialog::customColor(0), QColorDialog::customColor(1), QColorDialog::customColor(15)};
        QColorDialog::setCustomColor(2, QColor(1, 2, 3));  // the user defines a colour
        dialog.setCurrentColor(QColor(0, 0, 255));
        dialog.accept();
    });
    EXPECT_EQ(toolkit.ChooseColour(custom), 0x00FF0000u) << "blue in the lowest-red layout";
    // The dialog did not keep the cancelled colour.
    EXPECT_EQ(seen, (std::vector<QColor>{{10, 20, 30}, {40, 50, 60}, {255, 0, 0}}));
    CustomColourBlock expected = before;
    expected[8] = 1;
    expected[9] = 2;
    expected[10] = 3;
    EXPECT_EQ(custom, expected);
}

}  // namespace
