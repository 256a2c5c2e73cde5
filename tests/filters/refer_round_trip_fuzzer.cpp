// The refer filter over arbitrary bytes, as the program opens and saves a database: read as
// text, written in the encoding it was found in, and read again. Every reference must come
// back with every field and its source type unchanged, and writing it once more must give
// the same file.
//
// One case is not compared: an 8-bit file whose bytes above 127 all form valid UTF-8 once
// written (a line that held an invalid one may have been dropped, like a lone "%" line) is
// read back as UTF-8. Such text is indistinguishable from UTF-8 by its bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

LoadRefProc g_loadRef = nullptr;
SaveRefProc g_saveRef = nullptr;

bool FoundUtf8(uint32_t flags)
{
    return (flags & kLineFileUtf8) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    void* library = LoadFuzzedFilter(0);
    g_loadRef = FuzzedLoadRef(library);
    g_saveRef = FuzzedExport<SaveRefProc>(library, FILTER_SAVE_REF);
    FuzzCheck(g_saveRef != nullptr, "no SaveRef");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = FuzzScratchPath("input");
    static const std::string first = FuzzScratchPath("first");
    static const std::string second = FuzzScratchPath("second");
    WriteScratch(input, data, size);
    uint32_t flags = 0;
    const std::vector<RecordTexts> records = LoadAllChecked(g_loadRef, input, size, &flags);
    const int mode = WriteModeFor(flags);
    const std::string written = SaveAll(g_saveRef, records, first, mode);
    uint32_t flagsAgain = 0;
    const std::vector<RecordTexts> again =
        LoadAllChecked(g_loadRef, first, written.size(), &flagsAgain);
    if (!FoundUtf8(flags) && FoundUtf8(flagsAgain))
        return 0;
    FuzzCheck(again == records, "a reference does not read back as it was written");
    FuzzCheck(SaveAll(g_saveRef, again, second, mode) == written,
              "a written file does not read back into the same file");
    return 0;
}
