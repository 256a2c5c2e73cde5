// The pop-ups of the frame's menu bar: which items are enabled and checked when one opens,
// the recent files of the File menu, and the help text of the item under the mouse.
#ifndef CARTULAN_SHELL_FRAME_MENUS_H
#define CARTULAN_SHELL_FRAME_MENUS_H

#include <windows.h>

// WM_INITMENUPOPUP: brings the pop-up `popup` up to date. The pop-up is recognised by the
// items it holds, so a maximised window's system menu in the menu bar changes nothing.
void InitMenuPopup(HMENU popup, bool systemMenu);

// WM_MENUSELECT: the status line shows the selected item's help text.
void MenuSelected(UINT item, UINT flags, HMENU menu);

#endif
