// The flags word of list display and confirmation options. The program keeps one word and
// every database a copy; the delete and drag confirmations read the program's word.
#ifndef CARTULAN_STORE_LIST_FLAGS_H
#define CARTULAN_STORE_LIST_FLAGS_H

#include <cstdint>

constexpr uint32_t kListNamesMask = 3;           // names mode of the lines (SummaryFlags)
constexpr uint32_t kListWithTitle = 4;           // show titles; one column
constexpr uint32_t kListConfirmDeleteMask = 48;  // bits 4-5: a DeleteConfirmMode
constexpr int kListConfirmDeleteShift = 4;
constexpr uint32_t kListSelectNewItems = 64;     // select new and pasted references
constexpr uint32_t kListConfirmDrag = 128;
// First only, no titles, confirm deletion always, select new items, confirm drag-and-drop.
constexpr uint32_t kDefaultListFlags = 242;

enum DeleteConfirmMode : int32_t {
    kConfirmNever = 1,
    kConfirmMultiple = 2,  // only when more than one reference is selected
    kConfirmAlways = 3,
};

// The deletion confirmation mode of `flags`. A word without a mode (bits 4-5 clear) asks
// always: deleting is permanent.
DeleteConfirmMode DeleteConfirmModeOf(uint32_t flags);

// Whether deleting `selectedCount` references must be confirmed under `flags`.
bool DeleteNeedsConfirmation(uint32_t flags, int32_t selectedCount);

// Whether a drag-and-drop transfer must be confirmed under `flags`.
bool DragNeedsConfirmation(uint32_t flags);

// `flags` with the confirmation options replaced (what the confirmation dialog stores);
// every other bit is kept.
uint32_t WithConfirmOptions(uint32_t flags, DeleteConfirmMode mode, bool confirmDrag);

// `flags` with the list display options replaced (what the list options dialog stores): the
// names mode (1 .. 3, or 0 when none is chosen), titles and selecting new items; every other
// bit is kept.
uint32_t WithListOptions(uint32_t flags, uint32_t namesMode, bool withTitle, bool selectNew);

#endif
