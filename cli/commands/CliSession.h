#pragma once
// What every subcommand runs on: the editor core with a toolkit that writes to standard error,
// no log file, and a work folder of its own kept in memory, so that a command killed at any
// moment leaves nothing of an unpacked theme behind.

#include <filesystem>
#include <ostream>
#include <string>

#include "base/Clock.h"
#include "editor/Editor.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "base/Toolkit.h"

namespace tintora::cli {

// Messages go to the error stream; questions are answered with OK or Yes; dialogs are cancelled.
class StreamToolkit : public Toolkit {
public:
    explicit StreamToolkit(std::ostream& err) : err_(err) {}
    Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    std::optional<std::string> FileDialog(const FileDialogRequest&) override { return std::nullopt; }

private:
    std::ostream& err_;
};

class CliSession {
public:
    explicit CliSession(std::ostream& err);
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    Editor& GetEditor() { return editor_; }
    const Clock& GetClock() const { return clock_; }
    // Back to the default theme, empty texts and empty slots, as before a first open.
    void ResetTheme();

private:
    SystemClock clock_;
    StreamToolkit toolkit_;
    Log log_;
    EditorView view_;
    MemoryFolder workFolder_;
    Editor editor_;
};

// Saves the session's theme to `path` as resave does (the creation date made when empty); the
// exit status, with the reason on `err` after "tintora-cli COMMAND: " when it fails.
int SaveOpenedTheme(CliSession& session, const std::string& path, std::string_view command, std::ostream& err);

}  // namespace tintora::cli
