#include "store/reference.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(Reference, NewReferenceTakesTheInputDefaults)
{
    InputDefaults defaults;
    defaults.sourceType = kSourceBook;
    std::strcpy(defaults.date, "2001");
    Reference* reference = CreateReference(defaults);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->sourceType, kSourceBook);
    EXPECT_STREQ(reference->date, "2001");
    EXPECT_NE(reference->date, defaults.date);
    EXPECT_EQ(reference->refCount, 0);
    for (int field = 0; field < kReferenceTextCount; ++field) {
        if (field == kFieldDate) continue;
        EXPECT_EQ(ReferenceText(*reference, static_cast<ReferenceField>(field)), nullptr) << field;
    }
    delete reference;

    defaults.date[0] = 0;  // an empty default date gives an empty date, not an absent one
    reference = CreateReference(defaults);
    ASSERT_NE(reference, nullptr);
    ASSERT_NE(reference->date, nullptr);
    EXPECT_STREQ(reference->date, "");
    delete reference;

    std::memset(defaults.date, '7', sizeof defaults.date);  // no terminator: 19 are taken
    reference = CreateReference(defaults);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(std::string(reference->date), std::string(kDefaultDateSize - 1, '7'));
    delete reference;
}

TEST(Reference, TextFieldsFollowTheFilterRecordOrder)
{
    Reference reference;
    const char* const names[] = {"authors", "date",     "title",     "source", "volume",
                                 "number",  "pages",    "abstract",  "keywords",
                                 "publisher", "city",   "editors",   "summary"};
    for (int field = 0; field < kReferenceTextCount; ++field)
        ASSERT_TRUE(SetReferenceText(reference, static_cast<ReferenceField>(field), names[field]));
    EXPECT_STREQ(reference.authors, "authors");
    EXPECT_STREQ(reference.date, "date");
    EXPECT_STREQ(reference.title, "title");
    EXPECT_STREQ(reference.source, "source");
    EXPECT_STREQ(reference.volume, "volume");
    EXPECT_STREQ(reference.number, "number");
    EXPECT_STREQ(reference.pages, "pages");
    EXPECT_STREQ(reference.abstract, "abstract");
    EXPECT_STREQ(reference.keywords, "keywords");
    EXPECT_STREQ(reference.publisher, "publisher");
    EXPECT_STREQ(reference.city, "city");
    EXPECT_STREQ(reference.editors, "editors");
    EXPECT_STREQ(reference.summary, "summary");

    ASSERT_TRUE(SetReferenceText(reference, kFieldTitle, nullptr));
    EXPECT_EQ(reference.title, nullptr);
    ASSERT_TRUE(SetReferenceText(reference, kFieldVolume, reference.volume));  // its own text
    EXPECT_STREQ(reference.volume, "volume");
    EXPECT_FALSE(SetReferenceText(reference, static_cast<ReferenceField>(kReferenceTextCount), "x"));
    EXPECT_EQ(ReferenceText(reference, static_cast<ReferenceField>(-1)), nullptr);
}

TEST(Reference, CopyIsIndependentAndUnheld)
{
    Reference original;
    original.sourceType = kSourceReport;
    original.refCount = 2;  // as if held by a database and the bibliography
    SetReferenceText(original, kFieldAuthors, "Bloggs, F\r\nSmith, J");
    SetReferenceText(original, kFieldTitle, "Title");
    SetReferenceText(original, kFieldAbstract, "Line one\r\nLine two");
    SetReferenceText(original, kFieldSummary, "Bloggs\t  Title");

    Reference* copy = CopyReference(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->refCount, 0);
    EXPECT_EQ(copy->sourceType, kSourceReport);
    for (int field = 0; field < kReferenceTextCount; ++field) {
        SCOPED_TRACE(field);
        const char* a = ReferenceText(original, static_cast<ReferenceField>(field));
        const char* b = ReferenceText(*copy, static_cast<ReferenceField>(field));
        if (a == nullptr) {
            EXPECT_EQ(b, nullptr);
        } else {
            EXPECT_STREQ(a, b);
            EXPECT_NE(a, b);
        }
    }
    SetReferenceText(*copy, kFieldTitle, "Changed");
    copy->sourceType = kSourceBook;
    EXPECT_STREQ(original.title, "Title");
    EXPECT_EQ(original.sourceType, kSourceReport);
    delete copy;
}

TEST(Reference, SummaryShowsNamesDateAndTitleOrSource)
{
    Reference reference;
    SetReferenceText(reference, kFieldAuthors, "Bloggs, F\r\nSmith, J");
    SetReferenceText(reference, kFieldDate, "12 Mar 1994");
    SetReferenceText(reference, kFieldTitle, "A title");
    SetReferenceText(reference, kFieldSource, "A journal");
    ASSERT_TRUE(RebuildSummary(reference));
    EXPECT_STREQ(reference.summary, "Bloggs, F, and Smith, J\t(12 Mar 1994)  A title");

    SetReferenceText(reference, kFieldTitle, nullptr);
    SetReferenceText(reference, kFieldAuthors, nullptr);
    SetReferenceText(reference, kFieldEditors, "Editor, E");
    ASSERT_TRUE(RebuildSummary(reference));
    EXPECT_STREQ(reference.summary, "Editor, E\t(12 Mar 1994)  A journal");
}

}  // namespace
