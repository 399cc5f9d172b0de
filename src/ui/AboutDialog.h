#pragma once
// frmAbout: the version line, the credits and the disclaimer, closed with OK.

#include <QDialog>

namespace tintora {

class Texts;

// The dialog itself, for showing and for tests.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// Shows the About dialog modally over `parent`. Its texts are the same in every language.
void ShowAboutDialog(QWidget* parent, const Texts& texts);

}  // namespace tintora
