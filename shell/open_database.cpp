#include "open_database.h"

#include <cstdio>
#include <cstring>

#include "../lang/ids.h"
#include "database_list.h"
#include "database_view.h"
#include "database_window.h"
#include "fixed_texts.h"
#include "frame_bars.h"
#include "io/app_settings.h"
#include "io/transfer.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

// The database of `kind`, loaded where there is a file; null when it could not be made or
// the load failed or was cancelled.
Database* MakeDatabase(WindowKind kind, const char* fileName)
{
    if (kind == WindowKind::kBibliography)
        return CreateBibliography();
    Database* database = CreateDatabase();
    if (!database)
        return nullptr;
    if (fileName)
        std::snprintf(database->fileName, sizeof database->fileName, "%s", fileName);
    int loaded = 1;
    if (kind == WindowKind::kOpen)
        loaded = TransferFile(*database, kCommandOpen, fileName ? 0 : 1);
    else if (kind == WindowKind::kImport)
        loaded = TransferFile(*database, kCommandImport, 1);
    if (!loaded) {
        DestroyDatabase(database);
        return nullptr;
    }
    return database;
}

}  // namespace

HWND CreateDatabaseWindow(Database& database)
{
    g_store.active = &database;
    MDICREATESTRUCTA create = {};
    create.szClass = CHILD_CLASS;
    create.szTitle = "";
    create.hOwner = g_shell.instance;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.lParam = reinterpret_cast<LPARAM>(&database);
    HWND window = reinterpret_cast<HWND>(
        SendMessageA(g_shell.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!window) {
        if (g_store.active == &database)
            g_store.active = nullptr;
        return nullptr;
    }
    SetDatabaseWindowTitle(database);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateToolbar();
    return window;
}

HWND OpenDatabaseWindow(WindowKind kind, const char* fileName)
{
    g_store.lastCreated = nullptr;
    if (g_store.windowCount >= kMaxDatabaseWindows) {
        ShowMessage(g_shell.frame, IDS_TOO_MANY_FILES);
        return nullptr;
    }
    if (kind == WindowKind::kBibliography && g_store.bibliography)
        return static_cast<HWND>(g_store.bibliography->window);
    Database* database = MakeDatabase(kind, fileName);
    if (!database)
        return nullptr;
    if (kind == WindowKind::kImport)
        database->fileName[0] = '\0';
    HWND window = CreateDatabaseWindow(*database);
    if (!window) {
        DestroyDatabase(database);
        return nullptr;
    }
    // The window shows every line of a loaded file at once with "Auto view all"; otherwise
    // its list stays empty until Show all references or a search.
    DatabaseView* view = ViewOfWindow(window);
    if (view && !g_settings.autoView && (kind == WindowKind::kOpen || kind == WindowKind::kImport))
        HideLines(*view);
    UpdateStatusText();
    g_store.lastCreated = database;
    return window;
}

void OpenHandedOverFile(const char* name, DWORD size)
{
    if (size >= static_cast<DWORD>(kFileNameSize)) {
        ShowMessage(g_shell.frame, IDS_CANNOT_OPEN_FILE);
        return;
    }
    char fileName[kFileNameSize];
    std::memcpy(fileName, name, size);
    fileName[size] = '\0';
    OpenDatabaseWindow(WindowKind::kOpen, fileName);
}
