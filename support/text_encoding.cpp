#include "text_encoding.h"

#include <cstdio>

namespace {

// Bytes 0x80 to 0x9F of code page 1252; the rest of the code page is Latin-1.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr uint32_t kLastCharacter = 0x10FFFF;
constexpr size_t kMinEscapeDigits = 4;
constexpr size_t kMaxEscapeDigits = 6;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The bounds of the second byte that keep a sequence shortest and outside the surrogates.
void SecondByteRange(unsigned char lead, unsigned char& low, unsigned char& high)
{
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
}

int SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

int DecodeUtf8(const unsigned char* p, const unsigned char* end, uint32_t& character)
{
    const int length = SequenceLength(p[0]);
    if (length == 0)
        return 0;
    unsigned char low;
    unsigned char high;
    SecondByteRange(p[0], low, high);
    uint32_t value = p[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (p + i >= end)
            return -1;
        const unsigned char byte = p[i];
        if (i == 1 ? byte < low || byte > high : !IsContinuation(byte))
            return 0;
        value = value << 6 | (byte & 0x3F);
    }
    character = value;
    return length;
}

size_t EncodeUtf8(uint32_t character, char* out)
{
    if (character < 0x80) {
        out[0] = static_cast<char>(character);
        return 1;
    }
    const size_t length = character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t i = length - 1; i > 0; --i) {
        out[i] = static_cast<char>(0x80 | (character & 0x3F));
        character >>= 6;
    }
    out[0] = static_cast<char>(kLeads[length] | character);
    return length;
}

int ByteOf1252(uint32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == character)
            return 0x80 + i;
    }
    return -1;
}

uint32_t CharacterOf1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

size_t WriteEscape(uint32_t character, char* out)
{
    char text[kMaxEscapeLength + 1];
    const int length = std::snprintf(text, sizeof text, "{U+%04X}", character);
    for (int i = 0; i < length; ++i)
        out[i] = text[i];
    return static_cast<size_t>(length);
}

size_t ReadEscape(const char* p, const char* end, uint32_t& character)
{
    if (end - p < static_cast<std::ptrdiff_t>(kMinEscapeDigits + 4) || p[0] != '{' || p[1] != 'U'
        || p[2] != '+')
        return 0;
    uint32_t value = 0;
    size_t digits = 0;
    for (const char* at = p + 3; at < end && HexDigit(*at) >= 0; ++at) {
        if (++digits > kMaxEscapeDigits)
            return 0;
        value = value << 4 | static_cast<uint32_t>(HexDigit(*at));
    }
    const char* close = p + 3 + digits;
    if (digits < kMinEscapeDigits || close >= end || *close != '}')
        return 0;
    // Only the shortest form names a character: "{U+00E9}", never "{U+0000E9}".
    if (digits > kMinEscapeDigits && p[3] == '0')
        return 0;
    if (value > kLastCharacter || (value >= 0xD800 && value <= 0xDFFF) || ByteOf1252(value) >= 0)
        return 0;
    character = value;
    return digits + 4;
}
