// Element selection (the captions and the marker arrows) and the colour chooser.

#include <QLabel>

#include "model/ColourText.h"
#include "ui/ElementRow.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"
#include "base/Toolkit.h"

namespace tintora {

namespace {

constexpr int kLongCaptionPoints = 8;
constexpr int kLongCaption = 25;  // characters from which a selected caption is drawn smaller

QPalette CaptionPalette(const QColor& colour) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, colour);
    return palette;
}

void StyleCaption(QLabel* label, bool selected) {
    QFont font = label->font();
    font.setBold(selected);
    font.setPointSize(selected && label->text().size() >= kLongCaption ? kLongCaptionPoints
                                                                       : kCaptionPoints);
    // Captions already in this style are left alone: a font or palette change relays them out.
    if (font != label->font()) label->setFont(font);
    // Two palettes shared by all the captions; each sets the text colour only.
    static const QPalette kPlain = CaptionPalette(QColor(0, 0, 0));
    static const QPalette kSelected = CaptionPalette(QColor(255, 0, 0));
    const QPalette& palette = selected ? kSelected : kPlain;
    const QColor colour = palette.color(QPalette::WindowText);
    if (label->palette().color(QPalette::WindowText) != colour || !label->testAttribute(Qt::WA_SetPalette))
        label->setPalette(palette);
}

}  // namespace

void MainWindow::ClearSelection() {
    for (const ElementRow& row : rows_) StyleCaption(row.lbl, false);
    arrows_.clear();
    previewWidget_->SetArrows({});
}

void MainWindow::lbl_Click(int index) {
    QLabel* caption = rows_[static_cast<std::size_t>(index)].lbl;
    // The selection is read back from the captions: the bold one is the selected one.
    const bool wasSelected = caption->font().bold();
    ClearSelection();
    if (wasSelected) return;  // the hint line keeps its text

    StyleCaption(caption, true);
    hint_->clear();
    const Marks marks = MarksFor(index, editor_.GetTheme(), preview_);
    arrows_ = marks.arrows;
    previewWidget_->SetArrows(arrows_);
    if (marks.hint != 0) hint_->setText(QString::fromStdString(editor_.GetTexts().GetText(marks.hint)));
}

void MainWindow::cmdSelect_Click(int index) {
    const auto chosen = editor_.GetToolkit().ChooseColour(editor_.Settings().customColours);
    if (!chosen) return;
    // Setting the value repaints it and runs the colour rules.
    editor_.SetColour(index, ColourTextFromBgr(*chosen));
}

}  // namespace tintora
