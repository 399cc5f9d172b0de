// The whole editor window used from start to end as a person would: colours typed into the hex
// boxes, six pictures taken in through their Select buttons, the theme saved with Save As, the
// window reset, and the saved file opened again with a click in the file browser. Also the
// picture rows' answers to pictures of the wrong size, to a file that is no picture, and to the
// on/off button, as the rows show them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "model/Catalogue.h"
#include "preview/PreviewLayout.h"
#include "settings/SettingsStore.h"
#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "support/TestGif.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"
#include "workspace/Clock.h"
#include "workspace/Log.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// Readable failure output for texts of widgets.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

using namespace tintora;
using test::RecordingToolkit;
using test::TempDir;
namespace fs = std::filesystem;

namespace {

// The picture size each slot asks for, written out here rather than taken from the program's
// own table, so that a wrong entry there shows.
constexpr std::array<QSize, kSlotCount> kSlotSizes{
    {{101, 80}, {101, 80}, {101, 27}, {101, 20}, {101, 16}, {101, 16}}};

constexpr int kImageTab = 0;
constexpr int kFilesTab = 5;

class WindowRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedHome_ = qgetenv("HOME");
        // The browser starts in the home folder: the temporary folder here.
        qputenv("HOME", QByteArray::fromStdString(dir.Path().string()));
        window = std::make_unique<MainWindow>(toolkit, store, log, dir.Path());
        window->GetEditor().SetClock(clock);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        qputenv("HOME", savedHome_);
    }

    template <class T>
    T* Find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPushButton* Button(const QString& name) const { return Find<QPushButton>(name); }
    QPushButton* Button(const char* name, int i) const { return Button(QString::fromLatin1(name) + QString::number(i)); }
    QLabel* Label(const char* name, int i) const { return Find<QLabel>(QString::fromLatin1(name) + QString::number(i)); }
    HexBox* Box(int i) const { return Find<HexBox>(QStringLiteral("txtColor_%1").arg(i)); }
    QTabWidget* Tabs() const { return Find<QTabWidget>(QStringLiteral("SSTab1")); }
    QListWidget* List() const { return Find<QListWidget>(QStringLiteral("ListFiles")); }
    const Theme& Core() const { return window->GetEditor().GetTheme(); }

    // A click on the caption of tab `index`.
    void OpenTab(int index) {
        QTabBar* bar = Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(Tabs()->currentIndex(), index);
    }
    // Opens the tab that holds `w`.
    void OpenTabOf(QWidget* w) {
        for (int t = 0; t < Tabs()->count(); ++t)
            if (Tabs()->widget(t)->isAncestorOf(w)) return OpenTab(t);
        FAIL() << "no tab holds " << w->objectName().toStdString();
    }

    // Replaces the whole text of hex box `i` by typing, on the tab that shows it.
    void Type(int i, const QString& keys) {
        HexBox* box = Box(i);
        OpenTabOf(box);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, keys);
    }

    // Writes a file into the temporary folder and returns its path.
    std::string File(const std::string& name, const std::string& bytes) {
        test::WriteAll(dir / name, bytes);
        return dir / name;
    }
    // The Select button of `slot` with `path` chosen in the open dialog.
    void Select(int slot, const std::string& path) {
        toolkit.files.push_back(path);
        QTest::mouseClick(Button("cmdLoadFile_", slot), Qt::LeftButton);
    }
    void ClickOnOff(int slot) { QTest::mouseClick(Button("cmdOnOff_", slot), Qt::LeftButton); }

    // The picture shown in the slot's row, and the colour at its middle.
    QPixmap RowPicture(int slot) const { return Label("picture_", slot)->pixmap(); }
    QColor RowColour(int slot) const {
        const QImage image = RowPicture(slot).toImage();
        return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    }

    // The colour the preview paints inside the standby screen's picture.
    QColor StandbyScreenColour() const {
        const PreviewModel& model = window->Preview();
        const int id = model.Find("BackImage", 0);
        EXPECT_GE(id, 0);
        const ItemState& s = model.State(id);
        const int screen = model.Def(id).screen;
        const int x = (ScreenLeft(screen) + s.left + 300) * 2 / kTwipsPerPixel;
        const int y = (ScreenTop(screen) + s.top + 300) * 2 / kTwipsPerPixel;
        return Find<PreviewWidget>(QStringLiteral("preview"))->grab().toImage().pixelColor(x, y);
    }

    TempDir dir;
    FixedClock clock{LocalTime{2026, 12, 7, 14, 5, 9}};
    RecordingToolkit toolkit;
    MemorySettingsStore store;
    Log log{dir.Path() / "log.txt", clock, &toolkit};
    std::unique_ptr<MainWindow> window;

