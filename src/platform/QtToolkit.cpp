#include "platform/QtToolkit.h"

#include <QColor>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "model/ColourText.h"
#include "platform/QtConvert.h"

namespace tintora {

namespace {

QMessageBox::StandardButtons ButtonsFor(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return QMessageBox::Ok;
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

Answer AnswerFor(int button) {
    switch (button) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return Answer::Ok;
    }
}

// A custom colour is four bytes: red, green, blue and an unused zero.
QColor CustomColourAt(const CustomColourBlock& block, int i) {
    const auto at = [&](int k) { return static_cast<int>(block[static_cast<std::size_t>(4 * i + k)]); };
    return QColor(at(0), at(1), at(2));
}

void StoreCustomColour(CustomColourBlock& block, int i, const QColor& colour) {
    const auto base = static_cast<std::size_t>(4 * i);
    block[base] = static_cast<std::uint8_t>(colour.red());
    block[base + 1] = static_cast<std::uint8_t>(colour.green());
    block[base + 2] = static_cast<std::uint8_t>(colour.blue());
    block[base + 3] = 0;
}

}  // namespace

Answer QtToolkit::MessageBox(const std::string& text, const std::string& title, Buttons buttons,
                             Icon icon) {
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title.empty() ? QString::fromLatin1(kApplicationTitle) : ToQString(title),
                    ToQString(text), ButtonsFor(buttons), parent_);
    box.setWindowModality(Qt::ApplicationModal);
    return AnswerFor(box.exec());
}

Answer QtToolkit::Ask(const std::string& text, const std::vector<Choice>& choices, Answer escape) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), ToQString(text),
                    QMessageBox::NoButton, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<std::pair<QAbstractButton*, Answer>> buttons;
    for (const Choice& choice : choices) {
        const QMessageBox::ButtonRole role = choice.answer == escape ? QMessageBox::RejectRole
                                             : buttons.empty()       ? QMessageBox::AcceptRole
                                                                     : QMessageBox::DestructiveRole;
        QPushButton* button = box.addButton(ToQString(choice.caption), role);
        if (buttons.empty()) box.setDefaultButton(button);
        if (choice.answer == escape) box.setEscapeButton(button);
        buttons.emplace_back(button, choice.answer);
    }
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button) return answer;
    return escape;
}

std::optional<std::string> QtToolkit::FileDialog(const FileDialogRequest& request) {
    const QString filter =
        ToQString(request.extension) + QStringLiteral(" (*.") + ToQString(request.extension) + ')';
    // The save flow asks its own overwrite question, so the dialog must not ask a second one.
    const QString chosen =
        request.save
            ? QFileDialog::getSaveFileName(parent_, ToQString(request.title),
                                           ToQString(request.folder), filter, nullptr,
                                           QFileDialog::DontConfirmOverwrite)
            : QFileDialog::getOpenFileName(parent_, ToQString(request.title),
                                           ToQString(request.folder), filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

std::optional<std::uint32_t> QtToolkit::ChooseColour(CustomColourBlock& custom) {
    const int count = QColorDialog::customCount();
    for (int i = 0; i < count && i < 16; ++i) QColorDialog::setCustomColor(i, CustomColourAt(custom, i));

    QColorDialog dialog(parent_);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;

    for (int i = 0; i < count && i < 16; ++i) StoreCustomColour(custom, i, QColorDialog::customColor(i));
    const QColor chosen = dialog.selectedColor();
    return ToBgr(Rgb{chosen.red(), chosen.green(), chosen.blue()});
}

}  // namespace tintora
