// The platform converts in place when source and destination are the same buffer.
#include <windows.h>

#include "filters/refer/oem_text.h"

void OemToAnsiInPlace(char* text, size_t length)
{
    if (length > 0)
        OemToCharBuffA(text, text, static_cast<DWORD>(length));
}

void AnsiToOemInPlace(char* text, size_t length)
{
    if (length > 0)
        CharToOemBuffA(text, text, static_cast<DWORD>(length));
}
