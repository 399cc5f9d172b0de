#include "editor/Recovery.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "text/FillIn.h"
#include "text/Texts.h"
#include "themefile/DocumentWriter.h"
#include "themefile/TarWriter.h"
#include "editor/Editor.h"
#include "base/FileBytes.h"
#include "base/FileReplace.h"
#include "base/Log.h"
#include "base/Toolkit.h"

namespace fs = std::filesystem;

namespace tintora {

namespace {

constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kMagic = "Tintora recovery\n";
constexpr std::size_t kMaxRecoveryBytes = 1u << 20;  // six pictures of at most 32 KiB and a document

}  // namespace

std::string RecoveryFilePath(const std::string& dataFolder, long pid) {
    return (fs::path(dataFolder) / (std::string(kPrefix) + std::to_string(pid) + ".thm")).string();
}

std::optional<Bytes> RecoveryBytes(const ThemeState& state, std::string& reason) {
    Theme theme;
    ApplyState(state, theme);
    PutDocument(theme);
    TarBuildResult archive = BuildTarArchive(theme.members);
    if (!archive.ok) {
        reason = archive.reason;
        return std::nullopt;
    }
    Bytes bytes(kMagic.begin(), kMagic.end());
    // A path never holds a line break that matters here: one would only cut the name short.
    std::string origin = state.path;
    std::replace(origin.begin(), origin.end(), '\n', ' ');
    bytes.insert(bytes.end(), origin.begin(), origin.end());
    bytes.push_back('\n');
    bytes.insert(bytes.end(), archive.bytes.begin(), archive.bytes.end());
    return bytes;
}

std::optional<Recovered> ParseRecovery(const Bytes& bytes) {
    if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return std::nullopt;
    const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(kMagic.size());
    const auto end = std::find(start, bytes.end(), '\n');
    if (end == bytes.end()) return std::nullopt;
    return Recovered{std::string(start, end), Bytes(end + 1, bytes.end())};
}

std::vector<std::string> AbandonedRecoveryFiles(const std::string& dataFolder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const long pid = ProcessInName(name, kPrefix);
        if (pid < 0 || pid == ThisProcess() || ProcessRunning(pid) || it->path().extension() != ".thm") continue;
        files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool OfferRecovery(Editor& editor, const std::string& dataFolder) {
    const std::vector<std::string> files = AbandonedRecoveryFiles(dataFolder);
    if (files.empty()) return false;
    const std::string& file = files.front();
    std::error_code ignored;
    const std::optional<Bytes> bytes = ReadFileBytes(file, kMaxRecoveryBytes);
    const std::optional<Recovered> recovered = bytes ? ParseRecovery(*bytes) : std::nullopt;
    if (!recovered) {
        editor.GetLog().WriteLog("Removed a recovery file that cannot be read: " + file);
        fs::remove(file, ignored);
        return false;
    }

    const Texts& texts = editor.GetTexts();
    const std::string name = recovered->origin.empty() ? texts.GetText(kTextNewTheme)
                                                       : fs::path(recovered->origin).filename().string();
    const Answer answer = editor.GetToolkit().Ask(
        FillIn(texts.GetText(kTextRestoreQuestion), {name}),
        {{Answer::Restore, texts.GetText(kTextAnswerRestore)}, {Answer::Discard, texts.GetText(kTextAnswerDiscard)}},
        Answer::Cancel);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Discard) {
        fs::remove(file, ignored);
        return false;
    }

    // The archive goes through the open flow like any theme file.
    const std::string archive = RecoveryFilePath(dataFolder, ThisProcess()) + ".restore.thm";
    std::string reason;
    if (!ReplaceFile(archive, recovered->archive, reason)) {
        editor.GetLog().WriteLog("The recovery file could not be restored: " + reason);
        editor.GetToolkit().ShowMessage(reason);
        return false;
    }
    const Editor::OpenResult result = editor.RestoreRecovered(archive, recovered->origin);
    fs::remove(archive, ignored);
    if (result != Editor::OpenResult::Opened) return false;
    fs::remove(file, ignored);
    editor.GetLog().WriteLog("Restored the unsaved changes of " + name);
    return true;
}

RecoveryWriter::RecoveryWriter(std::string file) : file_(std::move(file)), thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        waiting_.reset();
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryWriter::Post(ThemeState state) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = std::move(state);
        posted_ = true;
    }
    wake_.notify_all();
}

void RecoveryWriter::Remove() {
    std::unique_lock lock(mutex_);
    if (!posted_) return;  // nothing written since the last removal
    posted_ = false;
    waiting_.reset();
    idle_.wait(lock, [this] { return !writing_; });
    std::error_code ignored;
    fs::remove(file_, ignored);
}

bool RecoveryWriter::Flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !writing_ && !waiting_; });
    return !failed_;
}

void RecoveryWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || waiting_; });
        if (!waiting_) return;  // stopping with nothing to write
        ThemeState state = std::move(*waiting_);
        waiting_.reset();
        writing_ = true;
        lock.unlock();
        std::string reason;
        const std::optional<Bytes> bytes = RecoveryBytes(state, reason);
        const bool ok = bytes && ReplaceFile(file_, *bytes, reason);
        lock.lock();
        failed_ = !ok;
        writing_ = false;
        idle_.notify_all();
        if (stop_) return;
    }
}

}  // namespace tintora
