#include "database_window.h"

#include "shell_state.h"

static void OnCreate(HWND window)
{
    ++g_shell.openWindowCount;
}

static void OnDestroy(HWND window)
{
    --g_shell.openWindowCount;
}

LRESULT CALLBACK DatabaseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_DESTROY:
        OnDestroy(window);
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
