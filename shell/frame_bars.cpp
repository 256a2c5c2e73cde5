#include "frame_bars.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>

#include "../lang/ids.h"
#include "bibliography_display.h"
#include "database_list.h"
#include "database_view.h"
#include "fixed_texts.h"
#include "io/app_settings.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

// A status line holds at most 269 characters, a help text or tooltip at most 127.
constexpr int kStatusTextSize = 270;
constexpr int kHelpTextSize = 128;

TBBUTTON Button(int image, int command, BYTE state, BYTE style = TBSTYLE_BUTTON)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = state;
    button.fsStyle = style;
    return button;
}

TBBUTTON Separator()
{
    return Button(0, 0, 0, TBSTYLE_SEP);
}

void EnableButton(int command, bool enabled)
{
    SendMessageA(g_shell.toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(command),
                 MAKELONG(enabled ? TRUE : FALSE, 0));
}

void SetStatusText(const char* text)
{
    if (g_shell.statusBar)
        SendMessageA(g_shell.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

int StatusBarHeight()
{
    if (!g_shell.statusBar)
        return 0;
    RECT rc;
    GetWindowRect(g_shell.statusBar, &rc);
    return rc.bottom - rc.top;
}

void SetOnePart()
{
    int parts[] = {-1};
    if (g_shell.statusBar)
        SendMessageA(g_shell.statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
}

}  // namespace

bool CreateToolbar(HWND frame)
{
    const BYTE on = TBSTATE_ENABLED;
    const TBBUTTON buttons[] = {
        Separator(),
        Button(TBIMG_NEW, CMD_FILE_NEW, on),
        Button(TBIMG_OPEN, CMD_FILE_OPEN, on),
        Button(TBIMG_SAVE, CMD_FILE_SAVE, 0),
        Separator(),
        Button(TBIMG_PRINT, CMD_FILE_PRINT, 0),
        Separator(),
        Button(TBIMG_CUT, CMD_EDIT_CUT, 0),
        Button(TBIMG_COPY, CMD_EDIT_COPY, 0),
        Button(TBIMG_PASTE, CMD_EDIT_PASTE, 0),
        Separator(),
        Button(TBIMG_NEW_REFERENCE, CMD_REF_NEW, 0),
        Button(TBIMG_ADD_TO_BIB, CMD_REF_ADD_TO_BIB, 0),
        Button(TBIMG_FORMATTED_BIB, CMD_OPT_FORMATTED_BIB, on, TBSTYLE_CHECK),
        Separator(),
        Button(TBIMG_NEW_SEARCH, CMD_SEARCH_NEW, 0),
        Button(TBIMG_NARROW_SEARCH, CMD_SEARCH_NARROW, 0),
        Button(TBIMG_EXPAND_SEARCH, CMD_SEARCH_EXPAND, 0),
        Separator(),
        Separator(),
        Button(TBIMG_HELP, CMD_HELP_CONTENTS, on),
    };
    g_shell.toolbar = CreateToolbarEx(
        frame, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS, IDC_TOOLBAR,
        TOOLBAR_IMAGE_COUNT, g_shell.instance, IDB_TOOLBAR, buttons,
        static_cast<int>(std::size(buttons)), TOOLBAR_IMAGE_SIZE, TOOLBAR_IMAGE_SIZE,
        TOOLBAR_IMAGE_SIZE, TOOLBAR_IMAGE_SIZE, sizeof(TBBUTTON));
    if (!g_shell.toolbar) {
        MessageBoxA(frame, TEXT_NO_TOOLBAR, nullptr, MB_OK);
        return false;
    }
    return true;
}

void CreateStatusBar(HWND frame)
{
    g_shell.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                        0, 0, 0, 0, frame,
                                        reinterpret_cast<HMENU>(IDC_STATUS_BAR),
                                        g_shell.instance, nullptr);
    if (!g_shell.statusBar)
        MessageBoxA(frame, TEXT_NO_STATUS_BAR, nullptr, MB_OK);
    SetOnePart();
}

void LayoutFrame(int width, int height)
{
    int toolbarHeight = 0;
    if (g_shell.toolbar) {
        SendMessageA(g_shell.toolbar, TB_AUTOSIZE, 0, 0);
        RECT rc;
        GetWindowRect(g_shell.toolbar, &rc);
        toolbarHeight = rc.bottom - rc.top;
    }
    int statusHeight = StatusBarHeight();
    if (g_shell.statusBar)
        MoveWindow(g_shell.statusBar, 0, height - statusHeight, width, statusHeight, TRUE);
    SetOnePart();
    int clientHeight = height - toolbarHeight - statusHeight;
    if (g_shell.client)
        MoveWindow(g_shell.client, 0, toolbarHeight, width, clientHeight > 0 ? clientHeight : 0,
                   TRUE);
}

void UpdateClipboardButtons()
{
    if (!g_shell.toolbar)
        return;
    DatabaseView* view = ActiveView();
    bool addToBib = false, cutCopy = false, paste = false;
    if (view && ShowsFormattedText(view)) {
        cutCopy = true;
        paste = IsClipboardFormatAvailable(CF_TEXT) != 0;
    } else if (view) {
        int selected = SelectedLineCount(*view);
        addToBib = selected > 0 && !IsBibliography(*view->database);
        cutCopy = selected > 0;
        paste = g_store.clipboard && g_store.clipboard->count() > 0;
    }
    EnableButton(CMD_REF_ADD_TO_BIB, addToBib);
    EnableButton(CMD_EDIT_CUT, cutCopy);
    EnableButton(CMD_EDIT_COPY, cutCopy);
    EnableButton(CMD_EDIT_PASTE, paste);
}

void UpdateToolbar()
{
    if (!g_shell.toolbar)
        return;
    UpdateClipboardButtons();
    SendMessageA(g_shell.frame, WM_DRAWCLIPBOARD, kInternalClipboardNotice, 0);
    const Database* active = g_store.active;
    const bool bibliography = active && IsBibliography(*active);
    EnableButton(CMD_FILE_NEW, g_store.windowCount < kMaxDatabaseWindows);
    EnableButton(CMD_FILE_PRINT, active != nullptr);
    EnableButton(CMD_FILE_SAVE, active != nullptr);
    EnableButton(CMD_REF_NEW, active && !bibliography);
    SendMessageA(g_shell.toolbar, TB_CHECKBUTTON, CMD_OPT_FORMATTED_BIB,
                 MAKELONG(g_settings.bibIsForm ? TRUE : FALSE, 0));
    EnableButton(CMD_SEARCH_NEW, active != nullptr);
    EnableButton(CMD_SEARCH_NARROW, active && active->description);
    EnableButton(CMD_SEARCH_EXPAND, active && active->description);
}

void UpdateStatusText()
{
    char text[kStatusTextSize] = "";
    DatabaseView* view = ActiveView();
    if (view && IsWindowEnabled(g_shell.frame)) {
        char title[kStatusTextSize];
        char format[64];
        GetWindowTextA(view->window, title, sizeof title);
        LoadText(IDS_STATUS_LINE, format, sizeof format);
        std::snprintf(text, sizeof text, format, title,
                      static_cast<unsigned long>(ShownCount(*view)));
    }
    SetStatusText(text);
}

void ShowCommandHelp(int id)
{
    char text[kHelpTextSize] = "";
    if (id)
        LoadText(id, text, sizeof text);
    SetStatusText(text);
}

const char* ToolTipText(int command)
{
    static char text[kHelpTextSize];
    LoadText(command, text, sizeof text);
    return text;
}
