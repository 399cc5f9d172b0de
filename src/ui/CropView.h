#pragma once
// The source picture of the import dialog, scaled to fit the view, with the crop window drawn
// over it. The window moves with the mouse (drag) and the arrow keys (one source pixel; ten with
// Shift) and never leaves the picture.

#include <QImage>
#include <QWidget>

#include "pictures/PictureFit.h"

namespace tintora {

class CropView : public QWidget {
    Q_OBJECT
public:
    explicit CropView(QWidget* parent = nullptr);

    // The picture shown and its crop window (in the picture's pixels); no window draws none.
    void SetSource(const QImage& source);
    void SetWindow(const std::optional<CropWindow>& window);
    const std::optional<CropWindow>& Window() const { return window_; }
    // Source pixels per view pixel.
    double Scale() const;

    QSize sizeHint() const override { return {kViewWidth, kViewHeight}; }

    static constexpr int kViewWidth = 404;
    static constexpr int kViewHeight = 320;

Q_SIGNALS:
    void windowMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF ImageRect() const;  // where the picture is drawn in the view
    void MoveBy(double dx, double dy);

    QImage source_;
    std::optional<CropWindow> window_;
    QPointF dragFrom_;
};

}  // namespace tintora
