// The probe that a UI test installs into the program's user-interface thread with
// SetWindowsHookEx(WH_CALLWNDPROC): it answers questions that only the program's own process
// can answer (menus are per process under Wine), and sends the answer back as WM_COPYDATA.
#ifndef CARTULAN_TESTS_UI_PROBE_H
#define CARTULAN_TESTS_UI_PROBE_H

// Registered message name. wParam: the request; lParam: the window that receives the answer.
#define UI_PROBE_MESSAGE "CartulanUiProbe"
#define UI_PROBE_HOOK_EXPORT "ProbeHookProc"

// Requests. The low byte is the request; the next byte a menu position where one is needed.
#define UI_PROBE_DUMP_MENU 1            // the window's menu bar
#define UI_PROBE_INIT_AND_DUMP_MENU 2   // first let the window enable the pop-up at position
#define UI_PROBE_REQUEST(kind, position) ((kind) | ((position) << 8))

// Tag of the WM_COPYDATA answer.
#define UI_PROBE_ANSWER_TAG 0x5052

// A menu dump is one line per item, depth first:
//   depth TAB id TAB flags TAB text LF
// flags is a string of letters: P pop-up, S separator, G grayed, C checked.

#endif
