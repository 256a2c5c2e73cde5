#include "message_loop.h"

#include "bibliography_display.h"
#include "shell_state.h"
#include "single_instance.h"

namespace {

constexpr int kExitNormal = 0;

bool TakenByAccelerators(MSG& msg)
{
    if (g_shell.client && TranslateMDISysAccel(g_shell.client, &msg))
        return true;
    return g_shell.accelerators && !TextDisplayTakesKey(msg) &&
           TranslateAcceleratorA(g_shell.frame, g_shell.accelerators, &msg);
}

}  // namespace

int RunMessageLoop()
{
    MSG msg;
    for (;;) {
        // Only while the loop waits here may another instance's file be opened at once.
        SetIdle(true);
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        SetIdle(false);
        if (got <= 0)
            break;
        if (!TakenByAccelerators(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        OpenQueuedHandOvers();
    }
    // The quit message's own code does not matter: a normal run ends with 0.
    return kExitNormal;
}
