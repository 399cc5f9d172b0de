#pragma once
// Pieces shared by the archive tests: themes with chosen members, recognisable member bytes, and
// raw header blocks such as other tar writers (or attackers) produce.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Theme.h"
#include "support/LogRig.h"
#include "text/Texts.h"

namespace tintora::test {

// Bytes that differ from member to member and from position to position, so a shifted or
// swapped block shows.
inline Bytes Pattern(std::size_t n, unsigned seed) {
    Bytes b(n);
    std::uint32_t x = seed * 2654435761u + 1u;
    for (auto& v : b) v = static_cast<std::uint8_t>((x = x * 1103515245u + 12345u) >> 16);
    return b;
}

// A theme whose listed records are active with the given bytes; all others stay empty.
inline Theme ThemeWith(std::initializer_list<std::pair<int, Bytes>> members) {
    Theme t;
    for (const auto& [index, bytes] : members) t.members[index] = {bytes, true};
    return t;
}

inline std::string OctalSize(std::size_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%011zo", n);
    return text;
}

// A ustar header block for `name` with an octal `size` text as given, a type flag and a prefix
// (the folder part of a long path). The checksum "dddddd\0 " is written as GNU tar does, summed
// here on its own so that tests do not lean on the code they check.
inline Bytes RawHeader(std::string_view name, std::string_view sizeText, char type = '0',
                       std::string_view prefix = {}) {
    Bytes h(512, 0);
    const auto put = [&h](std::size_t at, std::string_view text) {
        std::copy(text.begin(), text.end(), h.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(0, name.substr(0, 100));
    put(100, "0000644");
    put(124, sizeText);
    put(136, "14000000000");
    h[156] = static_cast<std::uint8_t>(type);
    put(257, std::string_view("ustar\0" "00", 8));
    put(345, prefix);
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i) sum += (i >= 148 && i < 156) ? 32u : h[i];
    char text[8];
    std::snprintf(text, sizeof text, "%06o", sum);
    put(148, std::string_view(text, 7));
    h[155] = ' ';
    return h;
}

// Appends one member (header, data, zero padding) to an archive under construction.
inline void AddMember(Bytes& archive, std::string_view name, const Bytes& data, char type = '0',
                      std::string_view prefix = {}) {
    const Bytes h = RawHeader(name, OctalSize(data.size()), type, prefix);
    archive.insert(archive.end(), h.begin(), h.end());
    archive.insert(archive.end(), data.begin(), data.end());
    archive.resize((archive.size() + 511) / 512 * 512, 0);
}

inline void AddEndBlocks(Bytes& archive) { archive.resize(archive.size() + 1024, 0); }

inline void WriteBytes(const std::filesystem::path& p, const Bytes& bytes) {
    WriteAll(p, std::string(bytes.begin(), bytes.end()));
}

inline Bytes ReadBytes(const std::filesystem::path& p) {
    const auto v = ReadAll(p);
    return Bytes(v.begin(), v.end());
}

// Every entry below `root`, relative to it, sorted.
inline std::vector<std::string> TreeOf(const std::filesystem::path& root) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        out.push_back(std::filesystem::relative(e.path(), root).string());
    std::sort(out.begin(), out.end());
    return out;
}

// The log rig and the texts the archive procedures take.
struct TarRig : LogRig<> {
    Texts texts;
    TarRig() : LogRig(LocalTime{2026, 12, 5, 12, 0, 0}) {}
    void Forget() {
        log.ClearCaptured();
        toolkit.shown.clear();
    }
};

}  // namespace tintora::test
