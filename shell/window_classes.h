#ifndef CARTULAN_SHELL_WINDOW_CLASSES_H
#define CARTULAN_SHELL_WINDOW_CLASSES_H

#include <windows.h>

// Declares "RefFrame" and "RefChild". A class that already exists counts as declared.
// Returns 1 on success, 0 on failure.
int RegisterWindowClasses(HINSTANCE instance);

#endif
