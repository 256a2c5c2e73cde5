#include "store/name_summary.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/reference.h"

namespace {

const char* const kOne = "Bloggs, F";
const char* const kTwo = "Bloggs, F\r\nSmith, J";
const char* const kThree = "Bloggs, F\r\nSmith, J\r\nOther, AN";

struct Fields {
    const char* authors = nullptr;
    const char* editors = nullptr;
    const char* date = nullptr;
    const char* title = nullptr;
    const char* source = nullptr;
};

std::string Summary(const Fields& fields, uint32_t flags)
{
    Reference reference;
    SetReferenceText(reference, kFieldAuthors, fields.authors);
    SetReferenceText(reference, kFieldEditors, fields.editors);
    SetReferenceText(reference, kFieldDate, fields.date);
    SetReferenceText(reference, kFieldTitle, fields.title);
    SetReferenceText(reference, kFieldSource, fields.source);
    char out[kSummaryBufferSize];
    std::memset(out, 'x', sizeof out);
    formatNameSummary(reference, flags, out, sizeof out);
    return out;
}

Fields Authors(const char* authors)
{
    Fields fields;
    fields.authors = authors;
    return fields;
}

class NameSummary : public ::testing::Test {
protected:
    void SetUp() override { SetAndWord("and "); }
    void TearDown() override { SetAndWord("and "); }
};

TEST_F(NameSummary, ShortensTheNameListByMode)
{
    struct Case {
        const char* authors;
        uint32_t mode;
        const char* names;
    };
    const Case cases[] = {
        {kOne, kSummaryAll, "Bloggs, F"},
        {kTwo, kSummaryAll, "Bloggs, F, and Smith, J"},
        {kThree, kSummaryAll, "Bloggs, F, Smith, J, and Other, AN"},
        {"Bloggs, F\r\nSmith, J\r\nOther, AN\r\n", kSummaryAll, "Bloggs, F, Smith, J, Other, AN"},
        {"Bloggs, F\r\n", kSummaryAll, "Bloggs, F"},
        {kThree, kSummaryFirstOnly, "Bloggs, F"},
        {kOne, kSummaryFirstOnly, "Bloggs, F"},
        {kOne, kSummaryTwoOrOneEtAl, "Bloggs, F"},
        {kTwo, kSummaryTwoOrOneEtAl, "Bloggs, F, Smith, J"},
        {kThree, kSummaryTwoOrOneEtAl, "Bloggs, F et al"},
        {"Bloggs, F\r\nSmith, J\r\n", kSummaryTwoOrOneEtAl, "Bloggs, F et al"},
        {"Bloggs, F\r\n", kSummaryTwoOrOneEtAl, "Bloggs, F, "},
        {kThree, 0, kThree},  // mode 0 leaves the list as stored
        {"Bloggs, F\nSmith, J", kSummaryAll, "Bloggs, F, and Smith, J"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.authors) + " mode " + std::to_string(c.mode));
        EXPECT_EQ(Summary(Authors(c.authors), c.mode), std::string(c.names) + "\t");
    }
}

TEST_F(NameSummary, UsesEditorsWhenThereAreNoAuthorsOrWhenAsked)
{
    Fields editorsOnly;
    editorsOnly.editors = kTwo;
    for (uint32_t mode : {kSummaryAll, kSummaryFirstOnly, kSummaryTwoOrOneEtAl}) {
        SCOPED_TRACE(mode);
        EXPECT_NE(Summary(editorsOnly, mode).find("Bloggs, F"), std::string::npos);
    }
    EXPECT_EQ(Summary(editorsOnly, kSummaryAll), "Bloggs, F, and Smith, J\t");

    Fields both;
    both.authors = "Author, A";
    both.editors = "Editor, E";
    EXPECT_EQ(Summary(both, kSummaryAll), "Author, A\t");
    EXPECT_EQ(Summary(both, kSummaryAll | kSummaryUseEditors), "Editor, E\t");
    EXPECT_EQ(Summary(Authors("Author, A"), kSummaryAll | kSummaryUseEditors), "\t");

    Fields none;
    none.date = "1994";
    none.title = "Title";
    EXPECT_EQ(Summary(none, kSummaryAll | kSummaryWithTitle), "\t(1994)  Title");
}

