#include "filters/refer/oem_text.h"

#include "filters/refer/code_page_850.h"

void OemToAnsiInPlace(char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(Oem850ToAnsi(static_cast<unsigned char>(text[i])));
}

void AnsiToOemInPlace(char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(AnsiToOem850(static_cast<unsigned char>(text[i])));
}
