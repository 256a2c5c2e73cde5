// The lists of common source titles that the reference editor offers for the source field, one
// per source type, kept in the settings (sections "Journals", "Book_titles" and "Reports":
// "Number" holds the count, "1" to "n" the entries), and the dialog "LISTEDIT" that edits one.
#ifndef CARTULAN_SHELL_COMMON_LIST_DIALOG_H
#define CARTULAN_SHELL_COMMON_LIST_DIALOG_H

#include <windows.h>

#include <string>
#include <vector>

// Entries are read back with at most this many characters, so none may be longer.
constexpr int kCommonEntryMaxLength = 99;

// What the editor's source list shows for an entry that cannot be read.
constexpr char kCommonEntryMissingInEditor[] = "Configuration Error";

// The stored entries of the list of `sourceType` in key order; an entry that cannot be read
// gives `missingText`.
std::vector<std::string> LoadCommonList(int sourceType, const char* missingText);

// Runs "LISTEDIT" on the list of `sourceType`, owned by `owner`: 1 when OK stored the list,
// else 2 (nothing stored).
int RunCommonListDialog(HWND owner, int sourceType);

#endif
