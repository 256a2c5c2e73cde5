// ReadLine: the lines of a LineFile one by one, found and copied inside its buffer. Files come
// from many programs, so LF, CR LF and a lone CR all end a line, a last line without a line
// end still counts, and a line longer than the caller's buffer arrives in pieces.
#include "cartio.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kLf = '\n';
constexpr char kCr = '\r';

bool HasByte(uint64_t word, uint64_t pattern)
{
    uint64_t x = word ^ pattern;
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

// The first CR or LF in [p, end), or null. Eight bytes at a time, since every byte of a file
// passes through here.
const char* FindLineEnd(const char* p, const char* end)
{
    while (end - p >= 8) {
        uint64_t word;
        memcpy(&word, p, sizeof word);
        if (HasByte(word, 0x0A0A0A0A0A0A0A0Aull) || HasByte(word, 0x0D0D0D0D0D0D0D0Dull))
            break;
        p += 8;
    }
    for (; p < end; ++p) {
        if (*p == kLf || *p == kCr)
            return p;
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

}  // namespace

extern "C" int CARTIO_CALL ReadLineLimited(LineFile* file, char* line, int lineSize, int* endFlag)
{
    if (endFlag == nullptr)
        return 0;
    if (!CanRead(file) || line == nullptr || lineSize < 2) {
        *endFlag = 1;
        return 0;
    }
    if (file->pendingEmptyLines > 0) {
        --file->pendingEmptyLines;
        line[0] = '\0';
        *endFlag = 0;
        return 0;
    }
    // One byte more than a piece may hold must be in view, or the end of the file: a line that
    // exactly fills the caller's buffer is then delivered whole with its line end.
    size_t capacity = static_cast<size_t>(std::min(lineSize, file->bufferSize) - 1);
    const char* lineEnd;
    size_t unread;
    for (;;) {
        unread = Unread(file);
        lineEnd = FindLineEnd(file->next, file->next + std::min(unread, capacity + 1));
        if (lineEnd != nullptr || unread > capacity || AtEnd(file))
            break;
        AdvanceLineFile(file, kLineFileRead);
    }
    if (unread == 0) {
        *endFlag = 1;
        return 0;
    }
    *endFlag = 0;
    size_t length = lineEnd != nullptr ? static_cast<size_t>(lineEnd - file->next)
                                       : std::min(unread, capacity);
    memcpy(line, file->next, length);
    line[length] = '\0';
    file->next += length;
    if (lineEnd == nullptr)
        return 0;
    if (*file->next == kLf) {
        ++file->next;
        return 0;
    }
    return ConsumeCarriageReturns(file);
}

extern "C" int CARTIO_CALL ReadLine(LineFile* file, char* line, int* endFlag)
{
    int lineSize = GetBufSz();
    if (lineSize <= 0 && file != nullptr)
        lineSize = file->bufferSize;
    return ReadLineLimited(file, line, lineSize, endFlag);
}
