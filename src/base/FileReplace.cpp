#include "base/FileReplace.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tintora {

namespace {

constexpr std::string_view kTemporaryPrefix = ".tintora-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr int kMaxLinks = 40;

std::string ErrorText(const std::string& path, int error) {
    return path + ": " + std::generic_category().message(error);
}

// Writes every byte, going on after short writes and interruptions.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes a folder's entries (the rename) to the disk. A file system that cannot flush folders
// is no reason to call the save failed: the file itself is on the disk.
void FlushFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Creates a new temporary file in `folder` that nothing else can have opened; -1 on failure
// with errno set.
int CreateTemporary(const fs::path& folder, fs::path& temp) {
    std::random_device::result_type seed = 0;
    try {
        seed = std::random_device{}();
    } catch (...) {  // no random source: the process id and the tries keep names apart
    }
    std::minstd_rand names(seed ^ static_cast<unsigned>(ThisProcess()));
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        const auto value = static_cast<unsigned>(names());
        const auto [end, ec] = std::to_chars(suffix, suffix + sizeof suffix, value, 16);
        (void)ec;
        temp = folder / (std::string(kTemporaryPrefix) + std::to_string(ThisProcess()) + "-" +
                         std::string(suffix, end) + std::string(kTemporarySuffix));
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

long ThisProcess() { return static_cast<long>(::getpid()); }

bool ProcessRunning(long pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

long ProcessInName(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix) return -1;
    name.remove_prefix(prefix.size());
    long pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc() || end == name.data() || pid <= 0) return -1;
    return pid;
}

std::string ResolveLinks(const std::string& target) {
    fs::path path(target);
    std::error_code ec;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(fs::symlink_status(path, ec)); ++i) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path.string();
}

void RemoveAbandonedTemporaries(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < kTemporarySuffix.size() ||
            name.compare(name.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) != 0)
            continue;
        const long pid = ProcessInName(name, kTemporaryPrefix);
        if (pid < 0 || pid == ThisProcess() || ProcessRunning(pid)) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
    }
}

bool ReplaceFile(const std::string& target, std::span<const std::uint8_t> bytes, std::string& reason) {
    const fs::path file(ResolveLinks(target));
    fs::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    RemoveAbandonedTemporaries(folder.string());

    fs::path temp;
    const int fd = CreateTemporary(folder, temp);
    if (fd < 0) {
        reason = ErrorText(folder.string(), errno);
        return false;
    }
    const auto fail = [&](int error) {
        ::close(fd);
        std::error_code ignored;
        fs::remove(temp, ignored);
        reason = ErrorText(file.string(), error);
        return false;
    };
    if (!WriteAll(fd, bytes)) return fail(errno ? errno : EIO);
    // The new file gets what the old one had: its permission bits and, where we may, its owner.
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not our file to give away: the owner stays the user who saves.
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) return fail(errno);
    }
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        std::error_code ignored;
        fs::remove(temp, ignored);
        reason = ErrorText(file.string(), error);
        return false;
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int error = errno;
        std::error_code ignored;
        fs::remove(temp, ignored);
        reason = ErrorText(target, error);
        return false;
    }
    FlushFolder(folder);
    return true;
}

}  // namespace tintora
