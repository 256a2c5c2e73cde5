#include "store/name_summary.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store_fakes.h"

namespace {

const char* const kTwo = "Bloggs, F\r\nSmith, J";
const char* const kThree = "Bloggs, F\r\nSmith, J\r\nOther, AN";

struct Fields {
    const char* authors;
    const char* date = nullptr;
    const char* title = nullptr;
    const char* source = nullptr;
    const char* editors = nullptr;
};

void Set(Reference& reference, const Fields& fields)
{
    Fill(&reference, fields.authors, fields.date, fields.title, fields.source);
    SetReferenceText(reference, kFieldEditors, fields.editors);
}

TEST(NameSummary, ShapesNamesDateAndTitle)
{
    const uint32_t all = kSummaryAll;
    const uint32_t first = kSummaryFirstOnly;
    const uint32_t etAl = kSummaryTwoOrOneEtAl;
    const uint32_t title = kSummaryWithTitle;
    const uint32_t year = kSummaryYearOnly;
    const uint32_t editors = kSummaryUseEditors;
    struct Case {
        Fields fields;
        uint32_t flags;
        const char* expected;
    };
    const Case cases[] = {
        {{kTwo}, all, "Bloggs, F, and Smith, J\t"},
        {{kThree}, all, "Bloggs, F, Smith, J, and Other, AN\t"},
        {{"Bloggs, F\r\nSmith, J\r\nOther, AN\r\n"}, all, "Bloggs, F, Smith, J, Other, AN\t"},
        {{kThree}, first, "Bloggs, F\t"},
        {{kTwo}, etAl, "Bloggs, F, Smith, J\t"},
        {{kThree}, etAl, "Bloggs, F et al\t"},
        {{"Bloggs, F\r\nSmith, J\r\n"}, etAl, "Bloggs, F et al\t"},
        {{"Bloggs, F\r\n"}, etAl, "Bloggs, F, \t"},
        {{kThree}, 0, "Bloggs, F\r\nSmith, J\r\nOther, AN\t"},  // mode 0: as stored
        {{nullptr, nullptr, nullptr, nullptr, kTwo}, first, "Bloggs, F\t"},  // editors stand in
        {{"Author, A", nullptr, nullptr, nullptr, "Editor, E"}, all | editors, "Editor, E\t"},
        {{"Author, A"}, all | editors, "\t"},
        {{nullptr, "1994", "Title"}, all | title, "\t(1994)  Title"},
        {{"B", "12 Mar 1994", "T", "J"}, first | year, "B\t(1994)"},
        {{"B", "3/4/95"}, first | year, "B\t(95)"},
        {{"B", "in press"}, first | year, "B\t(in press)"},
        {{"B", "1994-95"}, first | year, "B\t(1994-95)"},  // no blank or slash: as it stands
        {{"B", "12 Mar 1994"}, first, "B\t(12 Mar 1994)"},
        {{"B", "", "T", "J"}, all | title, "B\t()  T"},
        {{"B", "1994", nullptr, "J"}, all | title, "B\t(1994)  J"},  // the source for a title
        {{"B", "1994", nullptr, nullptr}, all | title, "B\t(1994)"},
    };
    SetAndWord("and ");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Reference reference;
        Set(reference, c.fields);
        char out[kSummaryBufferSize];
        formatNameSummary(reference, c.flags, out, sizeof out);
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(NameSummary, StaysInItsBuffer)
{
    Reference reference;
    Set(reference, {kThree, "1994", std::string(20000, 'n').c_str()});
    char out[kSummaryBufferSize];
    std::vector<char> small(12, 'x');
    formatNameSummary(reference, kSummaryAll, small.data(), 10);
    EXPECT_STREQ(small.data(), "Bloggs, F");
    EXPECT_EQ(small[10], 'x');
    formatNameSummary(reference, kSummaryAll | kSummaryWithTitle, out, sizeof out);
    EXPECT_EQ(std::strlen(out), kSummaryBufferSize - 1);
}

}  // namespace
