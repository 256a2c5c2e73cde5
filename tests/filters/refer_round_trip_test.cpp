// A reference written by SaveRef reads back with every field unchanged, in an 8-bit file and
// in a UTF-8 file alike. The only exceptions: a keyword that holds ", " comes back as two, a
// line break inside a single-value field ends its text there (the rest comes back as
// abstract paragraphs), and a line break written as a lone CR or LF comes back as CR LF.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "filter_library.h"
#include "filter_records.h"

namespace {

using Texts = std::vector<std::pair<RecordText, std::string>>;

struct RoundTripCase {
    const char* name;
    int sourceType;
    Texts written;
    Texts readBack;  // empty: the same as written
};

RecordCopy FromTexts(int sourceType, const Texts& texts)
{
    RecordCopy record;
    record.sourceType = sourceType;
    for (const auto& [field, text] : texts)
        record.texts[field] = text;
    return record;
}

const Texts kEverything = {
    {kRecordAuthors, "Smith, J.\r\nJones, A. B."},
    {kRecordDate, "1994 Mar"},
    {kRecordTitle, "A title, with a comma"},
    {kRecordSource, "Book of Tests"},
    {kRecordVolume, "12"},
    {kRecordNumber, "3"},
    {kRecordPages, "45-67"},
    {kRecordAbstract, "%L kept line\r\n\r\nOne paragraph.\r\n\r\nAnother paragraph."},
    {kRecordKeywords, "alpha\r\nbeta gamma"},
    {kRecordPublisher, "Test Press"},
    {kRecordCity, "London"},
    {kRecordEditors, "Editor, E."},
};

// What reads back unchanged in any case is the round-trip fuzz target's to find; these are the
// exceptions, and one reference with every field.
const RoundTripCase kCases[] = {
    {"every field of a book", kRecordBook, kEverything, {}},
    {"abstract paragraphs that start with a tag", kRecordJournal,
     {{kRecordSource, "J"},
      {kRecordAbstract, "%CV was 5%.\r\n\r\n%A denotes area.\r\n\r\n%X marks the spot\r\n\r\n"
                        "%\r\n\r\n%+\r\n\r\n%+ more\r\n\r\n%R 10.1007/x\r\n\r\n%L kept\r\n"
                        "%T and a line"}},
     {}},
    {"a keyword holding a comma and a blank comes back as two", kRecordJournal,
     {{kRecordKeywords, "one, two\r\nthree"}}, {{kRecordKeywords, "one\r\ntwo\r\nthree"}}},
    {"a line break in a single text puts the rest into the abstract", kRecordJournal,
     {{kRecordTitle, "Line one\r\n%A two\r\n"}, {kRecordAbstract, "Abstract"}},
     {{kRecordTitle, "Line one"}, {kRecordAbstract, "%A two\r\n\r\n\r\n\r\nAbstract"}}},
    {"a single text that starts with a line break", kRecordJournal,
     {{kRecordTitle, "\r\nrest"}, {kRecordAbstract, "%T kept"}},
     {{kRecordTitle, ""}, {kRecordAbstract, "rest\r\n\r\n%T kept"}}},
    {"a lone CR or LF is a line break", kRecordJournal,
     {{kRecordAuthors, "One\rTwo\nThree"}, {kRecordAbstract, "a\rb"}},
     {{kRecordAuthors, "One\r\nTwo\r\nThree"}, {kRecordAbstract, "a\r\nb"}}},
};

TEST(ReferRoundTrip, EveryFieldComesBackButForTheFormatsExceptions)
{
    std::vector<RecordCopy> written;
    std::vector<RecordCopy> expected;
    for (const RoundTripCase& c : kCases) {
        written.push_back(FromTexts(c.sourceType, c.written));
        expected.push_back(FromTexts(c.sourceType, c.readBack.empty() ? c.written : c.readBack));
    }
    FilterLibrary filter("REFER.FLT");
    ASSERT_NE(filter.saveRef, nullptr);
    for (int mode : {kLineFileWrite, kLineFileWriteUtf8, kLineFileWriteUtf8Marked}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        const std::string path = ScratchPath("round_trip.ref");
        SaveFile(filter.saveRef, written, path, nullptr, mode);
        std::vector<RecordCopy> readBack = LoadFile(filter.loadRef, path);
        ASSERT_EQ(readBack.size(), expected.size() + 1);
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(kCases[i].name);
            EXPECT_EQ(readBack[i], expected[i]);
        }
        EXPECT_EQ(readBack.back(), NoReference());
    }
}

}  // namespace
