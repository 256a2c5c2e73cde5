// A filter needs line buffers of the size the program sets before it loads any filter. In a
// process where no size was set, no filter can serve: on Windows the library refuses to load
// (the program then treats it as absent); a native shared object still maps, but reads
// nothing and writes nothing. Once the size is set, the same files load and serve. (The buffer
// size lives once per process, in cartio: so its checks live here too.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

struct FilterInput {
    const char* fileName;
    const char* oneReference;  // a file of one reference titled "X"
};

constexpr FilterInput kFilters[] = {
    {"REFER.FLT", "%T X\r\n"},
    {"PUBTAG.FLT", "TI  - X\r\n"},
    {"CITADAT.FLT", "Record\r\n\r\nTI X\r\n"},
    {"VITADEX.FLT", "TI  - X\r\n"},
};

TEST(FilterLoad, NoFilterServesBeforeTheBufferSizeIsSetAndEachServesAfterwards)
{
    ASSERT_EQ(GetBufSz(), 0) << "this program must not set the buffer size before this test";
    TempDir dir;
    for (const FilterInput& input : kFilters) {
        SCOPED_TRACE(input.fileName);
        const std::string path = dir.Path(input.fileName);
        WriteBytes(path, input.oneReference);
        FilterLibrary filter(input.fileName);
#ifdef _WIN32
        EXPECT_FALSE(filter.Loaded());
#else
        ASSERT_TRUE(filter.Loaded());
        EXPECT_EQ(LoadFile(filter.loadRef, path), std::vector<RecordCopy>{NoReference()});
        if (filter.saveRef != nullptr) {
            std::vector<int> results;
            EXPECT_EQ(SaveFile(filter.saveRef, {Record(kRecordJournal, {{kRecordTitle, "X"}})},
                               dir.Path("out.txt"), &results), "");
            EXPECT_EQ(results, std::vector<int>{1}) << "the export must stop";
        }
#endif
    }

    // The first positive size stays for the process.
    EXPECT_EQ(SetBufSz(-3), 0);
    ASSERT_EQ(SetBufSz(32768), 32768);
    EXPECT_EQ(SetBufSz(1000), 32768);
    EXPECT_EQ(SetBufSz(0), 32768);
    for (const FilterInput& input : kFilters) {
        SCOPED_TRACE(input.fileName);
        FilterLibrary filter(input.fileName);
        ASSERT_TRUE(filter.Loaded());
        const std::vector<RecordCopy> records = LoadFile(filter.loadRef, dir.Path(input.fileName));
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].texts[kRecordTitle], "X");
    }
}

}  // namespace
