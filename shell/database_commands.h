// What a database window does with its references on the user's commands: the clipboard
// commands, deleting, selecting all, showing all and adding to the bibliography.
#ifndef CARTULAN_SHELL_DATABASE_COMMANDS_H
#define CARTULAN_SHELL_DATABASE_COMMANDS_H

#include "database_view.h"

// Runs a command that reached the window (command id and notification code). False when the
// window has no operation for it.
bool RunWindowCommand(DatabaseView& view, int command, int code);

// Deletes the selected references; `askFirst` lets the confirmation option ask.
void DeleteSelected(DatabaseView& view, bool askFirst);
// Selects every line, or all the text of the formatted bibliography.
void SelectEverything(DatabaseView& view);
// Shows every reference of the database in the list.
void ShowAllReferences(DatabaseView& view);

#endif
