#pragma once
// The hex box of one colour element: a line edit that takes only hexadecimal digits from the
// keyboard, upper-cases a to f, and shows its text in red while the value is incomplete.

#include <QLineEdit>

namespace tintora {

class HexBox : public QLineEdit {
    Q_OBJECT
public:
    explicit HexBox(QWidget* parent = nullptr);

    // Black for a complete value, red otherwise.
    void SetComplete(bool complete);
    bool IsComplete() const { return complete_; }

    // Replaces the text without a textEdited signal, keeping the cursor where it was.
    void ShowText(const QString& text);

protected:
    // Undo and redo keys stay with the box only while it has typing of its own to take back or
    // do again; otherwise they reach the window and work on the whole theme.
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // The key filter. Only typed characters pass through it: editing keys, shortcuts and pasted
    // text reach the box unfiltered.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool complete_ = true;
};

}  // namespace tintora
