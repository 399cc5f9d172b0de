// The core's services on Qt: the settings store on QSettings, and the toolkit's real dialogs,
// answered from inside their own modal loops.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/QtSettingsStore.h"
#include "platform/QtToolkit.h"
#include "support/TempDir.h"

// After the core's headers: Qt's keyword macros would clash with names there.
#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTimer>

using namespace tintora;

namespace {

TEST(QtSettingsStore, TheUsersStoreIsTintorasAndTextsComeBackExactlyFromItsFile) {
    test::TempDir dir;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.Path().string()));
    const std::pair<std::string, std::string> values[] = {
        {"plain", "B52908"}, {"comma", "Smith, John"}, {"blanks", "  padded  "}, {"at", "@odd start"},
        {"quote", "say \"hi\"; done"}, {"backslash", "c:\\themes\\"}, {"unicode", "Åsa Jörg ß"}, {"empty", ""},
    };
    {
        QtSettingsStore store;
        EXPECT_EQ(store.FileName(), dir / "Tintora/Tintora.conf");
        for (const auto& [key, value] : values) store.Write("Info", key, value);
        store.Write("Last", "37", "0A0B0C");
        EXPECT_TRUE(store.Sync());
    }
    QtSettingsStore again;
    if (saved.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", saved);
    for (const auto& [key, value] : values) EXPECT_EQ(again.Read("Info", key), value) << key;
    EXPECT_FALSE(again.Read("Info", "absent"));
    EXPECT_FALSE(again.Read("Path", "plain")) << "sections are kept apart";
    const std::string text = test::ReadText(dir / "Tintora/Tintora.conf");
    for (const char* line : {"[Info]\n", "\nplain=B52908\n", "[Last]\n37=0A0B0C\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    // A list written by hand reads as one text.
    test::WriteAll(dir / "hand.conf", "[Info]\nCreator=Smith,John\n");
    EXPECT_EQ(QtSettingsStore(dir / "hand.conf").Read("Info", "Creator"), "Smith,John");

    // A store that cannot be written says so, and why.
    std::filesystem::create_directory(dir / "folder.conf");
    QtSettingsStore blocked(dir / "folder.conf");
    blocked.Write("Last", "0", "000000");
    std::string why;
    EXPECT_FALSE(blocked.Flush(why));
    EXPECT_EQ(why, dir / "folder.conf: is a folder");
}

// Runs `answer` on the dialog that the next modal loop shows.
template <class Dialog>
void AnswerNextDialog(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

TEST(QtToolkit, MessageBoxesCarryTheTitleButtonsAndIcon) {
    // Shows a box, checks what it shows, presses `press` and gives back the answer.
    const auto ask = [](const char* title, Buttons buttons, Icon icon, const char* shownTitle,
                        QMessageBox::StandardButtons shownButtons, QMessageBox::Icon shownIcon,
                        QMessageBox::StandardButton press) {
        bool shown = false;
        AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
            shown = true;
            EXPECT_EQ(box.windowTitle(), shownTitle);
            EXPECT_EQ(box.icon(), shownIcon);
            EXPECT_EQ(box.standardButtons(), shownButtons);
            box.button(press)->click();
        });
        const Answer answer = QtToolkit().MessageBox("text", title, buttons, icon);
        EXPECT_TRUE(shown);
        return answer;
    };
    EXPECT_EQ(ask("", Buttons::YesNo, Icon::Warning, "Tintora", QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Warning, QMessageBox::No), Answer::No) << "an empty title";
    EXPECT_EQ(ask("Warning", Buttons::OkCancel, Icon::None, "Warning", QMessageBox::Ok | QMessageBox::Cancel,
                  QMessageBox::NoIcon, QMessageBox::Cancel), Answer::Cancel);
}

TEST(QtToolkit, TheChooserShowsTheCustomColoursAndReturnsThemOnlyOnConfirm) {
    QtToolkit toolkit;
    CustomColourBlock custom{10, 20, 30, 0, 40, 50, 60, 0};
    custom[60] = 255;  // red of custom colour 15
    const CustomColourBlock before = custom;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        QColorDialog::setCustomColor(0, QColor(200, 200, 200));
        dialog.reject();
    });
    EXPECT_FALSE(toolkit.ChooseColour(custom));
    EXPECT_EQ(custom, before) << "cancel keeps even a colour the user defined";

    std::vector<QColor> seen;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        seen = {QColorDialog::customColor(0), QColorDialog::customColor(1), QColorDialog::customColor(15)};
        QColorDialog::setCustomColor(2, QColor(1, 2, 3));  // the user defines a colour
        dialog.setCurrentColor(QColor(0, 0, 255));
        dialog.accept();
    });
    EXPECT_EQ(toolkit.ChooseColour(custom), 0x00FF0000u) << "blue in the lowest-red layout";
    // The dialog did not keep the cancelled colour.
    EXPECT_EQ(seen, (std::vector<QColor>{{10, 20, 30}, {40, 50, 60}, {255, 0, 0}}));
    CustomColourBlock expected{10, 20, 30, 0, 40, 50, 60, 0, 1, 2, 3};
    expected[60] = 255;
    EXPECT_EQ(custom, expected);
}

}  // namespace
