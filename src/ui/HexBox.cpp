#include "ui/HexBox.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPalette>
#include <QSignalBlocker>

#include <optional>

#include "model/ColourText.h"

namespace tintora {

namespace {

// A palette that sets the text colour only; every other role follows the window's.
QPalette TextColourPalette(const QColor& colour) {
    QPalette palette;
    palette.setColor(QPalette::Text, colour);
    return palette;
}

// Room for seven digits, so that a seventh typed character is still in view.
int BoxWidth(const QFont& font) { return QFontMetrics(font).horizontalAdvance(QStringLiteral("0000000")) + 14; }

}  // namespace

HexBox::HexBox(QWidget* parent) : QLineEdit(parent) {
    // One width for all 38 boxes: measuring per box slows the start-up. The window's font is
    // loaded anyway; its digits are at least as wide as those of the fixed-pitch font.
    static const int width = BoxWidth(font());
    setFixedWidth(width);
    setAlignment(Qt::AlignCenter);
    SetComplete(true);
}

bool HexBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combo = key->keyCombination();
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          combo == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
                          combo == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
        if ((undo && !isUndoAvailable()) || (redo && !isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void HexBox::showEvent(QShowEvent* event) {
    // The boxes sit on tabs that are hidden at start-up, so their fixed-pitch font is loaded when
    // the first of them shows instead of before the window's first frame. Nothing else sets a
    // box's own font.
    if (!testAttribute(Qt::WA_SetFont)) {
        static const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        static const int width = BoxWidth(font);
        setFont(font);
        if (width > this->width()) setFixedWidth(width);
    }
    QLineEdit::showEvent(event);
}

void HexBox::SetComplete(bool complete) {
    if (complete == complete_ && testAttribute(Qt::WA_SetPalette)) return;  // a palette change relays out
    complete_ = complete;
    // Two palettes shared by all 38 boxes instead of a copy made and changed per box.
    static const QPalette kComplete = TextColourPalette(QColor(0, 0, 0));
    static const QPalette kIncomplete = TextColourPalette(QColor(255, 0, 0));
    setPalette(complete ? kComplete : kIncomplete);
}

void HexBox::ShowText(const QString& text) {
    if (text == this->text()) return;
    const QSignalBlocker block(this);
    const int cursor = cursorPosition();
    setText(text);
    setCursorPosition(qMin(cursor, static_cast<int>(text.size())));
}

void HexBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    // No text, a control character (Backspace among them) or a Ctrl chord: an editing key or
    // a shortcut such as paste, which the box handles unfiltered.
    const bool chord = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (chord || text.size() != 1 || text.front().unicode() < 0x20 || text.front().unicode() == 0x7f) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t typed = text.front().unicode();
    const auto key = typed < 0x80 ? FilterHexKey(static_cast<char>(typed)) : std::nullopt;
    if (!key) {
        event->accept();  // discarded: the box does not change
        return;
    }
    QKeyEvent filtered(event->type(), event->key(), event->modifiers(), QString(QChar(*key)),
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
    QLineEdit::keyPressEvent(&filtered);
}

}  // namespace tintora
