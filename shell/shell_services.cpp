#include "shell_services.h"

#include <string>

#include "../lang/ids.h"
#include "shell_state.h"

namespace {

// A string resource is stored counted and may be longer than any fixed buffer: read it whole.
std::string WholeText(int id)
{
    if (!g_shell.language)
        return std::string();
    // With a zero size LoadStringW gives a pointer to the resource itself; the ANSI text is
    // made from it so that a message is never cut.
    const wchar_t* wide = nullptr;
    int length = LoadStringW(g_shell.language, static_cast<UINT>(id),
                             reinterpret_cast<wchar_t*>(&wide), 0);
    if (length <= 0 || !wide)
        return std::string();
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}

}  // namespace

int LoadText(int id, char* out, int outSize)
{
    if (outSize <= 0)
        return 0;
    out[0] = '\0';
    if (!g_shell.language)
        return 0;
    return LoadStringA(g_shell.language, static_cast<UINT>(id), out, outSize);
}

int ShowMessage(HWND owner, int id)
{
    std::string text = WholeText(id);
    return MessageBoxA(owner, text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
}

int AskQuestion(HWND owner, int id, UINT buttons)
{
    std::string text = WholeText(id);
    std::string caption = WholeText(IDS_WARNING);
    if ((buttons & MB_ICONMASK) == 0)
        buttons |= MB_ICONWARNING;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), buttons);
}

void PumpMessages(HWND dialog, const bool* stop)
{
    if (stop && *stop)
        return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The loop that ends the program must still see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (dialog && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

INT_PTR CALLBACK HourglassDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_SETCURSOR)
        return FALSE;
    g_shell.appCursor = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(g_shell.appCursor);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}
