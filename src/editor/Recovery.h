#pragma once
// Crash recovery: while the theme has unsaved changes, each editor process keeps a copy of it in
// the data folder ("recovery-PID.thm"), so that a crash or a kill loses nothing. The file holds
// a line naming it, a line with the theme's file path (empty for a theme never saved) and then
// the theme archive as a save would write it, with the descriptive texts in its document.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "editor/History.h"

namespace tintora {

class Editor;

// The recovery file of process `pid` in `dataFolder`.
std::string RecoveryFilePath(const std::string& dataFolder, long pid);

// The bytes of a recovery file for `state`, or nullopt with `reason` when the archive cannot be
// built (a picture too large to pack).
std::optional<Bytes> RecoveryBytes(const ThemeState& state, std::string& reason);

struct Recovered {
    std::string origin;  // the theme's file path, empty for none
    Bytes archive;
};
// The parts of a recovery file, or nullopt when `bytes` are not one.
std::optional<Recovered> ParseRecovery(const Bytes& bytes);

// The recovery files in `dataFolder` whose process no longer runs, sorted by name.
std::vector<std::string> AbandonedRecoveryFiles(const std::string& dataFolder);

// At start-up: offers the first recovery file left by an editor that no longer runs. Restore
// opens its theme as the theme of its file, modified; Restore and Discard remove the file;
// closing the question keeps it for the next start. True when a theme was restored.
bool OfferRecovery(Editor& editor, const std::string& dataFolder);

// Writes recovery files on a thread of its own, so that the window never waits for the disk.
// Each write replaces the file atomically; a newer state posted while one is written replaces
// the one waiting.
class RecoveryWriter {
public:
    explicit RecoveryWriter(std::string file);
    // Finishes a write under way; a state still waiting is dropped.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    const std::string& File() const { return file_; }
    // Hands `state` to the writing thread and returns at once.
    void Post(ThemeState state);
    // Drops a waiting state, waits for a write under way and removes the file.
    void Remove();
    // Waits until every posted state is written; false when the last write failed.
    bool Flush();

private:
    void Run();

    std::string file_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<ThemeState> waiting_;
    bool writing_ = false;
    bool stop_ = false;
    bool failed_ = false;
    bool posted_ = false;  // a state was handed over since the file was last removed
    std::thread thread_;
};

}  // namespace tintora
