#pragma once
// The fit dialog of importing a picture into a slot: the source with its crop window, the way of
// fitting, the bar colour, dithering, and the result at the phone's size and at the preview's
// zoom, updated as anything changes. OK gives the bytes to load; Cancel gives nothing.

#include <QDialog>

#include <functional>
#include <optional>

#include "model/Theme.h"
#include "pictures/SlotPicture.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tintora {

class CropView;
class Texts;

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // The colour chooser for the bar colour: 0xRRGGBB, or nullopt when cancelled.
    using ChooseColourFn = std::function<std::optional<std::uint32_t>(std::uint32_t current)>;

    // `file` is the picture file's bytes, `source` its decoded pixels. A GIF of the slot's size
    // is offered as it is, with "Convert to phone colours" unticked.
    ImportDialog(const Texts& texts, int slot, Bytes file, const RgbaImage& source, const ImportSettings& start,
                 ChooseColourFn chooseColour, QWidget* parent = nullptr);

    // The picture file to load into the slot: the file itself for a GIF of the slot's size that
    // is not converted, otherwise the GIF made from the choices; nullopt if it cannot be made.
    std::optional<Bytes> ResultBytes() const;
    // The result's pixels, as shown.
    const RgbaImage& Result() const { return result_; }
    ImportChoice Choice() const;
    std::optional<CropWindow> Window() const;
    bool KeepsFile() const;  // the file goes in byte for byte

    void SetMode(FitMode mode);
    void SetBar(std::uint32_t bar);

private:
    void UpdateResult();
    ImportSettings Settings() const;

    int slot_;
    Bytes file_;
    RgbaImage source_;  // as PrepareSource gives it
    bool slotSizedGif_;
    std::uint32_t bar_;
    ChooseColourFn chooseColour_;
    RgbaImage result_;
    CropView* cropView_ = nullptr;
    QRadioButton* optCrop_ = nullptr;
    QRadioButton* optFit_ = nullptr;
    QRadioButton* optStretch_ = nullptr;
    QCheckBox* chkDither_ = nullptr;
    QCheckBox* chkConvert_ = nullptr;
    QPushButton* cmdBar_ = nullptr;
    QLabel* result1x_ = nullptr;
    QLabel* resultZoom_ = nullptr;
};

}  // namespace tintora
