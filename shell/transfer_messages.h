// The messages of failed file transfers: each failure the engine reports gets its text from
// the language library, naming the file and, where there is one, the system's reason.
#ifndef CARTULAN_SHELL_TRANSFER_MESSAGES_H
#define CARTULAN_SHELL_TRANSFER_MESSAGES_H

#include <windows.h>

#include "io/transfer_ui.h"

// Shows the message of `report` in a message box owned by `owner`.
void ReportTransferFailure(HWND owner, const TransferReport& report);

#endif
