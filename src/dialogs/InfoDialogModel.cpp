#include "dialogs/InfoDialogModel.h"

#include "model/InfoText.h"
#include "model/Theme.h"
#include "settings/UserSettings.h"
#include "text/Texts.h"
#include "text/WindowTexts.h"

namespace tintora {

InfoDialogModel::InfoDialogModel(ThemeInfo& info, UserSettings& defaults, const Texts& texts)
    : info_(info), defaults_(defaults) {
    captions_.title = texts.GetText(kTextAddInformation);
    captions_.labels = {texts.GetText(kTextThemeNameLabel), texts.GetText(kTextModifiedByLabel),
                        texts.GetText(kTextCreatedByLabel)};
    captions_.ok = texts.GetText(kTextOk);
    captions_.skip = texts.GetText(kTextSkip);
    captions_.saveAsDefault = texts.GetText(kTextSaveAsDefault);
    captions_.useDefault = texts.GetText(kTextUseDefault);
    captions_.cancel = texts.GetText(kTextCancel);

    if (!info_.created.empty() || !info_.creator.empty()) {
        // A theme saved or opened before keeps its creator: the box shows it but is locked.
        fields_ = {SafeInfoText(info_.name), SafeInfoText(info_.modifiedBy), SafeInfoText(info_.creator)};
        creatorEnabled_ = false;
    } else {
        ShowDefaults();
        creatorEnabled_ = true;
    }
    cancelled_ = false;
}

void InfoDialogModel::ShowDefaults() {
    fields_ = {SafeInfoText(defaults_.defaultThemeName), SafeInfoText(defaults_.defaultModifiedBy),
               SafeInfoText(defaults_.defaultCreator)};
}

void InfoDialogModel::SetField(int box, std::string text) {
    if (box < kName || box > kCreator) return;
    if (box == kCreator && !creatorEnabled_) return;
    fields_[box] = SafeInfoText(text);
}

bool InfoDialogModel::Press(InfoButton button) {
    switch (button) {
        case InfoButton::Ok:
            info_.name = fields_[kName];
            info_.modifiedBy = fields_[kModifiedBy];
            info_.creator = fields_[kCreator];
            return true;
        case InfoButton::Skip:
            // The creation date stays, so the theme still counts as one saved before.
            info_.name.clear();
            info_.modifiedBy.clear();
            info_.creator.clear();
            return true;
        case InfoButton::SaveAsDefault:
            defaults_.defaultThemeName = fields_[kName];
            defaults_.defaultModifiedBy = fields_[kModifiedBy];
            defaults_.defaultCreator = fields_[kCreator];
            return false;
        case InfoButton::UseDefault:
            // Also into a locked creator box; it stays locked.
            ShowDefaults();
            return false;
        case InfoButton::Cancel:
            cancelled_ = true;
            return true;
    }
    return false;
}

}  // namespace tintora
