#include "ui/ElementRow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "model/Catalogue.h"
#include "ui/HexBox.h"

namespace tintora {

namespace {

QString Indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

}  // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

Swatch::Swatch(QWidget* parent) : QWidget(parent) { setFixedSize(22, 22); }

void Swatch::SetColour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
    painter.setBrush(colour_);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
}

ElementRow AddElementRow(QGridLayout* grid, int row, int index, QWidget* parent) {
    ElementRow r;
    r.lbl = new ClickableLabel(parent);
    r.lbl->setObjectName(Indexed("lbl", index));
    r.lbl->setCursor(Qt::PointingHandCursor);
    r.lbl->setMinimumWidth(150);
    r.txtColor = new HexBox(parent);
    r.txtColor->setObjectName(Indexed("txtColor", index));
    r.shapeSelect = new Swatch(parent);
    r.shapeSelect->setObjectName(Indexed("shapeSelect", index));
    r.cmdSelect = new QPushButton(parent);
    r.cmdSelect->setObjectName(Indexed("cmdSelect", index));
    r.cmdSelect->setAutoDefault(false);

    grid->addWidget(r.lbl, row, 0);
    grid->addWidget(r.txtColor, row, 1);
    grid->addWidget(r.shapeSelect, row, 2, Qt::AlignCenter);
    grid->addWidget(r.cmdSelect, row, 3);
    return r;
}

SlotRow AddSlotRow(QGridLayout* grid, int row, int slot, QWidget* parent) {
    SlotRow r;
    r.lblImage = new QLabel(parent);
    r.lblImage->setObjectName(Indexed("lblImage", slot));
    r.cmdLoadFile = new QPushButton(parent);
    r.cmdLoadFile->setObjectName(Indexed("cmdLoadFile", slot));
    r.cmdLoadFile->setAutoDefault(false);
    r.cmdImport = new QPushButton(parent);
    r.cmdImport->setObjectName(Indexed("cmdImport", slot));
    r.cmdImport->setAutoDefault(false);
    r.cmdOnOff = new QPushButton(parent);
    r.cmdOnOff->setObjectName(Indexed("cmdOnOff", slot));
    r.cmdOnOff->setAutoDefault(false);
    r.lblPicFileName = new QLabel(parent);
    r.lblPicFileName->setObjectName(Indexed("lblPicFileName", slot));
    r.picture = new QLabel(parent);
    r.picture->setObjectName(Indexed("picture", slot));
    // The holder has the slot's own picture size, so an empty one shows what the slot takes.
    const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
    r.picture->setFixedSize(def.width + 2, def.height + 2);
    // The size a picture must have, before the user picks one that gets refused.
    const QString size = QString::fromUtf8(def.sizeText.data(), static_cast<qsizetype>(def.sizeText.size())).trimmed();
    r.picture->setToolTip(size);
    r.cmdLoadFile->setToolTip(size);
    r.picture->setAlignment(Qt::AlignCenter);
    // A thin grey frame on a light ground, set through the palette: a style sheet would pull in
    // Qt's style sheet machinery and slow the first frame.
    r.picture->setFrameShape(QFrame::Box);
    r.picture->setFrameShadow(QFrame::Plain);
    r.picture->setAutoFillBackground(true);
    static const QPalette kHolder = [] {
        QPalette palette;  // the frame and ground only; the rest follows the window
        palette.setColor(QPalette::WindowText, QColor(0xb4, 0xb4, 0xb4));
        palette.setColor(QPalette::Window, QColor(0xfb, 0xfb, 0xfb));
        return palette;
    }();
    r.picture->setPalette(kHolder);
    // The element captions' size: sharing their font leaves one font fewer to load before the
    // window's first frame.
    QFont caption = r.lblImage->font();
    caption.setPointSize(kCaptionPoints);
    r.lblImage->setFont(caption);

    // Level with the buttons beside it.
    r.lblPicFileName->setFixedHeight(r.cmdOnOff->sizeHint().height());
    r.lblPicFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    grid->addWidget(r.lblImage, row, 0, 1, 4);
    auto* load = new QHBoxLayout;
    load->setSpacing(4);
    load->addWidget(r.cmdLoadFile);
    load->addWidget(r.cmdImport);
    grid->addLayout(load, row + 1, 0, Qt::AlignTop);
    grid->addWidget(r.cmdOnOff, row + 1, 1, Qt::AlignTop);
    grid->addWidget(r.lblPicFileName, row + 1, 2, Qt::AlignTop);
    grid->addWidget(r.picture, row + 1, 3, Qt::AlignRight | Qt::AlignTop);
    grid->setRowMinimumHeight(row + 2, 10);  // air between two slots
    return r;
}

}  // namespace tintora
