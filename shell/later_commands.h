// Commands whose dialogs belong to subsystems that are still to come. The frame dispatches
// each to its own function here; until its subsystem fills it, the command does nothing.
#ifndef CARTULAN_SHELL_LATER_COMMANDS_H
#define CARTULAN_SHELL_LATER_COMMANDS_H

#include <windows.h>

// Searching and keywords (search_commands.cpp). Show all references is done.
void RunNewSearch(HWND frame);
void RunNarrowSearch(HWND frame);
void RunExpandSearch(HWND frame);
void RunShowAllReferences(HWND frame);
void RunAddKeywords(HWND frame);

// The reference editor (editor_commands.cpp).
void RunNewReference(HWND frame);
void RunEditReference(HWND frame);
void RunEditAuthor(HWND frame);

// Option dialogs, bibliography formats and fonts (option_commands.cpp).
void RunListFormatOptions(HWND frame);
void RunSortingOptions(HWND frame);
void RunSearchingOptions(HWND frame);
void RunInputDefaults(HWND frame);
void RunConfirmationOptions(HWND frame);
void RunBibliographyColour(HWND frame);
void RunBibliographyFormat(HWND frame);
void RunPrinterFont(HWND frame);
void RunDatabaseFont(HWND frame);
void RunEditWindowFont(HWND frame);

// Printing (print_commands.cpp).
void RunPrint(HWND frame);

// Language, about box and help (help_commands.cpp).
void RunLanguage(HWND frame);
void RunAbout(HWND frame);
void RunHelpContents(HWND frame);
void RunUsingHelp(HWND frame);

#endif
