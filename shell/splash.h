// The splash window "SDLG": the program's picture, centred on the desktop while the shell
// comes up, for at least five seconds.
#ifndef CARTULAN_SHELL_SPLASH_H
#define CARTULAN_SHELL_SPLASH_H

#include <windows.h>

// Environment setting that shortens the splash for tests and demonstrations: its minimum
// time in milliseconds, taken only when it is below the normal 5000; 0 shows no splash.
#define SPLASH_SETTING "CARTULAN_SPLASH_MS"

// Shows the splash, painted at once. Null when the setting asks for none or it could not be
// made.
HWND ShowSplash(HINSTANCE instance);

// Waits, without handling messages, until the minimum time has passed since the splash was
// initialised, then destroys it. Does nothing for a null splash.
void CloseSplashWhenDue(HWND splash);

#endif
