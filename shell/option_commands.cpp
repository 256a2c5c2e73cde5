// The option dialogs, the bibliography format dialog and the font choices: still to come.
#include "later_commands.h"

void RunListFormatOptions(HWND)
{
}

void RunSortingOptions(HWND)
{
}

void RunSearchingOptions(HWND)
{
}

void RunInputDefaults(HWND)
{
}

void RunConfirmationOptions(HWND)
{
}

void RunBibliographyColour(HWND)
{
}

void RunBibliographyFormat(HWND)
{
}

void RunPrinterFont(HWND)
{
}

void RunDatabaseFont(HWND)
{
}

void RunEditWindowFont(HWND)
{
}
