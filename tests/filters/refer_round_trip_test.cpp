// A refer file written by SaveRef reads back into the same fields, but for the exceptions of
// the format: line breaks in the abstract come back as paragraph breaks, leading blanks of
// names are dropped, a keyword holding ", " comes back as two, a line break in a single text
// puts the rest of it into the abstract, and empty names read back as no text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter_library.h"
#include "filter_records.h"
#include "filter_test_environment.h"

namespace {

struct RoundTripCase {
    const char* name;
    SaveInput written;
    RecordCopy readBack;  // status left 0: each reference is followed by an empty line
};

SaveInput Written(int sourceType, std::vector<std::pair<RecordText, std::string>> texts)
{
    SaveInput input;
    input.sourceType = sourceType;
    for (auto& [field, text] : texts)
        input.texts[field] = text;
    return input;
}

RecordCopy ReadBack(int sourceType, std::vector<std::pair<RecordText, std::string>> texts)
{
    RecordCopy record;
    record.sourceType = sourceType;
    for (auto& [field, text] : texts)
        record.texts[field] = text;
    return record;
}

TEST(ReferRoundTrip, FieldsComeBackButForTheFormatsExceptions)
{
    const std::vector<std::pair<RecordText, std::string>> everything = {
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
    const RoundTripCase cases[] = {
        {"every field of a book", Written(kRecordBook, everything),
         ReadBack(kRecordBook, everything)},
        {"journal", Written(kRecordJournal, {{kRecordSource, "J"}}),
         ReadBack(kRecordJournal, {{kRecordSource, "J"}})},
        {"report", Written(kRecordReport, {{kRecordSource, "R"}}),
         ReadBack(kRecordReport, {{kRecordSource, "R"}})},
        {"empty single texts stay present",
         Written(kRecordJournal, {{kRecordTitle, ""}, {kRecordKeywords, ""}}),
         ReadBack(kRecordJournal, {{kRecordTitle, ""}, {kRecordKeywords, ""}})},
        {"abstract line breaks become paragraph breaks",
         Written(kRecordJournal, {{kRecordAbstract, "line one\r\nline two"}}),
         ReadBack(kRecordJournal, {{kRecordAbstract, "line one\r\n\r\nline two"}})},
        {"leading blanks of names are dropped",
         Written(kRecordJournal, {{kRecordAuthors, " Lead, A.\r\n  Two, B."},
                                  {kRecordEditors, "   Ed, E."}}),
         ReadBack(kRecordJournal, {{kRecordAuthors, "Lead, A.\r\nTwo, B."},
                                   {kRecordEditors, "Ed, E."}})},
        {"a keyword holding a comma and a blank comes back as two",
         Written(kRecordJournal, {{kRecordKeywords, "one, two\r\nthree"}}),
         ReadBack(kRecordJournal, {{kRecordKeywords, "one\r\ntwo\r\nthree"}})},
        {"a line break in a single text moves the rest to the abstract",
         Written(kRecordJournal, {{kRecordTitle, "Line one\r\nLine two"},
                                  {kRecordAbstract, "Abstract"}}),
         ReadBack(kRecordJournal, {{kRecordTitle, "Line one"},
                                   {kRecordAbstract, "Line two\r\n\r\nAbstract"}})},
        {"empty names read back as no text",
         Written(kRecordJournal, {{kRecordAuthors, ""}, {kRecordEditors, "\r\n"},
                                  {kRecordTitle, "T"}}),
         ReadBack(kRecordJournal, {{kRecordTitle, "T"}})},
        {"accented texts pass unchanged without the option",
         Written(kRecordJournal, {{kRecordTitle, "Caf\xE9 \xC5ngstr\xF6m \x80"}}),
         ReadBack(kRecordJournal, {{kRecordTitle, "Caf\xE9 \xC5ngstr\xF6m \x80"}})},
    };
    std::vector<SaveInput> written;
    std::vector<RecordCopy> expected;
    for (const RoundTripCase& c : cases) {
        written.push_back(c.written);
        expected.push_back(c.readBack);
    }
    expected.push_back(NoReference());

    const std::string path = ScratchPath("round_trip.ref");
    FilterLibrary filter("REFER.FLT");
    ASSERT_NE(filter.saveRef, nullptr);
    SaveFile(filter.saveRef, written, path);
    std::vector<RecordCopy> readBack = LoadFile(filter.loadRef, path);
    ASSERT_EQ(readBack.size(), expected.size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(readBack[i], expected[i]);
    }
    EXPECT_EQ(readBack.back(), expected.back());
}

}  // namespace
