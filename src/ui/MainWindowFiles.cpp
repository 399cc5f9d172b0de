// Files that reach the window from outside: a theme named on the command line or dropped on the
// window, and a picture dropped on a slot's row or its place in the preview. Each goes through
// the flow its button uses (Import for pictures).

#include <array>

#include <QLabel>
#include <QPushButton>
#include <QRect>

#include "ui/FileDrop.h"
#include "ui/FilesTab.h"
#include "ui/MainWindow.h"
#include "ui/PreviewPictures.h"
#include "ui/PreviewWidget.h"

namespace tintora {

void MainWindow::OpenThemeFile(const QString& path) { filesTab_->OpenFile(path.toStdString()); }

void MainWindow::TakeSlotPicture(int slot, const QString& path) { ImportPictureFile(slot, path.toStdString()); }

int MainWindow::SlotRowAt(QPoint globalPos) const {
    for (int s = 0; s < kSlotCount; ++s) {
        const SlotRow& row = slotRows_[static_cast<std::size_t>(s)];
        if (!row.cmdLoadFile->isVisible()) continue;
        // The row's band: from the top of its highest widget to the bottom of its lowest, across
        // the whole frame, so that the gaps between the widgets count too.
        QWidget* frame = row.cmdLoadFile->parentWidget();
        QRect band;
        const std::array<const QWidget*, 5> parts{row.lblImage, row.cmdLoadFile, row.cmdOnOff,
                                                  row.lblPicFileName, row.picture};
        for (const QWidget* w : parts)
            if (w->isVisible()) band |= w->geometry();
        band.setLeft(0);
        band.setRight(frame->width() - 1);
        if (band.contains(frame->mapFromGlobal(globalPos))) return s;
    }
    // In the preview, the place of a picture holder names its slot.
    const QPoint at = previewWidget_->mapFromGlobal(globalPos);
    if (!previewWidget_->isVisible() || !previewWidget_->rect().contains(at)) return -1;
    const double x = at.x() * kTwipsPerPixel / previewWidget_->Zoom();
    const double y = at.y() * kTwipsPerPixel / previewWidget_->Zoom();
    for (int id = 0; id < preview_.ItemCount(); ++id) {
        const ItemDef& d = preview_.Def(id);
        const ItemState& s = preview_.State(id);
        if (d.kind != ItemKind::Picture) continue;
        const double left = ScreenLeft(d.screen) + s.left, top = ScreenTop(d.screen) + s.top;
        if (x >= left && y >= top && x < left + s.width && y < top + s.height) return SlotOfHolder(d.index);
    }
    return -1;
}

void MainWindow::AcceptFileDrops() {
    new FileDrop(*this, {[this](QPoint at) { return SlotRowAt(at); },
                         [this](const QString& path) { OpenThemeFile(path); },
                         [this](int slot, const QString& path) { TakeSlotPicture(slot, path); }});
}

}  // namespace tintora
