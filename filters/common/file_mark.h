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

// True while nothing has been read from or written to the file.
inline bool AtFileStart(const LineFile* file)
{
    return file->bufferOffset == 0 && file->next == file->bufferStart;
}

#endif
