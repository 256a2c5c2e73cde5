// Printing on the system's printers: the references of a database window, all of them or the
// selected ones, and a given text (the reference editor's reference). Each job runs through
// the system print dialog, prints in the printer font with the job title at the top of every
// page and the page number at the foot, and shows the "ABORT" dialog, whose Cancel stops it.
#ifndef CARTULAN_PRINT_PRINTING_H
#define CARTULAN_PRINT_PRINTING_H

#include <windows.h>

#include <cstdint>
#include <vector>

class ReferenceList;

// What a database window hands over for printing.
struct WindowPrint {
    const ReferenceList* references = nullptr;
    // The selected references, as indexes into `references`; the print dialog offers its
    // "Selection" choice only when there are some.
    std::vector<int32_t> selectedLines;
    const char* caption = "";  // the window's caption, part of the job title
};

// Prints a window's references in the current bibliography format (without its header and
// footer), asking for the printer with `owner` as the dialog's owner.
void printWindow(HWND owner, const WindowPrint& what);

// Prints `text` with `title` as the job title.
void printText(HWND owner, const char* text, const char* title);

#endif
