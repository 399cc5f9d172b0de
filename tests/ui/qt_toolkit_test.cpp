// The Qt toolkit's real dialogs, answered from inside their own modal loops: the message box's
// title, buttons and icon, and the colour chooser's custom colours on confirm and on cancel.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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
    QtToolkit toolkit;
    int shown = 0;
    AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
        ++shown;
        EXPECT_EQ(box.windowTitle(), "Tintora") << "an empty title";
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(toolkit.MessageBox("text", "", Buttons::YesNo, Icon::Warning), Answer::No);

    AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
        ++shown;
        EXPECT_EQ(box.windowTitle(), "Warning");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(toolkit.MessageBox("text", "Warning", Buttons::OkCancel, Icon::None), Answer::Cancel);
    EXPECT_EQ(shown, 2);
}

TEST(QtToolkit, TheChooserShowsTheCustomColoursAndReturnsThemOnlyOnConfirm) {
    QtToolkit toolkit;
    CustomColourBlock custom{10, 20, 30, 0, 40, 50, 60, 0};
    custom[60] = 255;  // red of custom colour 15
    QColor seen0, seen1, seen15;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        QColorDialog::setCustomColor(0, QColor(200, 200, 200));
        dialog.reject();
    });
    const CustomColourBlock before = custom;
    EXPECT_FALSE(toolkit.ChooseColour(custom));
    EXPECT_EQ(custom, before) << "cancel keeps even a colour the user defined";

    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        seen0 = QColorDialog::customColor(0);
        seen1 = QColorDialog::customColor(1);
        seen15 = QColorDialog::customColor(15);
        QColorDialog::setCustomColor(2, QColor(1, 2, 3));  // the user defines a colour
        dialog.setCurrentColor(QColor(0, 0, 255));
        dialog.accept();
    });
    const auto chosen = toolkit.ChooseColour(custom);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, 0x00FF0000u) << "blue in the lowest-red layout";
    EXPECT_EQ(seen0, QColor(10, 20, 30)) << "the dialog did not keep the cancelled colour";
    EXPECT_EQ(seen1, QColor(40, 50, 60));
    EXPECT_EQ(seen15, QColor(255, 0, 0));
    CustomColourBlock expected = before;
    expected[8] = 1;
    expected[9] = 2;
    expected[10] = 3;
    EXPECT_EQ(custom, expected);
}

}  // namespace
