// Saving a theme: back to the file selected in the file browser (Save) or under a new name
// (Save As). Both ask for the descriptive texts, build theme.xml in memory and pack it with the
// pictures that are on into the archive. The work folder is never touched.

#include <string>

#include "model/ColourText.h"
#include "text/Texts.h"
#include "text/WindowTexts.h"
#include "base/Clock.h"
#include "editor/Editor.h"
#include "dialogs/FileDialog.h"
#include "base/FileOps.h"
#include "dialogs/InfoDialogModel.h"
#include "base/Log.h"
#include "editor/SaveTheme.h"
#include "base/Toolkit.h"

namespace tintora {

bool Editor::AskThemeInfo() {
    InfoDialogModel dialog(theme_.info, settings_, texts_);
    toolkit_.RunInfoDialog(dialog);
    if (dialog.Cancelled()) return false;
    view_.InfoChanged();
    return true;
}

bool Editor::ConfirmIncompleteColours() {
    // A value that is not six characters is written as it stands and makes the document
    // malformed (the reader takes six characters behind "0x"). The user decides.
    std::string names;
    for (const ElementDef& e : kElements)
        if (!IsCompleteColourText(theme_.colours[e.index]))
            names += "\r\n" + texts_.GetText(e.LabelNumber()) + ": \"" + theme_.colours[e.index] + "\"";
    if (names.empty()) return true;
    return toolkit_.MessageBox(texts_.GetText(kTextIncompleteColours) + names + "\r\n\r\n" +
                                   texts_.GetText(kTextSaveAnyway),
                               texts_.GetText(kTextWarning), Buttons::YesNo, Icon::Warning) == Answer::Yes;
}

Editor::SaveResult Editor::WriteTheme(const std::string& target, const std::string& createdBefore) {
    const SaveResult result = WriteTheme(target);
    if (result == SaveResult::Failed && theme_.info.created != createdBefore) {
        // Nothing was written: the theme keeps the creation date it had.
        theme_.info.created = createdBefore;
        view_.InfoChanged();
    }
    return result;
}

Editor::SaveResult Editor::WriteTheme(const std::string& target) {
    std::string reason;
    if (!SaveTheme(log_, texts_, theme_, target, reason)) {
        log_.WriteLog("Failed to create tar file");
        // The old file is still there; the user learns why the new one is not.
        toolkit_.MessageBox(reason, "", Buttons::Ok, Icon::Warning);
        return SaveResult::Failed;
    }
    view_.ShowThemeInfo();
    return SaveResult::Saved;
}

void Editor::Saved(StepScope& step, const std::string& target) {
    path_ = target;
    step.MarkClean();
}

Editor::SaveResult Editor::Save(const std::string& target) {
    view_.SetBusy(BusyButton::Save, true);
    // The texts typed in the information dialog are a step; a saved theme is unmodified.
    StepScope step(*this, {kTextStepInfo, 0, {}, {}});
    const auto done = [&](SaveResult result) {
        if (result == SaveResult::Saved) Saved(step, target);
        view_.SetBusy(BusyButton::Save, false);
        return result;
    };

    if (toolkit_.MessageBox(texts_.GetText(kTextEraseSavedTheme), texts_.GetText(kTextWarning),
                            Buttons::OkCancel, Icon::Warning) == Answer::Cancel)
        return done(SaveResult::Cancelled);
    if (!ConfirmIncompleteColours()) return done(SaveResult::Cancelled);
    if (!AskThemeInfo()) return done(SaveResult::Cancelled);
    // Saving back keeps the date the theme was first created.
    const std::string createdBefore = theme_.info.created;
    if (theme_.info.created.empty()) {
        theme_.info.created = MakeCreationStamp(clock_->Now());
        view_.InfoChanged();
    }
    return done(WriteTheme(target, createdBefore));
}

Editor::SaveResult Editor::SaveAs() {
    view_.SetBusy(BusyButton::SaveAs, true);
    StepScope step(*this, {kTextStepInfo, 0, {}, {}});
    std::string target;
    const auto done = [&](SaveResult result) {
        if (result == SaveResult::Saved) Saved(step, target);
        view_.SetBusy(BusyButton::SaveAs, false);
        return result;
    };

    if (!ConfirmIncompleteColours()) return done(SaveResult::Cancelled);
    if (!AskThemeInfo()) return done(SaveResult::Cancelled);
    const auto path =
        ShowFileDialog(toolkit_, settings_.browseFolder, "thm", texts_.GetText(kTextCreateTheme), true);
    if (!path) {
        log_.WriteLog("bReadFile is false -> abort Create File");
        return done(SaveResult::Cancelled);
    }
    if (FileExists(log_, *path, "File") &&
        toolkit_.MessageBox(texts_.GetText(kTextOverwriteFile), texts_.GetText(kTextWarning),
                            Buttons::YesNo, Icon::Warning) == Answer::No)
        return done(SaveResult::Cancelled);

    target = *path;
    // A theme saved under a new name is a new theme: it gets a new creation date.
    const std::string createdBefore = theme_.info.created;
    theme_.info.created = MakeCreationStamp(clock_->Now());
    view_.InfoChanged();
    const SaveResult result = WriteTheme(*path, createdBefore);
    view_.UpdateListFiles();
    return done(result);
}

}  // namespace tintora
