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

// Written as the program saves a database read with `flags`: in the encoding found.
std::string Save(const std::vector<RecordCopy>& records, const std::string& path, uint32_t flags)
{
    const int mode = (flags & kLineFileUtf8) == 0         ? kLineFileWrite
                     : (flags & kLineFileUtf8Mark) != 0 ? kLineFileWriteUtf8Marked
                                                          : kLineFileWriteUtf8;
    std::vector<int> results;
    const std::string written = SaveFile(g_filter.saveRef, records, path, &results, mode);
    StopOnFault(results == std::vector<int>(records.size(), 0), "SaveRef stopped");
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_filter = LoadFuzzedFilter(0);
    StopOnFault(g_filter.saveRef != nullptr, "no SaveRef");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint32_t flags = 0;
    const std::vector<RecordCopy> records = LoadScratch(g_filter.loadRef, data, size, &flags);
    const std::string first = WriteScratch("first", nullptr, 0);
    const std::string written = Save(records, first, flags);
    uint32_t flagsAgain = 0;
    const std::vector<RecordCopy> again =
        References(LoadFile(g_filter.loadRef, first, &flagsAgain));
#ifdef EVERY_FIELD_BACK
    if ((flags & kLineFileUtf8) == 0 && (flagsAgain & kLineFileUtf8) != 0)
        return 0;
    StopOnFault(again == records, "a reference does not read back as it was written");
#endif
    StopOnFault(Save(again, first, flags) == written,
                "a written file does not read back into the same file");
    std::remove(first.c_str());
    return 0;
}
