#include "filters/common/ansi_text.h"

#include "filters/common/code_page_1252.h"

bool IsAnsiLetter(char c)
{
    return IsLetter1252(static_cast<unsigned char>(c));
}

bool IsAnsiLower(char c)
{
    return IsLower1252(static_cast<unsigned char>(c));
}

bool IsAnsiDigit(char c)
{
    unsigned char byte = static_cast<unsigned char>(c);
    return IsLetterOrDigit1252(byte) && !IsLetter1252(byte);
}

char ToUpperAnsi(char c)
{
    return static_cast<char>(ToUpper1252(static_cast<unsigned char>(c)));
}

char ToLowerAnsi(char c)
{
    return static_cast<char>(ToLower1252(static_cast<unsigned char>(c)));
}

void LowerAnsiRange(std::string& text, size_t begin, size_t end)
{
    for (size_t i = begin; i < end && i < text.size(); ++i)
        text[i] = ToLowerAnsi(text[i]);
}

void UpperAnsiRange(std::string& text, size_t begin, size_t end)
{
    for (size_t i = begin; i < end && i < text.size(); ++i)
        text[i] = ToUpperAnsi(text[i]);
}
