// The platform's classification and case mapping of the ANSI code page in force.
#include <windows.h>

#include "filters/common/ansi_text.h"

namespace {

// CharUpperA and CharLowerA convert a single character passed in the low word of the
// pointer argument.
char MapOne(LPSTR(WINAPI* map)(LPSTR), char c)
{
    UINT_PTR one = static_cast<unsigned char>(c);
    return static_cast<char>(reinterpret_cast<UINT_PTR>(map(reinterpret_cast<LPSTR>(one))) & 0xFF);
}

}  // namespace

bool IsAnsiLetter(char c)
{
    return IsCharAlphaA(c) != FALSE;
}

bool IsAnsiLower(char c)
{
    return IsCharLowerA(c) != FALSE;
}

bool IsAnsiDigit(char c)
{
    return IsCharAlphaNumericA(c) && !IsCharAlphaA(c);
}

char ToUpperAnsi(char c)
{
    return MapOne(CharUpperA, c);
}

char ToLowerAnsi(char c)
{
    return MapOne(CharLowerA, c);
}

void LowerAnsiRange(std::string& text, size_t begin, size_t end)
{
    if (end > text.size())
        end = text.size();
    if (begin < end)
        CharLowerBuffA(&text[begin], static_cast<DWORD>(end - begin));
}

void UpperAnsiRange(std::string& text, size_t begin, size_t end)
{
    if (end > text.size())
        end = text.size();
    if (begin < end)
        CharUpperBuffA(&text[begin], static_cast<DWORD>(end - begin));
}
