// The language choice, the about box and the help: still to come.
#include "later_commands.h"

void RunLanguage(HWND)
{
}

void RunAbout(HWND)
{
}

void RunHelpContents(HWND)
{
}

void RunUsingHelp(HWND)
{
}
