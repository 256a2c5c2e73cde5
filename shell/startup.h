// Start-up checks of the system the program runs on.
#ifndef CARTULAN_SHELL_STARTUP_H
#define CARTULAN_SHELL_STARTUP_H

// Refuses the 32-bit extension of Windows 3.x with a message (returns 0; the process then ends
// with exit code 1). Otherwise initialises the common controls, notes whether the system has
// the version-4 shell and returns 1.
int CheckSystem();

#endif
