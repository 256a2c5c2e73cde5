// The frame's operations of the File, Edit and Reference menus. Each takes the frame and the
// command id, so that one function can serve several commands.
#ifndef CARTULAN_SHELL_MENU_COMMANDS_H
#define CARTULAN_SHELL_MENU_COMMANDS_H

#include <windows.h>

// File menu (file_commands.cpp).
void OnFileNew(HWND frame, int command);
void OnFileOpen(HWND frame, int command);
void OnFileSave(HWND frame, int command);
void OnFileSaveAs(HWND frame, int command);
void OnFileImport(HWND frame, int command);
void OnFileExport(HWND frame, int command);
void OnFileClose(HWND frame, int command);
void OnFileExit(HWND frame, int command);
void OnRecentFile(HWND frame, int command);
void OnOpenBibliography(HWND frame, int command);

// Edit and Reference menus (edit_commands.cpp).
void OnPassToActiveWindow(HWND frame, int command);
void OnSelectAll(HWND frame, int command);
void OnDelete(HWND frame, int command);

#endif
