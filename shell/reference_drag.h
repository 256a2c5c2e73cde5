// Moving and copying references between database windows by dragging them with the right
// mouse button: pressed over a window with selected references it starts a drag, released
// over another database window it drops them there (a copy; a move with Shift held; onto the
// bibliography window an addition to the bibliography). The drag follows the set-cursor
// notices the system sends to the window under the mouse.
#ifndef CARTULAN_SHELL_REFERENCE_DRAG_H
#define CARTULAN_SHELL_REFERENCE_DRAG_H

#include <windows.h>

struct DatabaseView;

// Handles a database window's WM_SETCURSOR (`over` is the window under the mouse, then the
// hit-test area and the mouse message). True when the cursor was set and the notice is
// answered as handled; false leaves it to the default handling.
bool OnDragSetCursor(DatabaseView& view, HWND over, WORD hitTest, WORD mouseMessage);

#endif
