// ReadLine: the lines of a LineFile one by one, found and copied inside its buffer. Files come
// from many programs, so LF, CR LF and a lone CR all end a line, a last line without a line
// end still counts, and a line longer than the caller's buffer arrives in pieces. A file read
// as text has its UTF-8 converted on the way (see cartio.h).
#include "cartio.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "byte_scan.h"
#include "text_encoding.h"

namespace {

constexpr char kLf = '\n';
constexpr char kCr = '\r';
// Converted text needs at most this many file bytes per byte it delivers.
constexpr size_t kMaxBytesPerCharacter = kMaxUtf8Length;

using byte_scan::kHighBits;
using byte_scan::kOnes;
using byte_scan::ZeroBytes;

// The first CR or LF in [p, end), or null. Many bytes at a time (byte_scan.h), since every
// byte of a file passes through here. Reading text, `special` tells whether a byte before it is zero or above
// 127 (in a word, the subtraction borrows into the top bit of a zero byte, and a byte above
// 127 has it set already); reading bytes never needs to know.
template <bool kText>
const char* FindLineEnd(const char* p, const char* end, bool& special)
{
    uint64_t seen = 0;
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        const __m128i block = byte_scan::LoadBlock(p);
        if ((byte_scan::MatchMask(block, kLf) | byte_scan::MatchMask(block, kCr)) != 0)
            break;
        if (kText) {
            seen |= static_cast<unsigned>(_mm_movemask_epi8(block))
                  | byte_scan::MatchMask(block, '\0');
        }
    }
#endif
    while (end - p >= 8) {
        const uint64_t word = byte_scan::LoadWord(p);
        if ((byte_scan::Matches(word, kLf) | byte_scan::Matches(word, kCr)) != 0)
            break;
        if (kText)
            seen |= ((word - kOnes) | word) & kHighBits;
        p += 8;
    }
    special = seen != 0;
    for (; p < end; ++p) {
        if (*p == kLf || *p == kCr)
            return p;
        if (kText && (*p == '\0' || (*p & 0x80) != 0))
            special = true;
    }
    return nullptr;
}

bool AtEnd(const LineFile* file)
{
    return (file->flags & kLineFileAtEnd) != 0;
}

size_t Unread(const LineFile* file)
{
    return file->endRead > file->next ? static_cast<size_t>(file->endRead - file->next) : 0;
}

// Skips the run of CRs at next, refilling as often as the run needs: CRs directly before an
// LF form one line end with it; otherwise the first CR ends the line and each further CR ends
// an empty line, delivered by the following calls.
int ConsumeCarriageReturns(LineFile* file)
{
    int64_t count = 0;
    for (;;) {
        while (file->next < file->endRead && *file->next == kCr) {
            ++file->next;
            ++count;
        }
        if (file->next < file->endRead || AtEnd(file))
            break;
        AdvanceLineFile(file, kLineFileRead);
    }
    if (file->next < file->endRead && *file->next == kLf) {
        ++file->next;
        return 1;
    }
    file->pendingEmptyLines = static_cast<int32_t>(std::min<int64_t>(count - 1, INT32_MAX));
    return 0;
}

bool CanRead(const LineFile* file)
{
    return file != nullptr && file->handle != nullptr && file->bufferSize >= 2
        && (file->flags & kLineFileWriting) == 0;
}

bool IsText(const LineFile* file)
{
    return (file->flags & kLineFileText) != 0;
}

// At the first byte above 127 of a file read as text: UTF-8 when every sequence from there to
// the end of the buffer is valid UTF-8 and at least one is complete, else 8-bit.
void DecideEncoding(LineFile* file, const unsigned char* from)
{
    const unsigned char* end = reinterpret_cast<const unsigned char*>(file->endRead);
    bool complete = false;
    for (const unsigned char* p = from; p < end;) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        uint32_t character;
        const int length = DecodeUtf8(p, end, character);
        if (length == 0) {
            file->flags |= kLineFile8Bit;
            return;
        }
        if (length < 0)
            break;
        complete = true;
        p += length;
    }
    file->flags |= complete ? kLineFileUtf8 : kLineFile8Bit;
}

// Where converted text goes: the caller's line buffer, up to its capacity.
struct TextOut {
    char* at;
    char* end;
};

// The code page's form of one character: its byte, or its escape (counted), or "?" where
// the line buffer could never hold the escape. False when it does not fit now.
bool PutCharacter(LineFile* file, uint32_t character, TextOut& out, bool pieceEmpty)
{
    const int byte = ByteOf1252(character);
    if (byte >= 0) {
        if (out.at == out.end)
            return false;
        *out.at++ = static_cast<char>(byte);
        return true;
    }
    char escape[kMaxEscapeLength];
    size_t length = WriteEscape(character, escape);
    if (static_cast<size_t>(out.end - out.at) < length) {
        if (!pieceEmpty || out.end == out.at)
            return false;
        escape[0] = '?';
        length = 1;
    }
    memcpy(out.at, escape, length);
    out.at += length;
    ++file->unmapped;
    return true;
}

// The end of the run of plain ASCII bytes (no zero) at p, at `end` at the latest.
const unsigned char* PlainRunEnd(const unsigned char* p, const unsigned char* end)
{
    while (end - p >= 8) {
        uint64_t word;
        memcpy(&word, p, sizeof word);
        if ((word & kHighBits) != 0 || ZeroBytes(word) != 0)
            break;
        p += 8;
    }
    while (p < end && *p != 0 && *p < 0x80)
        ++p;
    return p;
}

