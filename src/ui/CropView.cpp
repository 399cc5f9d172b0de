#include "ui/CropView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tintora {

CropView::CropView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("cropView"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(kViewWidth, kViewHeight);
}

void CropView::SetSource(const QImage& source) {
    source_ = source;
    update();
}

void CropView::SetWindow(const std::optional<CropWindow>& window) {
    window_ = window;
    setCursor(window_ ? Qt::SizeAllCursor : Qt::ArrowCursor);
    update();
}

QRectF CropView::ImageRect() const {
    if (source_.isNull()) return {};
    const double scale = std::min(static_cast<double>(width()) / source_.width(), static_cast<double>(height()) / source_.height());
    const double w = source_.width() * scale;
    const double h = source_.height() * scale;
    return {(width() - w) / 2, (height() - h) / 2, w, h};
}

double CropView::Scale() const {
    const QRectF r = ImageRect();
    return r.width() > 0 ? source_.width() / r.width() : 1.0;
}

void CropView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().dark());
    if (source_.isNull()) return;
    const QRectF image = ImageRect();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(image, source_);
    if (!window_) return;
    const double k = 1.0 / Scale();
    const QRectF crop(image.left() + window_->x * k, image.top() + window_->y * k, window_->width * k, window_->height * k);
    // What is cut off is dimmed; the window itself has a two-tone frame that shows on any picture.
    QPainterPath outside;
    outside.addRect(image);
    QPainterPath inside;
    inside.addRect(crop);
    p.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 140));
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(crop.adjusted(0, 0, -1, -1));
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawRect(crop.adjusted(0, 0, -1, -1));
}

void CropView::MoveBy(double dx, double dy) {
    if (!window_ || source_.isNull()) return;
    const CropWindow moved = MoveCropWindow(*window_, dx, dy, source_.width(), source_.height());
    if (moved == *window_) return;
    window_ = moved;
    update();
    Q_EMIT windowMoved();
}

void CropView::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position();
    setFocus(Qt::MouseFocusReason);
}

void CropView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF delta = (event->position() - dragFrom_) * Scale();
    dragFrom_ = event->position();
    MoveBy(delta.x(), delta.y());
}

void CropView::keyPressEvent(QKeyEvent* event) {
    const double step = event->modifiers() & Qt::ShiftModifier ? 10.0 : 1.0;
    switch (event->key()) {
        case Qt::Key_Left: MoveBy(-step, 0); break;
        case Qt::Key_Right: MoveBy(step, 0); break;
        case Qt::Key_Up: MoveBy(0, -step); break;
        case Qt::Key_Down: MoveBy(0, step); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace tintora
