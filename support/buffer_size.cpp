// The line buffer size that the program sets once and every filter reads when it is loaded.
#include "cartio.h"

namespace {

int g_bufferSize = 0;

}  // namespace

// The first positive size stays for the life of the process; zero and negative sizes are not
// sizes, and leave the value as it is.
extern "C" int CARTIO_CALL SetBufSz(int size)
{
    if (g_bufferSize == 0 && size > 0)
        g_bufferSize = size;
    return g_bufferSize;
}

extern "C" int CARTIO_CALL GetBufSz(void)
{
    return g_bufferSize;
}
