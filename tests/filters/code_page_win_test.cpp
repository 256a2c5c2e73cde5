// The tables used natively agree with the platform's own conversion and classification.
#include <windows.h>

#include <gtest/gtest.h>

#include "filters/common/code_page_1252.h"
#include "filters/refer/code_page_850.h"

namespace {

unsigned char Convert(UINT from, UINT to, unsigned char c)
{
    char in = static_cast<char>(c);
    WCHAR wide = 0;
    char out = 0;
    MultiByteToWideChar(from, 0, &in, 1, &wide, 1);
    WideCharToMultiByte(to, 0, &wide, 1, &out, 1, nullptr, nullptr);
    return static_cast<unsigned char>(out);
}

TEST(PlatformCodePages, Table850MatchesThePlatformsConversion)
{
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const unsigned char byte = static_cast<unsigned char>(c);
        EXPECT_EQ(Oem850ToAnsi(byte), Convert(850, 1252, byte));
        EXPECT_EQ(AnsiToOem850(byte), Convert(1252, 850, byte));
    }
}

TEST(PlatformCodePages, Table1252MatchesThePlatformsClassification)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page here is " << GetACP();
    for (int c = 1; c < 256; ++c) {
        SCOPED_TRACE(c);
        const unsigned char byte = static_cast<unsigned char>(c);
        const CHAR ch = static_cast<CHAR>(byte);
        EXPECT_EQ(IsLetter1252(byte), IsCharAlphaA(ch) != FALSE);
        EXPECT_EQ(IsLetterOrDigit1252(byte), IsCharAlphaNumericA(ch) != FALSE);
        EXPECT_EQ(IsLower1252(byte), IsCharLowerA(ch) != FALSE);
        EXPECT_EQ(IsUpper1252(byte), IsCharUpperA(ch) != FALSE);
        char text[2] = {ch, 0};
        CharLowerA(text);
        EXPECT_EQ(ToLower1252(byte), static_cast<unsigned char>(text[0]));
        text[0] = ch;
        CharUpperA(text);
        EXPECT_EQ(ToUpper1252(byte), static_cast<unsigned char>(text[0]));
    }
}

}  // namespace
