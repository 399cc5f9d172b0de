#include "ui/PreviewWidget.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include "ui/PhoneLook.h"
#include "ui/PreviewPainter.h"

namespace tintora {

PreviewWidget::PreviewWidget(const PreviewModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    // Painted at whole zoom factors only: any other scale would blur the phone pixels.
    setFixedSize(PreviewSize(zoom_));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // for the tooltip, which follows the pointer
}

void PreviewWidget::SetZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    setFixedSize(PreviewSize(zoom_));
    updateGeometry();
    update();
}

std::vector<ColourSource> PreviewWidget::SourcesAt(QPoint pixel) const {
    const PreviewPoint p = PointAt(pixel, zoom_);
    if (p.screen < 0) return {};
    return ColoursAt(model_, p.screen, p.x, p.y);
}

int PreviewWidget::ElementAt(QPoint pixel) {
    const std::vector<ColourSource> sources = SourcesAt(pixel);
    if (sources.empty()) return -1;
    // The colour painted there decides between a text and its fill: the point's screen painted
    // afresh, without the arrows that may lie over it. (Painting that one pixel alone would
    // rasterise the scaled text a little differently.)
    const PreviewPoint p = PointAt(pixel, zoom_);
    const QRect screen(Pixels(ScreenLeft(p.screen)), Pixels(ScreenTop(p.screen)), Pixels(kScreenWidth) + 1,
                       Pixels(kScreenHeight) + 1);
    QImage image(screen.size(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.translate(-screen.topLeft());
        PaintPreview(painter, model_, pictures_, zoom_, {}, QRegion(screen));
    }
    const QColor painted = image.pixelColor(pixel - screen.topLeft());
    return PickElement(sources, model_, Rgb{painted.red(), painted.green(), painted.blue()});
}

void PreviewWidget::ShowTip(QPoint pixel, QPoint global) {
    const std::string text = describe_ ? describe_(SourcesAt(pixel)) : std::string();
    if (text.empty()) {
        QToolTip::hideText();
        return;
    }
    const QString tip = QString::fromStdString(text);
    QToolTip::showText(global, tip, this);
    // The tip's window carries the text as its title too, for tools that read windows.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel")) w->setWindowTitle(tip);
}

bool PreviewWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    ShowTip(help->pos(), help->globalPos());
    return true;
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
    // A tip that is up follows the pointer from item to item; Qt alone would leave the first one.
    if (QToolTip::isVisible()) ShowTip(event->position().toPoint(), event->globalPosition().toPoint());
    QWidget::mouseMoveEvent(event);
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

QSize PreviewWidget::sizeHint() const { return PreviewSize(zoom_); }

void PreviewWidget::SetPhoneColours(bool on) {
    phoneColours_ = on;
    update();
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!phoneColours_) {
        painter.fillRect(event->rect(), palette().window());
        PaintPreview(painter, model_, pictures_, zoom_, arrows_, event->region());
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
        PaintPreview(offscreen, model_, pictures_, zoom_, arrows_, event->region());
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
    if (event->modifiers() & Qt::ControlModifier) {
        if (const int element = ElementAt(event->position().toPoint()); element >= 0) Q_EMIT elementPicked(element);
        event->accept();
        return;
    }
    const int id = HitTestItem(model_, event->position(), zoom_);
    if (id >= 0) Q_EMIT itemClicked(id);
    event->accept();
}

}  // namespace tintora
