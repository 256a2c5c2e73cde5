#include "store/text/text_rules.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* a;
    const char* b;
    int expected;
};

const Case kCases[] = {
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
    for (const Case& c : kCases) {
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

// Over a list of words: the order is a strict weak order, and whenever the weight prefixes of
// two words differ they order them as the comparison does.
TEST(TextRules, OrderIsConsistentAndPrefixesAgreeWithIt)
{
    std::vector<std::string> words;
    for (const Case& c : kCases) {
        words.push_back(c.a != nullptr ? c.a : "");
        words.push_back(c.b);
    }
    for (const std::string& a : words) {
        const uint64_t prefixA = PrimaryWeightPrefix(a.c_str());
        EXPECT_EQ(prefixA, PrimaryWeightPrefix(a.c_str(), a.size())) << a;
        EXPECT_NE(prefixA, UINT64_MAX) << a;
        for (const std::string& b : words) {
            const int ab = CompareTextI(a.c_str(), b.c_str());
            ASSERT_EQ(ab, -CompareTextI(b.c_str(), a.c_str())) << a << " / " << b;
            const uint64_t prefixB = PrimaryWeightPrefix(b.c_str());
            if (prefixA != prefixB) {
                EXPECT_EQ(prefixA < prefixB ? -1 : 1, ab) << a << " / " << b;
            }
            for (const std::string& c : words) {
                if (ab <= 0 && CompareTextI(b.c_str(), c.c_str()) <= 0) {
                    ASSERT_LE(CompareTextI(a.c_str(), c.c_str()), 0) << a << " " << b << " " << c;
                }
            }
        }
    }
    EXPECT_EQ(PrimaryWeightPrefix("abcdefghX"), PrimaryWeightPrefix("ABCDEFGHY"));
    EXPECT_EQ(PrimaryWeightPrefix("Smith, J", 5), PrimaryWeightPrefix("SMITH"));
}

}  // namespace
