// The RIS or BibTeX filter (FUZZED_FILTER) over arbitrary bytes, in 8 bits or UTF-8: what it
// reads it writes, and what it has written reads back into the same file when written again. Whatever a format
// cannot hold (a line break in a one-line field, a made cite key) changes in the first pass
// only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

LoadRefProc g_loadRef = nullptr;
SaveRefProc g_saveRef = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    void* library = LoadFuzzedFilter(0);
    g_loadRef = FuzzedLoadRef(library);
    g_saveRef = FuzzedSaveRef(library);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = FuzzScratchPath("input");
    static const std::string first = FuzzScratchPath("first");
    static const std::string second = FuzzScratchPath("second");
    WriteScratch(input, data, size);
    // Written in the encoding the input was read in, as the program saves a database.
    uint32_t flags = 0;
    const std::vector<RecordTexts> records = LoadAllChecked(g_loadRef, input, size, &flags);
    const int mode = WriteModeFor(flags);
    const std::string written = SaveAll(g_saveRef, records, first, mode);
    const std::string rewritten =
        SaveAll(g_saveRef, LoadAllChecked(g_loadRef, first, written.size()), second, mode);
    FuzzCheck(written == rewritten, "a written file does not read back into the same file");
    return 0;
}
