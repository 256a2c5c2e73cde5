#include "about_dialog.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "../lang/ids.h"
#include "shell_state.h"
#include "version_info.h"

namespace {

constexpr char kProgramFile[] = "CARTUL32.EXE";
constexpr char kSupportFile[] = "CARTIO.DLL";

// The file of a loaded library; "" for none (a null module would name the program).
std::string LibraryPath(HMODULE library)
{
    return library ? ModulePath(library) : std::string();
}

int High(DWORD half) { return HIWORD(half); }
int Low(DWORD half) { return LOWORD(half); }

void SetLine(HWND dialog, int control, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

void SetLine(HWND dialog, int control, const char* format, ...)
{
    char text[MAX_PATH + 64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetDlgItemTextA(dialog, control, text);
}

// "name: 1.2.0.0", the file version's four numbers.
void SetFileVersionLine(HWND dialog, int control, const char* name, const VS_FIXEDFILEINFO& v)
{
    SetLine(dialog, control, "%s: %d.%d.%d.%d", name, High(v.dwFileVersionMS),
            Low(v.dwFileVersionMS), High(v.dwFileVersionLS), Low(v.dwFileVersionLS));
}

// The product line and the program's own line; without version information the template's
// product line stays.
void ShowProgramVersion(HWND dialog)
{
    VS_FIXEDFILEINFO v;
    if (!ReadFixedVersion(ModulePath(nullptr), v))
        return;
    SetLine(dialog, IDC_ABOUT_PRODUCT, "Cartulan %d.%d.%d", High(v.dwProductVersionMS),
            Low(v.dwProductVersionMS), High(v.dwProductVersionLS));
    SetLine(dialog, IDC_ABOUT_PROGRAM_VERSION, "%s: %d.%d.%d (%d)", kProgramFile,
            High(v.dwFileVersionMS), Low(v.dwFileVersionMS), High(v.dwFileVersionLS),
            Low(v.dwFileVersionLS));
}

void ShowSupportVersion(HWND dialog)
{
    VS_FIXEDFILEINFO v;
    if (!ReadFixedVersion(LibraryPath(GetModuleHandleA(kSupportFile)), v))
        return;
    SetFileVersionLine(dialog, IDC_ABOUT_SUPPORT_VERSION, kSupportFile, v);
}

void ShowLanguageVersion(HWND dialog)
{
    std::string path = LibraryPath(g_shell.language);
    std::string name = path.substr(path.find_last_of('\\') + 1);
    VS_FIXEDFILEINFO v;
    if (ReadFixedVersion(path, v))
        SetFileVersionLine(dialog, IDC_ABOUT_LANGUAGE_VERSION, name.c_str(), v);
    else
        SetLine(dialog, IDC_ABOUT_LANGUAGE_VERSION, "%s: No version info", name.c_str());
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowProgramVersion(dialog);
        ShowSupportVersion(dialog);
        ShowLanguageVersion(dialog);
        return TRUE;
    case WM_COMMAND:
        // Only OK closes the box; Escape (IDCANCEL) does nothing.
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void RunAboutDialog(HWND owner)
{
    DialogBoxParamA(g_shell.language, DLG_ABOUT, owner, AboutDialogProc, 0);
}
