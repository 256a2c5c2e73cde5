// The list of a database window: an owner-drawn list box that holds no data of its own, one
// line per reference at the same position of the database's references. Changes reach it as
// line insertions, deletions and selections; many changes at once are gathered and applied
// in one pass, so that a change costs work in proportion to the change.
#ifndef CARTULAN_SHELL_DATABASE_LIST_H
#define CARTULAN_SHELL_DATABASE_LIST_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "database_view.h"

// Creates the list (arranged for the database's list flags) over the window's content area
// and makes it the view's content. Null when it cannot be made.
HWND CreateListControl(DatabaseView& view);

// Shows every reference: the list gets one line per reference, in one step.
void FillList(DatabaseView& view);
// Empties the list.
void ClearList(DatabaseView& view);
// Empties the list until the next FillList; line changes are not shown meanwhile.
void HideLines(DatabaseView& view);

// A line change made by the store. Applied at once, or gathered while updates are begun.
void RecordLineEdit(DatabaseView& view, LineEdit::Kind kind, int32_t index);
void BeginLineUpdates(DatabaseView& view);
void EndLineUpdates(DatabaseView& view);

// The indexes of the selected lines, in ascending order (none for the text display).
std::vector<int32_t> SelectedLines(const DatabaseView& view);
int SelectedLineCount(const DatabaseView& view);
// The number of lines the list shows, or for the text display the number of references.
int ShownCount(const DatabaseView& view);

#endif
