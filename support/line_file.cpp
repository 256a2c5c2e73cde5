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

}  // namespace

extern "C" int CARTIO_CALL OpenLineFile(LineFile* file, const char* path, int mode, char* buffer,
                                        int32_t bufferSize)
{
    if (file == nullptr)
        return EINVAL;
    memset(file, 0, sizeof *file);
    if (path == nullptr || buffer == nullptr || bufferSize < 2
        || (mode != kLineFileRead && mode != kLineFileWrite))
        return EINVAL;
    errno = 0;
    FILE* stream = fopen(path, mode == kLineFileWrite ? "wb" : "rb");
    if (stream == nullptr)
        return LastErrorCode();
    setvbuf(stream, nullptr, _IONBF, 0);
    file->handle = stream;
    file->bufferStart = buffer;
    file->bufferSize = bufferSize;
    file->next = buffer;
    file->endRead = buffer;
    if (mode == kLineFileWrite) {
        file->flags = kLineFileWriting;
        file->endWrite = buffer + bufferSize;
    } else {
        file->endWrite = buffer;
    }
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
