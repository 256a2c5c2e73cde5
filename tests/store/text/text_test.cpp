// The text rules of code page 1252 (classes, case, alphabetical order), dates and personal
// names. They run in both trees, so that both builds are seen to sort names alike.
#include "store/text/text_rules.h"
#include "store/text/dates.h"
#include "store/text/names.h"

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

struct Pair {
    const char* a;
    const char* b;
    int expected;
};

const Pair kPairs[] = {
    {"abc", "ABC", 0},
    {"abc", "abd", -1},
    {"Smith", "smith, J", -1},                 // a leading part sorts first
    {"", "a", -1},
    {"\xC5ngstr\xF6m", "Angstrom", 1},         // equal letters: the accent decides
    {"\xC5ngstr\xF6m", "Angstroms", -1},       // letters decide before accents
    {"\xC5ngstr\xF6m", "B", -1},               // with the A's, not after Z
    {"\xC9" "cole", "\xE9" "cole", 0},         // É and é
    {"\x9F" "es", "\xFF" "ES", 0},              // Ÿ and ÿ
    {"M\xFCller", "Muller", 1},
    {"M\xFCller", "Mullet", -1},
    {"Stra\xDF" "e", "Strasse", 1},            // ß as ss
    {"Stra\xDF" "e", "Strassf", -1},
    {"\xE6" "on", "aeoo", -1},                 // æ as ae
    {"\x9C" "uvre", "OEUVRE", 1},              // œ as oe
    {"\xDE" "orn", "Zorn", 1},                 // thorn after z
    {"1", "a", -1},                            // digits before letters
    {"-", "1", -1},                            // punctuation before digits
    {"O'Brien", "Oakley", 1},                  // hyphens and apostrophes weigh nothing
    {"Smith-Jones", "Smithers", 1},
    {"O'Brien", "Obrien", 1},                  // and tell apart what is otherwise equal
    {"O'BRIEN", "o'brien", 0},
    {"co\xADop", "coop", 1},                   // a soft hyphen too
    {"a-b", "a'b", 1},
    {"ab-", "a-b", -1},
    {"\t", " ", -1},                           // control characters first
    {"\xD8rsted", "Orsted", 1},
    {"\xC7" "elik", "Celik", 1},
    {"abcdefgh", "abcdefghi", -1},             // longer than the weight prefix
    {nullptr, "", 0},
    {nullptr, "a", -1},
};

TEST(TextRules, ComparesAlphabeticallyIgnoringCase)
{
    for (const Pair& c : kPairs) {
        SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + (c.b ? c.b : "(null)"));
        EXPECT_EQ(CompareTextI(c.a, c.b), c.expected);
        EXPECT_EQ(CompareTextI(c.b, c.a), -c.expected);
        const std::size_t lengthA = c.a ? std::strlen(c.a) : 0;
        const std::size_t lengthB = c.b ? std::strlen(c.b) : 0;
        EXPECT_EQ(CompareTextI(c.a, lengthA, c.b, lengthB), c.expected);
    }
    EXPECT_EQ(CompareTextI("Smithers", 5, "SMITH", 5), 0);  // runs end at their length
    EXPECT_EQ(CompareTextI("Stra\xDF" "e", 5, "Strass", 6), 1);
}

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

std::string Part(const char* text, std::size_t length)
{
    return text == nullptr ? "(none)" : std::string(text, length);
}

// Every name of a list as the walk sees it: "family|given".
std::vector<std::string> Walk(const char* list, const NameOptions& options)
{
    std::vector<std::string> names;
    NameWalk walk;
    StartNameWalk(walk, list);
    for (AdvanceNameWalk(walk, options); !walk.ended && names.size() < 100;
         AdvanceNameWalk(walk, options))
        names.push_back(Part(walk.name.family, walk.name.familyLength) + "|" +
                        Part(walk.name.given, walk.name.givenLength));
    return names;
}

