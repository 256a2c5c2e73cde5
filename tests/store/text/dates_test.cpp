#include "store/text/dates.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Every token nextNumber finds from the start, as the walk sees them.
std::vector<std::string> Tokens(const char* date)
{
    std::vector<std::string> tokens;
    char token[kDateTokenSize];
    for (const char* at = nextNumber(date, token); at != nullptr; at = nextNumber(at, token))
        tokens.push_back(token);
    return tokens;
}

TEST(Dates, NextNumberSkipsLettersSlashesAndBlanksButStopsAtPunctuation)
{
    struct Case {
        const char* date;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"12 Mar 1994", {"12", "1994"}},
        {"3/4/95", {"3", "4", "95"}},
        {"Spring\t1994\r\n", {"1994"}},
        {"in press", {}},
        {"", {}},
        {"Jan.-Feb. 1994", {}},        // the walk stops at the "."
        {"1994-1995", {"1994"}},
        {"12.5.1994", {"12"}},
        {"\xC9t\xE9 1994", {"1994"}},   // accented letters are letters
        {"123456789 1994", {"1234567", "1994"}},  // a long run is cut, not split
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(Tokens(c.date), c.tokens);
    }

    char token[kDateTokenSize] = "x";
    const char* text = "ab 42/7";
    EXPECT_EQ(nextNumber(text, token), text + 5);
    EXPECT_STREQ(token, "42");
    EXPECT_EQ(nextNumber(nullptr, token), nullptr);
    EXPECT_STREQ(token, "");
}

TEST(Dates, YearIsTheFirstNumberFromThirtyTwoElseTheLast)
{
    struct Case {
        const char* date;
        int year;
    };
    const Case cases[] = {
        {"1994", 1994},          {"12 Mar 1994", 1994}, {"3/4/95", 95},
        {"12/3", 3},             {"in press", -1},      {"Mar", -1},
        {"Jan.-Feb. 1994", -1},  {"", -1},              {nullptr, -1},
        {"31", 31},              {"32", 32},            {"5 31 1994", 1994},
        {"1994 2001", 1994},     {"5-1994", 5},         {"0001994", 1994},
        {"99999999", 9999999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date ? c.date : "(null)");
        EXPECT_EQ(yearOfDate(c.date), c.year);
    }
}

TEST(Dates, YearDigitsAreWrittenAsInTheDate)
{
    struct Case {
        const char* date;
        const char* digits;
    };
    const Case cases[] = {
        {"12 Mar 1994", "1994"}, {"Spring 01994", "01994"}, {"12/3", ""},
        {"in press", ""},        {"3/4/95", "95"},           {nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date ? c.date : "(null)");
        char digits[kDateTokenSize];
        yearDigitsOfDate(c.date, digits);
        EXPECT_STREQ(digits, c.digits);
    }
}

}  // namespace
