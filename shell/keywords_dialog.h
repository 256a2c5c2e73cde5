// The keywords dialog "KEYWORDS": keeps the program's keyword list (add, edit, delete, save,
// scan the active database) and lets the user choose keywords to add to references. It
// serves the frame's Add keywords (the selected references of the active window) and the
// reference editor's (the reference being edited); each caller adds the chosen text itself,
// with AddKeywordsToSelection or AddKeywordsToReference (search/keywords.h).
#ifndef CARTULAN_SHELL_KEYWORDS_DIALOG_H
#define CARTULAN_SHELL_KEYWORDS_DIALOG_H

#include <windows.h>

#include <string>

struct KeywordsDialogData {
    bool hasTarget = false;  // in: there are references to add to ("Add to reference" may be used)
    std::string chosen;      // out: the chosen keywords joined by CR LF; empty unless IDOK
};

// Runs the dialog owned by `owner`: IDOK when "Add to reference" ended it, else IDCANCEL.
INT_PTR RunKeywordsDialog(HWND owner, KeywordsDialogData& data);

#endif
