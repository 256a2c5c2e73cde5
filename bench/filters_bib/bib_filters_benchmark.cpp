// The RIS and BibTeX filters at the size of a large database: LoadRef over a 100,000-reference
// RIS file (UTF-8) and a 100,000-entry BibTeX file (accents as LaTeX commands, and again in
// UTF-8), written by the generator rather than by the filters; SaveRef of the same 100,000
// references in each format. Files are read as the program reads them, as text, and written
// as it exports an 8-bit database (the filters make their files UTF-8 themselves). The files
// are generated once per run and removed at exit.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "io/filter_exports.h"
#include "store/reference.h"
#include "tools/bib_writers.h"
#include "tools/reference_generator.h"

namespace {

constexpr int kReferences = 100000;
constexpr uint32_t kSeed = 7;
constexpr int kBufferSize = 32768;

struct BenchData {
    BenchData()
    {
        auto dir = std::filesystem::temp_directory_path();
        settings = (dir / "cartulan-bib-bench.settings").string();
        risPath = (dir / "cartulan-bib-bench.ris").string();
        bibtexPath = (dir / "cartulan-bib-bench.bib").string();
        bibtexUtf8Path = (dir / "cartulan-bib-bench-utf8.bib").string();
        savePath = (dir / "cartulan-bib-bench-saved").string();
        setenv("CARTULAN_CONFIG", settings.c_str(), 1);
        SetBufSz(kBufferSize);
        references = GenerateReferences(kReferences, kSeed);
        risSize = WriteRisFile(risPath.c_str(), references);
        bibtexSize = WriteBibtexFile(bibtexPath.c_str(), references);
        bibtexUtf8Size = WriteBibtexFile(bibtexUtf8Path.c_str(), references, true);
        records.resize(references.size());
        for (size_t i = 0; i < records.size(); ++i) {
            records[i].sourceType = static_cast<uint8_t>(references[i]->sourceType);
            for (int field = 0; field < kRecordTextCount; ++field)
                SetRecordText(records[i], field, references[i]->*kReferenceTexts[field]);
        }
    }
    ~BenchData()
    {
        DestroyReferences(references);
        for (const std::string& path : {settings, risPath, bibtexPath, bibtexUtf8Path, savePath})
            std::filesystem::remove(path);
    }

    std::string settings, risPath, bibtexPath, bibtexUtf8Path, savePath;
    std::vector<Reference*> references;
    // Records of the program's kind, pointing at the references' texts: copying the texts is
    // the program's share of a save and not timed here.
    std::vector<FilterRecord> records;
    long long risSize = 0;
    long long bibtexSize = 0;
    long long bibtexUtf8Size = 0;
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
    if (library.loadRef == nullptr || size <= 0) {
        state.SkipWithError("no filter or no file");
        return;
    }
    std::vector<char> buffer(kBufferSize + 8, '\0');
    long references = 0;
    for (auto _ : state) {
        LineFile file;
        OpenLineFile(&file, path.c_str(), kLineFileReadText, buffer.data(), kBufferSize);
        references = 0;
        for (const FilterRecord* record = library.loadRef(nullptr, &file);
             record->status < kRecordNone; record = library.loadRef(nullptr, &file))
            ++references;
        CloseLineFile(&file);
    }
    if (references != kReferences)
        state.SkipWithError("not every reference was read");
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}

void SaveAll(benchmark::State& state, const char* fileName)
{
    BenchData& data = Data();
    FilterLibrary library(fileName);
    if (library.saveRef == nullptr) {
        state.SkipWithError("no filter");
        return;
    }
    std::vector<char> buffer(kBufferSize + 8, '\0');
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(data.savePath);
        state.ResumeTiming();
        LineFile file;
        OpenLineFile(&file, data.savePath.c_str(), kLineFileWrite, buffer.data(), kBufferSize);
        for (FilterRecord& record : data.records)
            library.saveRef(nullptr, &record, &file);
        file.flags |= kLineFileDirty;
        CloseLineFile(&file);
    }
    const long long written = static_cast<long long>(std::filesystem::file_size(data.savePath));
    state.SetBytesProcessed(state.iterations() * written);
    state.counters["MB"] = static_cast<double>(written) / 1e6;
}

void LoadRisFile(benchmark::State& state)
{
    LoadAll(state, "RIS.FLT", Data().risPath, Data().risSize);
}

void LoadBibtexFile(benchmark::State& state)
{
    LoadAll(state, "BIBTEX.FLT", Data().bibtexPath, Data().bibtexSize);
}

void LoadBibtexUtf8(benchmark::State& state)
{
    LoadAll(state, "BIBTEX.FLT", Data().bibtexUtf8Path, Data().bibtexUtf8Size);
}

void SaveRisFile(benchmark::State& state)
{
    SaveAll(state, "RIS.FLT");
}

void SaveBibtexFile(benchmark::State& state)
{
    SaveAll(state, "BIBTEX.FLT");
}

}  // namespace

BENCHMARK(LoadRisFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadBibtexFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadBibtexUtf8)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(SaveRisFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(SaveBibtexFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

BENCHMARK_MAIN();
