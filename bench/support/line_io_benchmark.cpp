// Reading and writing a 66 MB refer file line by line, as every open and save of a large
// database does.
#include <benchmark/benchmark.h>

#include <cstdarg>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cartio.h"

namespace {

constexpr int kBufferSize = 32768;
constexpr size_t kFileSize = 66u * 1024 * 1024;

std::string Record(size_t i)
{
    std::string n = std::to_string(i);
    return "%A Surname" + n + ", F. M.\r\n"
           "%A Coauthor, A. B.\r\n"
           "%T A study of the effects of item " + n + " on the arrangement of catalogues\r\n"
           "%J Journal of Bibliographic Examples\r\n"
           "%D " + std::to_string(1950 + i % 70) + "\r\n"
           "%V " + std::to_string(i % 60) + "\r\n"
           "%P " + std::to_string(i % 400) + "-" + std::to_string(i % 400 + 17) + "\r\n"
           "%K catalogues, arrangement, item " + n + "\r\n"
           "%X The abstract runs over several sentences, as abstracts do. It describes the "
           "method, the material and what was found, and it ends with a remark on what "
           "remains to be done in further work on record " + n + ".\r\n"
           "\r\n";
}

// Generated once per run in the temporary directory and removed at exit.
struct ReferFile {
    ReferFile() : path((std::filesystem::temp_directory_path() / "cartio-bench.ref").string())
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (size_t i = 0; size < kFileSize; ++i) {
            std::string record = Record(i);
            out << record;
            size += record.size();
        }
    }
    ~ReferFile() { std::filesystem::remove(path); }

    std::string path;
    size_t size = 0;
};

const ReferFile& TheFile()
{
    static const ReferFile file;
    return file;
}

std::vector<std::string> LinesOfTheFile()
{
    std::vector<std::string> lines;
    std::vector<char> buffer(kBufferSize + 1);
    std::vector<char> line(kBufferSize);
    LineFile file;
    OpenLineFile(&file, TheFile().path.c_str(), kLineFileRead, buffer.data(), kBufferSize);
    int endFlag = 0;
    while (ReadLine(&file, line.data(), &endFlag), endFlag == 0)
        lines.push_back(std::string(line.data()) + "\r\n");
    CloseLineFile(&file);
    return lines;
}

// The file is plain ASCII: reading it as text (as the program reads reference files) costs
// only the look for bytes that need converting, compared with reading its bytes.
void ReadLines(benchmark::State& state, int mode)
{
    SetBufSz(kBufferSize);
    const ReferFile& refer = TheFile();
    std::vector<char> buffer(kBufferSize + 1);
    std::vector<char> line(kBufferSize);
    size_t lines = 0;
    for (auto _ : state) {
        LineFile file;
        OpenLineFile(&file, refer.path.c_str(), mode, buffer.data(), kBufferSize);
        int endFlag = 0;
        while (ReadLine(&file, line.data(), &endFlag), endFlag == 0)
            ++lines;
        CloseLineFile(&file);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * refer.size));
    state.counters["lines"] = static_cast<double>(lines / state.iterations());
}

void ReadLineBytes(benchmark::State& state)
{
    ReadLines(state, kLineFileRead);
}

void ReadLineText(benchmark::State& state)
{
    ReadLines(state, kLineFileReadText);
}

template <typename WriteOne>
void WriteLines(benchmark::State& state, WriteOne writeOne)
{
    static const std::vector<std::string> lines = LinesOfTheFile();
    const std::string out = TheFile().path + ".out";
    std::vector<char> buffer(kBufferSize + 1);
    for (auto _ : state) {
        // A save writes a new file: the old one has been renamed to the backup name.
        state.PauseTiming();
        std::filesystem::remove(out);
        state.ResumeTiming();
        LineFile file;
        OpenLineFile(&file, out.c_str(), kLineFileWrite, buffer.data(), kBufferSize);
        for (const std::string& line : lines)
            writeOne(&file, line);
        file.flags |= kLineFileDirty;
        if (CloseLineFile(&file) != 0)
            state.SkipWithError("write failed");
    }
    if (std::filesystem::file_size(out) != TheFile().size)
        state.SkipWithError("the file written differs in size");
    std::filesystem::remove(out);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TheFile().size));
}

int Printf(LineFile* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int count = vMMIOprintf(file, format, args);
    va_end(args);
    return count;
}

void WriteLinesWithWriteLine(benchmark::State& state)
{
    WriteLines(state, [](LineFile* file, const std::string& line) { WriteLine(file, line.c_str()); });
}

void WriteLinesWithPrintf(benchmark::State& state)
{
    WriteLines(state, [](LineFile* file, const std::string& line) {
        Printf(file, "%s", line.c_str());
    });
}

}  // namespace

BENCHMARK(ReadLineBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(ReadLineText)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(WriteLinesWithWriteLine)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(WriteLinesWithPrintf)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

BENCHMARK_MAIN();
