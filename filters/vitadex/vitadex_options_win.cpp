// Opts: the filter has no options; it says so in a message box with its version.
#include <windows.h>

#include "io/filter_exports.h"

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    return MessageBoxA(static_cast<HWND>(owner),
                       "vitadex import filter, version 0.31.\n\nThis filter has no options.",
                       "vitadex Filter", MB_OK | MB_ICONINFORMATION);
}
