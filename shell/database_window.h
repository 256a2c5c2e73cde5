#ifndef CARTULAN_SHELL_DATABASE_WINDOW_H
#define CARTULAN_SHELL_DATABASE_WINDOW_H

#include <windows.h>

// Window procedure of class "RefChild": one database window inside the MDI client.
LRESULT CALLBACK DatabaseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Database;

// Sets the title of the window of `database`: its file name, "Bibliography", its search
// description or the untitled text.
void SetDatabaseWindowTitle(Database& database);

#endif
