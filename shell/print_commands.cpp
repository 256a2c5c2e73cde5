// Printing: still to come.
#include "later_commands.h"

void RunPrint(HWND)
{
}
