// The modeless wait window "CLEAN" of long operations (loading, saving, sorting, searching,
// freeing a database). While it is up the frame is disabled and the cursor is the hourglass;
// its text control shows the progress.
#ifndef CARTULAN_SHELL_PROGRESS_WINDOW_H
#define CARTULAN_SHELL_PROGRESS_WINDOW_H

#include <windows.h>

// Opens the window owned by `owner` (the frame when null), disables the frame and shows the
// hourglass. `title` replaces the template's title when not null. Returns the window, or
// null when it could not be made (the operation then runs without it; the frame is still
// disabled until CloseProgressWindow).
HWND OpenProgressWindow(HWND owner, const char* title);

// Shows `text` in the window's text control and lets waiting messages be handled.
void SetProgressText(HWND progress, const char* text);

// Closes the window, enables the frame again and restores the arrow cursor.
void CloseProgressWindow(HWND progress);

#endif
