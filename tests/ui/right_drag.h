// A drag with the right mouse button as the user makes it: real input through the system's
// queue (SendInput), so the program sees the same set-cursor notices as under a hand. The
// steps are sent apart, as a hand makes them: Wine brings a program's button state up to the
// desktop's when a key arrives, and input sent all at once would show the button released
// before the program has seen the moves that come before the release.
#ifndef CARTULAN_TESTS_UI_RIGHT_DRAG_H
#define CARTULAN_TESTS_UI_RIGHT_DRAG_H

#include <windows.h>

#include "ui_harness.h"

namespace ui {

namespace drag_detail {

// Sends one step, then gives the program time to see it unless it is the last.
inline bool Send(INPUT input, bool pause = true)
{
    bool sent = SendInput(1, &input, sizeof input) == 1;
    if (pause)
        Sleep(30);
    return sent;
}

inline bool Mouse(POINT at, DWORD flags, bool pause = true)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return Send(input, pause);
}

inline bool Shift(bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_SHIFT;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return Send(input);
}

// A third of the way down the middle of `window`, in screen coordinates.
inline POINT DropPoint(HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    POINT at = {area.right / 2, area.bottom / 3};
    ClientToScreen(window, &at);
    return at;
}

}  // namespace drag_detail

// Presses the right button over line `line` of the list `from` and moves over the window `to`.
inline bool RightPress(HWND from, int line, HWND to)
{
    RECT item = ListItemRect(from, line);
    POINT start = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(from, &start);
    POINT end = drag_detail::DropPoint(to);
    return drag_detail::Mouse(start, 0) && drag_detail::Mouse(start, MOUSEEVENTF_RIGHTDOWN) &&
           drag_detail::Mouse({(start.x + end.x) / 2, (start.y + end.y) / 2}, 0) &&
           drag_detail::Mouse(end, 0);
}

// Releases the right button over `to`, with Shift held when `shift`.
inline bool RightRelease(HWND to, bool shift = false)
{
    POINT end = drag_detail::DropPoint(to);
    return (!shift || drag_detail::Shift(false)) &&
           drag_detail::Mouse(end, MOUSEEVENTF_RIGHTUP, shift) && (!shift || drag_detail::Shift(true));
}

inline bool RightDrag(HWND from, int line, HWND to, bool shift = false)
{
    return RightPress(from, line, to) && RightRelease(to, shift);
}

}  // namespace ui

#endif
