#include "frame_window.h"

#include <commctrl.h>

#include <vector>

#include "../lang/ids.h"
#include "database_view.h"
#include "fixed_texts.h"
#include "store/name_summary.h"
#include "frame_bars.h"
#include "frame_commands.h"
#include "frame_menus.h"
#include "help.h"
#include "language.h"
#include "list_line.h"
#include "open_database.h"
#include "shell_services.h"
#include "shell_state.h"
#include "shutdown.h"
#include "single_instance.h"
#include "store/store_state.h"
#include "transfer_dialogs.h"
#include "version.h"
#include "window_store_ui.h"

namespace {

// Accelerators, cursors, texts, fonts and glyphs, in that order.
void LoadFrameResources()
{
    g_shell.accelerators = LoadAcceleratorsA(g_shell.instance, ACCEL_KEYS);
    g_shell.dragSingle = LoadCursorA(g_shell.instance, CUR_DRAG_SINGLE);
    g_shell.dragMultiple = LoadCursorA(g_shell.instance, CUR_DRAG_MULTIPLE);
    g_shell.appCursor = LoadCursorA(nullptr, IDC_ARROW);
    LoadFrameTexts();
    FontFromConfig(g_shell.listFont, 0, "List");
    FontFromConfig(g_shell.printerFont, 1, "Printer");
    FontFromConfig(g_shell.editFont, 0, "EditDlg");
    MeasureListFont(g_shell.listFont.font);
    g_store.windowCount = 0;
    g_store.active = nullptr;
    BuildReferenceGlyphs();
}

bool OnCreate(HWND frame)
{
    g_shell.frame = frame;
    LoadFrameResources();
    if (!CreateToolbar(frame))
        return false;
    InstallStoreUi();
    InstallTransferDialogs();
    UpdateToolbar();
    g_shell.nextViewer = SetClipboardViewer(frame);
    CreateStatusBar(frame);
    return true;
}

void OnClose(HWND frame)
{
    if (CloseAllWindows())
        DestroyWindow(frame);
}

void OnEnable(HWND frame, bool enabled)
{
    if (enabled) {
        DatabaseView* view = ActiveView();
        SetFocus(view && view->content ? view->content : frame);
    }
    UpdateStatusText();
}

void OnPaint(HWND frame)
{
    PAINTSTRUCT paint;
    BeginPaint(frame, &paint);
    UpdateStatusText();
    EndPaint(frame, &paint);
}

// Another program's clipboard change is passed down the chain; the frame's own notice is not.
void OnDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kInternalClipboardNotice && g_shell.nextViewer)
        SendMessageA(g_shell.nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    UpdateClipboardButtons();
}

void OnChangeClipboardChain(HWND removed, HWND next)
{
    if (removed == g_shell.nextViewer)
        g_shell.nextViewer = next;
    else if (g_shell.nextViewer)
        SendMessageA(g_shell.nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                     reinterpret_cast<LPARAM>(next));
}

bool OnSetCursor(HWND frame)
{
    if (!IsWindowEnabled(frame)) {
        SetCursor(g_shell.appCursor);
        return true;
    }
    int dragButton = GetSystemMetrics(SM_SWAPBUTTON) ? VK_LBUTTON : VK_RBUTTON;
    if (g_shell.dragging && GetAsyncKeyState(dragButton) < 0) {
        SetCursor(LoadCursorA(nullptr, IDC_NO));
        return true;
    }
    return false;
}

LRESULT OnNotify(HWND frame, NMHDR& header, WPARAM wParam, LPARAM lParam)
{
    switch (header.code) {
    case TTN_NEEDTEXTA: {
        NMTTDISPINFOA& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        info.lpszText = const_cast<char*>(ToolTipText(static_cast<int>(header.idFrom)));
        info.hinst = nullptr;
        return 0;
    }
    case TBN_GETBUTTONINFOA:
        return 0;
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        return 1;
    }
    return DefFrameProcA(frame, g_shell.client, WM_NOTIFY, wParam, lParam);
}

