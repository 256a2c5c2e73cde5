// Command dispatch of the frame window.
#ifndef CARTULAN_SHELL_FRAME_COMMANDS_H
#define CARTULAN_SHELL_FRAME_COMMANDS_H

#include <windows.h>

// Runs the frame's operation for `command`. Returns 1 when the command was handled, 0 when
// it belongs to the default frame handling (the window list entries, among others).
int DispatchFrameCommand(HWND frame, int command);

#endif
