// The reference editor's commands: still to come.
#include "later_commands.h"

void RunNewReference(HWND)
{
}

void RunEditReference(HWND)
{
}

void RunEditAuthor(HWND)
{
}
