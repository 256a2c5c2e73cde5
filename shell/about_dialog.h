// The about box "ABOUT": the product and the versions of the three files that must fit
// together, the program, its support library and the language library in use.
#ifndef CARTULAN_SHELL_ABOUT_DIALOG_H
#define CARTULAN_SHELL_ABOUT_DIALOG_H

#include <windows.h>

// Shows the box owned by `owner` until its OK button is pressed (Escape does not close it).
void RunAboutDialog(HWND owner);

#endif
