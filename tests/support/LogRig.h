#pragma once
// What the tests of the program's procedures start from: a temporary folder with file helpers, a
// fixed clock, a toolkit that records what it shows and answers from scripts, a log kept in memory.

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "base/Clock.h"
#include "base/Log.h"
#include "base/Toolkit.h"
#include "dialogs/InfoDialogModel.h"

namespace tintora::test {

// The id of a process that has ended: for files and folders left behind by a process that is gone.
inline long EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("tintora-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<unsigned char> ReadAll(const std::filesystem::path& p) {
    const std::string text = ReadText(p);
    return {text.begin(), text.end()};
}

inline void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// Every entry below `root`, relative to it, sorted.
inline std::vector<std::string> TreeOf(const std::filesystem::path& root) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        out.push_back(e.path().lexically_relative(root).string());
    std::sort(out.begin(), out.end());
    return out;
}

// Records every message box and answers dialogs from scripted queues.
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

template <class Kit = RecordingToolkit>
struct LogRig {
    explicit LogRig(LocalTime now) : clock(now) { log.SetCapture(true); }

    TempDir dir;
    FixedClock clock;
    Kit toolkit;
    Log log{{}, clock, &toolkit};
};

}  // namespace tintora::test
