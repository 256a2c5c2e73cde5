// The code page tables used where the platform's conversions are not available (under Wine
// each byte is compared with the platform's own): what holds of them whatever their entries,
// the round trip through code page 850 and the case pairs of 1252.
#include <gtest/gtest.h>

#include "filters/common/code_page_1252.h"
#include "filters/refer/code_page_850.h"

namespace {

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
