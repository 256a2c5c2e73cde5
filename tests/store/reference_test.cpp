#include "store/reference.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(Reference, NewReferenceTakesTheInputDefaults)
{
    struct Case {
        const char* defaultDate;
        const char* date;
    };
    const Case cases[] = {
        {"2001", "2001"},
        {"", ""},  // an empty default gives an empty date, not an absent one
        {"7777777777777777777777", "7777777777777777777"},  // unterminated: 19 are taken
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultDate);
        InputDefaults defaults;
        defaults.sourceType = kSourceBook;
        std::memcpy(defaults.date, c.defaultDate,
                    std::min(sizeof defaults.date, std::strlen(c.defaultDate) + 1));
        Reference* reference = CreateReference(defaults);
        ASSERT_NE(reference, nullptr);
        EXPECT_EQ(reference->sourceType, kSourceBook);
        ASSERT_NE(reference->date, nullptr);
        EXPECT_STREQ(reference->date, c.date);
        EXPECT_EQ(reference->title, nullptr);
        delete reference;
    }
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
