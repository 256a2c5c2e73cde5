// Texts of the program's code page 1252 written out as UTF-8, for the formats whose files
// are UTF-8 today.
#ifndef CARTULAN_FILTERS_COMMON_UTF8_OUT_H
#define CARTULAN_FILTERS_COMMON_UTF8_OUT_H

#include <string>
#include <string_view>

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The character of a code page 1252 byte (the five bytes the code page leaves undefined
// stand for the C1 controls of the same number, as the platform maps them).
unsigned UnicodeOf1252(unsigned char c);

// Appends `text` (code page 1252) to `out` in UTF-8.
void Append1252AsUtf8(std::string& out, std::string_view text);

// Appends one character in UTF-8.
void AppendUtf8(std::string& out, unsigned character);

#endif
