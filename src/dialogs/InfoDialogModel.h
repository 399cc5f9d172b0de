#pragma once
// The information dialog ("Add more information") without its widgets: what it shows when it
// opens, what each of its buttons does to the theme's descriptive texts and to the defaults, and
// whether the user left it with Cancel. The window binds its text boxes and buttons to this; the
// tests press the buttons directly.

#include <array>
#include <string>

namespace tintora {

class Texts;
struct ThemeInfo;
struct UserSettings;

enum class InfoButton { Ok, Skip, SaveAsDefault, UseDefault, Cancel };

// The dialog's captions in the language in force when it opened.
struct InfoDialogCaptions {
    std::string title;
    std::array<std::string, 3> labels;  // name, modified by, created by
    std::string ok, skip, saveAsDefault, useDefault, cancel;
};

class InfoDialogModel {
public:
    // The three text boxes, in the order of the dialog's rows.
    static constexpr int kName = 0;
    static constexpr int kModifiedBy = 1;
    static constexpr int kCreator = 2;

    // Opens the dialog: captions from the catalogue; the boxes hold the theme's texts when the
    // theme was saved or opened before (created or creator set), with the creator box
    // disabled, and the defaults otherwise; not cancelled.
    InfoDialogModel(ThemeInfo& info, UserSettings& defaults, const Texts& texts);

    const InfoDialogCaptions& Captions() const { return captions_; }

    const std::string& Field(int box) const { return fields_[box]; }
    // The user typed into a box; the box then holds the text as it will be stored (see
    // SafeInfoText), which the window shows at once. A disabled box takes no typing.
    void SetField(int box, std::string text);
    bool CreatorEnabled() const { return creatorEnabled_; }

    // Runs a button; true when the dialog closes with it. Closing with the close box needs no
    // call: it changes nothing.
    bool Press(InfoButton button);

    // InfoCancelled: the dialog was left with Cancel.
    bool Cancelled() const { return cancelled_; }

private:
    void ShowDefaults();

    ThemeInfo& info_;
    UserSettings& defaults_;
    InfoDialogCaptions captions_;
    std::array<std::string, 3> fields_;
    bool creatorEnabled_ = true;
    bool cancelled_ = false;
};

}  // namespace tintora
