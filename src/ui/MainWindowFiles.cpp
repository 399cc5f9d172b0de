// Files that reach the window from outside: a theme named on the command line or dropped on the
// window, and a picture dropped on a slot's row. Each goes through the flow its button uses.

#include <array>

#include <QLabel>
#include <QPushButton>
#include <QRect>

#include "ui/FileDrop.h"
#include "ui/FilesTab.h"
#include "ui/MainWindow.h"

namespace tintora {

void MainWindow::OpenThemeFile(const QString& path) { filesTab_->OpenFile(path.toStdString()); }

void MainWindow::TakeSlotPicture(int slot, const QString& path) {
    editor_.LoadPictureFile(slot, path.toStdString());
}

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
    return -1;
}

void MainWindow::AcceptFileDrops() {
    new FileDrop(*this, {[this](QPoint at) { return SlotRowAt(at); },
                         [this](const QString& path) { OpenThemeFile(path); },
                         [this](int slot, const QString& path) { TakeSlotPicture(slot, path); }});
}

}  // namespace tintora
