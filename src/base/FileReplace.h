#pragma once
// Writing a file so that a crash, a full disk or a power loss never leaves less than the old
// file: the bytes go to a temporary file beside the target, are flushed to the disk, take the old
// file's permission bits (and owner, where the process may set it), and are renamed over the
// target; then the folder is flushed so that the rename itself lasts. A target that is a symbolic
// link is followed, so the link stays a link and the file it names is replaced. Hard links to the
// old file keep the old bytes: a rename cannot keep them.
//
// Temporary files are named ".tintora-PID-XXXXXXXX.tmp" after the writing process, so that a
// later write into the same folder can remove those left by processes that no longer run.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tintora {

// Replaces (or creates) `target` with `bytes`. On failure: false, nothing left behind, the old
// file untouched, and `reason` says what failed ("<path>: No space left on device").
bool ReplaceFile(const std::string& target, std::span<const std::uint8_t> bytes, std::string& reason);

// The file a write to `target` replaces: `target` itself, or the end of its chain of symbolic
// links (a dangling link names the file it would create). At most 40 links are followed.
std::string ResolveLinks(const std::string& target);

// Removes the temporary files in `folder` whose writing process no longer runs.
void RemoveAbandonedTemporaries(const std::string& folder);

// True while a process with this id runs (or exists but belongs to another user).
bool ProcessRunning(long pid);

// The id of this process.
long ThisProcess();

// The process id in a name "<prefix><digits><anything>", or -1 when the name is not of that form.
long ProcessInName(std::string_view name, std::string_view prefix);

}  // namespace tintora
