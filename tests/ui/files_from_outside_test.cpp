// Files that reach the window from outside: the editor's command line, a theme given to it or
// dropped anywhere on the window, and a picture dropped on a slot's row.

#include <gmock/gmock.h>

#include "support/EditorRig.h"
#include "support/WindowFixture.h"
#include "ui/StartArguments.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace tintora;
namespace fs = std::filesystem;

namespace {

TEST(StartArguments, HelpAndVersionWinThenOneFileAtMostAndNoOtherOption) {
    using A = StartArguments::Action;
    const struct {
        std::vector<std::string> args;
        A action;
        std::string file;
    } cases[] = {
        {{}, A::Run, ""},
        {{"sunset.thm"}, A::Run, "sunset.thm"},
        {{"--", "-x.thm"}, A::Run, "-x.thm"},
        {{"--", "--help"}, A::Run, "--help"},
        {{"a.thm", "--version"}, A::Version, ""},
        {{"--version", "--frobnicate", "--help"}, A::Help, ""},
        {{"--frobnicate"}, A::Usage, ""},
        {{"a.thm", "b.thm"}, A::Usage, ""},
    };
    for (const auto& c : cases) {
        const StartArguments read = ReadStartArguments(c.args);
        const std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(read.action, c.action) << what;
        EXPECT_EQ(read.file, c.file) << what;
        EXPECT_EQ(read.problem.empty(), c.action != A::Usage) << what;
    }
}

class FilesFromOutside : public test::WindowFixture {
protected:
    // Drags the file at `path` onto `target` at `at` and drops it there, delivered as Qt delivers
    // drops: to the nearest widget from `target` upwards that takes drops. True when the drop was
    // taken; what it does runs before this returns.
    bool Drop(QWidget* target, QPoint at, const std::string& path) {
        QWidget* w = target;
        for (; w && !w->acceptDrops(); w = w->parentWidget()) at = w->mapToParent(at);
        if (!w) return false;
        QMimeData mime;
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
        mime.setUrls({url});
        mime.setText(url.toString());  // file managers offer the name as text too
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &enter);
        if (!enter.isAccepted()) return false;
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
        if (!move.isAccepted()) return false;
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
    std::string Selected() const { return List()->currentItem() ? List()->currentItem()->text().toStdString() : ""; }
    SlotState Slot(int s) const { return Core().GetTheme().slots[static_cast<std::size_t>(s)]; }
};

TEST_F(FilesFromOutside, ThemesOpenFromTheirFolderSelectedAndPicturesOnlyOnARowThroughImport) {
    const fs::path themes = dir.Path() / "themes";
    fs::create_directories(themes);
    for (const auto& [name, colour] : {std::pair{"red.thm", "FF0000"}, {"blue.thm", "0000FF"}})
        ASSERT_TRUE(test::WriteThemeFile(log, (themes / name).string(), [&](Theme& t) { t.colours[0] = colour; }));
    Start();

    // Given on the command line: opened in its folder, selected there, Save writes back to it.
    window->OpenThemeFile(QString::fromStdString((themes / "red.thm").string()));
    EXPECT_EQ(Core().Colour(0), "FF0000");
    EXPECT_EQ(Selected(), "red.thm");
    EXPECT_TRUE(Button("cmdSave")->isEnabled());

    // Dropped on the preview (a widget that takes no drops itself) or on a hex box (which takes
    // dragged text), a theme opens the same way.
    EXPECT_TRUE(Drop(PreviewOnScreen(), {5, 5}, (themes / "blue.thm").string()));
    EXPECT_EQ(Core().Colour(0), "0000FF");
    EXPECT_EQ(Selected(), "blue.thm");
    EXPECT_TRUE(Drop(Box(0), {2, 2}, (themes / "red.thm").string()));
    EXPECT_EQ(Box(0)->text().toStdString(), "FF0000");

    // A picture: refused away from the rows; on a row it goes to that slot's Import dialog,
    // which takes a GIF of the slot's size as it is.
    OpenTab(0);
    const std::string medium = dir / "medium.gif";
    test::WriteAll(medium, test::SolidGif(kSlots[2].width, kSlots[2].height, 1, 2, 3));
    EXPECT_FALSE(Drop(PreviewOnScreen(), {5, 5}, medium));
    bool shown = false;
    test::WhenModalShows<QDialog>([](QDialog&) {}, false, &shown);
    EXPECT_TRUE(Drop(Label("picture_", 0), {5, 70}, medium));  // below the row's buttons
    QTest::qWait(50);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Slot(0), SlotState::Empty) << "cancelled";
    test::WhenModalShows<QDialog>([](QDialog&) {}, true, &shown);
    EXPECT_TRUE(Drop(Label("lblPicFileName_", 2), {1, 1}, medium));
    QTest::qWait(50);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Slot(2), SlotState::On);
    EXPECT_EQ(Core().GetTheme().members[2].data, test::ReadBytes(medium));
    EXPECT_TRUE(toolkit.shown.empty());
}

}  // namespace
