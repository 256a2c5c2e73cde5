// Changing the language of the running program.
#ifndef CARTULAN_SHELL_LANGUAGE_SWITCH_H
#define CARTULAN_SHELL_LANGUAGE_SWITCH_H

#include <windows.h>

// Options / Language: asks for a library with the language dialog and, when the user chose
// one that loads, switches the program over to it. A library that does not load changes
// nothing.
void ChooseLanguage(HWND frame);

// After a new library was loaded: every database window's "Searchable" check box takes the
// new text, the bibliography window the new "Bibliography" and every other window without a
// file name (new, imported and search result windows) the new untitled text; the reference
// editor measures its new template the next time.
void ApplyLanguageToWindows();

#endif
