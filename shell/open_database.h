// Opening database windows: a new, opened, imported database or the bibliography, each in
// its own MDI child of the frame.
#ifndef CARTULAN_SHELL_OPEN_DATABASE_H
#define CARTULAN_SHELL_OPEN_DATABASE_H

#include <windows.h>

class Database;

enum class WindowKind { kNew, kOpen, kImport, kBibliography };

// Makes a database of `kind` (Open loads `fileName`, or asks for a file when it is null;
// Import always asks for a format and a file) and its window. Nothing is made when the load
// fails or is cancelled, or when 63 windows are open already. Returns the window or null.
HWND OpenDatabaseWindow(WindowKind kind, const char* fileName);

// Creates the window of a database that has been made and filled: it becomes the active
// database, the window gets its title and the toolbar follows. Null when no window can be
// made (the database is then left to the caller).
HWND CreateDatabaseWindow(Database& database);

// The open-file hand-over of another instance: opens the file named by exactly `size` bytes.
void OpenHandedOverFile(const char* name, DWORD size);

#endif
