#include "format/format_example.h"

#include <string>

#include <gtest/gtest.h>

#include "store/reference.h"

// The sample is a new reference: for a book it has no journal, only a book title.
TEST(FormatExample, ShowsTheSampleOfTheDefaultSourceTypeAndLeavesTheCurrentFormatAlone)
{
    SetCurrentBibFormat("Current", "<T@>");
    InputDefaults defaults;
    defaults.sourceType = kSourceBook;
    std::snprintf(defaults.date, sizeof defaults.date, "2001");  // the sample has its own
    char out[kFormatExampleSize];
    EXPECT_EQ(FormatExample("[Books\\n]<A@ ><D(@)><J, @><B: @>", defaults, out, sizeof out), 65u);
    EXPECT_STREQ(out, "Books\r\nBloggs, F, Smith, J, and Other, AN (1994): The Journal\r\n\r\n");
    EXPECT_STREQ(CurrentBibFormat().name, "Current");
    EXPECT_STREQ(CurrentBibFormat().body, "<T@>");
}
