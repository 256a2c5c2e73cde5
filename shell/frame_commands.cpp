#include "frame_commands.h"

#include <commctrl.h>

#include "../lang/ids.h"
#include "frame_bars.h"
#include "io/app_settings.h"
#include "io/transfer_state.h"
#include "later_commands.h"
#include "menu_commands.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/store_state.h"
#include "transfer_dialogs.h"

namespace {

using CommandHandler = void (*)(HWND frame, int command);

// A handler of a later subsystem, which needs only the frame.
template <void (*Run)(HWND)>
void Later(HWND frame, int)
{
    Run(frame);
}

void OnToggleFormattedBibliography(HWND, int)
{
    g_settings.bibIsForm = g_settings.bibIsForm ? 0 : 1;
    SendMessageA(g_shell.toolbar, TB_CHECKBUTTON, CMD_OPT_FORMATTED_BIB,
                 MAKELONG(g_settings.bibIsForm ? TRUE : FALSE, 0));
    if (g_store.bibliography && g_store.bibliography->window)
        SendMessageA(static_cast<HWND>(g_store.bibliography->window), WM_COMMAND,
                     CMD_REBUILD_CONTENT, 0);
}

void OnToggleAutoView(HWND, int)
{
    g_settings.autoView = g_settings.autoView ? 0 : 1;
}

void OnToggleBackups(HWND, int)
{
    g_transfer.saveBackups = g_transfer.saveBackups ? 0 : 1;
}

void OnDefaultFileFormat(HWND frame, int)
{
    ChooseDefaultFileFormat(frame);
}

void OnWindowCascade(HWND, int)
{
    SendMessageA(g_shell.client, WM_MDICASCADE, MDITILE_SKIPDISABLED, 0);
}

void OnWindowTile(HWND, int)
{
    SendMessageA(g_shell.client, WM_MDITILE, MDITILE_SKIPDISABLED, 0);
}

void OnWindowArrangeIcons(HWND, int)
{
    SendMessageA(g_shell.client, WM_MDIICONARRANGE, 0, 0);
}

struct CommandEntry {
    int command;
    CommandHandler handler;
};

const CommandEntry kFrameCommands[] = {
    {CMD_FILE_NEW, OnFileNew},
    {CMD_FILE_OPEN, OnFileOpen},
    {CMD_FILE_SAVE, OnFileSave},
    {CMD_FILE_SAVE_AS, OnFileSaveAs},
    {CMD_FILE_IMPORT, OnFileImport},
    {CMD_FILE_EXPORT, OnFileExport},
    {CMD_FILE_PRINT, Later<RunPrint>},
    {CMD_FILE_CLOSE, OnFileClose},
    {CMD_FILE_EXIT, OnFileExit},
    {CMD_FILE_RECENT_FIRST, OnRecentFile},
    {CMD_FILE_RECENT_FIRST + 1, OnRecentFile},
    {CMD_FILE_RECENT_FIRST + 2, OnRecentFile},
    {CMD_FILE_RECENT_FIRST + 3, OnRecentFile},
    {CMD_FILE_RECENT_FIRST + 4, OnRecentFile},
    {CMD_FILE_RECENT_LAST, OnRecentFile},
    {CMD_EDIT_UNDO, OnPassToActiveWindow},
    {CMD_EDIT_CUT, OnPassToActiveWindow},
    {CMD_EDIT_COPY, OnPassToActiveWindow},
    {CMD_EDIT_PASTE, OnPassToActiveWindow},
    {CMD_REF_NEW, Later<RunNewReference>},
    {CMD_REF_EDIT, Later<RunEditReference>},
    {CMD_REF_EDIT_AUTHOR, Later<RunEditAuthor>},
    {CMD_REF_ADD_TO_BIB, OnPassToActiveWindow},
    {CMD_REF_ADD_KEYWORDS, Later<RunAddKeywords>},
    {CMD_REF_SELECT_ALL, OnSelectAll},
    {CMD_REF_DELETE, OnDelete},
    {CMD_SEARCH_SHOW_ALL, Later<RunShowAllReferences>},
    {CMD_SEARCH_NEW, Later<RunNewSearch>},
    {CMD_SEARCH_NARROW, Later<RunNarrowSearch>},
    {CMD_SEARCH_EXPAND, Later<RunExpandSearch>},
    {CMD_OPT_LIST_FORMAT, Later<RunListFormatOptions>},
    {CMD_OPT_SORTING, Later<RunSortingOptions>},
    {CMD_OPT_SEARCHING, Later<RunSearchingOptions>},
    {CMD_OPT_AUTO_VIEW, OnToggleAutoView},
    {CMD_OPT_INPUT_DEFAULTS, Later<RunInputDefaults>},
    {CMD_OPT_CONFIRMATION, Later<RunConfirmationOptions>},
    {CMD_OPT_FONT_PRINTER, Later<RunPrinterFont>},
    {CMD_OPT_FONT_DATABASE, Later<RunDatabaseFont>},
    {CMD_OPT_FONT_EDIT, Later<RunEditWindowFont>},
    {CMD_OPT_FORMATTED_BIB, OnToggleFormattedBibliography},
    {CMD_OPT_BIB_FORMAT, Later<RunBibliographyFormat>},
    {CMD_OPT_BIB_COLOUR, Later<RunBibliographyColour>},
    {CMD_OPT_LANGUAGE, Later<RunLanguage>},
    {CMD_OPT_DEFAULT_FORMAT, OnDefaultFileFormat},
    {CMD_OPT_SAVE_BACKUPS, OnToggleBackups},
    {CMD_WINDOW_CASCADE, OnWindowCascade},
    {CMD_WINDOW_TILE, OnWindowTile},
    {CMD_WINDOW_ARRANGE_ICONS, OnWindowArrangeIcons},
    {CMD_HELP_CONTENTS, Later<RunHelpContents>},
    {CMD_HELP_USING_HELP, Later<RunUsingHelp>},
    {CMD_HELP_ABOUT, Later<RunAbout>},
    {CMD_OPEN_BIBLIOGRAPHY, OnOpenBibliography},
};

}  // namespace

int DispatchFrameCommand(HWND frame, int command)
{
    for (const CommandEntry& entry : kFrameCommands) {
        if (entry.command == command) {
            entry.handler(frame, command);
            return 1;
        }
    }
    return 0;
}