TEST(Names, SplitsEachNameOfAList)
{
    struct Case {
        const char* list;
        NameOptions options;
        std::vector<std::string> names;
    };
    const NameOptions standard = NameOptions{0};
    const Case cases[] = {
        {"Bloggs, F\r\nSmith, J\r\nOther, AN", standard, {"Bloggs|F", "Smith|J", "Other|AN"}},
        {"J Smith", standard, {"Smith|J"}},
        {"J Smith", NameOptions{0, 0}, {"J|Smith"}},
        {"Smith", NameOptions{0, 0}, {"Smith|(none)"}},
        {" Smith", standard, {"Smith|(none)"}},        // the only blank is the first character
        {"van der Berg, J", standard, {"van der Berg|J"}},
        {"Smith,   ", standard, {"Smith|(none)"}},     // empty given names are none
        {"John  Smith ", standard, {"Smith|John"}},    // blanks around the parts are dropped
        {"Smith , J ", standard, {"Smith|J"}},
        {"Smith, J, Jr.", standard, {"Smith|J, Jr."}},  // a generational suffix is no name
        {"Smith, J, III", standard, {"Smith|J, III"}},
        {"Smith, Jr", standard, {"Smith|Jr"}},
        {"Smith, J, Junior", standard, {"Smith, J|Junior"}},  // otherwise the last one splits
        {"J\tSmith", standard, {"Smith|J"}},
        {"Smith; J", NameOptions{0, 1, ';'}, {"Smith|J"}},
        {"Smith, J", NameOptions{0, 1, ';'}, {"J|Smith,"}},  // no separator: family name last
        {"Bloggs, F\r\nSmith, J\r\n", standard, {"Bloggs|F", "Smith|J"}},  // closing break
        {"Bloggs, F\r\n  \r\n", standard, {"Bloggs|F"}},
        {"A, X\r\n\r\nB, Y", standard, {"A|X", "B|Y", "B|Y"}},  // a blank line repeats the next
        {"Bloggs, F\nSmith, J", standard, {"Bloggs|F", "Smith|J"}},
        {"Smith\r", standard, {"Smith\r|(none)"}},     // a CR without LF belongs to the name
        {"", standard, {"|(none)"}},
        {nullptr, standard, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "(null)");
        EXPECT_EQ(Walk(c.list, c.options), c.names);
    }
    for (char c : {' ', '\t', '\r', '\n', '\0'}) EXPECT_FALSE(IsValidNameSeparator(c)) << int(c);
    EXPECT_TRUE(IsValidNameSeparator(';'));
}

TEST(Names, ComparesNameLists)
{
    struct Case {
        const char* a;
        const char* b;
        NameOptions options;
        int sign;
    };
    const NameOptions family = NameOptions{0};
    const Case cases[] = {
        {"Smith, J", "J Smith", family, 0},
        {"J Smith ", "J Smith", family, 0},
        {"Smith, J", "SMITH, j", family, 0},
        {"Smith, J", "Smith, J\r\nJones, A", family, -1},  // a leading part sorts first
        {"Smith, J\r\nJones, A\r\n", "Smith, J\r\nJones, A", family, 0},
        {"Smith", "Smith, J", family, -1},                  // no given names first
        {"Smith, A\r\nZorn, B", "Smith, B\r\nAdams, C", family, -1},
        {"J Smith", "Smith, J", NameOptions{0, 0}, -1},         // family "J" before "Smith"
        {"Smith, J", "J Smith", NameOptions{1}, 1},             // as written: S after J
        {"smith, j", "Smith, J", NameOptions{1}, 0},
        {nullptr, "Smith", family, -1},
        {nullptr, nullptr, family, 0},
        {"Smith", "Smith", NameOptions{2}, -1},                 // unknown method
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + (c.b ? c.b : "(null)") +
                     " method " + std::to_string(c.options.method));
        const int result = compareNameLists(c.options, c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

// Real names in the order a reader expects them, compared by family names: hyphens and
// apostrophes weigh nothing, particles and accents sort with their letters, initials with
// dots after those without, a generational suffix stays with the given names.
TEST(Names, SortRealNamesAsAReaderExpects)
{
    const char* const names[] = {
        "Adams, A",        "\xC5ngstr\xF6m, A", "de la Cruz, M",  "Dean, B",
        "Mueller, K",      "Muller, K",         "M\xFCller, K",   "Oakley, A",
        "Obrien, B",       "O'Brien, B",        "O'Connor, C",    "Smith, J",
        "Smith, J, Jr.",   "Smith, J.",         "Smith, J. R.",   "Smith, JR",
        "Smithers, J",     "Smith-Jones, A",    "van der Berg, J", "Van Dyke, A",
    };
    const NameOptions family = NameOptions{0};
    for (std::size_t i = 0; i + 1 < std::size(names); ++i) {
        SCOPED_TRACE(std::string(names[i]) + " before " + names[i + 1]);
        EXPECT_LT(compareNameLists(family, names[i], names[i + 1]), 0);
        EXPECT_GT(compareNameLists(family, names[i + 1], names[i]), 0);
#if defined(_WIN32)
        // The system's own comparison puts the family names in the same order.
        const std::string a = names[i];
        const std::string b = names[i + 1];
        EXPECT_LE(lstrcmpiA(a.substr(0, a.find(',')).c_str(), b.substr(0, b.find(',')).c_str()), 0);
#endif
    }
}

}  // namespace
