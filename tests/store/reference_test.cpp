#include "store/reference.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

// A default date that fills its array without a terminator gives its first 19 characters.
TEST(Reference, NewReferenceTakesTheInputDefaults)
{
    InputDefaults defaults;
    defaults.sourceType = kSourceBook;
    std::memset(defaults.date, '7', sizeof defaults.date);
    Reference* reference = CreateReference(defaults);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->sourceType, kSourceBook);
    EXPECT_STREQ(reference->date, "7777777777777777777");
    delete reference;
}

TEST(Reference, CopyHasItsOwnTextsInTheirFields)
{
    Reference original;
    original.sourceType = kSourceReport;
    original.refCount = 2;
    const char* const names[] = {"authors", "date",      "title", "source",  "volume",
                                 "number",  "pages",     "abstract", "keywords",
                                 "publisher", "city",    "editors", "summary"};
    for (int field = 0; field < kReferenceTextCount; ++field)
        ASSERT_TRUE(SetReferenceText(original, static_cast<ReferenceField>(field), names[field]));
    Reference* copy = CopyReference(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->refCount, 0);
    EXPECT_EQ(copy->sourceType, kSourceReport);
    char* Reference::* const members[] = {
        &Reference::authors,  &Reference::date,      &Reference::title, &Reference::source,
        &Reference::volume,   &Reference::number,    &Reference::pages, &Reference::abstract,
        &Reference::keywords, &Reference::publisher, &Reference::city,  &Reference::editors,
        &Reference::summary};
    for (int field = 0; field < kReferenceTextCount; ++field) {
        EXPECT_STREQ(copy->*members[field], names[field]);
        EXPECT_NE(copy->*members[field], original.*members[field]);
    }
    ASSERT_TRUE(SetReferenceText(*copy, kFieldTitle, nullptr));
    EXPECT_EQ(copy->title, nullptr);
    EXPECT_STREQ(original.title, "title");
    EXPECT_FALSE(SetReferenceText(*copy, static_cast<ReferenceField>(kReferenceTextCount), "x"));
    delete copy;
}

}  // namespace
