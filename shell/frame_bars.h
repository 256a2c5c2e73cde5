// The frame's toolbar and status bar: their creation, their place in the frame, which buttons
// are enabled, and the status line.
#ifndef CARTULAN_SHELL_FRAME_BARS_H
#define CARTULAN_SHELL_FRAME_BARS_H

#include <windows.h>

// The first parameter of the frame's own clipboard-change notice: the frame handles it
// itself and never passes it down the clipboard viewer chain.
constexpr WPARAM kInternalClipboardNotice = 1;

// Creates the 21-entry toolbar. False (after the message) when it cannot be made.
bool CreateToolbar(HWND frame);
// Creates the status bar with one part; without it the program runs without a status line.
void CreateStatusBar(HWND frame);

// Places toolbar, status bar and MDI client in a client area of `width` x `height`.
void LayoutFrame(int width, int height);

// Enables the toolbar's Add to bibliography, Cut, Copy and Paste buttons.
void UpdateClipboardButtons();
// Enables and checks every toolbar button that depends on the program's state.
void UpdateToolbar();
// The status line: "NAME:count" of the active window while the frame is enabled, else empty.
void UpdateStatusText();
// Shows the help text of command `id` (empty for 0) until the next UpdateStatusText.
void ShowCommandHelp(int id);

// The tooltip of the toolbar button of `command`; it stays valid until the next call.
const char* ToolTipText(int command);

#endif
