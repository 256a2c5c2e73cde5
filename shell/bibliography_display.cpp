#include "bibliography_display.h"

#include <cstdlib>

#include "../lang/ids.h"
#include "database_list.h"
#include "format/bib_format.h"
#include "format/bibliography_text.h"
#include "io/app_settings.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"

namespace {

int CheckBoxHeight()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

HWND CreateTextDisplay(DatabaseView& view)
{
    RECT rc;
    GetClientRect(view.window, &rc);
    HWND text = CreateWindowExA(0, "EDIT", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                                    ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                0, 0, rc.right, rc.bottom, view.window,
                                reinterpret_cast<HMENU>(IDC_DBWIN_TEXT), g_shell.instance, nullptr);
    if (!text)
        return nullptr;
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(g_shell.printerFont.font), FALSE);
    SendMessageA(text, EM_SETLIMITTEXT, kBibliographyTextSize, 0);
    view.content = text;
    view.formatted = true;
    view.pending.clear();
    view.database->listBox = text;
    return text;
}

// Builds the text into a buffer of its own. False when the buffer cannot be had.
bool SetBibliographyText(DatabaseView& view)
{
    char* buffer = static_cast<char*>(std::malloc(kBibliographyTextSize));
    if (!buffer)
        return false;
    BuildBibliographyText(CurrentBibFormat(), *view.database->references, buffer,
                          kBibliographyTextSize,
                          [] { ShowMessage(g_shell.frame, IDS_BIB_TRUNCATED); });
    SetWindowTextA(view.content, buffer);
    std::free(buffer);
    return true;
}

void ShowList(DatabaseView& view)
{
    if (CreateListControl(view))
        FillList(view);
}

}  // namespace

void RebuildContent(DatabaseView& view)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (view.content)
        DestroyWindow(view.content);
    view.content = nullptr;
    view.database->listBox = nullptr;
    const bool formatted = g_settings.bibIsForm && IsBibliography(*view.database);
    if (formatted && CreateTextDisplay(view)) {
        if (!SetBibliographyText(view)) {
            ShowMessage(g_shell.frame, IDS_NO_MEMORY);
            DestroyWindow(view.content);
            view.content = nullptr;
            view.formatted = false;
            g_settings.bibIsForm = 0;
            ShowList(view);
        }
    } else {
        ShowList(view);
    }
    LayoutDatabaseWindow(view);
    SetCursor(previous);
}

void ReformatBibliography(DatabaseView& view)
{
    if (view.formatted && !SetBibliographyText(view))
        ShowMessage(g_shell.frame, IDS_NO_MEMORY);
}

bool ShowsFormattedText(const DatabaseView* view)
{
    return view && view->formatted;
}

void LayoutDatabaseWindow(DatabaseView& view)
{
    RECT rc;
    GetClientRect(view.window, &rc);
    static const int checkHeight = CheckBoxHeight();
    int contentHeight = rc.bottom - checkHeight;
    if (contentHeight < 0)
        contentHeight = 0;
    if (view.content)
        MoveWindow(view.content, 0, 0, rc.right, contentHeight, TRUE);
    if (view.searchable)
        MoveWindow(view.searchable, 1, contentHeight, rc.right - 1, checkHeight, TRUE);
}

bool TextDisplayTakesKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    const DatabaseView* view = ActiveView();
    if (!ShowsFormattedText(view) || msg.hwnd != view->content)
        return false;
    switch (msg.wParam) {
    case VK_DELETE:
    case VK_RETURN:
    case VK_BACK:
    case VK_INSERT:
        return true;
    case 'C':
    case 'X':
    case 'V':
    case 'Z':
        return GetKeyState(VK_CONTROL) < 0;
    default:
        return false;
    }
}