// Converts the file's bytes from next up to `stop` (no line end among them) into `out`, as
// far as they fit; next moves past what was taken. A sequence that `stop` cuts waits for the
// next call unless nothing came before it, which reads its first byte as 8-bit.
void ConvertUtf8(LineFile* file, const char* stop, TextOut& out)
{
    const char* start = out.at;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file->next);
    const unsigned char* end = reinterpret_cast<const unsigned char*>(stop);
    while (p < end) {
        const size_t room = static_cast<size_t>(out.end - out.at);
        const unsigned char* plain = PlainRunEnd(p, end - p > static_cast<std::ptrdiff_t>(room)
                                                        ? p + room
                                                        : end);
        memcpy(out.at, p, static_cast<size_t>(plain - p));
        out.at += plain - p;
        p = plain;
        if (p == end)
            break;
        uint32_t character = *p;
        int length = 1;
        if (character >= 0x80) {
            length = DecodeUtf8(p, end, character);
            if (length < 0 && out.at > start)
                break;
            if (length <= 0) {
                character = CharacterOf1252(*p);
                length = 1;
            }
        } else if (character == 0) {
            character = ' ';
        }
        if (!PutCharacter(file, character, out, out.at == start))
            break;
        p += length;
    }
    file->next = reinterpret_cast<char*>(const_cast<unsigned char*>(p));
}

// 8-bit text: the bytes as they are, zero bytes as blanks.
void CopyBytes(LineFile* file, const char* stop, TextOut& out)
{
    const size_t length = std::min(static_cast<size_t>(stop - file->next),
                                   static_cast<size_t>(out.end - out.at));
    memcpy(out.at, file->next, length);
    for (char* zero = static_cast<char*>(memchr(out.at, '\0', length)); zero != nullptr;
         zero = static_cast<char*>(memchr(zero, '\0', length - (zero - out.at))))
        *zero = ' ';
    out.at += length;
    file->next += length;
}

// Moves the text of a line read as text, which holds a zero byte or a byte above 127, from
// next up to `stop` into `out`.
void TakeLineText(LineFile* file, const char* stop, TextOut& out)
{
    if ((file->flags & (kLineFileUtf8 | kLineFile8Bit)) == 0) {
        const char* high = file->next;
        while (high < stop && (*high & 0x80) == 0)
            ++high;
        if (high < stop)
            DecideEncoding(file, reinterpret_cast<const unsigned char*>(high));
    }
    if (file->flags & kLineFileUtf8)
        ConvertUtf8(file, stop, out);
    else
        CopyBytes(file, stop, out);
}

// The next line or piece of one into `line`: its length, or -1 at the end of the file.
// `goesOn` tells a piece whose line goes on, `crLf` a line that ended in CR LF.
int ReadPiece(LineFile* file, char* line, int lineSize, bool& goesOn, bool& crLf)
{
    goesOn = crLf = false;
    if (!CanRead(file) || line == nullptr || lineSize < 2)
        return -1;
    if (file->pendingEmptyLines > 0) {
        --file->pendingEmptyLines;
        line[0] = '\0';
        return 0;
    }
    // One byte more than a piece may hold must be in view, or the end of the file: a line that
    // exactly fills the caller's buffer is then delivered whole with its line end. Converted
    // text may take up to four bytes of the file for each it delivers.
    const size_t capacity = static_cast<size_t>(
        IsText(file) ? lineSize - 1 : std::min(lineSize, file->bufferSize) - 1);
    const size_t reach = IsText(file) ? kMaxBytesPerCharacter * (capacity + 1) : capacity + 1;
    const char* lineEnd;
    size_t unread;
    bool special;
    for (;;) {
        unread = Unread(file);
        const char* end = file->next + std::min(unread, reach);
        lineEnd = IsText(file) ? FindLineEnd<true>(file->next, end, special)
                               : FindLineEnd<false>(file->next, end, special);
        if (lineEnd != nullptr || unread >= reach || AtEnd(file)
            || unread >= static_cast<size_t>(file->bufferSize))
            break;
        AdvanceLineFile(file, kLineFileRead);
    }
    if (unread == 0)
        return -1;
    const char* stop = lineEnd != nullptr ? lineEnd : file->next + std::min(unread, reach);
    size_t length;
    if (special) {
        TextOut out = {line, line + capacity};
        TakeLineText(file, stop, out);
        length = static_cast<size_t>(out.at - line);
    } else {
        // Most lines: nothing to look at, a copy.
        length = std::min(static_cast<size_t>(stop - file->next), capacity);
        memcpy(line, file->next, length);
        file->next += length;
    }
    line[length] = '\0';
    if (lineEnd == nullptr || file->next != lineEnd) {
        goesOn = !(AtEnd(file) && file->next == file->endRead);
    } else if (*file->next == kLf) {
        ++file->next;
    } else {
        crLf = ConsumeCarriageReturns(file) != 0;
    }
    return static_cast<int>(length);
}

}  // namespace

extern "C" int CARTIO_CALL ReadLinePiece(LineFile* file, char* line, int lineSize, int* goesOn)
{
    bool piece;
    bool crLf;
    const int length = ReadPiece(file, line, lineSize, piece, crLf);
    if (goesOn != nullptr)
        *goesOn = piece;
    return length;
}

extern "C" int CARTIO_CALL ReadLineLimited(LineFile* file, char* line, int lineSize, int* endFlag)
{
    if (endFlag == nullptr)
        return 0;
    bool piece;
    bool crLf;
    *endFlag = ReadPiece(file, line, lineSize, piece, crLf) < 0;
    return crLf;
}

extern "C" int CARTIO_CALL ReadLine(LineFile* file, char* line, int* endFlag)
{
    int lineSize = GetBufSz();
    if (lineSize <= 0 && file != nullptr)
        lineSize = file->bufferSize;
    return ReadLineLimited(file, line, lineSize, endFlag);
}
