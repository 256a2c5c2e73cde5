// The search dialog "NEWSRCH": the field to search, the text, "Case sensitive" and
// "Logical NOT", for a new, narrowing or expanding search.
#ifndef CARTULAN_SHELL_SEARCH_DIALOG_H
#define CARTULAN_SHELL_SEARCH_DIALOG_H

#include <windows.h>

#include "search/search.h"

struct SearchDialogData {
    int command = 0;          // in: the search command (510, 513, 514); it names the dialog
    int caseByDefault = 0;    // in: how "Case sensitive" starts
    SearchCriteria criteria;  // in: the field to preselect; out: the criteria chosen
};

// Runs the dialog owned by `owner`. IDOK when the user chose criteria with a text; IDCANCEL
// otherwise (the criteria are then as they were).
INT_PTR RunSearchDialog(HWND owner, SearchDialogData& data);

#endif
