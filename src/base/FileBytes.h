#pragma once
// Reading a file's bytes in one go, for pictures and other members that are kept exactly as read.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

#include "base/FileSystem.h"
#include "model/Theme.h"

namespace tintora {

// The bytes of the regular file at `path`, at most `limit` of them from its start; nullopt when
// it is not a regular file or cannot be opened or read. Never throws. Anything but a regular
// file is refused so that a device or a pipe chosen by mistake cannot block or flood us.
std::optional<Bytes> ReadFileBytes(const std::string& path,
                                   std::size_t limit = std::numeric_limits<std::size_t>::max(),
                                   FileSystem& files = DiskFiles());

}  // namespace tintora
