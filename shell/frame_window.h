// The frame window "RefFrame": the program's single top-level window, owner of the MDI client.
#ifndef CARTULAN_SHELL_FRAME_WINDOW_H
#define CARTULAN_SHELL_FRAME_WINDOW_H

#include <windows.h>

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the hidden frame window titled "Cartulan 7.8". Returns null on failure.
HWND CreateFrameWindow(HINSTANCE instance);

// Creates the MDI client inside the frame, with its window list in the "&Window" pop-up of
// the current menu. Returns null on failure.
HWND CreateMdiClient(HINSTANCE instance);

// Takes the conjunction ("and ") and the untitled text from the language library, when one
// is loaded.
void LoadFrameTexts();

// Restores every database window and asks it to close, starting at the active one and
// following the Z order; every window is asked even after one refused. Returns 1 when all
// agreed (none is left), 0 otherwise.
int CloseAllWindows();

#endif
