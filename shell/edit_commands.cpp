// The Edit menu and the Reference menu's own operations on the active database window.
#include "database_commands.h"
#include "menu_commands.h"

void OnPassToActiveWindow(HWND, int command)
{
    if (DatabaseView* view = ActiveView())
        SendMessageA(view->window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void OnSelectAll(HWND, int)
{
    if (DatabaseView* view = ActiveView())
        SelectEverything(*view);
}

void OnDelete(HWND, int)
{
    if (DatabaseView* view = ActiveView())
        DeleteSelected(*view, true);
}
