// What the preview answers about the pointer and the theme's contrast: naming what colours one
// point (the hover and Ctrl+click; target under 50 us) and the whole contrast list with the fixes
// the findings box offers (after every colour change; target under 100 us).

#include <benchmark/benchmark.h>

#include <vector>

#include "model/Catalogue.h"
#include "preview/PreviewColours.h"

namespace {

using namespace tintora;

Theme DefaultTheme() {
    Theme theme;
    for (const ElementDef& e : kElements) theme.colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return theme;
}

// Points spread over every screen, so the walk meets lists, titles, pictures' places and gaps.
void BM_ColoursAtOnePoint(benchmark::State& state) {
    const Theme theme = DefaultTheme();
    const PreviewModel model = PreviewFor(theme, Texts{});
    std::vector<std::array<int, 3>> points;
    for (int s = 0; s < kScreenCount; ++s)
        for (int y = 37; y < kScreenHeight; y += 181)
            for (int x = 23; x < kScreenWidth; x += 257) points.push_back({s, x, y});
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& p = points[i++ % points.size()];
        auto sources = ColoursAt(model, p[0], p[1], p[2]);
        benchmark::DoNotOptimize(sources);
    }
}
BENCHMARK(BM_ColoursAtOnePoint);

// The list with a fix for each hard pair; Text on Background made hard so a fix is searched.
void BM_ContrastListWithFixes(benchmark::State& state) {
    Theme theme = DefaultTheme();
    theme.colours[9] = "5C1D0E";
    theme.colours[4] = "123456";
    const PreviewModel model = PreviewFor(theme, Texts{});
    for (auto _ : state) {
        std::vector<ContrastPair> pairs = ContrastPairs(theme, model);
        for (const ContrastPair& p : pairs)
            if (p.HardToRead()) benchmark::DoNotOptimize(FixFor(p, theme));
        benchmark::DoNotOptimize(pairs);
    }
}
BENCHMARK(BM_ContrastListWithFixes);

}  // namespace
