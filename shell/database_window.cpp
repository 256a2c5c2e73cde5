#include "database_window.h"

#include <new>

#include "../lang/ids.h"
#include "bibliography_display.h"
#include "database_commands.h"
#include "database_view.h"
#include "fixed_texts.h"
#include "frame_bars.h"
#include "io/transfer.h"
#include "list_line.h"
#include "narrowed_save.h"
#include "reference_drag.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/resort.h"
#include "store/store_state.h"

namespace {

void Detach(HWND window)
{
    SetWindowLongPtrA(window, 0, 0);
}

HWND CreateSearchableBox(DatabaseView& view)
{
    char text[64];
    LoadText(IDS_SEARCHABLE, text, sizeof text);
    HWND box = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0,
                               0, 0, view.window, reinterpret_cast<HMENU>(IDC_DBWIN_SEARCHABLE),
                               g_shell.instance, nullptr);
    if (box) {
        SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), FALSE);
        SendMessageA(box, BM_SETCHECK, view.database->searchable ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    view.database->searchableBox = box;
    return box;
}

bool OnCreate(HWND window, const CREATESTRUCTA& create)
{
    const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(create.lpCreateParams);
    Database* database = mdi ? reinterpret_cast<Database*>(mdi->lParam) : nullptr;
    DatabaseView* view = database ? new (std::nothrow) DatabaseView : nullptr;
    if (!view)
        return false;
    view->database = database;
    view->window = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(view));
    database->window = window;
    view->searchable = CreateSearchableBox(*view);
    RebuildContent(*view);
    if (!view->searchable || !view->content) {
        Detach(window);
        database->window = database->listBox = database->searchableBox = nullptr;
        delete view;
        return false;
    }
    DatabaseWindowCreated(*database);
    return true;
}

void OnDestroy(HWND window)
{
    DatabaseView* view = ViewOfWindow(window);
    if (!view)
        return;
    // Nothing reaches the view from here on, not even the drawing of the list that is still
    // there while the references are freed.
    Detach(window);
    Database* database = view->database;
    delete view;
    DatabaseWindowDestroyed(database);
    UpdateToolbar();
    UpdateStatusText();
}

void OnClose(HWND window, DatabaseView& view)
{
    if (IsBibliography(*view.database) || ConfirmSaveOnClose(*view.database))
        SendMessageA(g_shell.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
}

void OnActivate(HWND window, HWND activated, DatabaseView& view)
{
    if (activated != window)
        return;
    g_store.active = view.database;
    UpdateToolbar();
    UpdateStatusText();
}

void OnResort(DatabaseView& view)
{
    ResortDatabase(*view.database);
    UpdateToolbar();
    UpdateStatusText();
}

}  // namespace

DatabaseView* ViewOfWindow(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    char name[16];
    if (!GetClassNameA(window, name, sizeof name) || lstrcmpiA(name, CHILD_CLASS) != 0)
        return nullptr;
    return reinterpret_cast<DatabaseView*>(GetWindowLongPtrA(window, 0));
}

DatabaseView* ViewOfDatabase(const Database& database)
{
    return ViewOfWindow(static_cast<HWND>(database.window));
}

DatabaseView* ActiveView()
{
    return g_store.active ? ViewOfDatabase(*g_store.active) : nullptr;
}

LRESULT CALLBACK DatabaseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
    DatabaseView* view = reinterpret_cast<DatabaseView*>(GetWindowLongPtrA(window, 0));
    if (!view)
        return DefMDIChildProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        OnDestroy(window);
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayoutDatabaseWindow(*view);
        break;
    case WM_CLOSE:
        OnClose(window, *view);
        return 0;
    case WM_SETCURSOR:
        if (OnDragSetCursor(*view, reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)))
            return TRUE;
        break;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
            static_cast<UINT>(g_shell.metrics.itemHeight);
        return TRUE;
    case WM_DRAWITEM:
        DrawListLine(*view, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MDIACTIVATE:
        OnActivate(window, reinterpret_cast<HWND>(lParam), *view);
        break;
    case WM_SETFOCUS:
        DefMDIChildProcA(window, message, wParam, lParam);
        if (view->content)
            SetFocus(view->content);
        return 0;
    case WM_COMMAND:
        if (RunWindowCommand(*view, LOWORD(wParam), HIWORD(wParam)))
            return 0;
        break;
    case MSG_RESORT:
        OnResort(*view);
        return 0;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

void SetDatabaseWindowTitle(Database& database)
{
    if (!database.window)
        return;
    char bibliography[64];
    LoadText(IDS_BIBLIOGRAPHY, bibliography, sizeof bibliography);
    SetWindowTextA(static_cast<HWND>(database.window),
                   DatabaseTitle(database, g_shell.untitled, bibliography));
    // Not every system renames the Window menu's entry of a retitled child by itself.
    SendMessageA(g_shell.client, WM_MDIREFRESHMENU, 0, 0);
    UpdateStatusText();
}
