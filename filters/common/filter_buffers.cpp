#include "filters/common/filter_buffers.h"

#include <cstdlib>
#include <new>

#include "cartio.h"

namespace {

constexpr int kSmallestBufferSize = 2;

}  // namespace

bool AllocateFilterBuffers(FilterBuffers& buffers)
{
    FreeFilterBuffers(buffers);
    const int size = GetBufSz();
    if (size < kSmallestBufferSize)
        return false;
    buffers.line = static_cast<char*>(std::malloc(static_cast<size_t>(size)));
    if (buffers.line == nullptr)
        return false;
    buffers.line[0] = '\0';
    buffers.lineSize = size;
    try {
        buffers.work.reserve(static_cast<size_t>(size));
    } catch (const std::exception&) {
        FreeFilterBuffers(buffers);
        return false;
    }
    return true;
}

void FreeFilterBuffers(FilterBuffers& buffers)
{
    std::free(buffers.line);
    buffers.line = nullptr;
    buffers.lineSize = 0;
    std::string().swap(buffers.longLine);
    std::string().swap(buffers.work);
}
