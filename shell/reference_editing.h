// Opening the reference editor and the author dialog: the frame's commands New reference,
// Edit and Edit author (later_commands.h), and the duplicate dialog's edit choices.
#ifndef CARTULAN_SHELL_REFERENCE_EDITING_H
#define CARTULAN_SHELL_REFERENCE_EDITING_H

#include <windows.h>

#include <cstdint>

class Reference;
struct DatabaseView;

// Lets the user change a reference that is being put into a list and equals one already
// there: the author dialog when `authorsOnly`, else the editor (no stepping, no new
// reference). Returns when the dialog is closed; the caller tries the insertion again. The
// frame is left enabled or disabled as it was (a load keeps it disabled).
void EditIncomingReference(HWND owner, Reference& reference, bool authorsOnly);

// Selects line `index` of the view's list and no other, with the caret on it (-1: none).
void SelectOnlyLine(DatabaseView& view, int32_t index);

#endif
