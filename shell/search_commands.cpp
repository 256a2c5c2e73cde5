// The Search menu and Add keywords. Show all references fills the active window's list; the
// search and keyword dialogs are still to come.
#include "database_commands.h"
#include "later_commands.h"

void RunNewSearch(HWND)
{
}

void RunNarrowSearch(HWND)
{
}

void RunExpandSearch(HWND)
{
}

void RunShowAllReferences(HWND)
{
    if (DatabaseView* view = ActiveView())
        ShowAllReferences(*view);
}

void RunAddKeywords(HWND)
{
}
