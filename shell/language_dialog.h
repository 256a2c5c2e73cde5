// The language dialog "LANGDLG": the language libraries "CTN*.DLL" of the program's folder,
// at most eight, each by the language it names, with the current language selected.
#ifndef CARTULAN_SHELL_LANGUAGE_DIALOG_H
#define CARTULAN_SHELL_LANGUAGE_DIALOG_H

#include <windows.h>

// Runs the dialog owned by `owner`. Opening it makes the program's folder the current folder
// (and keeps it so). A library built for another version of the program is taken only after
// the user agreed to a warning. Returns 1 when the user chose a library: its file name is in
// `chosen` and in the setting [Display] Language; 0 when the dialog was cancelled.
int RunLanguageDialog(HWND owner, char* chosen, int chosenSize);

#endif
