// The program's main message loop.
#ifndef CARTULAN_SHELL_MESSAGE_LOOP_H
#define CARTULAN_SHELL_MESSAGE_LOOP_H

// Runs until the quit message and returns the exit code of a normal run (0). Each message is
// offered to the MDI client's system keys, then to the accelerators "KEYS", then translated
// and dispatched.
int RunMessageLoop();

#endif
