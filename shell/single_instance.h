// One instance: a second start hands the files named on its command line to the running
// program and ends. The hand-over is the copy-data message with tag 501 (CMD_FILE_OPEN) sent
// to the frame "RefFrame": the file name's bytes, counted, without a terminating zero.
#ifndef CARTULAN_SHELL_SINGLE_INSTANCE_H
#define CARTULAN_SHELL_SINGLE_INSTANCE_H

#include <windows.h>

// When another instance runs, hands it the command line and returns 1 (this process then ends
// with exit code 0); otherwise returns 0.
int HandOverToRunningInstance();

// Brings `frame`'s last active pop-up to the top, then sends it each file named on the
// command line, in order, as a full path; each send returns once the frame has tried to open
// that file (or, while it is busy, queued it).
void HandOverCommandLine(HWND frame);

// The frame's side of the hand-over: opens the file named by exactly `size` bytes. A
// hand-over from another process that arrives while the program is busy (a long operation, a
// dialog, a menu) is queued and opened once the main loop is idle again.
void ReceiveHandOver(const char* name, DWORD size);

// The main message loop marks the time it waits for the next message as idle; the queued
// hand-overs are opened after each message it dispatched.
void SetIdle(bool idle);
void OpenQueuedHandOvers();

#endif
