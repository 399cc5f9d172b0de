// Pictures from any image: the Import buttons, the fit dialog and the preview as the phone shows
// it. Dropped picture files reach ImportPictureFile through the window's drop handling.

#include <QCheckBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

#include "model/ColourText.h"
#include "platform/PictureDecoder.h"
#include "text/ImportTexts.h"
#include "ui/ImportDialog.h"
#include "ui/MainWindow.h"
#include "ui/PreviewPainter.h"
#include "ui/PreviewPictures.h"
#include "ui/PreviewWidget.h"
#include "base/FileBytes.h"
#include "base/Log.h"
#include "base/Toolkit.h"

namespace tintora {


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
        const auto bgr = editor_.GetToolkit().ChooseColour(editor_.Settings().customColours);
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

}  // namespace tintora
