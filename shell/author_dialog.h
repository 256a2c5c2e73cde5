// The author dialog "ETITLE": the authors, the year and the source type of a reference.
#ifndef CARTULAN_SHELL_AUTHOR_DIALOG_H
#define CARTULAN_SHELL_AUTHOR_DIALOG_H

#include <windows.h>

class Reference;

// Runs the dialog on `reference`, owned by `owner`. OK after a change stores it (a reference
// without authors always takes what the dialog shows, so that a new one is filled), puts the
// reference back in order in every list that holds it and returns 1; otherwise nothing
// changes and the result is 2. The caller keeps the reference alive meanwhile: a list may
// let it go as a duplicate.
int RunAuthorDialog(HWND owner, Reference& reference);

#endif
