// Long loops (searching, scanning keywords) ask to show their progress far more often than
// the screen needs it, and handing the waiting messages over costs more than the work between
// two asks. A pace lets an ask through the first time and then once 20 ms have passed.
#ifndef CARTULAN_SHELL_PROGRESS_PACE_H
#define CARTULAN_SHELL_PROGRESS_PACE_H

#include <windows.h>

struct ProgressPace {
    DWORD last = 0;
    bool started = false;

    bool Due()
    {
        const DWORD now = GetTickCount();
        if (started && now - last < 20)
            return false;
        started = true;
        last = now;
        return true;
    }
};

#endif
