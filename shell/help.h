// The help: the manual CARTUL32.HTM beside the program, shown by the system's browser at the
// section of a help context.
#ifndef CARTULAN_SHELL_HELP_H
#define CARTULAN_SHELL_HELP_H

#include <windows.h>

// The help contexts the program opens. The numbers are those of the manual's topics.
enum HelpContext {
    kHelpContents = 0,
    kHelpReferenceEditor = 1,
    kHelpSortOptions = 2,
    kHelpListOptions = 4,
    kHelpBibliographyFormats = 5,
    kHelpDuplicates = 6,
    kHelpNameOptions = 7,
    kHelpFileDialogs = 8,
    kHelpKeywords = 9,
    kHelpUsingHelp = 10,
};

#define HELP_FILE "CARTUL32.HTM"

// Environment setting for tests: when it names a file, the help appends each target it
// would open (the manual's full name, '#' and the section) to that file as one line instead
// of starting the browser.
#define HELP_LOG_SETTING "CARTULAN_HELP_LOG"

// Opens the manual at the section of `context`. Returns 1 when the browser was started (or
// the target logged), 0 when the system could not show the manual.
int OpenHelp(HelpContext context);

#endif
