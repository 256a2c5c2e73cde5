// The working buffers every filter allocates when it is loaded, sized by the process-wide
// buffer size of cartio: the line buffer that ReadLine fills, and a work area for reshaping
// one text.
#ifndef CARTULAN_FILTERS_COMMON_FILTER_BUFFERS_H
#define CARTULAN_FILTERS_COMMON_FILTER_BUFFERS_H

#include <string>

struct FilterBuffers {
    char* line = nullptr;  // lineSize bytes: ReadLine writes up to that many
    int lineSize = 0;      // GetBufSz() when allocated
    std::string longLine;  // a line that came in pieces, joined
    std::string work;      // GetBufSz() bytes reserved; longer texts make it grow
};

// Allocates both for GetBufSz(). Returns false, holding nothing, when the size is unusable
// (no size set yet, or too small for one character and its terminator) or memory is short.
bool AllocateFilterBuffers(FilterBuffers& buffers);
void FreeFilterBuffers(FilterBuffers& buffers);

#endif
