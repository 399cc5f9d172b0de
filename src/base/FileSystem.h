#pragma once
// The few file-system operations that the file procedures, the archive reader and the open flows
// use. The program runs on the disk; the command line's batch check keeps its work folder in
// memory, so that opening a thousand themes does not create and delete seven thousand files.
// The procedures above are the same either way, log lines included.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/Theme.h"

namespace tintora {

class FileSystem {
public:
    enum class Kind { None, File, Folder, Other };

    virtual ~FileSystem() = default;
    // What stands at `path`, without following a symbolic link there.
    virtual Kind Status(const std::string& path) = 0;
    // The names in a folder, sorted; false when it cannot be read.
    virtual bool List(const std::string& folder, std::vector<std::string>& names) = 0;
    // The names of the regular files in a folder, sorted.
    virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
    // Removes a file or an empty folder; the caller looks again to learn whether it went.
    virtual void Remove(const std::string& path) = 0;
    // Creates one folder whose parent exists.
    virtual void MakeFolder(const std::string& path) = 0;
    // The bytes of a regular file, at most `limit` of them; nullopt for anything else.
    virtual std::optional<Bytes> Read(const std::string& path, std::size_t limit) = 0;
    // Creates a new file with these bytes; never replaces or follows what stands at the name.
    // On failure nothing is left at the name, and `why` says what failed.
    virtual bool WriteNew(const std::string& path, const std::uint8_t* data, std::size_t size,
                          std::string& why) = 0;
};

// The disk.
FileSystem& DiskFiles();

// The folder at `root` (and nothing below it but files) kept in memory; every other path goes
// to the disk.
class MemoryFolder : public FileSystem {
public:
    explicit MemoryFolder(std::string root);
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;

    Kind Status(const std::string& path) override;
    bool List(const std::string& folder, std::vector<std::string>& names) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    void Remove(const std::string& path) override;
    void MakeFolder(const std::string& path) override;
    std::optional<Bytes> Read(const std::string& path, std::size_t limit) override;
    bool WriteNew(const std::string& path, const std::uint8_t* data, std::size_t size,
                  std::string& why) override;

private:
    // The name of `path` inside the folder: "" for the folder itself, nullopt when outside.
    std::optional<std::string> Inside(const std::string& path) const;

    std::string root_;
    bool exists_ = false;
    std::map<std::string, Bytes> files_;
};

}  // namespace tintora
