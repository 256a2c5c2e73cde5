// The engine's and the store's dialogs: file dialogs, the format choice "IMPOPT", the save
// question, failure messages, the transfer progress window and the duplicate dialog.
#ifndef CARTULAN_SHELL_TRANSFER_DIALOGS_H
#define CARTULAN_SHELL_TRANSFER_DIALOGS_H

#include <windows.h>

// Makes the shell's dialogs the user interface of file transfers and the resolver of
// duplicates. Called once the frame exists.
void InstallTransferDialogs();

// Command "Default file format...": the format choice; OK makes the chosen filter the default.
void ChooseDefaultFileFormat(HWND frame);

#endif