private:
    QByteArray savedHome_;
};

// A colour of its own for every element, none of them its default.
std::string ColourFor(int i) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", (17 + 6 * i) % 256, (250 - 5 * i) % 256, (37 * i + 3) % 256);
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST_F(WindowRoundTripTest, ASavedThemeOpensFromTheBrowserWithEveryColourTextAndPicture) {
    // Colours typed in lower case into every hex box, each on its own tab.
    for (const ElementDef& e : kElements) {
        ASSERT_NE(Upper(ColourFor(e.index)), e.defaultValue) << e.index;
        Type(e.index, QString::fromStdString(ColourFor(e.index)));
        ASSERT_EQ(Box(e.index)->text().toStdString(), Upper(ColourFor(e.index)));
    }

    // Six pictures of the right sizes, each of its own colour, through the Select buttons.
    OpenTab(kImageTab);
    std::array<std::string, kSlotCount> pictures;
    std::array<QColor, kSlotCount> colours;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        colours[slot] = QColor(40 * slot + 20, 200 - 30 * slot, 90);
        pictures[slot] = test::SolidGif(kSlotSizes[slot].width(), kSlotSizes[slot].height(),
                                        static_cast<std::uint8_t>(colours[slot].red()),
                                        static_cast<std::uint8_t>(colours[slot].green()), 90);
        Select(slot, File("picture" + std::to_string(slot) + ".gif", pictures[slot]));
        ASSERT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
    }
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;

    // Save As, with the texts typed into the information dialog and the name without extension.
    OpenTab(kFilesTab);
    toolkit.infoScripts.push_back(test::TypeInfo("Round trip", "Tester", "Maker"));
    toolkit.files.push_back(dir / "trip");
    QTest::mouseClick(Button(QStringLiteral("cmdSaveAs")), Qt::LeftButton);
    ASSERT_TRUE(fs::exists(dir.Path() / "trip.thm"));
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    EXPECT_EQ(toolkit.fileRequests.back().folder, dir.Path().string() + "/");
    const std::string created = MakeCreationStamp(clock.Now());
    EXPECT_EQ(Core().info.created, created);

    // Reset: the default colours, every picture switched off.
    QTest::mouseClick(Button(QStringLiteral("cmdReset")), Qt::LeftButton);
    for (const ElementDef& e : kElements) ASSERT_EQ(Box(e.index)->text().toStdString(), e.defaultValue);
    for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_EQ(Button("cmdOnOff_", slot)->text(), "OFF");
    // Reset keeps the descriptive texts; forget them here so that what the frame shows after
    // opening can only have come from the file.
    window->GetEditor().GetTheme().info = {};
    window->ShowThemeInfo();
    ASSERT_EQ(Label("lblStatus_", 0)->text(), "");

    // The saved theme, clicked in the browser.
    const auto found = List()->findItems(QStringLiteral("trip.thm"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(found.front()).center());
    EXPECT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    EXPECT_TRUE(Button(QStringLiteral("cmdSave"))->isEnabled());

    for (const ElementDef& e : kElements) {
        EXPECT_EQ(Box(e.index)->text().toStdString(), Upper(ColourFor(e.index))) << e.index;
        EXPECT_EQ(Core().colours[e.index], Upper(ColourFor(e.index))) << e.index;
    }
    EXPECT_EQ(Core().info.name, "Round trip");
    EXPECT_EQ(Core().info.modifiedBy, "Tester");
    EXPECT_EQ(Core().info.creator, "Maker");
    EXPECT_EQ(Core().info.created, created);
    EXPECT_EQ(Label("lblStatus_", 0)->text(), "Round trip");
    EXPECT_EQ(Label("lblStatus_", 1)->text(), "Tester");
    EXPECT_EQ(Label("lblStatus_", 2)->text(), "Maker");
    EXPECT_EQ(Label("lblStatus_", 4)->text().toStdString(), created);

    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(Core().slots[slot], SlotState::On) << slot;
        ASSERT_TRUE(Core().members[slot].data) << slot;
        EXPECT_EQ(*Core().members[slot].data, AsBytes(pictures[slot])) << slot;
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
        EXPECT_EQ(Label("lblPicFileName_", slot)->text(), "Loaded") << slot;
        EXPECT_EQ(RowPicture(slot).size(), kSlotSizes[slot]) << slot;
        EXPECT_EQ(RowColour(slot), colours[slot]) << slot;
    }
    EXPECT_EQ(StandbyScreenColour(), colours[0]);
}

