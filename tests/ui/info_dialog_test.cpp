// The information dialog as a user meets it, alone and run modally by the window's toolkit. What
// each button does to the texts is the dialog model's rule, checked on the core.

#include <gtest/gtest.h>

#include <functional>

#include "model/Theme.h"
#include "settings/UserSettings.h"
#include "text/Texts.h"
#include "ui/InfoDialog.h"
#include "ui/WindowToolkit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tintora;

namespace {

QLineEdit* Box(QWidget& d, int i) { return d.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(i)); }
void Press(QWidget& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}
void Type(QWidget& dialog, int i, const QString& text) {
    Box(dialog, i)->selectAll();
    QTest::keyClicks(Box(dialog, i), text);
}

struct InfoDialogTest : ::testing::Test {
    ThemeInfo info;
    UserSettings settings;
    Texts texts;
};

TEST_F(InfoDialogTest, EachButtonTheCloseBoxAndEscapeReachTheDialogsLogic) {
    const ThemeInfo before{"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    settings.defaultThemeName = "Default";
    struct Case {
        const char* what;
        std::function<void(InfoDialog&)> act;
        bool open, cancelled;
        const char* name;  // in the theme afterwards
        const char* box;   // in the name box afterwards
    };
    const auto press = [](const char* button) { return [button](InfoDialog& d) { Press(d, button); }; };
    const Case cases[] = {
        {"OK", press("cmdOK"), false, false, "typed", "typed"},
        {"Skip", press("cmdSkip"), false, false, "", "typed"},
        {"Cancel", press("cmdCancel"), false, true, "Winter", "typed"},
        {"close box", [](InfoDialog& d) { d.close(); }, false, false, "Winter", "typed"},
        {"Escape", [](InfoDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false, true, "Winter", "typed"},
        {"Use default", press("cmdGetDefault"), true, false, "Winter", "Default"},
        {"Save as default", press("cmdSaveAsDefault"), true, false, "Winter", "typed"},
    };
    for (const Case& c : cases) {
        info = before;
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        EXPECT_FALSE(Box(dialog, 2)->isEnabled()) << "the creator of a saved theme is locked";
        Type(dialog, 0, QStringLiteral("typed"));
        c.act(dialog);
        EXPECT_EQ(dialog.isVisible(), c.open) << c.what;
        EXPECT_EQ(model.Cancelled(), c.cancelled) << c.what;
        EXPECT_EQ(info.name, c.name) << c.what;
        EXPECT_EQ(Box(dialog, 0)->text().toStdString(), c.box) << c.what;
    }
    EXPECT_EQ(settings.defaultThemeName, "typed");
    EXPECT_EQ(settings.defaultCreator, "Dora") << "saved from the locked box";
}

// A new theme: the defaults offered, the creator box open.
TEST_F(InfoDialogTest, TheWindowToolkitRunsTheDialogModallyInTheLanguageInForce) {
    settings.defaultModifiedBy = "Ann";
    settings.defaultCreator = "Bob";
    texts.SetLanguageOffset(kGerman);
    InfoDialogModel model(info, settings, texts);
    QString shown;
    // Runs once the dialog's own event loop is up; dropped with `guard` if it never comes.
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal dialog";
        shown = QStringList({modal->windowTitle(), Box(*modal, 0)->text(), Box(*modal, 1)->text(),
                             Box(*modal, 2)->text()}).join('|');
        EXPECT_TRUE(Box(*modal, 2)->isEnabled());
        // Typed as it will be stored: no quote or "--" can end the text in the document.
        Type(*modal, 2, QStringLiteral("Cid \"C\" --> x"));
        EXPECT_EQ(Box(*modal, 2)->text(), QStringLiteral("Cid 'C' - -> x"));
        Press(*modal, "cmdOK");
    });
    WindowToolkit().RunInfoDialog(model);
    EXPECT_EQ(shown, "Informationen hinzufügen||Ann|Bob");
    EXPECT_EQ(info.modifiedBy, "Ann");
    EXPECT_EQ(info.creator, "Cid 'C' - -> x");
}

}  // namespace
