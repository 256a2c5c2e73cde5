#include "format/format_example.h"

#include <string>

#include <gtest/gtest.h>

#include "store/reference.h"

TEST(FormatExample, ShowsTheSampleUnderTheFormatAndLeavesTheCurrentFormatAlone)
{
    SetCurrentBibFormat("Current", "<T@>");
    struct Case {
        const char* format;
        int32_t sourceType;
        const char* expected;
    };
    const Case cases[] = {
        {kBasicBibFormatBody, kSourceJournal,
         "Bloggs, F, Smith, J, and Other, AN (1994), The Journal 000 0000-0000\r\n\r\n"},
        // A book has no journal: the source is its book title.
        {kBasicBibFormatBody, kSourceBook,
         "Bloggs, F, Smith, J, and Other, AN (1994) 000 0000-0000\r\n\r\n"},
        {"[Refs\\n][End]<B@><K: @>", kSourceBook,
         "Refs\r\nThe Journal: Widgets; Doofers\r\n\r\nEnd"},
        {"", kSourceJournal, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        InputDefaults defaults;
        defaults.sourceType = c.sourceType;
        std::snprintf(defaults.date, sizeof defaults.date, "2001");  // the sample has its own
        char out[kFormatExampleSize];
        const std::size_t length = FormatExample(c.format, defaults, out, sizeof out);
        EXPECT_EQ(std::string(out), c.expected);
        EXPECT_EQ(length, std::string(c.expected).size());
    }
    EXPECT_STREQ(CurrentBibFormat().name, "Current");
    EXPECT_STREQ(CurrentBibFormat().body, "<T@>");
}
