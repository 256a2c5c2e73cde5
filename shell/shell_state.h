// The process-wide state of the shell. There is one user-interface thread and one instance
// of this record; the Parts of the shell read and set the members named for them.
//
// What the store and the transfer engine keep for themselves is not repeated here: the
// active, bibliography and last created databases, the window count and the internal
// reference clipboard are in g_store; the recent files and the backup flag in g_transfer;
// the formatted-bibliography and auto-view flags in g_settings.
#ifndef CARTULAN_SHELL_STATE_H
#define CARTULAN_SHELL_STATE_H

#include <windows.h>

#include "font_setting.h"

// The configured language library's file name, read and stored whole (a name longer than
// 12 characters chosen in the language dialog must still load at the next start).
constexpr int kLanguageNameSize = MAX_PATH;
// The untitled text: at most 30 characters.
constexpr int kUntitledTextSize = 31;
// Database windows that may be open at once.
constexpr int kMaxDatabaseWindows = 63;

// ReferenceGlyphs: glyph 2 x sourceType + s, s = 1 on the selection's background.
constexpr int kGlyphCount = 6;

// Measures of the list lines, taken from the database-window font.
struct ListMetrics {
    int itemHeight = 16;       // character height + external leading + 1
    int avgCharWidth = 8;
    int dateColumnWidth = 48;  // width of "(2999)" + 2
};

struct ShellState {
    HINSTANCE instance = nullptr;     // the program's own module and resources
    HWND frame = nullptr;
    HWND client = nullptr;            // the MDI client
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;         // null when it could not be made
    HMENU menu = nullptr;             // menu "MAIN" of the current language library
    HMODULE language = nullptr;       // the current language library
    HACCEL accelerators = nullptr;    // table "KEYS" of the program's resources
    HWND nextViewer = nullptr;        // after the frame in the clipboard viewer chain
    HCURSOR appCursor = nullptr;      // cursor shown over the disabled frame
    HCURSOR dragSingle = nullptr;     // cursors of a reference drag
    HCURSOR dragMultiple = nullptr;
    bool dragging = false;            // a reference drag is under way
    char untitled[kUntitledTextSize] = "Untitled";
    HBITMAP glyphs[kGlyphCount] = {};
    FontSetting listFont;             // "List": the lists of the database windows
    FontSetting printerFont;          // "Printer": printing and the formatted bibliography
    FontSetting editFont;             // "EditDlg": the reference editor
    ListMetrics metrics;
    char languageName[kLanguageNameSize] = {};
    UINT commonDialogHelp = 0;        // the message "commdlg_help" of the common dialogs' Help
    bool newShell = false;            // version 4 or later: explorer-style file dialogs
    bool editorLayoutValid = false;   // the reference editor's measured layout fits its template
};

extern ShellState g_shell;

#endif
