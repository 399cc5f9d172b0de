// How long one run of the colour rules takes; it runs after every complete colour change.

#include <benchmark/benchmark.h>

#include "colourrules/ColourRules.h"
#include "model/Catalogue.h"
#include "text/Texts.h"

namespace {

tintora::ColourValues DefaultColours() {
    tintora::ColourValues colours;
    for (const tintora::ElementDef& e : tintora::kElements)
        colours[static_cast<std::size_t>(e.index)] = e.defaultValue;
    return colours;
}

void BM_CheckColoursDefaultTheme(benchmark::State& state) {
    const tintora::ColourValues colours = DefaultColours();
    const tintora::Texts texts;
    for (auto _ : state) {
        std::string box = tintora::CheckColours(colours, texts);
        benchmark::DoNotOptimize(box);
    }
}
BENCHMARK(BM_CheckColoursDefaultTheme);

// Every rule failing: nine messages fetched and nine lines built.
void BM_CheckColoursAllRulesFail(benchmark::State& state) {
    const tintora::ColourValues colours{};  // every value reads as 000000
    const tintora::Texts texts;
    for (auto _ : state) {
        std::string box = tintora::CheckColours(colours, texts);
        benchmark::DoNotOptimize(box);
    }
}
BENCHMARK(BM_CheckColoursAllRulesFail);

}  // namespace
