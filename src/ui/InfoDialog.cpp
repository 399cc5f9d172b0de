#include "ui/InfoDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/QtConvert.h"

namespace tintora {

InfoDialog::InfoDialog(InfoDialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("frmInfo"));
    const InfoDialogCaptions& c = model_.Captions();
    setWindowTitle(ToQString(c.title));

    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        lbl_[i] = new QLabel(ToQString(c.labels[i]), this);
        lbl_[i]->setObjectName(QStringLiteral("lbl_%1").arg(i));
        txt_[i] = new QLineEdit(this);
        txt_[i]->setObjectName(QStringLiteral("txt_%1").arg(i));
        lbl_[i]->setBuddy(txt_[i]);
        grid->addWidget(lbl_[i], i, 0);
        grid->addWidget(txt_[i], i, 1);
        connect(txt_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) { TextEdited(i, text); });
    }
    txt_[InfoDialogModel::kCreator]->setEnabled(model_.CreatorEnabled());
    ShowFields();

    struct ButtonDef {
        const char* name;
        const std::string* caption;
        InfoButton button;
    };
    const std::array<ButtonDef, 5> buttons{{
        {"cmdOK", &c.ok, InfoButton::Ok},
        {"cmdSkip", &c.skip, InfoButton::Skip},
        {"cmdSaveAsDefault", &c.saveAsDefault, InfoButton::SaveAsDefault},
        {"cmdGetDefault", &c.useDefault, InfoButton::UseDefault},
        {"cmdCancel", &c.cancel, InfoButton::Cancel},
    }};
    auto* row = new QHBoxLayout;
    for (const ButtonDef& def : buttons) {
        auto* b = new QPushButton(ToQString(*def.caption), this);
        b->setObjectName(QString::fromLatin1(def.name));
        b->setAutoDefault(false);
        if (def.button == InfoButton::Ok) b->setDefault(true);
        const InfoButton which = def.button;
        connect(b, &QPushButton::clicked, this, [this, which] { Press(which); });
        row->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(row);
}

void InfoDialog::TextEdited(int box, const QString& text) {
    model_.SetField(box, text.toStdString());
    const QString stored = ToQString(model_.Field(box));
    if (stored == text) return;
    // What the user sees is what will be stored; the cursor keeps its place in the text.
    const int cursor = txt_[box]->cursorPosition() + static_cast<int>(stored.size() - text.size());
    txt_[box]->setText(stored);
    txt_[box]->setCursorPosition(cursor);
}

void InfoDialog::keyPressEvent(QKeyEvent* event) {
    // Escape means "stop": like Cancel, not like the close box, which lets the save go on.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Press(InfoButton::Cancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

void InfoDialog::ShowFields() {
    for (int i = 0; i < 3; ++i) txt_[i]->setText(ToQString(model_.Field(i)));
}

void InfoDialog::Press(InfoButton button) {
    if (model_.Press(button)) {
        accept();
        return;
    }
    ShowFields();  // Use default has filled the boxes
}

}  // namespace tintora
