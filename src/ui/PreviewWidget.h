#pragma once
// The phone preview on the window: paints the preview model through PaintPreview at zoom 2 and
// reports which preview item was clicked. It holds the decoded pictures and the arrows to draw;
// the model belongs to the window.

#include <QImage>
#include <QWidget>

#include <array>
#include <vector>

#include "preview/Marks.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"

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

Q_SIGNALS:
    // The id of the preview item under a left click (see PreviewModel::Def).
    void itemClicked(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const PreviewModel& model_;
    std::array<QImage, kBackImageCount> pictures_;
    std::vector<ArrowPlacement> arrows_;
    std::vector<ItemState> before_;
    bool phoneColours_ = false;
    QImage phoneBuffer_;  // where the preview is painted before it is snapped to phone colours
};

}  // namespace tintora
