// The language choice, the about box and the help.
#include "about_dialog.h"
#include "help.h"
#include "language_switch.h"
#include "later_commands.h"

void RunLanguage(HWND frame)
{
    ChooseLanguage(frame);
}

void RunAbout(HWND frame)
{
    RunAboutDialog(frame);
}

void RunHelpContents(HWND)
{
    OpenHelp(kHelpContents);
}

void RunUsingHelp(HWND)
{
    OpenHelp(kHelpUsingHelp);
}
