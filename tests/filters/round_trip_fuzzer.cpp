// A filter that writes (FUZZED_FILTER) over arbitrary bytes, as the program opens and saves a
// database: read as text, written in the encoding it was found in, read again and written once
// more, which must give the same file. Whatever a format cannot hold (a line break in a
// one-line field, a made cite key) changes in the first pass only. With EVERY_FIELD_BACK (refer)
// every reference must also come back with every field and its source type unchanged; but an
// 8-bit file whose high bytes all form valid UTF-8 once written reads back as UTF-8, since such
// text is indistinguishable from UTF-8 by its bytes.
#include <cstdio>

#include "fuzz_support.h"

namespace {

FuzzedFilter g_filter;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_filter = LoadFuzzedFilter(0);
    FuzzCheck(g_filter.saveRef != nullptr, "no SaveRef");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint32_t flags = 0;
    const std::vector<RecordTexts> records =
        LoadAllChecked(g_filter.loadRef, WriteScratch("input", data, size), &flags);
    const std::string first = WriteScratch("first", nullptr, 0);
    const std::string written = SaveAll(g_filter.saveRef, records, first, flags);
    uint32_t flagsAgain = 0;
    const std::vector<RecordTexts> again = LoadAllChecked(g_filter.loadRef, first, &flagsAgain);
#ifdef EVERY_FIELD_BACK
    if ((flags & kLineFileUtf8) == 0 && (flagsAgain & kLineFileUtf8) != 0)
        return 0;
    FuzzCheck(again == records, "a reference does not read back as it was written");
#endif
    FuzzCheck(SaveAll(g_filter.saveRef, again, first, flags) == written,
              "a written file does not read back into the same file");
    std::remove(first.c_str());
    return 0;
}
