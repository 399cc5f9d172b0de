#include "ui/PreviewWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/PreviewPainter.h"

namespace tintora {

PreviewWidget::PreviewWidget(const PreviewModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    // Painted at its natural size only: a scaled preview would blur the phone pixels.
    setFixedSize(PreviewSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewWidget::SetPicture(int holder, const QImage& image) {
    if (holder < 0 || holder >= kBackImageCount) return;
    pictures_[static_cast<std::size_t>(holder)] = image;
    update();
}

void PreviewWidget::SetArrows(std::vector<ArrowPlacement> arrows) {
    arrows_ = std::move(arrows);
    update();
}

QSize PreviewWidget::sizeHint() const { return PreviewSize(); }

void PreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    PaintPreview(painter, model_, pictures_, kDefaultPreviewZoom, arrows_);
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int id = HitTestItem(model_, event->position());
    if (id >= 0) Q_EMIT itemClicked(id);
    event->accept();
}

}  // namespace tintora
