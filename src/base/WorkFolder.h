#pragma once
// The editor's work folder, where an opened theme is unpacked. Every editor process has one of
// its own in the data folder ("temp-PID"), so that two editors never remove each other's files.

#include <filesystem>
#include <string>

namespace tintora {

// The work folder of this process inside `dataFolder`.
std::filesystem::path OwnWorkFolder(const std::filesystem::path& dataFolder);

// Removes the work folders in `dataFolder` whose process no longer runs, with what they hold.
// The folders of running processes, this one's included, stay.
void RemoveAbandonedWorkFolders(const std::filesystem::path& dataFolder);

// Empty when a file can be made in `dataFolder` (created when missing); otherwise why not.
std::string DataFolderProblem(const std::filesystem::path& dataFolder);

}  // namespace tintora
