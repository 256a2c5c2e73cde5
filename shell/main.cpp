// Entry point: brings the shell up in a fixed order, runs the message loop and returns the
// exit code (0 after a normal run, 1 after a start-up failure).
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "../lang/ids.h"
#include "bibliography_display.h"
#include "fixed_texts.h"
#include "io/app_settings.h"
#include "frame_window.h"
#include "language.h"
#include "shell_state.h"
#include "version.h"
#include "window_classes.h"

namespace {

constexpr int kExitNormal = 0;
constexpr int kExitStartupFailed = 1;

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_shell.client && TranslateMDISysAccel(g_shell.client, &msg))
            continue;
        if (g_shell.accelerators && !TextDisplayTakesKey(msg) &&
            TranslateAcceleratorA(g_shell.frame, g_shell.accelerators, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The quit message's own code does not matter: a normal run ends with 0.
    return kExitNormal;
}

// Opens each file named on the command line, in order, through the frame's open-file
// hand-over, as another instance would.
void HandOverCommandLine(HWND frame)
{
    for (int i = 1; i < __argc; ++i) {
        COPYDATASTRUCT data = {};
        data.dwData = CMD_FILE_OPEN;
        data.cbData = static_cast<DWORD>(std::strlen(__argv[i]));
        data.lpData = __argv[i];
        SendMessageA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    g_shell.instance = instance;

    if (!RegisterWindowClasses(instance)) {
        MessageBoxA(nullptr, TEXT_CLASSES_FAILED, CARTULAN_TITLE, MB_OK | MB_ICONERROR);
        return kExitStartupFailed;
    }
    if (!CheckLanguageLibrary(g_shell.languageName))
        return kExitStartupFailed;
    LoadSettings();
    InitCommonControls();

    if (!CreateFrameWindow(instance))
        return kExitStartupFailed;
    LoadLanguageLibrary(g_shell.languageName);
    CreateMdiClient(instance);
    HandOverCommandLine(g_shell.frame);

    ShowWindow(g_shell.frame, showCommand);
    UpdateWindow(g_shell.frame);
    return RunMessageLoop();
}
