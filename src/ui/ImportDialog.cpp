#include "ui/ImportDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/Catalogue.h"
#include "platform/PictureDecoder.h"
#include "text/ImportTexts.h"
#include "text/Texts.h"
#include "ui/CropView.h"
#include "ui/PreviewPainter.h"

namespace tintora {

namespace {

QString Text(const Texts& texts, int number) { return QString::fromStdString(texts.GetText(number)); }

QPixmap Swatch(std::uint32_t rgb) {
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor::fromRgb(static_cast<QRgb>(rgb)));
    return pixmap;
}

}  // namespace

ImportDialog::ImportDialog(const Texts& texts, int slot, Bytes file, const RgbaImage& source,
                           const ImportSettings& start, ChooseColourFn chooseColour, QWidget* parent)
    : QDialog(parent),
      slot_(slot),
      file_(std::move(file)),
      source_(PrepareSource(source)),
      slotSizedGif_(IsSlotSizedGif(file_, slot)),
      bar_(start.bar & 0xFFFFFF),
      chooseColour_(std::move(chooseColour)) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(Text(texts, kTextImportTitle) + QStringLiteral(" - ") + Text(texts, kSlots[static_cast<std::size_t>(slot)].LabelNumber()));
    setModal(true);

    auto* hint = new QLabel(Text(texts, kTextCropHint), this);
    hint->setWordWrap(true);
    cropView_ = new CropView(this);
    cropView_->SetSource(ToQImage(source_));

    auto* modes = new QGroupBox(this);
    auto* modeLayout = new QVBoxLayout(modes);
    optCrop_ = new QRadioButton(Text(texts, kTextFillAndCrop), modes);
    optFit_ = new QRadioButton(Text(texts, kTextFitInside), modes);
    optStretch_ = new QRadioButton(Text(texts, kTextStretch), modes);
    auto* group = new QButtonGroup(this);
    for (auto [button, name] : {std::pair{optCrop_, "optCrop"}, {optFit_, "optFit"}, {optStretch_, "optStretch"}}) {
        button->setObjectName(QString::fromLatin1(name));
        group->addButton(button);
        modeLayout->addWidget(button);
    }
    chkDither_ = new QCheckBox(Text(texts, kTextDither), this);
    chkDither_->setObjectName(QStringLiteral("chkDither"));
    chkDither_->setChecked(start.dither);
    cmdBar_ = new QPushButton(Text(texts, kTextBarColour), this);
    cmdBar_->setObjectName(QStringLiteral("cmdBar"));
    cmdBar_->setAutoDefault(false);
    chkConvert_ = new QCheckBox(Text(texts, kTextConvertGif), this);
    chkConvert_->setObjectName(QStringLiteral("chkConvert"));
    chkConvert_->setChecked(start.convert);
    chkConvert_->setVisible(slotSizedGif_);

    const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
    result1x_ = new QLabel(this);
    result1x_->setObjectName(QStringLiteral("result1x"));
    result1x_->setFixedSize(def.width, def.height);
    resultZoom_ = new QLabel(this);
    resultZoom_->setObjectName(QStringLiteral("resultZoom"));
    resultZoom_->setFixedSize(static_cast<int>(def.width * kDefaultPreviewZoom), static_cast<int>(def.height * kDefaultPreviewZoom));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Text(texts, kTextPictureSource), this), 0, 0);
    grid->addWidget(cropView_, 1, 0, 5, 1);
    grid->addWidget(hint, 6, 0);
    grid->addWidget(new QLabel(Text(texts, kTextPictureResult), this), 0, 1);
    grid->addWidget(result1x_, 1, 1);
    grid->addWidget(resultZoom_, 2, 1);
    grid->addWidget(modes, 3, 1);
    auto* options = new QVBoxLayout;
    options->addWidget(chkDither_);
    options->addWidget(cmdBar_);
    options->addWidget(chkConvert_);
    options->addStretch(1);
    grid->addLayout(options, 4, 1);
    grid->addWidget(buttons, 7, 0, 1, 2);

    SetMode(start.mode);
    connect(group, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* b) {
        SetMode(b == optFit_ ? FitMode::Fit : b == optStretch_ ? FitMode::Stretch : FitMode::Crop);
    });
    connect(chkDither_, &QCheckBox::toggled, this, [this] { UpdateResult(); });
    connect(chkConvert_, &QCheckBox::toggled, this, [this] { UpdateResult(); });
    connect(cropView_, &CropView::windowMoved, this, [this] { UpdateResult(); });
    connect(cmdBar_, &QPushButton::clicked, this, [this] {
        if (!chooseColour_) return;
        if (const auto chosen = chooseColour_(bar_)) SetBar(*chosen);
    });
    cropView_->setFocus();
}

void ImportDialog::SetMode(FitMode mode) {
    (mode == FitMode::Fit ? optFit_ : mode == FitMode::Stretch ? optStretch_ : optCrop_)->setChecked(true);
    // The crop window starts centred each time fill-and-crop is chosen.
    cropView_->SetWindow(mode == FitMode::Crop
                             ? std::optional(DefaultCropWindow(source_.width, source_.height, kSlots[static_cast<std::size_t>(slot_)].width,
                                                               kSlots[static_cast<std::size_t>(slot_)].height))
                             : std::nullopt);
    UpdateResult();
}

void ImportDialog::SetBar(std::uint32_t bar) {
    bar_ = bar & 0xFFFFFF;
    UpdateResult();
}

bool ImportDialog::KeepsFile() const { return slotSizedGif_ && !chkConvert_->isChecked(); }

ImportSettings ImportDialog::Settings() const {
    const FitMode mode = optFit_->isChecked() ? FitMode::Fit : optStretch_->isChecked() ? FitMode::Stretch : FitMode::Crop;
    return {mode, bar_, chkDither_->isChecked(), chkConvert_->isChecked()};
}

ImportChoice ImportDialog::Choice() const {
    const ImportSettings s = Settings();
    return {s.mode, s.bar, s.dither};
}

std::optional<CropWindow> ImportDialog::Window() const { return cropView_->Window(); }

void ImportDialog::UpdateResult() {
    const bool keep = KeepsFile();
    for (QWidget* w : std::initializer_list<QWidget*>{optCrop_, optFit_, optStretch_, chkDither_, cmdBar_, cropView_})
        w->setEnabled(!keep);
    cmdBar_->setIcon(Swatch(bar_));
    result_ = keep ? source_ : FitToSlot(source_, slot_, Settings(), Window());
    const QImage image = ToQImage(result_);
    result1x_->setPixmap(QPixmap::fromImage(image));
    resultZoom_->setPixmap(QPixmap::fromImage(image.scaled(resultZoom_->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

std::optional<Bytes> ImportDialog::ResultBytes() const {
    if (KeepsFile()) return file_;
    return MakeSlotPicture(source_, slot_, Settings(), Window()).bytes;
}

}  // namespace tintora
