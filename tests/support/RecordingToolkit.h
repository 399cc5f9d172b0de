#pragma once
// A toolkit for tests: records every message box and answers dialogs from scripted queues.

#include <array>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/InfoDialogModel.h"
#include "base/Toolkit.h"

namespace tintora::test {

class RecordingToolkit : public Toolkit {
public:
    struct Shown {
        std::string text;
        std::string title;
        Buttons buttons;
        Icon icon;
    };

    Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override {
        shown.push_back({text, title, buttons, icon});
        if (answers.empty()) return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    // Questions are kept apart from the message boxes; unscripted ones are answered Discard, so
    // flows that do not care about the question go on as before it was asked.
    Answer Ask(const std::string& text, const std::vector<Choice>&, Answer) override {
        questions.push_back(text);
        if (askAnswers.empty()) return Answer::Discard;
        const Answer a = askAnswers.front();
        askAnswers.pop_front();
        return a;
    }

    std::optional<std::string> FileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }

    std::optional<std::uint32_t> ChooseColour(CustomColourBlock& custom) override {
        customSeen.push_back(custom);
        if (colours.empty()) return std::nullopt;
        auto [colour, newCustom] = colours.front();
        colours.pop_front();
        if (colour) custom = newCustom;
        return colour;
    }

    // What the information dialog showed when it opened.
    struct InfoOpened {
        std::array<std::string, 3> fields;
        bool creatorEnabled = true;
    };
    using InfoScript = std::function<void(InfoDialogModel&)>;

    // Each opening of the information dialog runs the next script; with none left the dialog is
    // closed with its close box.
    void RunInfoDialog(InfoDialogModel& dialog) override {
        infoOpened.push_back({{dialog.Field(0), dialog.Field(1), dialog.Field(2)}, dialog.CreatorEnabled()});
        if (infoScripts.empty()) return;
        InfoScript script = std::move(infoScripts.front());
        infoScripts.pop_front();
        script(dialog);
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& s : shown) out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::vector<std::string> questions;
    std::deque<Answer> askAnswers;
    std::deque<std::optional<std::string>> files;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::pair<std::optional<std::uint32_t>, CustomColourBlock>> colours;
    std::vector<CustomColourBlock> customSeen;
    std::deque<InfoScript> infoScripts;
    std::vector<InfoOpened> infoOpened;
};

// Information dialog scripts: press buttons one after the other, the last one closing it.
inline RecordingToolkit::InfoScript PressInfo(std::initializer_list<InfoButton> buttons) {
    std::vector<InfoButton> list(buttons);
    return [list](InfoDialogModel& dialog) {
        for (InfoButton b : list) dialog.Press(b);
    };
}

// Types the three texts (a locked creator box ignores its text), then presses `button`.
inline RecordingToolkit::InfoScript TypeInfo(std::string name, std::string modifiedBy,
                                             std::string creator,
                                             InfoButton button = InfoButton::Ok) {
    return [=](InfoDialogModel& dialog) {
        dialog.SetField(InfoDialogModel::kName, name);
        dialog.SetField(InfoDialogModel::kModifiedBy, modifiedBy);
        dialog.SetField(InfoDialogModel::kCreator, creator);
        dialog.Press(button);
    };
}

}  // namespace tintora::test
