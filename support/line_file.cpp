// The buffered file under ReadLine and WriteLine: the same stdio code on every platform. The
// stream itself is unbuffered, so each advance is one read or write of the caller's buffer.
#include "cartio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

FILE* StreamOf(const LineFile* file)
{
    return static_cast<FILE*>(file->handle);
}

// errno when the C library set one, else a generic I/O error, so that a failure never
// reads as 0.
int LastErrorCode()
{
    return errno != 0 ? errno : EIO;
}

int Remember(LineFile* file, int error)
{
    if (file->error == 0)
        file->error = error;
    return error;
}

bool IsWriting(const LineFile* file)
{
    return (file->flags & kLineFileWriting) != 0;
}

// Moves the unread bytes to the buffer start and reads behind them as much as fits.
int RefillForReading(LineFile* file)
{
    char* start = file->bufferStart;
    if (file->next > file->endRead)
        file->next = file->endRead;
    size_t unread = static_cast<size_t>(file->endRead - file->next);
    file->bufferOffset += file->next - start;
    memmove(start, file->next, unread);
    file->next = start;
    file->endRead = start + unread;
    size_t room = static_cast<size_t>(file->bufferSize) - unread;
    if ((file->flags & kLineFileAtEnd) || room == 0)
        return 0;
    errno = 0;
    size_t got = fread(file->endRead, 1, room, StreamOf(file));
    file->endRead += got;
    if (got == room)
        return 0;
    // A short read is the end of the file or an error; either way nothing more comes.
    file->flags |= kLineFileAtEnd;
    return ferror(StreamOf(file)) ? Remember(file, LastErrorCode()) : 0;
}

int FlushForWriting(LineFile* file)
{
    int result = 0;
    if (file->flags & kLineFileDirty) {
        file->flags &= ~static_cast<uint32_t>(kLineFileDirty);
        size_t count = static_cast<size_t>(file->next - file->bufferStart);
        // After a failed write the file already misses bytes; writing more would only hide
        // the gap.
        if (file->error != 0) {
            result = file->error;
        } else {
            errno = 0;
            if (fwrite(file->bufferStart, 1, count, StreamOf(file)) != count)
                result = Remember(file, LastErrorCode());
        }
        file->bufferOffset += static_cast<int64_t>(count);
    }
    file->next = file->bufferStart;
    file->endWrite = file->bufferStart + file->bufferSize;
    return result;
}

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr size_t kUtf8MarkLength = 3;
// How much of the start of a file without a mark is looked at for the zero bytes of UTF-16.
constexpr size_t kUtf16Sample = 64;

bool StartsWith(const LineFile* file, const char* bytes, size_t count)
{
    return static_cast<size_t>(file->endRead - file->next) >= count
        && memcmp(file->next, bytes, count) == 0;
}

// Plain-text UTF-16 without a mark: a zero byte in every second place of the sample (the
// high bytes of Latin characters), and none in the places between.
bool LooksLikeUtf16(const LineFile* file)
{
    size_t count = static_cast<size_t>(file->endRead - file->next);
    count = (count < kUtf16Sample ? count : kUtf16Sample) & ~static_cast<size_t>(1);
    if (count < 4)
        return false;
    int zeros[2] = {0, 0};
    for (size_t i = 0; i < count; ++i)
        zeros[i % 2] += file->next[i] == '\0';
    const int pairs = static_cast<int>(count / 2);
    return (zeros[0] == pairs && zeros[1] == 0) || (zeros[1] == pairs && zeros[0] == 0);
}

// Reading text: the first bytes tell a UTF-8 mark (skipped) and UTF-16 (not read).
void ReadFileStart(LineFile* file)
{
    file->flags |= kLineFileText;
    RefillForReading(file);
    if (StartsWith(file, kUtf8Mark, kUtf8MarkLength)) {
        file->next += kUtf8MarkLength;
        file->flags |= kLineFileUtf8 | kLineFileUtf8Mark;
    } else if (StartsWith(file, "\xFF\xFE", 2) || StartsWith(file, "\xFE\xFF", 2)
               || LooksLikeUtf16(file)) {
        file->flags |= kLineFileUtf16 | kLineFileAtEnd;
        file->next = file->endRead;
    }
}

// Writing UTF-8: the mark goes into the buffer first, and out with the rest.
void BeginWriting(LineFile* file, int mode)
{
    file->flags = kLineFileWriting;
    file->endWrite = file->bufferStart + file->bufferSize;
    if (mode == kLineFileWrite)
        return;
    file->flags |= kLineFileUtf8;
    if (mode == kLineFileWriteUtf8Marked) {
        file->flags |= kLineFileUtf8Mark;
        memcpy(file->next, kUtf8Mark, kUtf8MarkLength);
        file->next += kUtf8MarkLength;
    }
}

bool IsWriteMode(int mode)
{
    return mode == kLineFileWrite || mode == kLineFileWriteUtf8 || mode == kLineFileWriteUtf8Marked;
}

}  // namespace

extern "C" int CARTIO_CALL OpenLineFile(LineFile* file, const char* path, int mode, char* buffer,
                                        int32_t bufferSize)
{
    if (file == nullptr)
        return EINVAL;
    memset(file, 0, sizeof *file);
    const bool text = mode != kLineFileRead && mode != kLineFileWrite;
    if (path == nullptr || buffer == nullptr || bufferSize < (text ? 4 : 2)
        || (mode != kLineFileRead && mode != kLineFileReadText && !IsWriteMode(mode)))
        return EINVAL;
    errno = 0;
    FILE* stream = fopen(path, IsWriteMode(mode) ? "wb" : "rb");
    if (stream == nullptr)
        return LastErrorCode();
    setvbuf(stream, nullptr, _IONBF, 0);
    file->handle = stream;
    file->bufferStart = buffer;
    file->bufferSize = bufferSize;
    file->next = buffer;
    file->endRead = buffer;
    file->endWrite = buffer;
    if (IsWriteMode(mode))
        BeginWriting(file, mode);
    else if (mode == kLineFileReadText)
        ReadFileStart(file);
    return 0;
}

extern "C" int CARTIO_CALL AdvanceLineFile(LineFile* file, int mode)
{
    if (file == nullptr || file->handle == nullptr)
        return EBADF;
    if (mode == kLineFileWrite && IsWriting(file))
        return FlushForWriting(file);
    if (mode == kLineFileRead && !IsWriting(file))
        return RefillForReading(file);
    return EBADF;
}

extern "C" int CARTIO_CALL CloseLineFile(LineFile* file)
{
    if (file == nullptr || file->handle == nullptr)
        return EBADF;
    if (IsWriting(file) && (file->flags & kLineFileDirty))
        FlushForWriting(file);
    errno = 0;
    if (fclose(StreamOf(file)) != 0)
        Remember(file, LastErrorCode());
    file->handle = nullptr;
    return file->error;
}
