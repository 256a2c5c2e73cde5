// What every filter offers the program: its exports, its name and file types, and the end of
// reading (empty files, a missing file, calls after the end).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

struct FilterFacts {
    const char* fileName;
    bool saves;
};

const FilterFacts kFilters[] = {
    {"REFER.FLT", true}, {"PUBTAG.FLT", false}, {"CITADAT.FLT", false},
    {"VITADEX.FLT", false}, {"RIS.FLT", true}, {"BIBTEX.FLT", true},
};

// Each filter loads, saves only where its format allows, names itself and ends its list of
// file types with "All files".
TEST(FilterInterface, EachFilterExportsWhatItsFormatAllowsAndNamesIt)
{
    for (const FilterFacts& facts : kFilters) {
        SCOPED_TRACE(facts.fileName);
        FilterLibrary filter(facts.fileName);
        ASSERT_TRUE(filter.Loaded());
        EXPECT_NE(filter.loadRef, nullptr);
        EXPECT_EQ(filter.saveRef != nullptr, facts.saves);
        EXPECT_NE(filter.opts, nullptr);
        ASSERT_TRUE(filter.whoAmI && filter.getSpecs);
        EXPECT_NE(filter.whoAmI()[0], '\0');
        std::vector<std::string> types;
        for (const char* at = filter.getSpecs(); *at != '\0' && types.size() < 20;
             at += types.back().size() + 1)
            types.push_back(at);
        ASSERT_EQ(types.size(), 4u);
        EXPECT_EQ(types[3], "*.*");
    }
}

TEST(FilterInterface, AnEmptyFileGivesNoReferenceAndTheEndPersists)
{
    const std::string path = ScratchPath("empty.txt");
    WriteBytes(path, "");
    for (const FilterFacts& facts : kFilters) {
        SCOPED_TRACE(facts.fileName);
        FilterLibrary filter(facts.fileName);
        ASSERT_NE(filter.loadRef, nullptr);
        OpenedFile opened(path);
        for (int call = 0; call < 3; ++call) {
            const FilterRecord* record = filter.loadRef(nullptr, &opened.file);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(CopyRecord(*record), NoReference()) << "call " << call + 1;
        }
        // No open file at all reads as the end too.
        EXPECT_EQ(CopyRecord(*filter.loadRef(nullptr, nullptr)), NoReference());
    }
}

// The filter's one record is reused: each call clears the texts of the one before.
TEST(FilterInterface, EachCallDeliversTheSameRecordWithOnlyItsOwnTexts)
{
    const std::string path = ScratchPath("two.ref");
    WriteBytes(path, "%T One\r\n%A A, A.\r\n%X Abstract\r\n\r\n%T Two\r\n");
    FilterLibrary filter("REFER.FLT");
    ASSERT_NE(filter.loadRef, nullptr);
    OpenedFile opened(path);
    const FilterRecord* first = filter.loadRef(nullptr, &opened.file);
    ASSERT_TRUE(first && first->authors);
    RecordCopy expected = Record(kRecordJournal, {{kRecordTitle, "Two"}});
    expected.status = kRecordDeliveredLast;
    EXPECT_EQ(filter.loadRef(nullptr, &opened.file), first);
    EXPECT_EQ(CopyRecord(*first), expected);
}

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

}  // namespace
