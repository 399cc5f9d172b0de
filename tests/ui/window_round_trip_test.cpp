// The whole editor window used from start to end as a person would: colours typed into the hex
// boxes, six pictures taken in through their Select buttons, Save As, Reset, and the saved file
// opened again with a click in the file browser. Also what the picture rows show for pictures
// of the wrong size, a file that is no picture, and the on/off button.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <ostream>

#include "support/WindowFixture.h"

// Readable failure output for texts of widgets.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

using namespace tintora;
namespace fs = std::filesystem;

namespace {

// The picture size each slot asks for, written out here rather than taken from the program's
// own table, so that a wrong entry there shows.
constexpr std::array<QSize, kSlotCount> kSlotSizes{
    {{101, 80}, {101, 80}, {101, 27}, {101, 20}, {101, 16}, {101, 16}}};

constexpr int kImageTab = 0;
constexpr int kFilesTab = 5;

class WindowRoundTripTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Start();
    }
    const Theme& Saved() const { return Core().GetTheme(); }
    // The picture shown in the slot's row, and the colour at its middle.
    QPixmap RowPicture(int slot) const { return Label("picture_", slot)->pixmap(); }
    QColor RowColour(int slot) const {
        const QImage image = RowPicture(slot).toImage();
        return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    }
    QColor StandbyScreenColour() const { return PaintedAt("BackImage", 0, 300, 300); }
};

// A colour of its own for every element, none of them its default, as typed in lower case.
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
    for (const ElementDef& e : kElements) {
        ASSERT_NE(Upper(ColourFor(e.index)), e.defaultValue) << e.index;
        Type(e.index, QString::fromStdString(ColourFor(e.index)));
    }
    OpenTab(kImageTab);
    std::array<std::string, kSlotCount> pictures;
    std::array<QColor, kSlotCount> colours;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        colours[slot] = QColor(40 * slot + 20, 200 - 30 * slot, 90);
        pictures[slot] = test::SolidGif(kSlotSizes[slot].width(), kSlotSizes[slot].height(),
                                        static_cast<std::uint8_t>(colours[slot].red()),
                                        static_cast<std::uint8_t>(colours[slot].green()), 90);
        Select(slot, File("picture" + std::to_string(slot) + ".gif", pictures[slot]));
    }
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;

    // Save As with the texts typed into the information dialog and the name without extension.
    OpenTab(kFilesTab);
    toolkit.infoScripts.push_back(test::TypeInfo("Round trip", "Tester", "Maker"));
    toolkit.files.push_back(dir / "trip");
    Click(Button(QStringLiteral("cmdSaveAs")));
    ASSERT_TRUE(fs::exists(dir.Path() / "trip.thm"));
    ASSERT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    const std::string created = MakeCreationStamp(clock.Now());

    Click(Button(QStringLiteral("cmdReset")));
    for (const ElementDef& e : kElements) ASSERT_EQ(Box(e.index)->text().toStdString(), e.defaultValue);
    for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_EQ(Button("cmdOnOff_", slot)->text(), "OFF");
    // Reset keeps the descriptive texts; forget them so that what shows next came from the file.
    Core().GetTheme().info = {};
    window->ShowThemeInfo();

    const auto found = List()->findItems(QStringLiteral("trip.thm"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(found.front()).center());
    EXPECT_TRUE(toolkit.shown.empty()) << toolkit.shown.front().text;
    EXPECT_TRUE(Button(QStringLiteral("cmdSave"))->isEnabled());

    for (const ElementDef& e : kElements) {
        EXPECT_EQ(Box(e.index)->text().toStdString(), Upper(ColourFor(e.index))) << e.index;
        EXPECT_EQ(Saved().colours[e.index], Upper(ColourFor(e.index))) << e.index;
    }
    const char* const frame[] = {"Round trip", "Tester", "Maker", nullptr, created.c_str()};
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(Label("lblStatus_", i)->text().toStdString(), frame[i]) << i;
    EXPECT_EQ(Saved().info.created, created);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ASSERT_TRUE(Saved().members[slot].data) << slot;
        EXPECT_EQ(*Saved().members[slot].data, AsBytes(pictures[slot])) << slot;
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
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
    Select(1, bigPath);
    EXPECT_TRUE(toolkit.shown.empty());
    for (int slot : {0, 1}) {
        EXPECT_EQ(Button("cmdOnOff_", slot)->text(), "ON") << slot;
        EXPECT_EQ(Label("lblPicFileName_", slot)->text(), "Loaded") << slot;
        EXPECT_EQ(RowColour(slot), QColor(200, 40, 40)) << slot;
    }
    // "Loaded" keeps the room of "Not Loaded", so the preview beside the tab stays put.
    QLabel* loaded = Label("lblPicFileName_", 0);
    EXPECT_GE(loaded->minimumWidth(), loaded->fontMetrics().horizontalAdvance(QStringLiteral("Not Loaded")));

    // Too tall for the medium title picture: refused, the row as before.
    Select(2, bigPath);
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_EQ(toolkit.shown[0].text, "The image you select is 101x80.\r\nThe image should be:  101x27");
    EXPECT_EQ(toolkit.shown[0].title, "Incorrect image size");
    EXPECT_EQ(Button("cmdOnOff_", 2)->text(), "OFF");
    EXPECT_EQ(Label("lblPicFileName_", 2)->text(), "Not Loaded");
    EXPECT_TRUE(RowPicture(2).isNull());

    // A text file named like a picture measures 0x0 and leaves the standby picture in place.
    Select(0, File("notes.gif", "shopping list: bread, milk, GIF89a"));
    ASSERT_EQ(toolkit.shown.size(), 2u);
    EXPECT_EQ(toolkit.shown[1].text, "The image you select is 0x0.\r\nThe image should be:  101x80");
    EXPECT_EQ(*Saved().members[0].data, AsBytes(big));
    EXPECT_EQ(StandbyScreenColour(), QColor(200, 40, 40));

    // Off keeps the picture in the row; on shows it again without asking for a file.
    ClickOnOff(0);
    EXPECT_EQ(Button("cmdOnOff_", 0)->text(), "OFF");
    EXPECT_EQ(Label("lblPicFileName_", 0)->text(), "Loaded");
    EXPECT_EQ(RowColour(0), QColor(200, 40, 40));
    EXPECT_NE(StandbyScreenColour(), QColor(200, 40, 40)) << "the preview no longer shows it";
    ClickOnOff(0);
    EXPECT_EQ(StandbyScreenColour(), QColor(200, 40, 40));
    EXPECT_EQ(toolkit.fileRequests.size(), 4u) << "no dialog for switching on";
}

}  // namespace
