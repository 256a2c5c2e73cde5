// Saving the window of a file that a narrowing search left with only some of the file's
// references would replace the file with them alone. Save and the question on closing say
// so and ask first.
#ifndef CARTULAN_SHELL_NARROWED_SAVE_H
#define CARTULAN_SHELL_NARROWED_SAVE_H

class Database;

// Whether Save may write `database` under its file name: yes unless it is narrowed, then
// only when the user agrees.
bool MaySaveUnderFileName(const Database& database);

// Whether the window of `database` may close, asking to save when it has changes. A narrowed
// file's window asks its own question (Yes saves and closes if the save succeeded, No closes
// without saving, Cancel keeps the window); every other window asks the usual one. 1 or 0.
int ConfirmSaveOnClose(Database& database);

#endif
