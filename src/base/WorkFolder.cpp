#include "base/WorkFolder.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "base/FileReplace.h"

namespace fs = std::filesystem;

namespace tintora {

namespace {
constexpr std::string_view kWorkFolderPrefix = "temp-";
}

fs::path OwnWorkFolder(const fs::path& dataFolder) {
    return dataFolder / (std::string(kWorkFolderPrefix) + std::to_string(ThisProcess()));
}

void RemoveAbandonedWorkFolders(const fs::path& dataFolder) {
    std::error_code ec;
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const long pid = ProcessInName(it->path().filename().string(), kWorkFolderPrefix);
        std::error_code ignored;
        if (pid < 0 || pid == ThisProcess() || ProcessRunning(pid) || !it->is_directory(ignored)) continue;
        fs::remove_all(it->path(), ignored);
    }
}

std::string DataFolderProblem(const fs::path& dataFolder) {
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    if (ec) return dataFolder.string() + ": " + ec.message();
    const fs::path probe = dataFolder / (".write-test-" + std::to_string(ThisProcess()));
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f) return dataFolder.string() + ": " + std::generic_category().message(errno);
    std::fclose(f);
    fs::remove(probe, ec);
    return {};
}

}  // namespace tintora
