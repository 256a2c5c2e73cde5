// The two text encodings a line file knows besides plain bytes: UTF-8 on the file's side and
// the Windows code page 1252 on the program's side. A character that code page lacks is kept
// in the program as its escape "{U+XXXX}" (four to six upper-case hex digits), which turns
// back into the character when the text is written as UTF-8.
#ifndef CARTULAN_SUPPORT_TEXT_ENCODING_H
#define CARTULAN_SUPPORT_TEXT_ENCODING_H

#include <cstddef>
#include <cstdint>

// The longest escape: "{U+10FFFF}".
constexpr size_t kMaxEscapeLength = 10;
constexpr size_t kMaxUtf8Length = 4;

// The UTF-8 sequence at `p`, which ends at `end` at the latest: its length (2 to 4) with the
// character in `character`; 0 when the bytes there are no valid sequence; -1 when they are
// the valid start of one that `end` cuts short.
int DecodeUtf8(const unsigned char* p, const unsigned char* end, uint32_t& character);

// The character's UTF-8 bytes into `out` (kMaxUtf8Length bytes); returns their number.
size_t EncodeUtf8(uint32_t character, char* out);

// The code page 1252 byte of a character, or -1 when the code page lacks it. The five bytes
// the code page leaves undefined stand for the control characters of their own numbers, as
// the platform's conversion has them.
int ByteOf1252(uint32_t character);
uint32_t CharacterOf1252(unsigned char byte);

// The escape of a character into `out` (kMaxEscapeLength bytes); returns its length.
size_t WriteEscape(uint32_t character, char* out);
// The escape at `p` (ending at `end` at the latest): its length with the character, or 0
// when there is none. Only the form WriteEscape gives counts, and only for a character code
// page 1252 lacks: any other text stays as it stands.
size_t ReadEscape(const char* p, const char* end, uint32_t& character);

#endif