bool OnCopyData(const COPYDATASTRUCT& data)
{
    if (data.dwData != CMD_FILE_OPEN)
        return false;
    ReceiveHandOver(static_cast<const char*>(data.lpData), data.cbData);
    return true;
}

std::vector<HWND> DatabaseWindowsFromActive()
{
    std::vector<HWND> windows;
    if (!g_shell.client)
        return windows;
    HWND active = reinterpret_cast<HWND>(SendMessageA(g_shell.client, WM_MDIGETACTIVE, 0, 0));
    if (!active)
        return windows;
    for (HWND w = active; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!GetWindow(w, GW_OWNER))  // skip the icon titles of minimised windows
            windows.push_back(w);
    }
    for (HWND w = GetWindow(active, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (!GetWindow(w, GW_OWNER))
            windows.push_back(w);
    }
    return windows;
}

}  // namespace

void LoadFrameTexts()
{
    if (!g_shell.language)
        return;
    char conjunction[kAndWordMaxLength + 1];
    LoadText(IDS_CONJUNCTION, conjunction, sizeof conjunction);
    SetAndWord(conjunction);
    LoadText(IDS_UNTITLED, g_shell.untitled, sizeof g_shell.untitled);
}

int CloseAllWindows()
{
    int allAgreed = 1;
    for (HWND window : DatabaseWindowsFromActive()) {
        SendMessageA(g_shell.client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
        SendMessageA(window, WM_CLOSE, 0, 0);
        // A window that agreed to close has destroyed itself.
        if (IsWindow(window))
            allAgreed = 0;
    }
    return allAgreed;
}

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The Help button of a common dialog: a registered message, so not a case of its own.
    if (message == g_shell.commonDialogHelp && message != 0) {
        OpenHelp(kHelpFileDialogs);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        return OnCreate(frame) ? 0 : -1;
    case WM_SIZE:
        LayoutFrame(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CLOSE:
        OnClose(frame);
        return 0;
    case WM_QUERYENDSESSION:
        return CloseAllWindows();
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_DESTROY:
        ShutDownShell(frame);
        return 0;
    case WM_ENABLE:
        OnEnable(frame, wParam != 0);
        return 0;
    case WM_PAINT:
        OnPaint(frame);
        return 0;
    case WM_SYSCOLORCHANGE:
        BuildReferenceGlyphs();
        break;
    case WM_SETCURSOR:
        if (OnSetCursor(frame))
            return TRUE;
        break;
    case WM_COPYDATA:
        if (OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_NOTIFY:
        return OnNotify(frame, *reinterpret_cast<NMHDR*>(lParam), wParam, lParam);
    case WM_COMMAND:
        if (DispatchFrameCommand(frame, LOWORD(wParam))) {
            UpdateStatusText();
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        InitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        return 0;
    case WM_MENUSELECT:
        MenuSelected(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_DRAWCLIPBOARD:
        OnDrawClipboard(wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        OnChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefFrameProcA(frame, g_shell.client, message, wParam, lParam);
}

HWND CreateFrameWindow(HINSTANCE instance)
{
    return CreateWindowExA(0, FRAME_CLASS, CARTULAN_TITLE, WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           nullptr, nullptr, instance, nullptr);
}

HWND CreateMdiClient(HINSTANCE instance)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = GetSubMenu(g_shell.menu, MENU_POS_WINDOW);
    ccs.idFirstChild = MDI_FIRST_CHILD_ID;
    RECT rc;
    GetClientRect(g_shell.frame, &rc);
    g_shell.client = CreateWindowExA(0, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
                                     0, 0, rc.right, rc.bottom, g_shell.frame, nullptr,
                                     instance, &ccs);
    if (g_shell.client)
        LayoutFrame(rc.right, rc.bottom);
    return g_shell.client;
}
