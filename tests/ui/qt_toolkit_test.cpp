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

CustomColourBlock Block(std::initializer_list<std::uint8_t> firstBytes) {
    CustomColourBlock b{};
    std::size_t i = 0;
    for (std::uint8_t v : firstBytes) b[i++] = v;
    return b;
}

TEST(QtToolkit, MessageBoxesCarryTheTitleButtonsAndIcon) {
    QtToolkit toolkit;
    QString title;
    QMessageBox::Icon icon{};
    QMessageBox::StandardButtons buttons{};
    AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        icon = box.icon();
        buttons = box.standardButtons();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(toolkit.MessageBox("Overwrite existing file?", "", Buttons::YesNo, Icon::Warning), Answer::No);
    EXPECT_EQ(title, "Tintora");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);

    AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        icon = box.icon();
        buttons = box.standardButtons();
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(toolkit.MessageBox("text", "Warning", Buttons::OkCancel, Icon::None), Answer::Cancel);
    EXPECT_EQ(title, "Warning");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST(QtToolkit, TheChooserStartsWithTheCustomColoursAndReturnsThemOnConfirm) {
    QtToolkit toolkit;
    CustomColourBlock custom = Block({10, 20, 30, 0, 40, 50, 60, 0});
    custom[60] = 255;  // red of custom colour 15
    QColor seen0, seen1, seen15;
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
    EXPECT_EQ(seen0, QColor(10, 20, 30));
    EXPECT_EQ(seen1, QColor(40, 50, 60));
    EXPECT_EQ(seen15, QColor(255, 0, 0));
    EXPECT_EQ(custom[8], 1);
    EXPECT_EQ(custom[9], 2);
    EXPECT_EQ(custom[10], 3);
    EXPECT_EQ(custom[11], 0);
    EXPECT_EQ(custom[0], 10) << "the others stay";
}

TEST(QtToolkit, CancellingTheChooserLeavesTheCustomColours) {
    QtToolkit toolkit;
    CustomColourBlock custom = Block({9, 8, 7, 0});
    const CustomColourBlock before = custom;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        QColorDialog::setCustomColor(0, QColor(200, 200, 200));
        dialog.reject();
    });
    EXPECT_FALSE(toolkit.ChooseColour(custom));
    EXPECT_EQ(custom, before);
}

}  // namespace
