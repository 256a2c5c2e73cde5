// Speed of the reference store on synthetic references: sorted insertion of references that
// arrive in sort order and in random order, re-sorting with family-name comparison, putting an
// edited reference back in order, and the memory a database takes against the refer file its
// references come from.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <benchmark/benchmark.h>

#include "store/database.h"
#include "store/reference.h"
#include "store/reference_edit.h"
#include "store/reference_list.h"
#include "store/resort.h"
#include "store/transfers.h"
#include "store/sort_order.h"
#include "store/store_state.h"
#include "tools/refer_writer.h"
#include "tools/reference_generator.h"

namespace {

constexpr uint32_t kSeed = 1994;

// Generated once per size and kept alive between runs by a hold of the pool's own, so that
// destroying a benchmark's database only releases them.
const std::vector<Reference*>& Pool(int32_t count)
{
    static std::map<int32_t, std::vector<Reference*>> pools;
    std::vector<Reference*>& pool = pools[count];
    if (pool.empty()) {
        pool = GenerateReferences(count, kSeed);
        for (Reference* reference : pool) ++reference->refCount;
    }
    return pool;
}

std::vector<Reference*> InSortOrder(int32_t count)
{
    std::vector<Reference*> references = Pool(count);
    const StoreDefaults& defaults = g_store.defaults;
    std::sort(references.begin(), references.end(), [&defaults](Reference* a, Reference* b) {
        return CompareReferences(*a, *b, defaults.sortKeys, defaults.nameOptions) < 0;
    });
    return references;
}

std::vector<Reference*> InRandomOrder(int32_t count)
{
    std::vector<Reference*> references = Pool(count);
    uint64_t state = 42;
    for (std::size_t i = references.size(); i > 1; --i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        std::swap(references[i - 1], references[(state >> 33) % i]);
    }
    return references;
}

// Times the part of an iteration between its creation and Stop: the iteration time is the
// elapsed time, and the "cpu_ms" counter the processor time, which a busy machine disturbs
// less.
class Stopwatch {
public:
    explicit Stopwatch(benchmark::State& state) : state_(state) {}

    void Stop(double& cpuMilliseconds) const
    {
        state_.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count());
        cpuMilliseconds += 1000.0 * static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC;
    }

private:
    benchmark::State& state_;
    std::chrono::steady_clock::time_point wall_ = std::chrono::steady_clock::now();
    std::clock_t cpu_ = std::clock();
};

void ReportCpu(benchmark::State& state, double cpuMilliseconds)
{
    state.counters["cpu_ms"] = benchmark::Counter(cpuMilliseconds, benchmark::Counter::kAvgIterations);
}

// Inserts every reference into a new database, timing only the insertions.
void InsertAll(benchmark::State& state, const std::vector<Reference*>& references)
{
    double cpu = 0;
    for (auto _ : state) {
        Database* database = CreateDatabase();
        const Stopwatch watch(state);
        for (Reference* reference : references) database->references->insert(reference);
        watch.Stop(cpu);
        if (database->references->count() != static_cast<int32_t>(references.size()))
            state.SkipWithError("references went missing");
        DestroyDatabase(database);
    }
    ReportCpu(state, cpu);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(references.size()));
}

void BM_InsertInSortOrder(benchmark::State& state)
{
    InsertAll(state, InSortOrder(static_cast<int32_t>(state.range(0))));
}

void BM_InsertInRandomOrder(benchmark::State& state)
{
    InsertAll(state, InRandomOrder(static_cast<int32_t>(state.range(0))));
}