TEST_F(NameSummary, ShowsTheDateAndWithYearOnlyJustTheYear)
{
    struct Case {
        const char* date;
        const char* full;
        const char* yearOnly;
    };
    const Case cases[] = {
        {"12 Mar 1994", "(12 Mar 1994)", "(1994)"},
        {"1994", "(1994)", "(1994)"},
        {"Spring 1994", "(Spring 1994)", "(1994)"},
        {"12/3", "(12/3)", "(12/3)"},
        {"in press", "(in press)", "(in press)"},
        {"3/4/95", "(3/4/95)", "(95)"},
        {"1994-95", "(1994-95)", "(1994-95)"},  // no blank or slash: as it stands
        {"", "()", "()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        Fields fields = Authors(kOne);
        fields.date = c.date;
        EXPECT_EQ(Summary(fields, kSummaryFirstOnly), std::string("Bloggs, F\t") + c.full);
        EXPECT_EQ(Summary(fields, kSummaryFirstOnly | kSummaryYearOnly),
                  std::string("Bloggs, F\t") + c.yearOnly);
    }
}

TEST_F(NameSummary, AppendsTheTitleOrElseTheSource)
{
    Fields fields = Authors(kOne);
    fields.date = "1994";
    fields.title = "A title";
    fields.source = "A journal";
    EXPECT_EQ(Summary(fields, kSummaryAll), "Bloggs, F\t(1994)");
    EXPECT_EQ(Summary(fields, kSummaryAll | kSummaryWithTitle), "Bloggs, F\t(1994)  A title");
    fields.title = nullptr;
    EXPECT_EQ(Summary(fields, kSummaryAll | kSummaryWithTitle), "Bloggs, F\t(1994)  A journal");
    fields.source = nullptr;
    EXPECT_EQ(Summary(fields, kSummaryAll | kSummaryWithTitle), "Bloggs, F\t(1994)");
    fields.date = nullptr;
    fields.title = "A title";
    EXPECT_EQ(Summary(fields, kSummaryAll | kSummaryWithTitle), "Bloggs, F\t  A title");
}

TEST_F(NameSummary, TakesTheAndWordOfTheLanguage)
{
    SetAndWord("und ");
    EXPECT_STREQ(AndWord(), "und ");
    EXPECT_EQ(Summary(Authors(kTwo), kSummaryAll), "Bloggs, F, und Smith, J\t");
    SetAndWord("abcdefghijklmnop");
    EXPECT_STREQ(AndWord(), "abcdefghijk");
    SetAndWord(nullptr);
    EXPECT_STREQ(AndWord(), "");
    EXPECT_EQ(Summary(Authors(kTwo), kSummaryAll), "Bloggs, F, Smith, J\t");
}

TEST_F(NameSummary, NeverWritesBeyondTheBuffer)
{
    Reference reference;
    SetReferenceText(reference, kFieldAuthors, kThree);
    SetReferenceText(reference, kFieldDate, "1994");
    std::vector<char> small(12, 'x');
    formatNameSummary(reference, kSummaryAll, small.data(), small.size() - 2);
    EXPECT_STREQ(small.data(), "Bloggs, F");
    EXPECT_EQ(small[10], 'x');

    char untouched = 'x';
    formatNameSummary(reference, kSummaryAll, &untouched, 0);
    EXPECT_EQ(untouched, 'x');

    const std::string huge(20000, 'n');
    SetReferenceText(reference, kFieldTitle, huge.c_str());
    std::vector<char> out(kSummaryBufferSize + 1, 'x');
    formatNameSummary(reference, kSummaryAll | kSummaryWithTitle, out.data(), kSummaryBufferSize);
    EXPECT_EQ(std::strlen(out.data()), kSummaryBufferSize - 1);
    EXPECT_EQ(out[kSummaryBufferSize], 'x');
}

}  // namespace
