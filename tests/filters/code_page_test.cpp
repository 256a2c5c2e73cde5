// The code page tables used where the platform's conversions are not available: code page
// 850 against 1252 for the refer filter's OEM option, and the letters and case pairs of 1252.
#include <gtest/gtest.h>

#include "filters/common/code_page_1252.h"
#include "filters/refer/code_page_850.h"

namespace {

struct ByteCase {
    unsigned char from;
    unsigned char to;
};

TEST(CodePage850, ConvertsBothWaysWithThePlatformsChoices)
{
    const ByteCase oemToAnsi[] = {
        {'A', 'A'}, {0x00, 0x00}, {0x7F, 0x7F}, {0x80, 0xC7}, {0x82, 0xE9}, {0x9B, 0xF8},
        {0x9C, 0xA3}, {0x9E, 0xD7}, {0xA8, 0xBF}, {0xB3, 0xA6}, {0xC4, 0x2D}, {0xC5, 0x2B},
        {0xD5, 'i'},  {0xE1, 0xDF}, {0xFF, 0xA0},
    };
    for (const ByteCase& c : oemToAnsi) {
        SCOPED_TRACE(static_cast<int>(c.from));
        EXPECT_EQ(Oem850ToAnsi(c.from), c.to);
    }
    const ByteCase ansiToOem[] = {
        {'z', 'z'}, {0x80, '?'}, {0x82, '\''}, {0x8C, 'O'}, {0xA0, 0xFF}, {0xE9, 0x82},
        {0xF8, 0x9B}, {0xFF, 0x98},
    };
    for (const ByteCase& c : ansiToOem) {
        SCOPED_TRACE(static_cast<int>(c.from));
        EXPECT_EQ(AnsiToOem850(c.from), c.to);
    }
}

// Code page 850 holds every character of the upper half of 1252 from 0xA0 on, and ASCII is
// common to both: those come back unchanged from a trip through the OEM code page.
TEST(CodePage850, LatinOneAndAsciiSurviveTheRoundTrip)
{
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x80 && c < 0xA0)
            continue;
        SCOPED_TRACE(c);
        EXPECT_EQ(Oem850ToAnsi(AnsiToOem850(static_cast<unsigned char>(c))), c);
    }
}

TEST(CodePage1252, ClassifiesLettersDigitsAndCase)
{
    struct ClassCase {
        unsigned char c;
        bool letter;
        bool letterOrDigit;
        bool lower;
        bool upper;
    };
    const ClassCase cases[] = {
        {'a', true, true, true, false},     {'Z', true, true, false, true},
        {'5', false, true, false, false},   {' ', false, false, false, false},
        {0xB2, false, true, false, false},  {0xB9, false, true, false, false},
        {0xE9, true, true, true, false},    {0xC9, true, true, false, true},
        {0xDF, true, true, true, false},    {0xD7, false, false, false, false},
        {0xF7, false, false, false, false}, {0x8A, true, true, false, true},
        {0x9F, true, true, false, true},    {0x83, true, true, true, false},
        {0x88, true, true, false, false},   {0xAA, true, true, true, false},
        {0x80, false, false, false, false},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.c));
        EXPECT_EQ(IsLetter1252(c.c), c.letter);
        EXPECT_EQ(IsLetterOrDigit1252(c.c), c.letterOrDigit);
        EXPECT_EQ(IsLower1252(c.c), c.lower);
        EXPECT_EQ(IsUpper1252(c.c), c.upper);
    }
}

TEST(CodePage1252, CasePairsMapBothWaysAndOthersStay)
{
    int pairs = 0;
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const unsigned char byte = static_cast<unsigned char>(c);
        if (IsUpper1252(byte)) {
            EXPECT_TRUE(IsLower1252(ToLower1252(byte)));
            EXPECT_EQ(ToUpper1252(ToLower1252(byte)), byte);
            ++pairs;
        } else {
            EXPECT_EQ(ToLower1252(byte), byte);
        }
        if (!IsLower1252(byte)) {
            EXPECT_EQ(ToUpper1252(byte), byte);
        }
    }
    EXPECT_EQ(pairs, 26 + 30 + 4);
    EXPECT_EQ(ToUpper1252(0xFF), 0x9F);
    EXPECT_EQ(ToUpper1252(0xDF), 0xDF);
    EXPECT_EQ(ToUpper1252(0xB5), 0xB5);
}

}  // namespace
