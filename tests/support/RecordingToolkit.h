#pragma once
// A toolkit for tests: records every message box and answers dialogs from scripted queues.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "workspace/Toolkit.h"

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

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& s : shown) out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::pair<std::optional<std::uint32_t>, CustomColourBlock>> colours;
    std::vector<CustomColourBlock> customSeen;
};

}  // namespace tintora::test
