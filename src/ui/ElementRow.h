#pragma once
// The widgets of one colour element row (caption, hex box, swatch, Select button) and of one
// picture slot row, built from the catalogue into a group frame's grid.

#include <QColor>
#include <QLabel>
#include <QWidget>

class QGridLayout;
class QPushButton;

namespace tintora {

class HexBox;

// The point size of the element and slot captions while none is selected.
constexpr int kCaptionPoints = 10;

// A caption that reports a click.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The swatch: a small rounded square filled with the element's colour.
class Swatch : public QWidget {
    Q_OBJECT
public:
    explicit Swatch(QWidget* parent = nullptr);
    void SetColour(const QColor& colour);
    QColor Colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::white};
};

struct ElementRow {
    ClickableLabel* lbl = nullptr;
    HexBox* txtColor = nullptr;
    Swatch* shapeSelect = nullptr;
    QPushButton* cmdSelect = nullptr;
};

// Adds element `index`'s row at `row` of `grid`, with object names suffixed by the index.
ElementRow AddElementRow(QGridLayout* grid, int row, int index, QWidget* parent);

struct SlotRow {
    QLabel* lblImage = nullptr;
    QPushButton* cmdLoadFile = nullptr;
    QPushButton* cmdImport = nullptr;  // any image, through the fit dialog
    QPushButton* cmdOnOff = nullptr;
    QLabel* lblPicFileName = nullptr;
    QLabel* picture = nullptr;  // the slot's picture at its own size, or empty
};

// Adds slot `slot`'s row at `row` of `grid` (the caption, Select, ON/OFF, the loaded state and
// the picture itself).
SlotRow AddSlotRow(QGridLayout* grid, int row, int slot, QWidget* parent);

}  // namespace tintora
