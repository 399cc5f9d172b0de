// Packing a full theme: six pictures of the phone's sizes (GIFs of a few KB) and the document,
// in memory and through to the file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "text/Texts.h"
#include "editor/ThemeFiles.h"
#include "themefile/TarWriter.h"
#include "base/Clock.h"
#include "base/Log.h"

namespace {

tintora::Bytes Filler(std::size_t n, unsigned seed) {
    tintora::Bytes b(n);
    for (auto& v : b) {
        seed = seed * 1103515245u + 12345u;
        v = static_cast<std::uint8_t>(seed >> 16);
    }
    return b;
}

tintora::Theme FullTheme() {
    tintora::Theme t;
    const std::size_t sizes[tintora::kMemberCount] = {7900, 6100, 4300, 4100, 5200, 8000, 3400};
    for (int i = 0; i < tintora::kMemberCount; ++i) {
        t.members[i].data = Filler(sizes[i], static_cast<unsigned>(i));
        t.members[i].active = true;
    }
    return t;
}

void BM_BuildTarArchive(benchmark::State& state) {
    const tintora::Theme t = FullTheme();
    std::size_t size = 0;
    for (auto _ : state) {
        tintora::TarBuildResult r = tintora::BuildTarArchive(t.members);
        benchmark::DoNotOptimize(r.bytes.data());
        size = r.bytes.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_BuildTarArchive);

void BM_CreateTarFile(benchmark::State& state) {
    const tintora::Theme t = FullTheme();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tintora-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    const std::string target = (dir / "bench.thm").string();
    tintora::FixedClock clock(tintora::LocalTime{});
    tintora::Log log({}, clock, nullptr);
    tintora::Texts texts;
    for (auto _ : state) {
        if (!tintora::CreateTarFile(log, texts, t, target)) state.SkipWithError("save failed");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_CreateTarFile);

}  // namespace
