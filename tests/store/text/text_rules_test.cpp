#include "store/text/text_rules.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

char C(unsigned value) { return static_cast<char>(value); }

TEST(TextRules, ClassifiesLettersAndDigitsOfTheCodePage)
{
    struct Case {
        unsigned byte;
        bool letter;
        bool digit;
    };
    const Case cases[] = {
        {'A', true, false},  {'z', true, false},  {0xC9, true, false},  // É
        {0xDF, true, false},                                           // ß
        {0xFF, true, false},  {0x8A, true, false}, {0x9F, true, false},  // ÿ Š Ÿ
        {0xB5, true, false},  {0xAA, true, false}, {0x83, true, false},  // µ ª ƒ
        {'0', false, true},   {'9', false, true},  {0xB2, false, false},  // ²
        {'-', false, false},  {'.', false, false}, {' ', false, false},
        {0xD7, false, false}, {0xF7, false, false}, {0xA0, false, false},  // × ÷ nbsp
        {0x00, false, false}, {0x80, false, false},                        // €
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(IsLetter(C(c.byte)), c.letter);
        EXPECT_EQ(IsDigit(C(c.byte)), c.digit);
        EXPECT_EQ(IsAlphaNumeric(C(c.byte)), c.letter || c.digit);
    }
    EXPECT_TRUE(IsBlank(' '));
    EXPECT_TRUE(IsBlank('\t'));
    EXPECT_FALSE(IsBlank('\r'));
}

TEST(TextRules, FoldsAccentedLettersToTheirPartners)
{
    const unsigned pairs[][2] = {
        {'A', 'a'},   {'Z', 'z'},   {0xC0, 0xE0}, {0xC5, 0xE5}, {0xC9, 0xE9}, {0xD6, 0xF6},
        {0xD8, 0xF8}, {0xDE, 0xFE}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[0]);
        EXPECT_EQ(ToLowerChar(C(pair[0])), C(pair[1]));
        EXPECT_EQ(ToUpperChar(C(pair[1])), C(pair[0]));
        EXPECT_EQ(ToLowerChar(C(pair[1])), C(pair[1]));
        EXPECT_TRUE(SameCharIgnoringCase(C(pair[0]), C(pair[1])));
    }
    // Letters without a partner and non-letters stay as they are.
    for (unsigned byte : {0xDFu, 0xB5u, 0xD7u, 0xF7u, unsigned('1'), unsigned('@')}) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(ToLowerChar(C(byte)), C(byte));
        EXPECT_EQ(ToUpperChar(C(byte)), C(byte));
    }
    EXPECT_FALSE(SameCharIgnoringCase('a', C(0xE0)));

    // Every byte keeps its case partner both ways.
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char c = C(byte);
        EXPECT_EQ(ToLowerChar(ToUpperChar(ToLowerChar(c))), ToLowerChar(c)) << byte;
    }

    char text[] = "\xC5NGSTR\xD6M Stra\xDF" "e";
    LowerText(text);
    EXPECT_STREQ(text, "\xE5ngstr\xF6m stra\xDF" "e");
    LowerText(nullptr);
}

TEST(TextRules, ComparesAlphabeticallyIgnoringCase)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"abc", "ABC", 0},
        {"abc", "abd", -1},
        {"Smith", "smith, J", -1},                 // a leading part sorts first
        {"", "", 0},
        {"", "a", -1},
        {"a", "", 1},
        {"\xC5ngstr\xF6m", "Angstrom", 1},         // equal letters: the accent decides
        {"\xC5ngstr\xF6m", "Angstroms", -1},       // letters decide before accents
        {"\xC5ngstr\xF6m", "B", -1},               // with the A's, not after Z
        {"Zebra", "\xC5ngstr\xF6m", 1},
        {"\xC9" "cole", "\xE9" "cole", 0},         // É and é
        {"\xE9" "cole", "Ecole", 1},
        {"\xE9" "cole", "Ecoles", -1},
        {"M\xFCller", "Muller", 1},
        {"M\xFCller", "Mullet", -1},
        {"Stra\xDF" "e", "Strasse", 1},            // ß as ss
        {"Stra\xDF" "e", "Strassf", -1},
        {"\xE6" "on", "aeon", 1},                  // æ as ae
        {"\xE6" "on", "aeoo", -1},
        {"\x9C" "uvre", "OEUVRE", 1},              // œ as oe
        {"\xDE" "orn", "Zorn", 1},                 // thorn after z
        {"\x9F", "\xFF", 0},                       // Ÿ and ÿ
        {"1", "a", -1},                            // digits before letters
        {"-", "1", -1},                            // punctuation before digits
        {" ", "-", -1},
        {"\t", " ", -1},                           // control characters first
        {"a b", "ab", -1},
        {nullptr, "", 0},
        {nullptr, "a", -1},
        {"a", nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + (c.b ? c.b : "(null)"));
        EXPECT_EQ(CompareTextI(c.a, c.b), c.expected);
        EXPECT_EQ(CompareTextI(c.b, c.a), -c.expected);
        const std::size_t lengthA = c.a ? std::strlen(c.a) : 0;
        const std::size_t lengthB = c.b ? std::strlen(c.b) : 0;
        EXPECT_EQ(CompareTextI(c.a, lengthA, c.b, lengthB), c.expected);
    }
}

