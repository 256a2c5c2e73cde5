#include "store/text/dates.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(Dates, NumbersYearAndItsDigits)
{
    struct Case {
        const char* date;
        std::vector<std::string> numbers;  // as the walk finds them from the start
        int year;
        const char* digits;                // of the year as written, "" when none reaches 32
    };
    const Case cases[] = {
        {"12 Mar 1994", {"12", "1994"}, 1994, "1994"},
        {"3/4/95", {"3", "4", "95"}, 95, "95"},
        {"Spring\t01994\r\n", {"01994"}, 1994, "01994"},
        {"12/3", {"12", "3"}, 3, ""},
        {"in press", {}, -1, ""},
        {"", {}, -1, ""},
        {nullptr, {}, -1, ""},
        {"Jan.-Feb. 1994", {}, -1, ""},             // the walk stops at the "."
        {"1994-1995", {"1994"}, 1994, "1994"},
        {"5-1994", {"5"}, 5, ""},
        {"\xC9t\xE9 1994", {"1994"}, 1994, "1994"},  // accented letters are letters
        {"123456789 1994", {"1234567", "1994"}, 1234567, "1234567"},  // a long run is cut
        {"31 1994", {"31", "1994"}, 1994, "1994"},
        {"32 1994", {"32", "1994"}, 32, "32"},       // years start at 32
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date ? c.date : "(null)");
        std::vector<std::string> numbers;
        char token[kDateTokenSize];
        for (const char* at = nextNumber(c.date, token); at != nullptr; at = nextNumber(at, token))
            numbers.push_back(token);
        EXPECT_EQ(numbers, c.numbers);
        EXPECT_EQ(yearOfDate(c.date), c.year);
        char digits[kDateTokenSize];
        yearDigitsOfDate(c.date, digits);
        EXPECT_STREQ(digits, c.digits);
    }
}

}  // namespace
