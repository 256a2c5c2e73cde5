#include "../describe.h"

// Built without the C runtime and without an entry point: the library runs no code of its
// own when it is loaded or unloaded.
extern "C" const char* __stdcall Describe(void)
{
    return "UK English";
}
