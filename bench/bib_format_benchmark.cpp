// Speed of the bibliography format language on synthetic references: every reference of a
// large set formatted with "Basic", and with a format that writes every field; and the example
// of the format dialog, made anew at every key the user types.
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "format/bib_format.h"
#include "format/format_example.h"
#include "store/reference.h"
#include "tools/reference_generator.h"

namespace {

constexpr uint32_t kSeed = 1994;

const std::vector<Reference*>& Pool(int32_t count)
{
    static std::vector<Reference*> pool;
    if (static_cast<int32_t>(pool.size()) != count) {
        DestroyReferences(pool);
        pool = GenerateReferences(count, kSeed);
    }
    return pool;
}

void FormatAll(benchmark::State& state, const char* formatText)
{
    const std::vector<Reference*>& references = Pool(static_cast<int32_t>(state.range(0)));
    BibFormat format;
    ParseBibFormatInto(formatText, format);
    static char out[kFormattedReferenceSize];
    std::size_t characters = 0;
    for (auto _ : state) {
        characters = 0;
        for (const Reference* reference : references)
            characters += FormatReferenceWith(format, *reference, out, sizeof out);
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(references.size()));
    state.counters["chars_per_ref"] =
        static_cast<double>(characters) / static_cast<double>(references.size());
}

void BM_FormatBasic(benchmark::State& state) { FormatAll(state, kBasicBibFormatBody); }

void BM_FormatEveryField(benchmark::State& state)
{
    FormatAll(state,
              "[Bibliography\\n][End]<A2@ ><D(@) ><T@. ><J\\t@><B In <E@ (eds), >@><R@>"
              "<V, @><N(@)><P: @><I, @><C, @>.\\n<K@\\n><X@><!X\\[no abstract\\]>");
}

// One key typed in the format editor: the format parsed, the sample made and formatted.
void BM_FormatExample(benchmark::State& state)
{
    static char out[kFormatExampleSize];
    const InputDefaults defaults;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatExample(
            "[Bibliography\\n][End]<A2@ ><D(@) ><T@. ><J\\t@><B In <E@ (eds), >@><R@><V, @><N(@)>"
            "<P: @><I, @><C, @>.\\n<K@\\n><X@>",
            defaults, out, sizeof out));
}

BENCHMARK(BM_FormatExample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatBasic)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatEveryField)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
