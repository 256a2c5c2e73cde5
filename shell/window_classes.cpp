#include "window_classes.h"

#include "../lang/ids.h"
#include "database_window.h"
#include "fixed_texts.h"
#include "frame_window.h"

static int RegisterOne(const WNDCLASSA& wc)
{
    if (RegisterClassA(&wc))
        return 1;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int RegisterWindowClasses(HINSTANCE instance)
{
    WNDCLASSA frame = {};
    frame.lpfnWndProc = FrameWindowProc;
    frame.hInstance = instance;
    frame.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_FRAME));
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = FRAME_CLASS;

    WNDCLASSA child = frame;
    child.lpfnWndProc = DatabaseWindowProc;
    child.cbWndExtra = sizeof(void*);  // the window's data record
    child.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DATABASE));
    child.lpszClassName = CHILD_CLASS;

    return RegisterOne(frame) && RegisterOne(child);
}
