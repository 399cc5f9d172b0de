// Feeds arbitrary bytes to the in-memory archive reader. Besides the sanitizers' findings it stops
// on a member name that could leave the work folder, member bytes outside the input, or a log
// line that could break the log.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "text/Texts.h"
#include "themefile/TarReader.h"

namespace {

bool SafeName(std::string_view n) {
    const bool drive = n.size() >= 2 && n[1] == ':' && ((n[0] | 0x20) >= 'a' && (n[0] | 0x20) <= 'z');
    return !n.empty() && n != "." && n != ".." && n.find_first_of("/\\") == std::string_view::npos && !drive;
}

bool Printable(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const tintora::Texts texts;
    const std::span<const std::uint8_t> input(data, size);
    const tintora::TarContents read = tintora::ReadTarArchive(input, texts);
    for (const tintora::TarItem& item : read.items) {
        if (item.kind == tintora::TarItem::Kind::Log) {
            if (!Printable(item.text) || item.level < 1 || item.level > 2) std::abort();
            continue;
        }
        if (!SafeName(item.text) || item.level != 1) std::abort();
        const bool inside = item.data.empty() ||
                            (item.data.data() >= data && item.data.data() + item.data.size() <= data + size);
        if (!inside) std::abort();
    }
    if (read.failure && !Printable(*read.failure)) std::abort();
    return 0;
}
