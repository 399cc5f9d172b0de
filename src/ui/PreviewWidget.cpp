#include "ui/PreviewWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/PhoneLook.h"
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

namespace {

bool SameLook(const ItemState& a, const ItemState& b) {
    return a.text == b.text && a.back == b.back && a.border == b.border && a.transparent == b.transparent &&
           a.visible == b.visible && a.left == b.left && a.top == b.top && a.width == b.width &&
           a.height == b.height && a.fontSize == b.fontSize && a.bold == b.bold && a.caption == b.caption;
}

int Pixels(int twips) { return static_cast<int>(twips * kDefaultPreviewZoom / kTwipsPerPixel); }

}  // namespace

void PreviewWidget::BeginChange() {
    // A hidden preview paints everything when it shows; there is nothing to narrow down.
    if (!isVisible()) {
        before_.clear();
        return;
    }
    before_.resize(static_cast<std::size_t>(model_.ItemCount()));
    for (int id = 0; id < model_.ItemCount(); ++id) before_[static_cast<std::size_t>(id)] = model_.State(id);
}

void PreviewWidget::UpdateChangedScreens() {
    if (!isVisible()) return;
    if (static_cast<int>(before_.size()) != model_.ItemCount()) {
        update();
        return;
    }
    std::array<bool, kScreenCount> dirty{};
    for (int id = 0; id < model_.ItemCount(); ++id)
        if (!SameLook(before_[static_cast<std::size_t>(id)], model_.State(id)))
            dirty[static_cast<std::size_t>(model_.Def(id).screen)] = true;
    for (int s = 0; s < kScreenCount; ++s)
        if (dirty[static_cast<std::size_t>(s)])
            update(Pixels(ScreenLeft(s)), Pixels(ScreenTop(s)), Pixels(kScreenWidth) + 1, Pixels(kScreenHeight) + 1);
}

QSize PreviewWidget::sizeHint() const { return PreviewSize(); }

void PreviewWidget::SetPhoneColours(bool on) {
    phoneColours_ = on;
    update();
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!phoneColours_) {
        painter.fillRect(event->rect(), palette().window());
        PaintPreview(painter, model_, pictures_, kDefaultPreviewZoom, arrows_, event->region());
        return;
    }
    // Painted off screen, then the screens snapped pixel by pixel: text edges and pictures too,
    // as the phone's display would show them. The arrows' red and black are phone colours. The
    // buffer is kept: a fresh one per paint would cost more in page faults than the painting.
    if (phoneBuffer_.size() != size()) phoneBuffer_ = QImage(size(), QImage::Format_RGB32);
    {
        QPainter offscreen(&phoneBuffer_);
        offscreen.setClipRegion(event->region());
        offscreen.fillRect(event->rect(), palette().window());
        PaintPreview(offscreen, model_, pictures_, kDefaultPreviewZoom, arrows_, event->region());
    }
    for (const QRect& area : event->region())
        for (int s = 0; s < kScreenCount; ++s) {
            const QRect screen(Pixels(ScreenLeft(s)), Pixels(ScreenTop(s)), Pixels(kScreenWidth), Pixels(kScreenHeight));
            const QRect part = screen.intersected(area);
            if (!part.isEmpty()) ShowAsPhone(phoneBuffer_, part);
        }
    for (const QRect& area : event->region()) painter.drawImage(area.topLeft(), phoneBuffer_, area);
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
