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
    phonePicturesMade_ = false;
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

void PreviewWidget::MakePhonePictures() {
    for (std::size_t holder = 0; holder < pictures_.size(); ++holder) {
        QImage& phone = phonePictures_[holder];
        const QImage& picture = pictures_[holder];
        // The standby picture's second holder shares the first one's pixels; so does its copy.
        const auto same = std::find_if(pictures_.begin(), pictures_.begin() + static_cast<std::ptrdiff_t>(holder),
                                       [&](const QImage& other) { return other.cacheKey() == picture.cacheKey(); });
        if (same != pictures_.begin() + static_cast<std::ptrdiff_t>(holder)) {
            const auto first = static_cast<std::size_t>(same - pictures_.begin());
            phone = phonePictures_[first];
            translucent_[holder] = translucent_[first];
            continue;
        }
        phone = picture.isNull() ? QImage() : picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        translucent_[holder] = false;
        if (phone.isNull()) continue;
        ShowAsPhone(phone);
        if (phone.format() == QImage::Format_ARGB32)
            for (int y = 0; y < phone.height() && !translucent_[holder]; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(phone.constScanLine(y));
                translucent_[holder] = std::any_of(line, line + phone.width(), [](QRgb px) { return qAlpha(px) != 0 && qAlpha(px) != 255; });
            }
    }
    phonePicturesMade_ = true;
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (!phoneColours_) {
        PaintPreview(painter, model_, pictures_, zoom_, arrows_, event->region());
        return;
    }
    // As the phone's display shows it: fills, lines, borders and pictures in the phone's colours,
    // painted directly. Where colours mix (antialiased captions, pictures with half-clear pixels)
    // the preview is painted off screen in the true colours and those places are snapped pixel
    // by pixel, as the phone shows the mixed colours. The arrows' red and black are phone colours.
    if (!phonePicturesMade_) MakePhonePictures();
    PaintPreview(painter, model_, phonePictures_, zoom_, arrows_, event->region(), {.phoneColours = true, .captions = false});
    // The buffer is kept: a fresh one per paint would cost more in page faults than the painting.
    if (phoneBuffer_.size() != size()) phoneBuffer_ = QImage(size(), QImage::Format_RGB32);
    QRegion mixed;
    {
        QPainter offscreen(&phoneBuffer_);
        offscreen.setClipRegion(event->region());
        offscreen.fillRect(event->rect(), palette().window());
        mixed = PaintPreview(offscreen, model_, pictures_, zoom_, arrows_, event->region());
    }
    mixed = (mixed | PicturePlaces(model_, zoom_, translucent_)).intersected(event->region());
    for (const QRect& area : mixed) {
        ShowAsPhone(phoneBuffer_, area);
        painter.drawImage(area.topLeft(), phoneBuffer_, area);
    }
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
