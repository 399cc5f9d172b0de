// The language list, the number-display toggle and the captions of every control.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "text/ImportTexts.h"
#include "text/LanguageChoice.h"
#include "text/PreviewTexts.h"
#include "text/WindowTexts.h"
#include "ui/FilesTab.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"

namespace tintora {

namespace {

// Tab t shows text kTabCaptions[t].
constexpr std::array<int, 6> kTabCaptions{kTextTabImage, kTextTabMisc, kTextTabPopup,
                                             kTextTabMenu, kTextTabStandby, kTextTabFiles};

}  // namespace

void MainWindow::FillLanguageList(int languageNumber) {
    fillingLanguageList_ = true;
    const Texts& texts = editor_.GetTexts();
    cboLang_->clear();
    for (const std::string& entry : LanguageListEntries(texts))
        cboLang_->addItem(QString::fromStdString(entry));
    cboLang_->setEditable(true);
    cboLang_->setEditText(QString::fromStdString(texts.GetText(languageNumber)));
    ApplyLanguage();
    fillingLanguageList_ = false;
}

void MainWindow::LanguageChoice() {
    if (fillingLanguageList_) return;
    Texts& texts = editor_.GetTexts();
    // The names are compared in the language still in force.
    const int language = MatchLanguage(texts, cboLang_->currentText().toStdString());
    if (const int offset = OffsetForLanguage(language); offset >= 0) texts.SetLanguageOffset(offset);
    FillLanguageList(language);
    ApplyLanguage();
}

void MainWindow::ToggleTextNumbers() {
    Texts& texts = editor_.GetTexts();
    texts.SetShowTextNumbers(!texts.ShowTextNumbers());
    ApplyLanguage();
}

void MainWindow::ApplyLanguage() {
    const Texts& texts = editor_.GetTexts();
    const auto text = [&texts](int number) { return QString::fromStdString(texts.GetText(number)); };

    for (int t = 0; t < tabs_->count(); ++t) tabs_->setTabText(t, text(kTabCaptions[static_cast<std::size_t>(t)]));
    cmdAbout_->setText(text(kTextAbout));
    cmdSafe_->setText(text(kTextSafeCheck));
    cmdExit_->setText(text(kTextExit));
    for (const ElementRow& row : rows_) row.cmdSelect->setText(text(kTextSelect));
    for (int s = 0; s < kSlotCount; ++s) {
        const SlotRow& row = slotRows_[static_cast<std::size_t>(s)];
        row.cmdLoadFile->setText(text(kTextSelect));
        row.cmdImport->setText(text(kTextImport));
        row.lblImage->setText(text(kSlots[static_cast<std::size_t>(s)].LabelNumber()));
        // The ON/OFF and Loaded captions follow the slot's state in the new language.
        ShowSlotCaptions(s);
    }
    for (const GroupDef& group : kGroups) frames_[static_cast<std::size_t>(group.index)]->setTitle(text(group.CaptionNumber()));
    for (const ElementDef& element : kElements)
        rows_[static_cast<std::size_t>(element.index)].lbl->setText(text(element.LabelNumber()));

    lblZoom_->setText(text(kTextZoom));
    chkPhoneColours_->setText(text(kTextPhoneColours));
    preview_.ApplyLanguageTexts(texts);  // the sample texts, then the copies placed again
    previewWidget_->update();
    ShowFindings();  // the contrast lines in the new language
    filesTab_->ApplyLanguage();  // its captions, then the folder list with the parent entry
    ShowHistoryState();  // the Undo and Redo captions and the step names
}

}  // namespace tintora
