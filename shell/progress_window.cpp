#include "progress_window.h"

#include "../lang/ids.h"
#include "shell_services.h"
#include "shell_state.h"

HWND OpenProgressWindow(HWND owner, const char* title)
{
    if (!owner)
        owner = g_shell.frame;
    HWND progress = CreateDialogParamA(g_shell.language, DLG_CLEAN, owner, HourglassDialogProc, 0);
    if (g_shell.frame)
        EnableWindow(g_shell.frame, FALSE);
    g_shell.appCursor = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(g_shell.appCursor);
    if (progress) {
        if (title)
            SetWindowTextA(progress, title);
        ShowWindow(progress, SW_SHOW);
        UpdateWindow(progress);
    }
    return progress;
}

void SetProgressText(HWND progress, const char* text)
{
    if (progress)
        SetDlgItemTextA(progress, IDC_PROGRESS_TEXT, text);
    PumpMessages(progress, nullptr);
}

void CloseProgressWindow(HWND progress)
{
    if (g_shell.frame)
        EnableWindow(g_shell.frame, TRUE);
    if (progress)
        DestroyWindow(progress);
    g_shell.appCursor = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(g_shell.appCursor);
}
