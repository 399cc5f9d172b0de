// Feeds arbitrary settings to the settings reader, all in memory. The input is a store's
// contents, one value a line as "Section/Key=Value" (lines without both marks are left out).
// Besides the sanitizers' findings it stops when writing what was read and reading it again gives
// another value, or when a second write finds anything left to change. (An input without lines
// is a store written from nothing.)

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace tintora;

namespace {

class CountingStore : public MemorySettingsStore {
public:
    void Write(const std::string& section, const std::string& key, const std::string& value) override {
        ++writes;
        MemorySettingsStore::Write(section, key, value);
    }
    int writes = 0;
};

void Fill(SettingsStore& store, std::string_view input) {
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        const std::size_t slash = line.find('/');
        const std::size_t equals = line.find('=', slash == std::string_view::npos ? 0 : slash + 1);
        if (slash == std::string_view::npos || equals == std::string_view::npos) continue;
        store.Write(std::string(line.substr(0, slash)), std::string(line.substr(slash + 1, equals - slash - 1)),
                    std::string(line.substr(equals + 1)));
    }
}

bool SameValue(const SettingsValue& a, const SettingsValue& b) {
    return a.colours == b.colours && a.user == b.user;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CountingStore store;
    Fill(store, std::string_view(reinterpret_cast<const char*>(data), size));
    const ReadSettingsResult first = ReadSettings(store);

    // Written back over what it was read from, the value reads again as itself, with its colours
    // stored from then on unless the first colour stands for "absent".
    WriteSettings(store, first.value, first.held);
    const ReadSettingsResult second = ReadSettings(store);
    if (!SameValue(first.value, second.value)) __builtin_trap();
    if (second.value.coloursStored != (first.value.colours[0] != "XX")) __builtin_trap();

    // Nothing is left to write after that.
    store.writes = 0;
    WriteSettings(store, second.value, second.held);
    if (store.writes != 0) __builtin_trap();
    return 0;
}
