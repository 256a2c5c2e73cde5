// Conversion between the OEM code page of text-mode programs and the ANSI code page, for refer
// files written outside Windows: on Windows the platform's conversion, natively code page 850
// (the OEM code page of the UK English setting) against code page 1252.
#ifndef CARTULAN_FILTERS_REFER_OEM_TEXT_H
#define CARTULAN_FILTERS_REFER_OEM_TEXT_H

#include <cstddef>

void OemToAnsiInPlace(char* text, size_t length);
void AnsiToOemInPlace(char* text, size_t length);

#endif
