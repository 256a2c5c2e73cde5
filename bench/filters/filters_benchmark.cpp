// The filters at the size of a large database: LoadRef over a 100,000-reference refer file
// and a 100,000-record pubtag file, SaveRef of 100,000 references. The files are generated
// once per run and removed at exit. Files are read as the program reads them, as text; the
// refer file also comes as plain ASCII (read as text and as bytes, which shows what the look
// for UTF-8 costs) and as UTF-8 (what the conversion costs).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
        asciiPath = (dir / "cartulan-filters-bench-ascii.ref").string();
        utf8Path = (dir / "cartulan-filters-bench-utf8.ref").string();
        // The program's settings store, with the values a user has after a first run.
        setenv("CARTULAN_CONFIG", settings.c_str(), 1);
        for (int i = 0; i < 40; ++i)
            SetConfigInt("Settings", ("Value" + std::to_string(i)).c_str(), i);
        SetConfigInt("pubtag", "Opt", 1);
        SetBufSz(kBufferSize);
        references = GenerateReferences(kReferences, kSeed);
        referSize = WriteReferFile(referPath.c_str(), references);
        pubtagSize = WritePubtagFile(pubtagPath.c_str(), references);
        asciiSize = WriteAsciiCopy(referPath, asciiPath);
        utf8Size = SaveReferences(references, utf8Path, kLineFileWriteUtf8);
    }
    ~BenchData()
    {
        DestroyReferences(references);
        for (const std::string& path :
             {settings, referPath, pubtagPath, savePath, asciiPath, utf8Path})
            std::filesystem::remove(path);
    }

    // The refer file with every byte above 127 replaced by a letter.
    static long long WriteAsciiCopy(const std::string& from, const std::string& to)
    {
        std::ifstream in(from, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (char& c : bytes) {
            if (c & 0x80)
                c = 'e';
        }
        std::ofstream(to, std::ios::binary) << bytes;
        return static_cast<long long>(bytes.size());
    }

    // The references written through the refer filter in `mode`; the size of the file.
    static long long SaveReferences(const std::vector<Reference*>& references,
                                    const std::string& path, int mode);

    std::string settings, referPath, pubtagPath, savePath, asciiPath, utf8Path;
    std::vector<Reference*> references;
    long long referSize = 0;
    long long pubtagSize = 0;
    long long asciiSize = 0;
    long long utf8Size = 0;
};

// Each reference in a record of the program's kind, pointing at its texts.
std::vector<FilterRecord> RecordsOf(const std::vector<Reference*>& references)
{
    std::vector<FilterRecord> records(references.size());
    for (size_t i = 0; i < records.size(); ++i) {
        Reference& reference = *references[i];
        records[i].sourceType = static_cast<uint8_t>(reference.sourceType);
        for (int field = 0; field < kRecordTextCount; ++field)
            SetRecordText(records[i], field, reference.*kReferenceTexts[field]);
    }
    return records;
}

void SaveRecords(SaveRefProc saveRef, std::vector<FilterRecord>& records,
                 const std::string& path, int mode)
{
    std::vector<char> buffer(kBufferSize + 8, '\0');
    LineFile file;
    OpenLineFile(&file, path.c_str(), mode, buffer.data(), kBufferSize);
    for (FilterRecord& record : records)
        saveRef(nullptr, &record, &file);
    file.flags |= kLineFileDirty;
    CloseLineFile(&file);
}

long long BenchData::SaveReferences(const std::vector<Reference*>& references,
                                    const std::string& path, int mode)
{
    FilterLibrary library("REFER.FLT");
    if (library.saveRef == nullptr)
        return 0;
    std::vector<FilterRecord> records = RecordsOf(references);
    SaveRecords(library.saveRef, records, path, mode);
    return static_cast<long long>(std::filesystem::file_size(path));
}

BenchData& Data()
{
    static BenchData data;
    return data;
}

void LoadAll(benchmark::State& state, const char* fileName, const std::string& path,
             long long size, int mode = kLineFileReadText)
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
        OpenLineFile(&file, path.c_str(), mode, buffer.data(), kBufferSize);
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

void LoadReferAsciiBytes(benchmark::State& state)
{
    LoadAll(state, "REFER.FLT", Data().asciiPath, Data().asciiSize, kLineFileRead);
}

void LoadReferAsciiText(benchmark::State& state)
{
    LoadAll(state, "REFER.FLT", Data().asciiPath, Data().asciiSize);
}

void LoadReferUtf8(benchmark::State& state)
{
    LoadAll(state, "REFER.FLT", Data().utf8Path, Data().utf8Size);
}

void LoadPubtagFile(benchmark::State& state)
{
    LoadAll(state, "PUBTAG.FLT", Data().pubtagPath, Data().pubtagSize);
}

void SaveReferFile(benchmark::State& state, int mode)
{
    BenchData& data = Data();
    FilterLibrary library("REFER.FLT");
    if (library.saveRef == nullptr) {
        state.SkipWithError("no filter");
        return;
    }
    // The program hands each reference over in a record of its own copies; copying them is
    // the program's share of the work and not timed here.
    std::vector<FilterRecord> records = RecordsOf(data.references);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(data.savePath);
        state.ResumeTiming();
        SaveRecords(library.saveRef, records, data.savePath, mode);
    }
    const long long written = static_cast<long long>(std::filesystem::file_size(data.savePath));
    state.SetBytesProcessed(state.iterations() * written);
    state.counters["MB"] = static_cast<double>(written) / 1e6;
}

void SaveReferFile(benchmark::State& state)
{
    SaveReferFile(state, kLineFileWrite);
}

void SaveReferUtf8(benchmark::State& state)
{
    SaveReferFile(state, kLineFileWriteUtf8);
}

}  // namespace

BENCHMARK(LoadReferFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadReferAsciiBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadReferAsciiText)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadReferUtf8)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(LoadPubtagFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(SaveReferFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(SaveReferUtf8)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

BENCHMARK_MAIN();
