#include "base/FileBytes.h"

#include "base/FileSystem.h"

namespace tintora {

std::optional<Bytes> ReadFileBytes(const std::string& path, std::size_t limit, FileSystem& files) {
    return files.Read(path, limit);
}

}  // namespace tintora
