#include "splash.h"

#include <cstdlib>

#include "../lang/ids.h"

namespace {

constexpr DWORD kMinimumSplashMs = 5000;

// What the splash holds while it is up; it lives in the window (DWLP_USER).
struct Splash {
    HBITMAP picture = nullptr;
    DWORD shownAt = 0;          // tick count when the window was initialised
    DWORD minimumMs = kMinimumSplashMs;
};

// The minimum time: the environment setting when it is a number below the normal time.
DWORD MinimumSplashMs()
{
    char text[16];
    DWORD length = GetEnvironmentVariableA(SPLASH_SETTING, text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return kMinimumSplashMs;
    char* end = nullptr;
    unsigned long ms = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || ms >= kMinimumSplashMs)
        return kMinimumSplashMs;
    return static_cast<DWORD>(ms);
}

Splash* SplashOf(HWND window)
{
    return reinterpret_cast<Splash*>(GetWindowLongPtrA(window, DWLP_USER));
}

// The client area becomes the picture's size and the window is centred on the desktop.
void FitToPicture(HWND window, HBITMAP picture)
{
    BITMAP info = {};
    if (!picture || !GetObjectA(picture, sizeof info, &info))
        return;
    RECT outer, inner, desktop;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    GetClientRect(GetDesktopWindow(), &desktop);
    int width = info.bmWidth + (outer.right - outer.left) - inner.right;
    int height = info.bmHeight + (outer.bottom - outer.top) - inner.bottom;
    MoveWindow(window, (desktop.right - info.bmWidth) / 2, (desktop.bottom - info.bmHeight) / 2,
               width, height, FALSE);
}

bool OnInitDialog(HWND window, Splash& splash)
{
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&splash));
    HINSTANCE program = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    splash.picture = LoadBitmapA(program, BMP_SPLASH);
    FitToPicture(window, splash.picture);
    splash.shownAt = GetTickCount();
    return true;
}

void OnEraseBackground(HWND window, HDC dc)
{
    Splash* splash = SplashOf(window);
    if (!splash || !splash->picture)
        return;
    BITMAP info = {};
    GetObjectA(splash->picture, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, splash->picture);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void OnDestroy(HWND window)
{
    Splash* splash = SplashOf(window);
    SetWindowLongPtrA(window, DWLP_USER, 0);
    if (!splash)
        return;
    if (splash->picture)
        DeleteObject(splash->picture);
    delete splash;
}

INT_PTR CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window, *reinterpret_cast<Splash*>(lParam)) ? TRUE : FALSE;
    case WM_ERASEBKGND:
        OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(window);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND ShowSplash(HINSTANCE instance)
{
    DWORD minimum = MinimumSplashMs();
    if (minimum == 0)
        return nullptr;
    Splash* splash = new Splash;
    splash->minimumMs = minimum;
    HWND window = CreateDialogParamA(instance, DLG_SPLASH, nullptr, SplashProc,
                                     reinterpret_cast<LPARAM>(splash));
    if (!window) {
        delete splash;
        return nullptr;
    }
    // Nothing handles messages until the frame is shown: paint the picture now.
    UpdateWindow(window);
    return window;
}

void CloseSplashWhenDue(HWND splash)
{
    Splash* state = splash ? SplashOf(splash) : nullptr;
    if (!state)
        return;
    // An unsigned difference: a wrap of the tick counter does not stall start-up.
    for (;;) {
        DWORD elapsed = GetTickCount() - state->shownAt;
        if (elapsed >= state->minimumMs)
            break;
        Sleep(state->minimumMs - elapsed);
    }
    DestroyWindow(splash);
}
