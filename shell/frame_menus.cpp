#include "frame_menus.h"

#include <cstdio>
#include <iterator>

#include "../lang/ids.h"
#include "bibliography_display.h"
#include "database_list.h"
#include "database_view.h"
#include "frame_bars.h"
#include "io/app_settings.h"
#include "io/transfer_state.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

// A menu item text holds at most 259 characters.
constexpr int kMenuTextSize = 260;

void Enable(HMENU popup, int command, bool enabled)
{
    EnableMenuItem(popup, static_cast<UINT>(command),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Check(HMENU popup, int command, bool checked)
{
    CheckMenuItem(popup, static_cast<UINT>(command),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool WindowsFull()
{
    return g_store.windowCount >= kMaxDatabaseWindows;
}

// The references the active window's list shows (0 without an active window).
int ActiveCount(const DatabaseView* view)
{
    return view ? ShownCount(*view) : 0;
}

void ShowRecentFiles(HMENU file)
{
    while (GetMenuItemCount(file) > MENU_FILE_FIXED_ITEMS)
        DeleteMenu(file, MENU_FILE_FIXED_ITEMS, MF_BYPOSITION);
    int count = RecentFileCount();
    if (count == 0)
        return;
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < count; ++i) {
        char text[kMenuTextSize];
        std::snprintf(text, sizeof text, "&%i %s", i + 1, g_transfer.recentFiles[i]);
        AppendMenuA(file, MF_STRING | (WindowsFull() ? MF_GRAYED : MF_ENABLED),
                    static_cast<UINT_PTR>(CMD_FILE_RECENT_FIRST + i), text);
    }
}

void InitFile(HMENU file)
{
    ShowRecentFiles(file);
    const DatabaseView* view = ActiveView();
    const bool full = WindowsFull();
    Enable(file, CMD_FILE_NEW, !full);
    Enable(file, CMD_FILE_OPEN, !full);
    Enable(file, CMD_FILE_IMPORT, !full);
    const bool holdsReferences = ActiveCount(view) > 0;
    Enable(file, CMD_FILE_SAVE_AS, holdsReferences);
    Enable(file, CMD_FILE_EXPORT, holdsReferences);
    Enable(file, CMD_FILE_PRINT, holdsReferences);
    Enable(file, CMD_FILE_CLOSE, view != nullptr);
    Enable(file, CMD_FILE_SAVE, holdsReferences && !IsBibliography(*view->database) &&
                                    view->database->fileName[0] != '\0');
}

void InitEdit(HMENU edit)
{
    const DatabaseView* view = ActiveView();
    if (ShowsFormattedText(view)) {
        Enable(edit, CMD_EDIT_UNDO, SendMessageA(view->content, EM_CANUNDO, 0, 0) != 0);
        Enable(edit, CMD_EDIT_PASTE, IsClipboardFormatAvailable(CF_TEXT) != 0);
        Enable(edit, CMD_EDIT_CUT, true);
        Enable(edit, CMD_EDIT_COPY, true);
        return;
    }
    const bool selection = view && SelectedLineCount(*view) > 0;
    Enable(edit, CMD_EDIT_UNDO, false);
    Enable(edit, CMD_EDIT_CUT, selection);
    Enable(edit, CMD_EDIT_COPY, selection);
    Enable(edit, CMD_EDIT_PASTE, view && g_store.clipboard && g_store.clipboard->count() > 0);
}

void InitReference(HMENU reference)
{
    const DatabaseView* view = ActiveView();
    const int selected = view ? SelectedLineCount(*view) : 0;
    const bool bibliography = view && IsBibliography(*view->database);
    Enable(reference, CMD_REF_NEW, view && !bibliography);
    Enable(reference, CMD_REF_SELECT_ALL, ActiveCount(view) > 0);
    Enable(reference, CMD_REF_ADD_TO_BIB, selected > 0 && !bibliography);
    Enable(reference, CMD_REF_DELETE, selected > 0);
    Enable(reference, CMD_REF_EDIT, selected == 1);
    Enable(reference, CMD_REF_EDIT_AUTHOR, selected == 1 && !bibliography);
    Enable(reference, CMD_REF_ADD_KEYWORDS, true);
}

void InitSearch(HMENU search)
{
    const Database* active = g_store.active;
    Enable(search, CMD_SEARCH_SHOW_ALL, active != nullptr);
    Enable(search, CMD_SEARCH_NEW, active != nullptr);
    Enable(search, CMD_SEARCH_NARROW, active && active->description);
    Enable(search, CMD_SEARCH_EXPAND, active && active->description);
}

void InitOptions(HMENU options)
{
    Enable(options, CMD_OPT_FORMATTED_BIB, g_store.bibliography != nullptr);
    Check(options, CMD_OPT_FORMATTED_BIB, g_settings.bibIsForm != 0);
    Check(options, CMD_OPT_SAVE_BACKUPS, g_transfer.saveBackups != 0);
    Check(options, CMD_OPT_AUTO_VIEW, g_settings.autoView != 0);
}

void InitWindow(HMENU window)
{
    const bool any = g_store.windowCount > 0;
    Enable(window, CMD_WINDOW_CASCADE, any);
    Enable(window, CMD_WINDOW_TILE, any);
    Enable(window, CMD_WINDOW_ARRANGE_ICONS, any);
}

// Each pop-up of the menu bar, known by a command only it holds.
struct PopupKind {
    int command;
    void (*init)(HMENU popup);
};

const PopupKind kPopups[] = {
    {CMD_FILE_NEW, InitFile},         {CMD_EDIT_CUT, InitEdit},
    {CMD_REF_DELETE, InitReference},  {CMD_SEARCH_SHOW_ALL, InitSearch},
    {CMD_OPT_SAVE_BACKUPS, InitOptions}, {CMD_WINDOW_CASCADE, InitWindow},
};

bool Holds(HMENU popup, int command)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    return GetMenuItemInfoA(popup, static_cast<UINT>(command), FALSE, &info) &&
           info.wID == static_cast<UINT>(command);
}

}  // namespace

void InitMenuPopup(HMENU popup, bool systemMenu)
{
    if (systemMenu)
        return;
    for (const PopupKind& kind : kPopups) {
        if (Holds(popup, kind.command)) {
            kind.init(popup);
            return;
        }
    }
}

void MenuSelected(UINT item, UINT flags, HMENU menu)
{
    const bool closing = flags == 0xFFFF && !menu;
    if (closing || (flags & (MF_POPUP | MF_SYSMENU)))
        ShowCommandHelp(0);
    else
        ShowCommandHelp(static_cast<int>(item));
}
