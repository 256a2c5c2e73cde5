// The Windows entry point of a filter library: a failed attach makes LoadLibrary fail, so
// the program treats the filter as absent.
#include <windows.h>

#include "filters/common/filter_module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH: {
        DisableThreadLibraryCalls(instance);
        bool ready = FilterAttach();
        SetFilterModule(instance, ready);
        return ready ? TRUE : FALSE;
    }
    case DLL_PROCESS_DETACH:
        SetFilterModule(nullptr, false);
        FilterDetach();
        return TRUE;
    default:
        return TRUE;
    }
}
