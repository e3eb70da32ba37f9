// The lookup of a search box over a list as long as the largest database
// (20,000 entries in mixed case with accents): what one keystroke costs when
// an entry begins with the typed key, when entries only contain it, and when
// nothing does and the near entries are sought; and folding a whole list,
// which a window does once when it fills its list.
#include "base/folded_key.h"
#include "base/lookup.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace qv;

const char* const kWords[] = {"Dolore", "acuto", "cronico", "notturno", "tensione", "stanchezza", "digestione",
                              "respiro", "pelle", "sonno", "ansia", "circolazione", "febbre", "tosse", "capo",
                              "fragilit\xE0", "ner\xE8", "ci\xF2", "PERCH\xC9", "ARIET\xC8"};

const std::vector<std::string>& entries() {
    static const std::vector<std::string> list = [] {
        std::mt19937 rng(28);
        std::vector<std::string> out;
        out.reserve(20000);
        for (int n = 0; n < 20000; ++n) {
            std::string text = "Voce " + std::to_string(10000 + n);
            for (int w = 0; w < 3 + static_cast<int>(rng() % 4); ++w) text += std::string(" ") + kWords[rng() % std::size(kWords)];
            out.push_back(text);
        }
        return out;
    }();
    return list;
}

const FoldedList& keys() {
    static const FoldedList list(entries());
    return list;
}

void FoldTwentyThousand(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(FoldedList(entries()));
}
BENCHMARK(FoldTwentyThousand)->Unit(benchmark::kMillisecond);

// Each keystroke of "voce 19999": the last entry is reached at the end.
void KeystrokeBeginning(benchmark::State& state) {
    const std::string typed = "VOCE 19999";
    std::size_t k = 0;
    for (auto _ : state) benchmark::DoNotOptimize(keys().lookup(typed.substr(0, 1 + k++ % typed.size())));
}
BENCHMARK(KeystrokeBeginning)->Unit(benchmark::kMicrosecond);

// Nothing begins with it; some thousands contain it (the drop-down keeps 20).
void KeystrokeContained(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(keys().lookup("fragilita"));
}
BENCHMARK(KeystrokeContained)->Unit(benchmark::kMicrosecond);

// Nothing contains it: every entry is measured for the suggestions.
void KeystrokeSuggestions(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(keys().lookup("circolazzione notturmo"));
}
BENCHMARK(KeystrokeSuggestions)->Unit(benchmark::kMillisecond);

void KeystrokeNoMatchShort(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(keys().lookup("qxz"));
}
BENCHMARK(KeystrokeNoMatchShort)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
