#include "database_window.h"

#include "../lang/ids.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"

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

void SetDatabaseWindowTitle(Database& database)
{
    if (!database.window)
        return;
    char untitled[32];
    char bibliography[64];
    LoadText(IDS_UNTITLED, untitled, sizeof untitled);
    LoadText(IDS_BIBLIOGRAPHY, bibliography, sizeof bibliography);
    SetWindowTextA(static_cast<HWND>(database.window),
                   DatabaseTitle(database, untitled, bibliography));
}
