#pragma once
// Pieces shared by the archive tests: themes with chosen members, recognisable member bytes, and
// archives built by hand.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

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

// Appends one member to an archive under construction: a ustar header as GNU tar writes it, its
// checksum summed here so that tests do not lean on the code they check, the data and padding.
inline void AddMember(Bytes& archive, std::string_view name, const Bytes& data) {
    Bytes h(512, 0);
    const auto put = [&h](std::size_t at, std::string_view text) {
        std::copy(text.begin(), text.end(), h.begin() + static_cast<std::ptrdiff_t>(at));
    };
    char number[16];
    std::snprintf(number, sizeof number, "%011zo", data.size());
    put(0, name.substr(0, 100));
    put(100, "0000644");
    put(124, number);
    put(136, "14000000000");
    put(156, "0");
    put(257, std::string_view("ustar\0" "00", 8));
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i) sum += (i >= 148 && i < 156) ? 32u : h[i];
    std::snprintf(number, sizeof number, "%06o", sum);
    put(148, std::string_view(number, 7));
    h[155] = ' ';
    archive.insert(archive.end(), h.begin(), h.end());
    archive.insert(archive.end(), data.begin(), data.end());
    archive.resize((archive.size() + 511) / 512 * 512, 0);
}

inline void AddEndBlocks(Bytes& archive) { archive.resize(archive.size() + 1024, 0); }

inline void WriteBytes(const std::filesystem::path& p, const Bytes& bytes) {
    WriteAll(p, std::string(bytes.begin(), bytes.end()));
}

// The log rig and the texts the archive procedures take; at 12:04:09 swapped minutes and seconds show.
struct TarRig : LogRig<> {
    Texts texts;
    TarRig() : LogRig(LocalTime{2026, 12, 5, 12, 4, 9}) {}
    void Forget() {
        log.ClearCaptured();
        toolkit.shown.clear();
    }
};

}  // namespace tintora::test
