// Small services that every window and dialog of the shell uses: texts and message boxes from
// the language library, the pending-message pump of long operations and the hourglass of the
// wait dialogs.
#ifndef CARTULAN_SHELL_SERVICES_H
#define CARTULAN_SHELL_SERVICES_H

#include <windows.h>

// Copies string `id` of the language library into `out` (cut to fit, always terminated).
// A missing string, or no library, gives the empty text. Returns the length copied.
int LoadText(int id, char* out, int outSize);

// Shows string `id` whole, owned by `owner`, with the warning icon and the system's default
// caption. Returns the message box result.
int ShowMessage(HWND owner, int id);

// Asks string `id` with `buttons` (MB_YESNO, MB_YESNOCANCEL, ...) under the caption
// "Warning!" of the language library, with the warning icon unless `buttons` names another.
// Returns the message box result (IDYES, IDNO, ...).
int AskQuestion(HWND owner, int id, UINT buttons);

// Handles every waiting message without blocking, offering each first to `dialog`'s keyboard
// handling (`dialog` may be null), and returns when none is left. Does nothing when `stop`
// points at a set flag.
void PumpMessages(HWND dialog, const bool* stop);

// Dialog procedure of the wait dialogs ("CLEAN"): over them the cursor is the hourglass.
INT_PTR CALLBACK HourglassDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
