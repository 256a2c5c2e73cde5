// The process-wide state of the shell. There is one user-interface thread and one instance
// of this record; the Parts of the shell read and set the members named for them.
#ifndef CARTULAN_SHELL_STATE_H
#define CARTULAN_SHELL_STATE_H

#include <windows.h>

// A plain file name of at most 12 characters and its terminator.
constexpr int kLanguageNameSize = 13;

struct ShellState {
    HINSTANCE instance = nullptr;     // the program's own module and resources
    HWND frame = nullptr;
    HWND client = nullptr;            // the MDI client
    HMENU menu = nullptr;             // menu "MAIN" of the current language library
    HMODULE language = nullptr;       // the current language library
    HACCEL accelerators = nullptr;    // table "KEYS" of the program's resources
    HCURSOR appCursor = nullptr;      // cursor shown over the disabled frame
    int openWindowCount = 0;          // database windows, 0 .. 63
    char languageName[kLanguageNameSize] = {};
};

extern ShellState g_shell;

#endif
