// A line longer than the line buffer, read by each import filter (the end of reading is
// checked with every file the golden file test reads), and a save given no record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

// A line longer than the line buffer is one line: its whole text goes to its field, and the
// part behind the buffer's length, which looks like a tag line here, starts nothing.
TEST(FilterInterface, AnOverlongLineGoesWholeToItsField)
{
    struct LongLineCase {
        const char* fileName;
        std::string head;    // the file up to the long line's text
        std::string tagged;  // the second piece starts with this
        std::string after;   // the rest of the file
        RecordText field;
    };
    const LongLineCase cases[] = {
        {"REFER.FLT", "%X ", "%A Invented, A.", "\r\n%T After\r\n", kRecordAbstract},
        {"PUBTAG.FLT", "AD  - ", "AU  - Invented A", "\r\nTI  - After\r\n", kRecordCity},
        {"CITADAT.FLT", "Record\r\n\r\nAB ", "AU INVENTED, A", "\r\nTI After\r\n",
         kRecordAbstract},
        {"VITADEX.FLT", "AB  - ", "AU  - INVENTED-A", "\r\nTI  - After\r\n", kRecordAbstract},
    };
    for (const LongLineCase& c : cases) {
        SCOPED_TRACE(c.fileName);
        const size_t lineStart = c.head.rfind('\n') + 1;
        const std::string text = std::string(kProgramBufferSize - 1 - (c.head.size() - lineStart),
                                             'a') + c.tagged + " " + std::string(2000, 'b');
        const std::string path = ScratchPath("long.txt");
        WriteBytes(path, c.head + text + c.after);
        FilterLibrary filter(c.fileName);
        std::vector<RecordCopy> records = LoadFile(filter.loadRef, path);
        ASSERT_EQ(records.size(), 2u);
        EXPECT_TRUE(records[0].texts[c.field] == text) << "the long line is not whole";
        EXPECT_FALSE(records[0].texts[kRecordAuthors]);
        EXPECT_TRUE(records[0].texts[kRecordTitle] == "After");
    }
}

TEST(ReferSave, NoRecordStopsTheExport)
{
    FilterLibrary filter("REFER.FLT");
    ASSERT_NE(filter.saveRef, nullptr);
    OpenedFile opened(ScratchPath("none.ref"), kLineFileWrite);
    EXPECT_NE(filter.saveRef(nullptr, nullptr, &opened.file), 0);
    EXPECT_EQ(opened.file.next, opened.file.bufferStart) << "nothing written";
}

}  // namespace
