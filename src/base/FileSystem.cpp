#include "base/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tintora {

namespace {

class DiskFileSystem : public FileSystem {
public:
    Kind Status(const std::string& path) override {
        std::error_code ec;
        const fs::file_status st = fs::symlink_status(fs::path(path), ec);
        if (!fs::exists(st)) return Kind::None;
        if (fs::is_directory(st)) return Kind::Folder;
        return fs::is_regular_file(st) ? Kind::File : Kind::Other;
    }

    bool List(const std::string& folder, std::vector<std::string>& names) override {
        std::error_code ec;
        fs::directory_iterator it(fs::path(folder), ec);
        if (ec) return false;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec) return false;
            names.push_back(it->path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return true;
    }

    std::vector<std::string> ListFiles(const std::string& folder) override {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void Remove(const std::string& path) override {
        std::error_code ec;
        fs::remove(fs::path(path), ec);
    }

    void MakeFolder(const std::string& path) override {
        std::error_code ec;
        fs::create_directory(fs::path(path), ec);
    }

    std::optional<Bytes> Read(const std::string& path, std::size_t limit) override {
        std::error_code ec;
        if (!fs::is_regular_file(fs::path(path), ec)) return std::nullopt;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return std::nullopt;
        Bytes bytes;
        const std::uintmax_t size = fs::file_size(fs::path(path), ec);
        if (!ec) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
        std::uint8_t chunk[16384];
        bool failed = false;
        while (bytes.size() < limit) {
            const std::size_t want = std::min(sizeof chunk, limit - bytes.size());
            const std::size_t got = std::fread(chunk, 1, want, f);
            bytes.insert(bytes.end(), chunk, chunk + got);
            if (got < want) {
                failed = std::ferror(f) != 0;
                break;
            }
        }
        std::fclose(f);
        if (failed) return std::nullopt;
        return bytes;
    }

    bool WriteNew(const std::string& path, const std::uint8_t* data, std::size_t size,
                  std::string& why) override {
        // "x": whatever still stands at the name is neither followed nor overwritten.
        std::FILE* f = std::fopen(path.c_str(), "wbx");
        if (!f) {
            why = path + ": " + std::generic_category().message(errno);
            return false;
        }
        std::setvbuf(f, nullptr, _IONBF, 0);
        const bool written = std::fwrite(data, 1, size, f) == size;
        const int writeError = errno;
        const bool closed = std::fclose(f) == 0;
        if (written && closed) return true;
        why = path + ": " + std::generic_category().message(written ? errno : writeError);
        // The file was made here: a part of it is worth nothing and is not left behind.
        std::error_code ec;
        fs::remove(fs::path(path), ec);
        return false;
    }
};

}  // namespace

FileSystem& DiskFiles() {
    static DiskFileSystem disk;
    return disk;
}

MemoryFolder::MemoryFolder(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

std::optional<std::string> MemoryFolder::Inside(const std::string& path) const {
    if (path.compare(0, root_.size(), root_) != 0) return std::nullopt;
    if (path.size() == root_.size()) return std::string();
    if (path[root_.size()] != '/') return std::nullopt;
    return path.substr(root_.size() + 1);
}

FileSystem::Kind MemoryFolder::Status(const std::string& path) {
    const auto name = Inside(path);
    if (!name) return DiskFiles().Status(path);
    if (name->empty()) return exists_ ? Kind::Folder : Kind::None;
    return exists_ && files_.count(*name) ? Kind::File : Kind::None;
}

bool MemoryFolder::List(const std::string& folder, std::vector<std::string>& names) {
    const auto name = Inside(folder);
    if (!name) return DiskFiles().List(folder, names);
    if (!name->empty() || !exists_) return false;
    for (const auto& entry : files_) names.push_back(entry.first);
    std::sort(names.begin(), names.end());
    return true;
}

std::vector<std::string> MemoryFolder::ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    if (!Inside(folder)) return DiskFiles().ListFiles(folder);
    List(folder, names);
    return names;
}

void MemoryFolder::Remove(const std::string& path) {
    const auto name = Inside(path);
    if (!name) return DiskFiles().Remove(path);
    if (name->empty()) {
        if (files_.empty()) exists_ = false;
    } else {
        files_.erase(*name);
    }
}

void MemoryFolder::MakeFolder(const std::string& path) {
    const auto name = Inside(path);
    if (!name) return DiskFiles().MakeFolder(path);
    if (name->empty() && DiskFiles().Status(fs::path(root_).parent_path().string()) == Kind::Folder)
        exists_ = true;
}

std::optional<Bytes> MemoryFolder::Read(const std::string& path, std::size_t limit) {
    const auto name = Inside(path);
    if (!name) return DiskFiles().Read(path, limit);
    const auto it = files_.find(*name);
    if (!exists_ || it == files_.end()) return std::nullopt;
    return Bytes(it->second.begin(),
                 it->second.begin() + static_cast<std::ptrdiff_t>(std::min(limit, it->second.size())));
}

bool MemoryFolder::WriteNew(const std::string& path, const std::uint8_t* data, std::size_t size,
                            std::string& why) {
    const auto name = Inside(path);
    if (!name) return DiskFiles().WriteNew(path, data, size, why);
    // Only files directly in the folder; the folder must exist and the name be free.
    if (!exists_ || name->empty() || name->find('/') != std::string::npos || files_.count(*name)) {
        why = path + ": " + std::generic_category().message(exists_ ? EEXIST : ENOENT);
        return false;
    }
    files_.emplace(*name, Bytes(data, data + size));
    return true;
}

}  // namespace tintora
