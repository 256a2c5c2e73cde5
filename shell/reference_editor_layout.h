// The reference editor's window: its controls follow the right edge (the abstract and the
// title stretch) of a virtual client area never smaller than the template's; a smaller window
// shows scroll bars over it. The placement is remembered in the settings and kept on the
// screen.
#ifndef CARTULAN_SHELL_REFERENCE_EDITOR_LAYOUT_H
#define CARTULAN_SHELL_REFERENCE_EDITOR_LAYOUT_H

#include <windows.h>

#include <vector>

// How a control follows the window's size.
enum class Anchor { kFixed, kRight, kStretchWidth, kStretchBoth };

struct PlacedControl {
    HWND window = nullptr;
    RECT rect = {};  // in the template's client area
    Anchor anchor = Anchor::kFixed;
};

struct EditorLayout {
    SIZE minimum = {};  // the template's client area
    POINT scroll = {};  // how far the virtual area is scrolled
    std::vector<PlacedControl> controls;
    bool busy = false;  // laying out: scroll bars coming or going resize the window again
};

// Measures the controls as the template placed them. Call before the window is resized.
void MeasureEditorTemplate(HWND dialog, EditorLayout& layout);
// Moves the window to the remembered placement, on the screen, maximised if it was.
void ApplyEditorPlacement(HWND dialog);
// Remembers the window's placement and whether it is maximised.
void SaveEditorPlacement(HWND dialog);

// WM_SIZE: lays the controls out and shows the scroll bars the client area needs.
void LayOutEditor(HWND dialog, EditorLayout& layout);
// WM_HSCROLL (SB_HORZ) and WM_VSCROLL (SB_VERT).
void ScrollEditor(HWND dialog, EditorLayout& layout, int bar, int code);

#endif
