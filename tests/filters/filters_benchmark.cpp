// The filters at the size of a large database: LoadRef over a 100,000-reference refer file
// and a 100,000-record pubtag file, SaveRef of 100,000 references. The files are generated
// once per run and removed at exit.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "io/filter_exports.h"
#include "store/reference.h"
#include "tools/pubtag_writer.h"
#include "tools/refer_writer.h"
#include "tools/reference_generator.h"

namespace {

constexpr int kReferences = 100000;
constexpr uint32_t kSeed = 7;
constexpr int kBufferSize = 32768;

struct BenchData {
    BenchData()
    {
        auto dir = std::filesystem::temp_directory_path();
        settings = (dir / "cartulan-filters-bench.settings").string();
        referPath = (dir / "cartulan-filters-bench.ref").string();
        pubtagPath = (dir / "cartulan-filters-bench.ptg").string();
        savePath = (dir / "cartulan-filters-bench-saved.ref").string();
        // The program's settings store, with the values a user has after a first run.
        setenv("CARTULAN_CONFIG", settings.c_str(), 1);
        for (int i = 0; i < 40; ++i)
            SetConfigInt("Settings", ("Value" + std::to_string(i)).c_str(), i);
        SetConfigInt("pubtag", "Opt", 1);
        SetBufSz(kBufferSize);
        references = GenerateReferences(kReferences, kSeed);
        referSize = WriteReferFile(referPath.c_str(), references);
        pubtagSize = WritePubtagFile(pubtagPath.c_str(), references);
    }
    ~BenchData()
    {
        DestroyReferences(references);
        for (const std::string& path : {settings, referPath, pubtagPath, savePath})
            std::filesystem::remove(path);
    }

    std::string settings, referPath, pubtagPath, savePath;
    std::vector<Reference*> references;
    long long referSize = 0;
    long long pubtagSize = 0;
};

BenchData& Data()
{
    static BenchData data;
    return data;
}

void LoadAll(benchmark::State& state, const char* fileName, const std::string& path,
             long long size)
{
    FilterLibrary library(fileName);
    LoadRefProc loadRef = library.loadRef;
    if (loadRef == nullptr || size <= 0) {
        state.SkipWithError("no filter or no file");
        return;
    }
    std::vector<char> buffer(kBufferSize + 8, '\0');
    long references = 0;
    for (auto _ : state) {
        LineFile file;
        OpenLineFile(&file, path.c_str(), kLineFileRead, buffer.data(), kBufferSize);
        references = 0;
        for (const FilterRecord* record = loadRef(nullptr, &file); record->status < kRecordNone;
             record = loadRef(nullptr, &file))
            ++references;
        CloseLineFile(&file);
    }
    if (references != kReferences)
        state.SkipWithError("not every reference was read");
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}

void LoadReferFile(benchmark::State& state)
{
    LoadAll(state, "REFER.FLT", Data().referPath, Data().referSize);
}

void LoadPubtagFile(benchmark::State& state)
{
    LoadAll(state, "PUBTAG.FLT", Data().pubtagPath, Data().pubtagSize);
}

void SaveReferFile(benchmark::State& state)
{
    BenchData& data = Data();
    FilterLibrary library("REFER.FLT");
    SaveRefProc saveRef = library.saveRef;
    if (saveRef == nullptr) {
        state.SkipWithError("no filter");
        return;
    }
    // The program hands each reference over in a record of its own copies; copying them is
    // the program's share of the work and not timed here.
    std::vector<FilterRecord> records(data.references.size());
    for (size_t i = 0; i < records.size(); ++i) {
        Reference& reference = *data.references[i];
        records[i].sourceType = static_cast<uint8_t>(reference.sourceType);
        for (int field = 0; field < kRecordTextCount; ++field)
            SetRecordText(records[i], field, reference.*kReferenceTexts[field]);
    }
    std::vector<char> buffer(kBufferSize + 8, '\0');
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(data.savePath);
        state.ResumeTiming();
        LineFile file;
        OpenLineFile(&file, data.savePath.c_str(), kLineFileWrite, buffer.data(), kBufferSize);
        for (FilterRecord& record : records)
            saveRef(nullptr, &record, &file);
        file.flags |= kLineFileDirty;
        CloseLineFile(&file);
    }
    const long long written = static_cast<long long>(std::filesystem::file_size(data.savePath));
    state.SetBytesProcessed(state.iterations() * written);
    state.counters["MB"] = static_cast<double>(written) / 1e6;
}

}  // namespace

BENCHMARK(LoadReferFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadPubtagFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(SaveReferFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

BENCHMARK_MAIN();
