// The dialogs of the Options menu. Each shows the values it is given and, only when the user
// presses OK, hands back what was chosen; the commands (option_commands.cpp) decide where the
// values go: the program-wide defaults, the active window, or both.
#ifndef CARTULAN_SHELL_OPTION_DIALOGS_H
#define CARTULAN_SHELL_OPTION_DIALOGS_H

#include <windows.h>

#include <cstdint>

#include "store/reference.h"
#include "store/sort_order.h"
#include "store/text/names.h"

// "INOPT": the source type and date of new references. True on OK.
bool RunInputOptionsDialog(HWND owner, InputDefaults& input);

// "LISTOPT": names mode, titles, selecting new items and the author column width (20 .. 100).
// In: the flags word and width shown. Out on OK: the flags word given with those options
// replaced, and the width.
struct ListOptions {
    uint32_t flags = 0;
    int32_t columnWidth = 25;
};
bool RunListOptionsDialog(HWND owner, ListOptions& options);

// "SRCHOPT": case-sensitive searches and searchable windows by default. True on OK.
struct SearchOptions {
    int32_t caseSensitive = 0;
    int32_t searchable = 1;
};
bool RunSearchOptionsDialog(HWND owner, SearchOptions& options);

// "NAME": how names are compared. True on OK, with `names` changed.
bool RunNameOptionsDialog(HWND owner, NameOptions& names);

// "OPTSORT": three sort keys, and the name options through its Names button.
struct SortOptions {
    SortSpec keys;                // in: shown; out: the keys chosen
    NameOptions* names = nullptr;  // the name options the Names button edits in place
    bool keysChanged = false;     // out: OK with keys that differ from the ones shown
    bool namesChanged = false;    // out: the name options were accepted at least once
};
void RunSortOptionsDialog(HWND owner, SortOptions& options);

// "CONFIRM": the deletion and drag-and-drop confirmations of `flags`. True on OK, with the
// confirmation bits of `flags` replaced and every other bit kept.
bool RunConfirmOptionsDialog(HWND owner, uint32_t& flags);

#endif
