#pragma once
// What the core needs from a person: message boxes, file dialogs, the colour chooser and the
// information dialog. The Qt platform layer, the command line and the tests each implement it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tintora {

class InfoDialogModel;

enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No, Save, Discard, Restore };

// A button of a question with the program's own caption.
struct Choice {
    Answer answer;
    std::string caption;
};
enum class Icon { None, Warning };

struct FileDialogRequest {
    std::string folder;     // starting folder; empty lets the platform choose
    std::string extension;  // without the dot, e.g. "thm"
    std::string title;
    bool save = false;
};

using CustomColourBlock = std::array<std::uint8_t, 64>;  // 16 x (red, green, blue, 0)

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // A modal message box; an empty title means the application's title.
    virtual Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons,
                              Icon icon) = 0;

    // A modal question with the given buttons, in order; the answer of the button pressed, or
    // `escape` when the box was closed without one. Without a person nothing is pressed.
    virtual Answer Ask(const std::string& text, const std::vector<Choice>& choices, Answer escape) {
        (void)text;
        (void)choices;
        return escape;
    }

    // Level-2 log messages: OK only, no icon, the application's title.
    void ShowMessage(const std::string& text) { MessageBox(text, "", Buttons::Ok, Icon::None); }

    // The platform's file dialog; the path as chosen, or nullopt when the user did not confirm.
    virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;

    // The platform's colour chooser, starting with `custom` as its sixteen custom colours.
    // Returns the chosen colour as 0x00BBGGRR and the custom colours as the user left them, or
    // nullopt on cancel (then `custom` must be left untouched).
    virtual std::optional<std::uint32_t> ChooseColour(CustomColourBlock& custom) {
        (void)custom;
        return std::nullopt;
    }

    // The information dialog, modal; returns when the user closed it. The dialog works on
    // `dialog`, which opened with the theme's texts or the defaults. Without a dialog nothing is
    // pressed, which is what the close box does: nothing changes and the save goes on.
    virtual void RunInfoDialog(InfoDialogModel& dialog) { (void)dialog; }
};

}  // namespace tintora
