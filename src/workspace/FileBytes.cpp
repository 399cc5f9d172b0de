#include "workspace/FileBytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tintora {

std::optional<Bytes> ReadFileBytes(const std::string& path, std::size_t limit) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    Bytes bytes;
    char chunk[16384];
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof chunk, limit - bytes.size());
        in.read(chunk, static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(in.gcount());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < want) break;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace tintora
