// Speed of searching synthetic references: field 3 (keywords, title and abstract) with and
// without regard to case, for a text found nowhere, a phrase found in a few references and a
// word found in many (ignoring case, about 40%: their copies then dominate); over references
// scattered in the heap and over references laid out as a load of a sorted file leaves them.
// Only the search itself is timed, not destroying the result afterwards.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "search/search.h"
#include "store/database.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "tools/reference_generator.h"

namespace {

constexpr uint32_t kSeed = 1994;

const char* const kTexts[] = {"photosynthesis", "quantum memory", "Quantum"};

// Generated references sit in the heap in the order they were made, which their database's
// sort order shuffles; references loaded from a file saved in sort order sit in list order.
enum Layout { kScattered, kLoadedInOrder };

Database& Searched(int32_t count, int64_t layout)
{
    static Database* databases[2] = {};
    Database*& database = databases[layout];
    if (database == nullptr) {
        Database* generated = CreateDatabase();
        for (Reference* reference : GenerateReferences(count, kSeed))
            if (generated->references->insert(reference) < 0) delete reference;
        if (layout == kScattered) return *(database = generated);
        database = CreateDatabase();
        for (int32_t i = 0; i < generated->references->count(); ++i) {
            Reference* copy = CopyReference(*generated->references->referenceAt(i));
            if (copy != nullptr && database->references->insert(copy) < 0) delete copy;
        }
        DestroyDatabase(generated);
    }
    return *database;
}

void SearchField3(benchmark::State& state, bool caseSensitive)
{
    const ReferenceList& source =
        *Searched(static_cast<int32_t>(state.range(0)), state.range(2)).references;
    SearchCriteria criteria;
    criteria.field = kSearchTitleKeywordsAbstract;
    criteria.caseSensitive = caseSensitive ? 1 : 0;
    SetSearchText(criteria, kTexts[state.range(1)]);
    int32_t found = 0;
    for (auto _ : state) {
        ReferenceList* result = CreateReferenceList(20, 0, nullptr);
        const auto start = std::chrono::steady_clock::now();
        found = SearchList(source, criteria, *result);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        delete result;
    }
    state.SetLabel(std::string(kTexts[state.range(1)]) +
                   (state.range(2) == kScattered ? ", scattered" : ", loaded in order"));
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(source.count()));
}

void BM_SearchField3IgnoringCase(benchmark::State& state) { SearchField3(state, false); }
void BM_SearchField3CaseSensitive(benchmark::State& state) { SearchField3(state, true); }

BENCHMARK(BM_SearchField3IgnoringCase)
    ->ArgsProduct({{100000}, {0, 1, 2}, {kScattered, kLoadedInOrder}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchField3CaseSensitive)
    ->ArgsProduct({{100000}, {0, 1, 2}, {kScattered, kLoadedInOrder}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
