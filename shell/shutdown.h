// The end of the program: what the frame's destruction releases, in order, and the settings
// of a session that Windows ends.
#ifndef CARTULAN_SHELL_SHUTDOWN_H
#define CARTULAN_SHELL_SHUTDOWN_H

#include <windows.h>

// Runs when the frame is destroyed, after every database window has closed: leaves the
// clipboard viewer chain, writes the settings, frees the internal reference clipboard, the
// fonts, the menu, the language library and the glyphs, and ends the message loop.
void ShutDownShell(HWND frame);

// Windows tells the frame whether the session really ends. The frame is not destroyed then,
// so the settings are written here; a session that goes on writes nothing.
void OnEndSession(bool ending);

#endif
