// The File menu: new, open, save, save as, import, export, close, exit and the recent files.
#include <cstdio>

#include "../lang/ids.h"
#include "database_window.h"
#include "frame_bars.h"
#include "io/transfer.h"
#include "io/transfer_state.h"
#include "menu_commands.h"
#include "narrowed_save.h"
#include "open_database.h"
#include "store/database.h"
#include "store/store_state.h"

namespace {

// Saves the active database with `command`; the window's title follows its file name.
void SaveActive(int command, int ask)
{
    Database* database = g_store.active;
    if (!database)
        return;
    TransferFile(*database, command, ask);
    if (database == g_store.active)
        SetDatabaseWindowTitle(*database);
    UpdateToolbar();
}

}  // namespace

void OnFileNew(HWND, int)
{
    OpenDatabaseWindow(WindowKind::kNew, nullptr);
}

void OnFileOpen(HWND, int)
{
    OpenDatabaseWindow(WindowKind::kOpen, nullptr);
}

// A window without a file name has nothing to save under: Save asks for a name then, as
// Save as does.
void OnFileSave(HWND, int)
{
    const Database* database = g_store.active;
    if (database && database->fileName[0] == '\0')
        SaveActive(kCommandSaveAs, 1);
    else if (!database || MaySaveUnderFileName(*database))
        SaveActive(kCommandSave, 0);
}

void OnFileSaveAs(HWND, int)
{
    SaveActive(kCommandSaveAs, 1);
}

void OnFileImport(HWND, int)
{
    OpenDatabaseWindow(WindowKind::kImport, nullptr);
}

void OnFileExport(HWND, int)
{
    SaveActive(kCommandExport, 1);
}

void OnFileClose(HWND, int)
{
    if (g_store.active && g_store.active->window)
        SendMessageA(static_cast<HWND>(g_store.active->window), WM_CLOSE, 0, 0);
}

void OnFileExit(HWND frame, int)
{
    PostMessageA(frame, WM_CLOSE, 0, 0);
}

void OnRecentFile(HWND, int command)
{
    int slot = command - CMD_FILE_RECENT_FIRST;
    if (slot < 0 || slot >= RecentFileCount())
        return;
    // The load changes the recent files: open a copy of the name.
    char name[kPathSize];
    std::snprintf(name, sizeof name, "%s", g_transfer.recentFiles[slot]);
    OpenDatabaseWindow(WindowKind::kOpen, name);
}

void OnOpenBibliography(HWND, int)
{
    OpenDatabaseWindow(WindowKind::kBibliography, nullptr);
}