TEST(TextRules, ComparesRunsByTheirLengthOnly)
{
    EXPECT_EQ(CompareTextI("Smith, J", 5, "SMITH", 5), 0);
    EXPECT_EQ(CompareTextI("Smith, J", 5, "Smith", 4), 1);
    EXPECT_EQ(CompareTextI("Smithers", 5, "Smith", 5), 0);
    EXPECT_EQ(CompareTextI("Stra\xDF" "e", 5, "Strass", 6), 1);
}

TEST(TextRules, PrefixesOrderAsTheComparisonWhenTheyDiffer)
{
    const char* const texts[] = {
        "", "a", "A", "ab", "abcdefgh", "abcdefghi", "abcdefgz", "\xC5ngstr\xF6m", "Angstrom",
        "Angstroms", "Stra\xDF" "e", "Strasse", "\xE6on", "aeon", "-", " ", "1994", "\xDE" "orn",
        "Zorn", "\t", "zzzzzzzzzzzz",
    };
    for (const char* a : texts) {
        EXPECT_NE(PrimaryWeightPrefix(a), UINT64_MAX) << a;
        EXPECT_EQ(PrimaryWeightPrefix(a), PrimaryWeightPrefix(a, std::strlen(a))) << a;
        for (const char* b : texts) {
            const uint64_t pa = PrimaryWeightPrefix(a);
            const uint64_t pb = PrimaryWeightPrefix(b);
            if (pa == pb) continue;
            EXPECT_EQ(pa < pb ? -1 : 1, CompareTextI(a, b)) << a << " / " << b;
        }
    }
    EXPECT_EQ(PrimaryWeightPrefix("ABCDEFGH"), PrimaryWeightPrefix("abcdefgh"));
    EXPECT_EQ(PrimaryWeightPrefix("abcdefghX"), PrimaryWeightPrefix("abcdefghY"));
    EXPECT_EQ(PrimaryWeightPrefix(nullptr), PrimaryWeightPrefix(""));
    EXPECT_EQ(PrimaryWeightPrefix("Smith, J", 5), PrimaryWeightPrefix("SMITH"));
}

TEST(TextRules, OrderIsAStrictWeakOrder)
{
    std::vector<std::string> words = {
        "Angstrom", "\xC5ngstr\xF6m", "angstrom", "Bloggs", "bloggs, F", "M\xFCller", "Muller",
        "Mueller", "Stra\xDF" "e", "Strasse", "Strase", "\xE6on", "aeon", "AEON", "\x9C" "uvre",
        "oeuvre", "O'Brien", "Obrien", "van Dijk", "Van Dijk", "\xD8rsted", "Orsted", "Zorn",
        "\xDE" "orn", "1994", "12 Mar 1994", "", " ", "-", "\xE9" "cole", "Ecole", "\xC9" "cole",
        "ecole", "Ecoles", "Y\xFDlmaz", "Yilmaz", "Ylmaz", "\xC7" "elik", "Celik", "Czech",
    };
    for (const std::string& a : words) {
        EXPECT_EQ(CompareTextI(a.c_str(), a.c_str()), 0) << a;
        for (const std::string& b : words) {
            const int ab = CompareTextI(a.c_str(), b.c_str());
            ASSERT_EQ(ab, -CompareTextI(b.c_str(), a.c_str())) << a << " / " << b;
            for (const std::string& c : words) {
                const int bc = CompareTextI(b.c_str(), c.c_str());
                if (ab <= 0 && bc <= 0) {
                    ASSERT_LE(CompareTextI(a.c_str(), c.c_str()), 0) << a << " " << b << " " << c;
                }
            }
        }
    }
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return CompareTextI(a.c_str(), b.c_str()) < 0;
    });
    const auto position = [&words](const char* word) {
        return std::find(words.begin(), words.end(), word) - words.begin();
    };
    EXPECT_LT(position("\xC5ngstr\xF6m"), position("Bloggs"));
    EXPECT_LT(position("1994"), position("Angstrom"));
    EXPECT_GT(position("\xDE" "orn"), position("Zorn"));
}

}  // namespace
