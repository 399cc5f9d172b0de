// The settings store on QSettings: texts survive a round trip through the INI file exactly,
// sections and keys land where the store names them, and the user's store is Tintora's.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"

// After the core's headers: Qt's keyword macros would clash with names there.
#include <QByteArray>
#include <QtGlobal>

using namespace tintora;
using tintora::test::ReadText;
using tintora::test::TempDir;

TEST(QtSettingsStore, TheUsersStoreIsTintorasAndTextsComeBackExactlyFromItsFile) {
    TempDir dir;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.Path().string()));
    const std::string file = dir / "Tintora/Tintora.conf";
    const std::pair<std::string, std::string> values[] = {
        {"plain", "B52908"}, {"comma", "Smith, John"}, {"blanks", "  padded  "}, {"at", "@odd start"},
        {"quote", "say \"hi\"; done"}, {"backslash", "c:\\themes\\"}, {"unicode", "Åsa Jörg ß"}, {"empty", ""},
    };
    {
        QtSettingsStore store;
        EXPECT_EQ(store.FileName(), file);
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
    const std::string text = ReadText(file);
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
