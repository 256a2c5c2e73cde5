#include "startup.h"

#include <windows.h>
#include <commctrl.h>

#include "shell_state.h"
#include "version.h"

namespace {

// In the Windows code page: \x99 is the trade mark sign, \xAE the registered sign.
constexpr char kWin32sText[] =
    "This version will not run with Win32s.\nUse either Windows NT\x99 or Windows\xAE 95"
    "\n\nThere is a 16-bit version available for Windows 3.x";

bool IsWin32s(DWORD version, int major)
{
    // The top bit marks the systems that are not NT; below version 4 that is Win32s.
    return (version & 0x80000000u) && major < 4;
}

}  // namespace

int CheckSystem()
{
    DWORD version = GetVersion();
    int major = LOBYTE(LOWORD(version));
    InitCommonControls();
    if (IsWin32s(version, major)) {
        MessageBoxA(nullptr, kWin32sText, CARTULAN_TITLE, MB_OK | MB_ICONERROR);
        return 0;
    }
    g_shell.newShell = major >= 4;
    return 1;
}
