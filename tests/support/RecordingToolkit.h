#pragma once
// A toolkit for tests: records every message box and answers dialogs from scripted queues.

#include <deque>
#include <functional>
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
        if (onMessage) onMessage();
        shown.push_back({text, title, buttons, icon});
        return Next(answers).value_or(buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok);
    }

    // Questions are kept apart from the message boxes; unscripted ones are answered Discard.
    Answer Ask(const std::string& text, const std::vector<Choice>&, Answer) override {
        questions.push_back(text);
        return Next(askAnswers).value_or(Answer::Discard);
    }

    std::optional<std::string> FileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return Next(files).value_or(std::nullopt);
    }

    std::optional<std::uint32_t> ChooseColour(CustomColourBlock& custom) override {
        customSeen.push_back(custom);
        const auto next = Next(colours);
        if (next && next->first) custom = next->second;
        return next ? next->first : std::nullopt;
    }

    // Each opening of the information dialog runs the next script; none left: the close box.
    using InfoScript = std::function<void(InfoDialogModel&)>;
    void RunInfoDialog(InfoDialogModel& dialog) override {
        if (const auto script = Next(infoScripts)) (*script)(dialog);
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& s : shown) out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::function<void()> onMessage;  // runs while a message box is up, before it is recorded
    std::deque<Answer> answers;
    std::vector<std::string> questions;
    std::deque<Answer> askAnswers;
    std::deque<std::optional<std::string>> files;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::pair<std::optional<std::uint32_t>, CustomColourBlock>> colours;
    std::vector<CustomColourBlock> customSeen;
    std::deque<InfoScript> infoScripts;

private:
    template <class T>
    static std::optional<T> Next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        T next = std::move(queue.front());
        queue.pop_front();
        return next;
    }
};

// Information dialog scripts: press one button, or type the three texts (a locked creator box
// ignores its text) and then press one.
inline RecordingToolkit::InfoScript PressInfo(InfoButton button) {
    return [=](InfoDialogModel& dialog) { dialog.Press(button); };
}

inline RecordingToolkit::InfoScript TypeInfo(std::string name, std::string modifiedBy, std::string creator,
                                             InfoButton button = InfoButton::Ok) {
    return [=](InfoDialogModel& dialog) {
        dialog.SetField(InfoDialogModel::kName, name);
        dialog.SetField(InfoDialogModel::kModifiedBy, modifiedBy);
        dialog.SetField(InfoDialogModel::kCreator, creator);
        dialog.Press(button);
    };
}

}  // namespace tintora::test
