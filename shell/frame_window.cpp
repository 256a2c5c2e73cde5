#include "frame_window.h"

#include <vector>

#include "../lang/ids.h"
#include "fixed_texts.h"
#include "version.h"
#include "frame_commands.h"
#include "language.h"
#include "shell_state.h"

namespace {

BOOL OnCreate(HWND frame)
{
    g_shell.frame = frame;
    g_shell.accelerators = LoadAcceleratorsA(g_shell.instance, ACCEL_KEYS);
    g_shell.appCursor = LoadCursorA(nullptr, IDC_ARROW);
    g_shell.openWindowCount = 0;
    return TRUE;
}

void OnSize(int width, int height)
{
    if (g_shell.client)
        MoveWindow(g_shell.client, 0, 0, width, height, TRUE);
}

void OnClose(HWND frame)
{
    if (CloseAllWindows())
        DestroyWindow(frame);
}

// The shutdown sequence: everything the frame holds is released before the loop ends.
void OnDestroy(HWND frame)
{
    ReleaseLanguageLibrary();
    g_shell.client = nullptr;
    PostQuitMessage(0);
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
    switch (message) {
    case WM_CREATE:
        return OnCreate(frame) ? 0 : -1;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CLOSE:
        OnClose(frame);
        return 0;
    case WM_QUERYENDSESSION:
        return CloseAllWindows();
    case WM_DESTROY:
        OnDestroy(frame);
        return 0;
    case WM_COMMAND:
        if (DispatchFrameCommand(frame, LOWORD(wParam)))
            return 0;
        break;
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
    return g_shell.client;
}
