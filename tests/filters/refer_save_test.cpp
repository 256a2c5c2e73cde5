// SaveRef of the refer filter: the lines it writes, byte for byte, and what they read back as.
// Every field comes back unchanged but for the format's exceptions: a line break inside a
// single-value field ends its text there (the rest comes back as abstract paragraphs), and a
// line break written as a lone CR or LF comes back as CR LF. (That whatever a load gives reads
// back unchanged is the round-trip fuzz target's to find.)
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"

namespace {

struct SaveCase {
    const char* name;
    RecordCopy input;
    std::string written;
    std::optional<RecordCopy> readBack;  // the input when absent
};

TEST(ReferSave, WritesEachFieldInItsOrderAndForm)
{
    const SaveCase cases[] = {
        {"every field, in the order written",
         Record(kRecordJournal, {{kRecordAbstract, "First.\r\n\r\nSecond."},
                                {kRecordKeywords, "alpha\r\nbeta"},
                                {kRecordPages, "45-67"},
                                {kRecordNumber, "3"},
                                {kRecordVolume, "12"},
                                {kRecordEditors, "Ed, E."},
                                {kRecordCity, "London"},
                                {kRecordPublisher, "Press"},
                                {kRecordSource, "Journal"},
                                {kRecordTitle, "A title"},
                                {kRecordDate, "1994"},
                                {kRecordAuthors, "Smith, J.\r\nJones, A."}}),
         "%A Smith, J.\r\n%A Jones, A.\r\n%D 1994\r\n%T A title\r\n%J Journal\r\n%I Press\r\n"
         "%C London\r\n%E Ed, E.\r\n%V 12\r\n%N 3\r\n%P 45-67\r\n%K alpha, beta\r\n"
         "%X First.\r\nSecond.\r\n\r\n", {}},
        {"book", Record(kRecordBook, {{kRecordSource, "A book"}}), "%B A book\r\n\r\n", {}},
        {"report", Record(kRecordReport, {{kRecordSource, "Issuer"}}), "%R Issuer\r\n\r\n", {}},
        {"unknown source type: no source line",
         Record(3, {{kRecordSource, "Lost"}, {kRecordTitle, "Kept"}}), "%T Kept\r\n\r\n",
         Record(kRecordJournal, {{kRecordTitle, "Kept"}})},
        {"a book without a source",
         Record(kRecordBook, {}), "%B\r\n\r\n", {}},
        {"nothing at all", Record(kRecordJournal, {}), "%\r\n\r\n", {}},
        {"null texts write nothing, empty ones a line of their tag",
         Record(kRecordJournal, {{kRecordTitle, ""}, {kRecordAuthors, ""}, {kRecordEditors, ""},
                                {kRecordKeywords, ""}, {kRecordAbstract, ""}}),
         "%A \r\n%T \r\n%E \r\n%K \r\n%X \r\n\r\n", {}},
        {"a name per line, blanks and empty lines kept, a lone CR or LF a line break",
         Record(kRecordJournal, {{kRecordAuthors, "\r\n  Smith, J.\r\n"},
                                {kRecordEditors, "One\rTwo\nStill"}}),
         "%A \r\n%A   Smith, J.\r\n%A \r\n%E One\r\n%E Two\r\n%E Still\r\n\r\n",
         Record(kRecordJournal, {{kRecordAuthors, "\r\n  Smith, J.\r\n"},
                                {kRecordEditors, "One\r\nTwo\r\nStill"}})},
        {"abstract: kept lines as they stand, line breaks as %+, and %X before what would read "
         "as something else",
         Record(kRecordJournal,
               {{kRecordAbstract, "%L kept line\r\n\r\nText one\r\nline two\r\n\r\n\r\n\r\n"
                                  "%CV was 5%.\r\n\r\n  \r\n\r\nplain\r\n\r\n%X marks"}}),
         "%L kept line\r\n%X Text one\r\n%+ line two\r\n%X \r\n%X %CV was 5%.\r\n%X   \r\n"
         "plain\r\n%X %X marks\r\n\r\n", {}},
        {"a second source line reads back whole only after a source",
         Record(kRecordJournal, {{kRecordSource, "J"}, {kRecordAbstract, "%R 10.1/x"}}),
         "%J J\r\n%R 10.1/x\r\n\r\n", {}},
        {"a source line without a source gets %X",
         Record(kRecordJournal, {{kRecordAbstract, "%R 10.1/x"}}), "%X %R 10.1/x\r\n\r\n", {}},
        {"a line break in a single text: the rest as paragraphs that end nothing",
         Record(kRecordJournal, {{kRecordTitle, "Line one\r\nLine two\r\n%A x\r\n"}}),
         "%T Line one\r\nLine two\r\n%X %A x\r\n%X \r\n\r\n",
         Record(kRecordJournal, {{kRecordTitle, "Line one"},
                                {kRecordAbstract, "Line two\r\n\r\n%A x\r\n\r\n"}})},
    };
    FilterLibrary filter("REFER.FLT");
    ASSERT_NE(filter.saveRef, nullptr);
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> results;
        std::string written =
            SaveFile(filter.saveRef, {c.input}, ScratchPath("save.ref"), &results);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(results, std::vector<int>{0});
        EXPECT_EQ(References(LoadFile(filter.loadRef, ScratchPath("save.ref"))),
                  std::vector<RecordCopy>{c.readBack.value_or(c.input)});
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