TEST_F(WindowRoundTripTest, PictureRowsTakeRightSizesRefuseOthersAndKeepPicturesWhenSwitchedOff) {
    OpenTab(kImageTab);
    const std::string big = test::SolidGif(101, 80, 200, 40, 40);
    const std::string bigPath = File("big.gif", big);
    EXPECT_EQ(Button("cmdLoadFile_", 2)->toolTip(), "101x27") << "the size a slot takes is shown";
    Select(0, bigPath);
    // "Loaded" keeps the room of "Not Loaded", so the tab and the preview beside it keep their
    // places when every row has its picture.
    QLabel* loaded = Label("lblPicFileName_", 0);
    EXPECT_GE(loaded->minimumWidth(), loaded->fontMetrics().horizontalAdvance(QStringLiteral("Not Loaded")));
    Select(1, bigPath);
    EXPECT_TRUE(toolkit.shown.empty());
    for (int slot : {0, 1}) {
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
        EXPECT_EQ(Label("lblPicFileName_", slot)->text(), "Loaded") << slot;
        EXPECT_EQ(RowColour(slot), QColor(200, 40, 40)) << slot;
    }

    // Too tall for the medium title picture: refused, the row as before.
    Select(2, bigPath);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "The image you select is 101x80.\r\nThe image should be:  101x27");
    EXPECT_EQ(toolkit.shown[0].title, "Incorrect image size");
    EXPECT_EQ(Button("cmdOnOff_", 2)->text(), "OFF");
    EXPECT_EQ(Label("lblPicFileName_", 2)->text(), "Not Loaded");
    EXPECT_TRUE(RowPicture(2).isNull());
    EXPECT_EQ(Core().slots[2], SlotState::Empty);

    // A text file named like a picture measures 0x0 and leaves the standby picture in place.
    Select(0, File("notes.gif", "shopping list: bread, milk, GIF89a"));
    ASSERT_EQ(toolkit.shown.size(), 2u);
    EXPECT_EQ(toolkit.shown[1].text, "The image you select is 0x0.\r\nThe image should be:  101x80");
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "ON");
    EXPECT_EQ(*Core().members[0].data, AsBytes(big));
    EXPECT_EQ(StandbyScreenColour(), QColor(200, 40, 40));

    // Off keeps the picture in the row and in memory; on shows it again without asking.
    ClickOnOff(0);
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "OFF");
    EXPECT_EQ(Label("lblPicFileName_", 0)->text(), "Loaded");
    EXPECT_EQ(RowColour(0), QColor(200, 40, 40));
    EXPECT_NE(StandbyScreenColour(), QColor(200, 40, 40)) << "the preview no longer shows it";
    ClickOnOff(0);
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "ON");
    EXPECT_EQ(*Core().members[0].data, AsBytes(big));
    EXPECT_EQ(StandbyScreenColour(), QColor(200, 40, 40));
    EXPECT_EQ(toolkit.fileRequests.size(), 4u) << "no dialog for switching on";
}

}  // namespace
