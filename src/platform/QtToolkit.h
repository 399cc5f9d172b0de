#pragma once
// The toolkit on Qt's own dialogs: QMessageBox, QFileDialog and QColorDialog, all modal over the
// window given as parent. The window layer derives from it to add its own dialogs.

#include <cstdint>
#include <optional>
#include <string>

#include "base/Toolkit.h"

class QWidget;

namespace tintora {

// The application's title, used by every message box that names no title of its own.
inline constexpr const char* kApplicationTitle = "Tintora";

class QtToolkit : public Toolkit {
public:
    explicit QtToolkit(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the dialogs are modal over; null makes them application-modal top-levels.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    QWidget* ParentWindow() const { return parent_; }

    Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    // A warning box with the program's own button captions; the first is the default button.
    Answer Ask(const std::string& text, const std::vector<Choice>& choices, Answer escape) override;

    // The path exactly as chosen; the extension rule belongs to the caller.
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;

    // Qt's colour chooser with the sixteen custom colours of `custom`; they are copied back only
    // when the user confirms.
    std::optional<std::uint32_t> ChooseColour(CustomColourBlock& custom) override;

private:
    QWidget* parent_;
};

}  // namespace tintora
