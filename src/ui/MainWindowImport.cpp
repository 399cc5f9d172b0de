// Pictures from any image: the Import buttons, dropped picture files, the fit dialog and the
// preview as the phone shows it.

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <functional>

#include "model/ColourText.h"
#include "platform/PictureDecoder.h"
#include "text/ImportTexts.h"
#include "ui/ImportDialog.h"
#include "ui/MainWindow.h"
#include "ui/PreviewPainter.h"
#include "ui/PreviewPictures.h"
#include "ui/PreviewWidget.h"
#include "workspace/FileBytes.h"
#include "workspace/Log.h"
#include "workspace/Toolkit.h"

namespace tintora {

namespace {

// Theme archives dropped on the window are the desktop's business, not a picture.
bool IsPictureFile(const QString& path) { return !path.endsWith(QStringLiteral(".thm"), Qt::CaseInsensitive); }

// The one local picture file a drag carries, or an empty text.
QString DroppedPicture(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile()) return {};
    const QString path = mime->urls().front().toLocalFile();
    return IsPictureFile(path) ? path : QString();
}

// Routes picture drops on one widget to a slot; `slotAt` names the slot under a point, or -1.
class PictureDropFilter : public QObject {
public:
    PictureDropFilter(QObject* parent, std::function<int(QWidget*, QPoint)> slotAt, std::function<void(int, QString)> drop)
        : QObject(parent), slotAt_(std::move(slotAt)), drop_(std::move(drop)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop))
            return false;
        auto* drag = static_cast<QDropEvent*>(event);
        const QString path = DroppedPicture(drag->mimeData());
        const int slot = path.isEmpty() ? -1 : slotAt_(widget, drag->position().toPoint());
        if (slot < 0) {
            drag->ignore();
            return false;  // the window may still take it
        }
        drag->acceptProposedAction();
        if (event->type() == QEvent::Drop) drop_(slot, path);
        return true;
    }

private:
    std::function<int(QWidget*, QPoint)> slotAt_;
    std::function<void(int, QString)> drop_;
};

}  // namespace

void MainWindow::cmdImport_Click(int slot) {
    if (slot < 0 || slot >= kSlotCount) return;
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter = QString::fromStdString(editor_.GetTexts().GetText(kTextImportFileFilter)) + QStringLiteral(" (") +
                           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    const QString path = QFileDialog::getOpenFileName(this, QString::fromStdString(editor_.GetTexts().GetText(kTextImportTitle)),
                                                      QString::fromStdString(editor_.Settings().browseFolder), filter);
    if (!path.isEmpty()) ImportPictureFile(slot, path.toStdString());
}

bool MainWindow::ImportPictureFile(int slot, const std::string& path) {
    if (slot < 0 || slot >= kSlotCount) return false;
    Toolkit& toolkit = editor_.GetToolkit();
    const auto refuse = [&](const std::string& reason) {
        log_.WriteLog("Picture not imported -->" + path + " -> " + reason, 1);
        toolkit.MessageBox(editor_.GetTexts().GetText(kTextImportUnreadable) + path + "\n" + reason, "", Buttons::Ok,
                           Icon::Warning);
        return false;
    };
    std::optional<Bytes> file = ReadFileBytes(path, kMaxPictureFileBytes + 1);
    if (!file) return refuse("the file cannot be opened");
    const DecodedPicture decoded = DecodePicture(*file);
    if (decoded.image.Empty()) return refuse(decoded.reason);

    const ImportSettings start = SettingsFromChoice(editor_.Settings().imports[static_cast<std::size_t>(slot)],
                                                    editor_.GetTheme(), slot);
    const auto chooseBar = [this](std::uint32_t) -> std::optional<std::uint32_t> {
        const auto bgr = editor_.GetToolkit().ChooseColour(editor_.Settings().customColors);
        if (!bgr) return std::nullopt;
        const Rgb c = FromBgr(*bgr);
        return static_cast<std::uint32_t>(c.red << 16 | c.green << 8 | c.blue);
    };
    ImportDialog dialog(editor_.GetTexts(), slot, std::move(*file), decoded.image, start, chooseBar, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    std::optional<Bytes> picture = dialog.ResultBytes();
    if (!picture) return refuse("the picture cannot be made");
    editor_.Settings().imports[static_cast<std::size_t>(slot)] = dialog.Choice();
    editor_.TakeSlotPicture(slot, std::move(*picture));
    return true;
}

void MainWindow::SetPhoneColours(bool on) {
    if (chkPhoneColours_->isChecked() != on) chkPhoneColours_->setChecked(on);
    previewWidget_->SetPhoneColours(on);
}

void MainWindow::AcceptPictureDrops() {
    const auto drop = [this](int slot, const QString& path) { ImportPictureFile(slot, path.toStdString()); };
    for (int s = 0; s < kSlotCount; ++s) {
        const SlotRow& row = slotRows_[static_cast<std::size_t>(s)];
        auto* filter = new PictureDropFilter(this, [s](QWidget*, QPoint) { return s; }, drop);
        for (QWidget* w : std::initializer_list<QWidget*>{row.lblImage, row.cmdLoadFile, row.cmdImport, row.cmdOnOff,
                                                         row.lblPicFileName, row.picture}) {
            w->setAcceptDrops(true);
            w->installEventFilter(filter);
        }
    }
    // On the preview, the place of a picture holder under the pointer names the slot, whether
    // the slot shows a picture yet or not.
    auto* onPreview = new PictureDropFilter(
        this,
        [this](QWidget*, QPoint at) {
            const double x = at.x() * kTwipsPerPixel / kDefaultPreviewZoom;
            const double y = at.y() * kTwipsPerPixel / kDefaultPreviewZoom;
            for (int id = 0; id < preview_.ItemCount(); ++id) {
                const ItemDef& d = preview_.Def(id);
                const ItemState& s = preview_.State(id);
                if (d.kind != ItemKind::Picture) continue;
                const double left = ScreenLeft(d.screen) + s.left;
                const double top = ScreenTop(d.screen) + s.top;
                if (x >= left && y >= top && x < left + s.width && y < top + s.height) return SlotOfHolder(d.index);
            }
            return -1;
        },
        drop);
    previewWidget_->setAcceptDrops(true);
    previewWidget_->installEventFilter(onPreview);
}

}  // namespace tintora
