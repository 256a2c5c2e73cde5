// LoadRef of one filter (FUZZED_FILTER) over arbitrary bytes: every call returns a well-formed
// record, the reading ends, and the sanitizers see no read or write outside a buffer and no
// leak. The refer filter runs with its OEM option on, so that the conversion is covered too.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

namespace {

LoadRefProc g_loadRef = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    g_loadRef = FuzzedLoadRef(LoadFuzzedFilter(1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = FuzzScratchPath("input");
    WriteScratch(path, data, size);
    LoadAllChecked(g_loadRef, path, size);
    return 0;
}
