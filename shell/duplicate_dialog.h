// The duplicate dialog "DUPLICATE": a reference being put into a list equals one already
// there, and the user decides: edit it, replace the existing one, leave it out, or abandon
// the whole operation.
#ifndef CARTULAN_SHELL_DUPLICATE_DIALOG_H
#define CARTULAN_SHELL_DUPLICATE_DIALOG_H

#include <windows.h>

class DuplicateResolver;
class Reference;

// Opens the reference editor on `reference` (only its authors, year and source type when
// `authorsOnly`) and returns when it is closed. Null while the program has no editor: the
// dialog then offers no edit choices.
using DuplicateEditProc = void (*)(HWND owner, Reference& reference, bool authorsOnly);
extern DuplicateEditProc g_duplicateEditor;

struct DuplicateDialogData {
    const char* summary = "";  // the incoming reference's one-line summary
    bool mayEdit = false;      // whether "&Edit" and "Edit &authors" are offered
};

// Runs the dialog owned by `owner`. Returns the id of the button that ended it: IDC_DUP_EDIT,
// IDC_DUP_EDIT_AUTHORS, IDC_DUP_OVERWRITE, IDC_DUP_SKIP or IDCANCEL ("Abandon operation",
// also Escape and a dialog that could not be shown).
int RunDuplicateDialog(HWND owner, const DuplicateDialogData& data);

// The shell's resolver of duplicates, for g_store.resolver.
DuplicateResolver& ShellDuplicateResolver();

#endif
