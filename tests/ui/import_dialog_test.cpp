// Importing a picture: the fit dialog's live result, crop window and GIF, and the window's Import
// path (OK, Cancel, refusal, drop) and phone-colour preview.

#include <gmock/gmock.h>

#include <QBuffer>
#include <QCheckBox>
#include <QRadioButton>

#include "colourrules/PhoneColours.h"
#include "platform/PictureDecoder.h"
#include "support/WindowFixture.h"
#include "text/ImportTexts.h"
#include "ui/CropView.h"
#include "ui/ImportDialog.h"

using namespace tintora;
using ::testing::HasSubstr;

namespace {

constexpr std::uint32_t kTeal = 0x24B6AA;

// 400 x 200: every column its own colour, so any move of the crop window changes the result.
QImage Wide() {
    QImage img(400, 200, QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x) img.setPixelColor(x, y, QColor(x * 255 / 399, 128, 255 - x * 255 / 399));
    return img;
}

Bytes Png(const QImage& img) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return Bytes(data.begin(), data.end());
}

TEST(ImportDialogTest, TheResultFollowsTheCropWindowTheModeAndTheConvertTick) {
    Texts texts;
    const RgbaImage source = FromQImage(Wide());
    const ImportSettings start{FitMode::Crop, kTeal, true, false};
    ImportDialog dialog(texts, 0, Png(Wide()), source, start, [](std::uint32_t) { return std::optional<std::uint32_t>(0xFF0000); });
    auto* view = dialog.findChild<CropView*>(QStringLiteral("cropView"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(dialog.Result().pixels, FitToSlot(source, 0, start).pixels);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("resultZoom"))->pixmap().size(), QSize(202, 160));

    const CropWindow centred = *dialog.Window();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(dialog.Window()->x, centred.x - 9);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(view, QPoint(250, 150));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(250, 150));
    const CropWindow moved = *dialog.Window();
    EXPECT_NEAR(moved.x, centred.x - 9 + 50 * view->Scale(), 1e-6);
    EXPECT_EQ(moved.y, centred.y);
    EXPECT_EQ(dialog.Result().pixels, FitToSlot(source, 0, start, moved).pixels);
    const auto bytes = dialog.ResultBytes();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(DecodePicture(*bytes).image.pixels, dialog.Result().pixels);

    // Fit inside, with a bar colour from the chooser: the window goes, the bars take the colour.
    dialog.findChild<QRadioButton*>(QStringLiteral("optFit"))->click();
    dialog.findChild<QPushButton*>(QStringLiteral("cmdBar"))->click();
    EXPECT_FALSE(dialog.Window());
    EXPECT_EQ(dialog.Result().At(50, 0), 0xFFFF0000u);
    EXPECT_EQ(dialog.Choice(), (ImportChoice{FitMode::Fit, 0xFF0000, true}));

    // A GIF of the slot's size goes in as it is unless converted.
    const std::string gif = test::SolidGif(101, 80, 0xC0, 0x10, 0x90);
    const Bytes file(gif.begin(), gif.end());
    ImportDialog sized(texts, 1, file, DecodePicture(file).image, start, {});
    auto* convert = sized.findChild<QCheckBox*>(QStringLiteral("chkConvert"));
    EXPECT_FALSE(convert->isHidden());
    EXPECT_FALSE(convert->isChecked());
    EXPECT_EQ(sized.ResultBytes(), file);
    convert->setChecked(true);
    EXPECT_EQ(sized.ResultBytes(), MakeSlotPicture(DecodePicture(file).image, 1, {FitMode::Crop, kTeal, true, true}).bytes);
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("chkConvert"))->isHidden());
}

using ImportWindowTest = test::WindowFixture;

QPointer<QTimer> WhenDialogShows(std::function<void(ImportDialog&)> inDialog, bool ok, bool* shown) {
    return test::WhenModalShows<ImportDialog>(std::move(inDialog), ok, shown);
}

TEST_F(ImportWindowTest, OkLoadsTheSlotAsSelectDoesCancelAndUnreadableFilesChangeNothing) {
    Start();
    EXPECT_EQ(Button("cmdImport_", 2)->text(), QStringLiteral("Import…"));
    const std::string png = dir / "wide.png";
    Wide().save(QString::fromStdString(png));

    bool shown = false;
    WhenDialogShows([](ImportDialog&) {}, false, &shown);
    EXPECT_FALSE(window->ImportPictureFile(0, png));
    EXPECT_TRUE(shown);
    EXPECT_EQ(Core().GetTheme().slots[0], SlotState::Empty);

    Bytes expected;
    WhenDialogShows([&](ImportDialog& d) {
        QTest::keyClick(d.findChild<CropView*>(QStringLiteral("cropView")), Qt::Key_Down);
        d.SetMode(FitMode::Stretch);
        expected = *d.ResultBytes();
    }, true, &shown);
    EXPECT_TRUE(window->ImportPictureFile(0, png));
    EXPECT_TRUE(Core().GetTheme().SlotOn(0));
    EXPECT_EQ(Core().GetTheme().members[0].data, expected);

    // The next import into that slot starts from what was chosen. A drop on the place of a slot's
    // picture in the preview (shown or not) opens it as a drop on the slot's row does.
    for (const auto& [holder, mode] : {std::pair{0, FitMode::Stretch}, std::pair{2, FitMode::Crop}}) {
        FitMode startedWith = FitMode::Fit;
        WhenDialogShows([&](ImportDialog& d) { startedWith = d.Choice().mode; }, true, &shown);
        EXPECT_TRUE(Drop(PreviewOnScreen(), test::ItemRect(Model(), "BackImage", holder).center(), png));
        EXPECT_TRUE(shown) << holder;
        EXPECT_EQ(startedWith, mode) << holder;
        EXPECT_TRUE(Core().GetTheme().SlotOn(holder)) << holder;
    }
    const QPointer<QTimer> watching = WhenDialogShows([&](ImportDialog&) {}, false, &shown);
    Drop(PreviewOnScreen(), test::ItemRect(Model(), "f_calling").center(), png);
    EXPECT_FALSE(shown) << "no picture there";
    delete watching.data();

    // Reading and decoding are the decoder's; a file that fails either is refused with its name.
    test::WriteAll(dir / "cut.png", test::ReadText(png).substr(0, 100));
    for (const std::string& bad : {dir / "cut.png", dir / "missing.png"}) {
        toolkit.shown.clear();
        WhenDialogShows([](ImportDialog&) {}, true, &shown);
        EXPECT_FALSE(window->ImportPictureFile(1, bad));
        QApplication::processEvents();
        EXPECT_FALSE(shown) << bad;
        ASSERT_EQ(toolkit.shown.size(), 1u) << bad;
        EXPECT_THAT(toolkit.shown[0].text, HasSubstr("The picture cannot be imported: " + bad + "\n"));
        EXPECT_EQ(Core().GetTheme().slots[1], SlotState::Empty);
    }
}

TEST_F(ImportWindowTest, ThePhoneColoursToggleRepaintsThePreviewAndKeepsTheHexText) {
    Start();
    Type(4, QStringLiteral("4080C0"));
    auto* phone = Find<QCheckBox>(QStringLiteral("chkPhoneColours"));
    phone->click();
    EXPECT_EQ(PaintedAt("f_calling").rgb() & 0xFFFFFF, PhoneColour(0x4080C0u));
    EXPECT_EQ(Box(4)->text(), QStringLiteral("4080C0"));
    phone->click();
    EXPECT_EQ(PaintedAt("f_calling"), QColor(0x40, 0x80, 0xC0));
}

}  // namespace