// Re-sorts a database of `state.range(0)` references by author, date and title with
// family-name comparison, from the order `before` gives with names compared as written.
void TimeResort(benchmark::State& state, const SortSpec& before)
{
    const std::vector<Reference*> references =
        InRandomOrder(static_cast<int32_t>(state.range(0)));
    double cpu = 0;
    for (auto _ : state) {
        Database* database = CreateDatabase();
        database->sortKeys = before;
        for (Reference* reference : references) database->references->insert(reference);
        database->sortKeys = SortSpec();
        database->nameOptions.method = kCompareFamilyNames;
        const Stopwatch watch(state);
        ResortDatabase(*database);
        watch.Stop(cpu);
        DestroyDatabase(database);
    }
    ReportCpu(state, cpu);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(references.size()));
}

// From a database sorted by title: the references come in an order unrelated to the new one.
void BM_ResortByFamilyNames(benchmark::State& state)
{
    SortSpec byTitle;
    byTitle.keys[0] = kSortTitle;
    byTitle.keys[1] = byTitle.keys[2] = kSortNone;
    TimeResort(state, byTitle);
}

// The usual change: the order stays by author, date and title, and the names switch from
// comparison as written to family names, so the references come nearly in order.
void BM_ResortToFamilyNamesFromAuthorOrder(benchmark::State& state)
{
    TimeResort(state, SortSpec());
}

#if defined(__GLIBC__)
std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// One edit of a reference of a database that shares every other reference with the
// bibliography: its authors change, so each list holding it takes it out and puts it back
// where it now belongs. The cost must not grow with the list.
void BM_EditMovesTheReference(benchmark::State& state)
{
    const int32_t count = static_cast<int32_t>(state.range(0));
    Database* database = CreateDatabase();
    for (Reference* reference : InSortOrder(count)) {
        Reference* copy = CopyReference(*reference);
        if (database->references->insert(copy) < 0) delete copy;
    }
    std::vector<int32_t> shared;
    for (int32_t i = 0; i < database->references->count(); i += 2) shared.push_back(i);
    AddToBibliography(*database, shared.data(), static_cast<int32_t>(shared.size()));
    uint64_t step = 7;
    for (auto _ : state) {
        step = step * 6364136223846793005ull + 1442695040888963407ull;
        const auto held = static_cast<uint64_t>(database->references->count());
        Reference& reference = *database->references->referenceAt(
            static_cast<int32_t>((step >> 33) % held));
        ReferenceEdit edit;
        BeginReferenceEdit(edit, reference);
        SetReferenceText(reference, kFieldAuthors, ("Edited" + std::to_string(step % 99991)).c_str());
        EndReferenceEdit(edit);
        if (reference.refCount <= 0) delete &reference;  // left out as a duplicate
    }
    DestroyDatabase(g_store.bibliography);
    DestroyDatabase(database);
}

// Bytes the heap holds for a database of generated references, against the size of the refer
// file that holds the same references.
void BM_MemoryOfDatabase(benchmark::State& state)
{
    const int32_t count = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        std::vector<Reference*> references = GenerateReferences(count, kSeed + 1);
        Database* database = CreateDatabase();
        for (Reference* reference : references) database->references->insert(reference);
        const std::size_t vectorBytes = references.capacity() * sizeof(Reference*);
        const double held = static_cast<double>(HeapInUse() - before - vectorBytes);

        const std::string path = "/tmp/cartulan-bench-" + std::to_string(count) + ".ref";
        const long long fileBytes = WriteReferFile(path.c_str(), references);
        std::remove(path.c_str());
        DestroyDatabase(database);
        if (fileBytes <= 0) {
            state.SkipWithError("cannot write the refer file");
            return;
        }
        state.counters["held_MB"] = held / 1e6;
        state.counters["refer_file_MB"] = static_cast<double>(fileBytes) / 1e6;
        state.counters["held_per_file_byte"] = held / static_cast<double>(fileBytes);
        state.counters["held_B_per_ref"] = held / count;
    }
}
BENCHMARK(BM_MemoryOfDatabase)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_EditMovesTheReference)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertInSortOrder)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertInRandomOrder)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResortByFamilyNames)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResortToFamilyNamesFromAuthorOrder)->Arg(10000)->Arg(100000)->Arg(1000000)
    ->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
