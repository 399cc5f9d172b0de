// The information dialog and the About dialog as a user meets them: typing, the five buttons,
// the close box, the locked creator box, and the dialog run modally by the window's toolkit.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "model/Theme.h"
#include "settings/UserSettings.h"
#include "text/Texts.h"
#include "ui/AboutDialog.h"
#include "ui/InfoDialog.h"
#include "ui/WindowToolkit.h"
#include "workspace/InfoDialogModel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tintora;

namespace {

class InfoDialogTest : public ::testing::Test {
public:
    ThemeInfo info;
    UserSettings settings;
    Texts texts;

    static QLineEdit* Box(QWidget& dialog, int i) {
        auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(i));
        EXPECT_NE(box, nullptr) << i;
        return box;
    }
    static QPushButton* Button(QWidget& dialog, const char* name) {
        auto* b = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    static std::string Text(QWidget& dialog, int i) { return Box(dialog, i)->text().toStdString(); }
    static void Type(QWidget& dialog, int i, const QString& text) {
        Box(dialog, i)->selectAll();
        QTest::keyClicks(Box(dialog, i), text);
    }
};

TEST_F(InfoDialogTest, ANewThemeOffersTheDefaultsAndOkTakesWhatWasTyped) {
    settings.defaultModifiedBy = "Ann";
    settings.defaultCreator = "Bob";
    InfoDialogModel model(info, settings, texts);
    InfoDialog dialog(model);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Add more information");
    EXPECT_EQ(Text(dialog, 0), "");
    EXPECT_EQ(Text(dialog, 1), "Ann");
    EXPECT_EQ(Text(dialog, 2), "Bob");
    EXPECT_TRUE(Box(dialog, 2)->isEnabled());

    Type(dialog, 0, QStringLiteral("Summer"));
    Type(dialog, 2, QStringLiteral("Cid"));
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(info.name, "Summer");
    EXPECT_EQ(info.creator, "Cid");
    EXPECT_FALSE(model.Cancelled());
}

TEST_F(InfoDialogTest, TheDefaultButtonsKeepTheDialogOpenAndReachTheLockedCreatorBox) {
    info = {"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    InfoDialogModel model(info, settings, texts);
    InfoDialog dialog(model);
    dialog.show();
    EXPECT_EQ(Text(dialog, 2), "Dora");
    EXPECT_FALSE(Box(dialog, 2)->isEnabled());

    Type(dialog, 0, QStringLiteral("Spring"));
    QTest::mouseClick(Button(dialog, "cmdSaveAsDefault"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings.defaultThemeName, "Spring");
    EXPECT_EQ(settings.defaultCreator, "Dora");
    EXPECT_EQ(info.name, "Winter");

    settings.defaultCreator = "Eve";
    QTest::mouseClick(Button(dialog, "cmdGetDefault"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Text(dialog, 2), "Eve");
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(info.creator, "Eve");
}

TEST_F(InfoDialogTest, CancelTheCloseBoxEscapeAndSkipEachCloseTheDialog) {
    const ThemeInfo before{"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    struct Case {
        const char* what;
        std::function<void(InfoDialog&)> close;
        bool cancelled;
        ThemeInfo after;
    };
    const Case cases[] = {
        {"Cancel", [](InfoDialog& d) { QTest::mouseClick(Button(d, "cmdCancel"), Qt::LeftButton); }, true, before},
        {"close box", [](InfoDialog& d) { d.close(); }, false, before},
        {"Escape", [](InfoDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false, before},
        {"Skip", [](InfoDialog& d) { QTest::mouseClick(Button(d, "cmdSkip"), Qt::LeftButton); }, false,
         {"", "", "5.12.2026 9:3:7", ""}},
    };
    for (const Case& c : cases) {
        info = before;
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        Type(dialog, 0, QStringLiteral("typed"));
        c.close(dialog);
        EXPECT_FALSE(dialog.isVisible()) << c.what;
        EXPECT_EQ(model.Cancelled(), c.cancelled) << c.what;
        EXPECT_EQ(info.name, c.after.name) << c.what;
        EXPECT_EQ(info.creator, c.after.creator) << c.what;
    }
}

TEST_F(InfoDialogTest, TheWindowToolkitRunsTheDialogModallyInTheLanguageInForce) {
    texts.SetLanguageOffset(kGerman);
    InfoDialogModel model(info, settings, texts);
    WindowToolkit toolkit;
    std::string title;
    // Runs once the dialog's own event loop is up; dropped with `guard` if it never comes.
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            ADD_FAILURE() << "no modal dialog";
            return;
        }
        title = modal->windowTitle().toStdString();
        Type(*modal, 0, QStringLiteral("Sommer"));
        QTest::mouseClick(Button(*modal, "cmdOK"), Qt::LeftButton);
    });
    toolkit.RunInfoDialog(model);
    EXPECT_EQ(title, "Informationen hinzufügen");
    EXPECT_EQ(info.name, "Sommer");
}

TEST(AboutDialog, VersionCreditsDisclaimerAndOk) {
    AboutDialog dialog;
    dialog.show();
    const auto label = [&](const char* name) { return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text(); };
    EXPECT_EQ(dialog.windowTitle().toStdString(), "About Tintora");
    EXPECT_EQ(label("lblVersion").toStdString(), "Version 4.2.5");
    const QStringList credits = label("lblDescription").split(QLatin1Char('\n'));
    ASSERT_EQ(credits.size(), 3);
    EXPECT_TRUE(credits[0].startsWith(QStringLiteral("Programming")));
    EXPECT_TRUE(credits[1].startsWith(QStringLiteral("German translation")));
    EXPECT_TRUE(credits[2].contains(QStringLiteral("ideas")));
    const QString disclaimer = label("lblDisclaimer");
    EXPECT_EQ(disclaimer, disclaimer.toUpper());
    EXPECT_TRUE(disclaimer.contains(QStringLiteral("WITHOUT WARRANTY")));
    QTest::mouseClick(InfoDialogTest::Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
