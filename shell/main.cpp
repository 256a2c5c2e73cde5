// Entry point: brings the shell up in a fixed order, runs the message loop and returns the
// exit code (0 after a normal run or a hand-over to the running instance, 1 after a start-up
// failure).
#include <windows.h>
#include <commdlg.h>

#include "fixed_texts.h"
#include "frame_window.h"
#include "io/app_settings.h"
#include "language.h"
#include "message_loop.h"
#include "shell_state.h"
#include "single_instance.h"
#include "splash.h"
#include "startup.h"
#include "version.h"
#include "window_classes.h"

namespace {

constexpr int kExitNormal = 0;
constexpr int kExitStartupFailed = 1;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    g_shell.instance = instance;
    if (HandOverToRunningInstance())
        return kExitNormal;
    HWND splash = ShowSplash(instance);

    if (!RegisterWindowClasses(instance)) {
        MessageBoxA(nullptr, TEXT_CLASSES_FAILED, CARTULAN_TITLE, MB_OK | MB_ICONERROR);
        if (splash)
            DestroyWindow(splash);
        return kExitStartupFailed;
    }
    g_shell.commonDialogHelp = RegisterWindowMessageA(HELPMSGSTRINGA);
    if (!CheckLanguageLibrary(g_shell.languageName))
        return kExitStartupFailed;
    LoadSettings();
    if (!CheckSystem())
        return kExitStartupFailed;

    if (!CreateFrameWindow(instance))
        return kExitStartupFailed;
    LoadLanguageLibrary(g_shell.languageName);
    CreateMdiClient(instance);
    // The files of the command line are opened while the frame is still hidden.
    HandOverCommandLine(g_shell.frame);

    CloseSplashWhenDue(splash);
    ShowWindow(g_shell.frame, showCommand);
    UpdateWindow(g_shell.frame);
    return RunMessageLoop();
}
