// Where a LineFile stands. A filter that reads ahead (the rest of a line, a line that starts
// the next record) keeps what it read for the next LoadRef, and uses it only when that call
// reads on at the same place of the same file; a writer tells the first record of a file by
// nothing having been written yet.
#ifndef CARTULAN_FILTERS_COMMON_FILE_MARK_H
#define CARTULAN_FILTERS_COMMON_FILE_MARK_H

#include <cstdint>

#include "cartio.h"

struct FileMark {
    const LineFile* file = nullptr;
    const void* handle = nullptr;
    int64_t offset = -1;
    const char* next = nullptr;
};

inline FileMark MarkOf(const LineFile* file)
{
    FileMark mark;
    if (file != nullptr) {
        mark.file = file;
        mark.handle = file->handle;
        mark.offset = file->bufferOffset;
        mark.next = file->next;
    }
    return mark;
}

inline bool SameMark(const FileMark& a, const FileMark& b)
{
    return a.file != nullptr && a.file == b.file && a.handle == b.handle && a.offset == b.offset
        && a.next == b.next;
}

constexpr int kUtf8MarkLength = 3;

// True while nothing has been read from or written to the file but its byte-order mark.
inline bool AtFileStart(const LineFile* file)
{
    const int mark = (file->flags & kLineFileUtf8Mark) != 0 ? kUtf8MarkLength : 0;
    return file->bufferOffset == 0 && file->next == file->bufferStart + mark;
}

// Makes an 8-bit file that nothing has been written to a UTF-8 file, with a byte-order mark
// when `marked`: from then on WriteLine writes the program's texts as UTF-8, the escapes of
// characters the code page lacks as those characters. For formats whose files are UTF-8
// whatever the database was read from.
inline void WriteUtf8From(LineFile* file, bool marked)
{
    if ((file->flags & kLineFileUtf8) != 0 || !AtFileStart(file))
        return;
    if (marked)
        WriteLine(file, "\xEF\xBB\xBF");
    file->flags |= kLineFileUtf8 | (marked ? kLineFileUtf8Mark : 0);
}

#endif
