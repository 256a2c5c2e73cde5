// LoadRef of one filter (FUZZED_FILTER) over arbitrary bytes: every call returns a well-formed
// record, the reading ends, and the sanitizers see no read or write outside a buffer and no
// leak. The refer filter runs with its OEM option on, so that the conversion is covered too.
#include "fuzz_support.h"

namespace {

LoadRefProc g_loadRef = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_loadRef = LoadFuzzedFilter(1).loadRef;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LoadScratch(g_loadRef, data, size);
    return 0;
}
