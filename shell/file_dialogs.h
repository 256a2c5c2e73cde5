// The platform's open and save dialogs, asked for by the transfer engine.
#ifndef CARTULAN_SHELL_FILE_DIALOGS_H
#define CARTULAN_SHELL_FILE_DIALOGS_H

#include <windows.h>

#include "io/transfer_ui.h"

// Shows the open dialog (the file must exist) or the save dialog (the folder must exist, an
// existing file needs confirmation) for `request`, owned by `owner`, and writes the chosen
// name into it. False when the user cancels or the dialog fails (a failure is reported).
bool RunFileDialog(HWND owner, FileRequest& request);

#endif
