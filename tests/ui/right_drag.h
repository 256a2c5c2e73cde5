// A drag with the right mouse button as the user makes it: real input through the system's
// queue (SendInput), so the program sees the same set-cursor notices as under a hand.
#ifndef CARTULAN_TESTS_UI_RIGHT_DRAG_H
#define CARTULAN_TESTS_UI_RIGHT_DRAG_H

#include <windows.h>

#include <vector>

#include "ui_harness.h"

namespace ui {

// Presses the right button over line `line` of the list `from`, moves over the window `to`
// and releases the button a third of the way down its middle, with Shift held at the
// release when `shift`. False when the system did not take the input.
inline bool RightDrag(HWND from, int line, HWND to, bool shift = false)
{
    RECT item = ListItemRect(from, line);
    POINT start = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(from, &start);
    RECT area;
    GetClientRect(to, &area);
    POINT end = {area.right / 2, area.bottom / 3};
    ClientToScreen(to, &end);
    std::vector<INPUT> inputs;
    auto mouse = [&inputs](POINT at, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
        inputs.push_back(input);
    };
    auto key = [&inputs](bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_SHIFT;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    mouse(start, 0);
    mouse(start, MOUSEEVENTF_RIGHTDOWN);
    mouse({(start.x + end.x) / 2, (start.y + end.y) / 2}, 0);
    mouse(end, 0);
    if (shift)
        key(false);
    mouse(end, MOUSEEVENTF_RIGHTUP);
    if (shift)
        key(true);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace ui

#endif
