// The preview talks back: the tooltip over every point, selecting an element by pointing at it
// (Ctrl+click or the context menu), the zoom, and the contrast lines of the findings box with
// their one-click fixes.

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>

#include "preview/PreviewColours.h"
#include "text/FillIn.h"
#include "text/PreviewTexts.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"

namespace tintora {

namespace {

const QString kFixScheme = QStringLiteral("fix:");

QString FixLink(const ContrastFix& fix) {
    return kFixScheme + QString::number(fix.element) + QLatin1Char(':') + QString::fromStdString(fix.value);
}

}  // namespace

void MainWindow::ConnectPreview() {
    previewWidget_->SetDescriber([this](const std::vector<ColourSource>& sources) {
        return DescribeColours(sources, editor_.GetTheme(), editor_.GetTexts());
    });
    connect(previewWidget_, &PreviewWidget::elementPicked, this, [this](int element) { SelectElement(element); });
    previewWidget_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(previewWidget_, &QWidget::customContextMenuRequested, this, [this](QPoint at) { ShowPreviewMenu(at); });
    connect(cboZoom_, &QComboBox::activated, this, [this](int index) { SetPreviewZoom(cboZoom_->itemData(index).toInt()); });
    txtSafe_->viewport()->installEventFilter(this);
    txtSafe_->viewport()->setMouseTracking(true);
}

void MainWindow::SelectElement(int index) {
    if (index < 0 || index >= kElementCount) return;
    const ElementRow& row = rows_[static_cast<std::size_t>(index)];
    if (!row.lbl->font().bold()) lbl_Click(index);  // a second click on a caption would deselect it
    for (int t = 0; t < tabs_->count(); ++t)
        if (tabs_->widget(t)->isAncestorOf(row.txtColor)) tabs_->setCurrentIndex(t);
    row.txtColor->setFocus(Qt::MouseFocusReason);
}

void MainWindow::ShowPreviewMenu(QPoint pixel) {
    QMenu menu(this);
    const Texts& texts = editor_.GetTexts();
    for (const ColourSource& s : previewWidget_->SourcesAt(pixel)) {
        if (s.kind == SourceKind::Picture) continue;
        const std::string caption = FillIn(texts.GetText(kTextSelectElement), {ElementName(s.element)});
        const int element = s.element;
        menu.addAction(QString::fromStdString(caption), this, [this, element] { SelectElement(element); });
    }
    if (!menu.isEmpty()) menu.exec(previewWidget_->mapToGlobal(pixel));
}

void MainWindow::SetPreviewZoom(int zoom) {
    previewWidget_->SetZoom(zoom);
    editor_.Settings().previewZoom = previewWidget_->Zoom();
    cboZoom_->setCurrentIndex(cboZoom_->findData(previewWidget_->Zoom()));
}

bool MainWindow::ApplyContrastFix(const QString& link) {
    if (!link.startsWith(kFixScheme)) return false;
    const QStringList parts = link.mid(kFixScheme.size()).split(QLatin1Char(':'));
    bool ok = false;
    const int element = parts.size() == 2 ? parts[0].toInt(&ok) : -1;
    if (!ok || element < 0 || element >= kElementCount || !IsCompleteColourText(parts[1].toStdString())) return false;
    editor_.SetColour(element, parts[1].toStdString());  // repaints and runs the rules, which rewrite the box
    return true;
}

void MainWindow::ShowFindings() {
    QString rules = QString::fromStdString(editor_.Findings());
    rules.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const Texts& texts = editor_.GetTexts();
    const Theme& theme = editor_.GetTheme();
    std::vector<std::pair<QString, ContrastFix>> lines;
    for (const ContrastPair& pair : ContrastPairs(theme, preview_))
        if (pair.HardToRead()) lines.emplace_back(QString::fromStdString(ContrastLine(pair, texts)), FixFor(pair, theme));

    // Most colour changes leave the box as it was; laying it out again costs more than the rules.
    QString shown = rules, links;
    if (!lines.empty()) shown += QString::fromStdString(ContrastHeading(texts));
    for (const auto& [line, fix] : lines) {
        shown += QLatin1Char('\n') + line;
        if (fix.element >= 0) shown += QStringLiteral(". ") + QString::fromStdString(FixText(fix, texts));
        links += FixLink(fix);
    }
    if (shown == txtSafe_->toPlainText() && links == shownLinks_) return;
    shownLinks_ = links;

    txtSafe_->setPlainText(rules);  // the nine rules' findings exactly as they are
    if (lines.empty()) return;
    QTextCursor cursor(txtSafe_->document());
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat plain;
    cursor.insertText(QString::fromStdString(ContrastHeading(texts)), plain);
    for (const auto& [line, fix] : lines) {
        cursor.insertBlock();
        cursor.insertText(line, plain);
        if (fix.element < 0) continue;
        cursor.insertText(QStringLiteral(". "), plain);
        QTextCharFormat link;
        link.setAnchor(true);
        link.setAnchorHref(FixLink(fix));
        link.setForeground(palette().link());
        link.setFontUnderline(true);
        cursor.insertText(QString::fromStdString(FixText(fix, texts)), link);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtSafe_->viewport()) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const bool onLink = txtSafe_->anchorAt(move->position().toPoint()).startsWith(kFixScheme);
        txtSafe_->viewport()->setCursor(onLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* click = static_cast<QMouseEvent*>(event);
        if (click->button() == Qt::LeftButton && ApplyContrastFix(txtSafe_->anchorAt(click->position().toPoint())))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tintora
