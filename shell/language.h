// The language library: every menu, dialog and message text of the running program.
#ifndef CARTULAN_SHELL_LANGUAGE_H
#define CARTULAN_SHELL_LANGUAGE_H

#include "shell_state.h"

// Start-up check: puts the configured library name in `name` and proves that the library
// loads, then frees it again. Returns 1 when it loads; otherwise shows the fatal message and
// returns 0 (the caller ends the process with exit code 1).
int CheckLanguageLibrary(char (&name)[kLanguageNameSize]);

// Loads the library `name` and installs its menu "MAIN" on the frame, replacing the current
// library and menu together. Returns 1 on success; on failure nothing changes and 0 is
// returned without a message.
int LoadLanguageLibrary(const char* name);

// Removes the current menu from the frame and frees the current library.
void ReleaseLanguageLibrary();

#endif
