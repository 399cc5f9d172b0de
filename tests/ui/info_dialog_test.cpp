// The information dialog and the About dialog as a user meets them: typing, the five buttons,
// the close box, the locked creator box, and the dialog run modally by the window's toolkit.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

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
protected:
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
    EXPECT_EQ(Button(dialog, "cmdSaveAsDefault")->text().toStdString(), "Save as default");
    EXPECT_EQ(Button(dialog, "cmdGetDefault")->text().toStdString(), "Use default");
    EXPECT_EQ(Button(dialog, "cmdCancel")->text().toStdString(), "Cancel");

    Type(dialog, 0, QStringLiteral("Summer"));
    Type(dialog, 2, QStringLiteral("Cid"));
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(info.name, "Summer");
    EXPECT_EQ(info.modifiedBy, "Ann");
    EXPECT_EQ(info.creator, "Cid");
    EXPECT_EQ(info.created, "");
    EXPECT_FALSE(model.Cancelled());
}

TEST_F(InfoDialogTest, TheDefaultButtonsKeepTheDialogOpenAndReachTheLockedCreatorBox) {
    info = {"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};
    settings.defaultThemeName = "DefName";
    settings.defaultModifiedBy = "DefMod";
    settings.defaultCreator = "DefCreator";
    InfoDialogModel model(info, settings, texts);
    InfoDialog dialog(model);
    dialog.show();

    EXPECT_EQ(Text(dialog, 2), "Dora");
    EXPECT_FALSE(Box(dialog, 2)->isEnabled());

    Type(dialog, 0, QStringLiteral("Spring"));
    QTest::mouseClick(Button(dialog, "cmdSaveAsDefault"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings.defaultThemeName, "Spring");
    EXPECT_EQ(settings.defaultModifiedBy, "Carl");
    EXPECT_EQ(settings.defaultCreator, "Dora");
    EXPECT_EQ(info.name, "Winter");

    settings.defaultCreator = "Eve";
    QTest::mouseClick(Button(dialog, "cmdGetDefault"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Text(dialog, 0), "Spring");
    EXPECT_EQ(Text(dialog, 2), "Eve");
    EXPECT_FALSE(Box(dialog, 2)->isEnabled());

    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(info.creator, "Eve");
    EXPECT_EQ(info.created, "5.12.2026 9:3:7");
}

TEST_F(InfoDialogTest, SkipCancelAndTheCloseBox) {
    const ThemeInfo before{"Winter", "Carl", "5.12.2026 9:3:7", "Dora"};

    info = before;
    {
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        Type(dialog, 0, QStringLiteral("typed"));
        QTest::mouseClick(Button(dialog, "cmdCancel"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(model.Cancelled());
        EXPECT_EQ(info.name, "Winter");
    }
    {
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        Type(dialog, 0, QStringLiteral("typed"));
        dialog.close();  // the close box
        EXPECT_FALSE(model.Cancelled());
        EXPECT_EQ(info.name, "Winter");
        EXPECT_EQ(info.creator, "Dora");
    }
    {
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);  // Escape is the close box too
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(model.Cancelled());
        EXPECT_EQ(info.name, "Winter");
    }
    {
        InfoDialogModel model(info, settings, texts);
        InfoDialog dialog(model);
        dialog.show();
        QTest::mouseClick(Button(dialog, "cmdSkip"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(info.name, "");
        EXPECT_EQ(info.modifiedBy, "");
        EXPECT_EQ(info.creator, "");
        EXPECT_EQ(info.created, "5.12.2026 9:3:7");
    }
    // Still a theme saved before: the creator box stays locked.
    InfoDialogModel model(info, settings, texts);
    InfoDialog dialog(model);
    EXPECT_FALSE(Box(dialog, 2)->isEnabled());
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
    const auto label = [&](const char* name) {
        auto* l = dialog.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(l, nullptr) << name;
        return l ? l->text() : QString();
    };
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
    EXPECT_TRUE(disclaimer.contains(QStringLiteral("NOT LIABLE")));

    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text().toStdString(), "OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
