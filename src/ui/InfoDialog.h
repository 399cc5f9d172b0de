#pragma once
// frmInfo, "Add more information": three text boxes and five buttons over the information
// dialog's logic. Created for one opening and discarded afterwards.

#include <QDialog>

#include <array>

#include "dialogs/InfoDialogModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tintora {

class InfoDialog : public QDialog {
    Q_OBJECT
public:
    // Shows `model` as it opened; the buttons run on it. Closing with the close box presses
    // nothing; Escape presses Cancel.
    explicit InfoDialog(InfoDialogModel& model, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Press(InfoButton button);
    void TextEdited(int box, const QString& text);
    // The boxes show the model's texts.
    void ShowFields();

    InfoDialogModel& model_;
    std::array<QLabel*, 3> lbl_{};
    std::array<QLineEdit*, 3> txt_{};
};

}  // namespace tintora
