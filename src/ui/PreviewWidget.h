#pragma once
// The phone preview on the window: paints the preview model through PaintPreview at a whole
// zoom factor (1 to 4, 2 at first), reports which preview item was clicked and which element was
// picked with Ctrl+click, and shows over any point what colours it. It holds the decoded pictures
// and the arrows to draw; the model belongs to the window.

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "preview/Marks.h"
#include "preview/PreviewColours.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"
#include "ui/PreviewPainter.h"

namespace tintora {

class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    PreviewWidget(const PreviewModel& model, QWidget* parent = nullptr);

    // The picture of holder 0..6; a null image hides nothing, the model decides visibility.
    void SetPicture(int holder, const QImage& image);
    const QImage& Picture(int holder) const { return pictures_[static_cast<std::size_t>(holder)]; }
    void SetArrows(std::vector<ArrowPlacement> arrows);
    // Paints every pixel in the phone's 256 colours (off: as the desktop shows the colours).
    void SetPhoneColours(bool on);
    bool PhoneColours() const { return phoneColours_; }

    // Around a change of the model: remembers every item's state, then repaints only the screens
    // holding an item that differs afterwards. Painting all thirteen screens costs far more than
    // a colour change itself.
    void BeginChange();
    void UpdateChangedScreens();

    QSize sizeHint() const override;

    // Phone pixels per screen pixel; out-of-range factors are brought into 1..4.
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 4;
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }

    // What colours the point at `pixel` (widget coordinates), topmost first.
    std::vector<ColourSource> SourcesAt(QPoint pixel) const;
    // The element a Ctrl+click at `pixel` picks: the one whose colour is painted there; -1 none.
    int ElementAt(QPoint pixel);
    // Turns the sources under the pointer into the tooltip's text; none set, no tooltip.
    void SetDescriber(std::function<std::string(const std::vector<ColourSource>&)> describe) {
        describe_ = std::move(describe);
    }

Q_SIGNALS:
    // The id of the preview item under a plain left click (see PreviewModel::Def).
    void itemClicked(int id);
    // The element under a Ctrl+left click.
    void elementPicked(int element);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Shows the tooltip for `pixel` at `global`, or hides it where nothing is named.
    void ShowTip(QPoint pixel, QPoint global);

    int Pixels(int twips) const { return twips * zoom_ / kTwipsPerPixel; }

    const PreviewModel& model_;
    int zoom_ = static_cast<int>(kDefaultPreviewZoom);
    std::function<std::string(const std::vector<ColourSource>&)> describe_;
    std::array<QImage, kBackImageCount> pictures_;
    std::vector<ArrowPlacement> arrows_;
    std::vector<ItemState> before_;
    // The pictures in the phone's colours, made when first painted so after a change of picture,
    // and which of them have pixels neither clear nor opaque (they mix with what lies below).
    void MakePhonePictures();
    bool phoneColours_ = false;
    bool phonePicturesMade_ = false;
    std::array<QImage, kBackImageCount> phonePictures_;
    std::array<bool, kBackImageCount> translucent_{};
    QImage phoneBuffer_;  // where the places that mix colours are painted before they are snapped
};

}  // namespace tintora
