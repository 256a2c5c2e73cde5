// The program-wide state of the store: which databases exist and play which part, the
// internal clipboard, the defaults new databases and references copy, and the interfaces
// through which the store reaches the user.
#ifndef CARTULAN_STORE_STORE_STATE_H
#define CARTULAN_STORE_STORE_STATE_H

#include <cstdint>

#include "store/text/names.h"
#include "store/list_flags.h"
#include "store/reference.h"
#include "store/sort_order.h"

class Database;
class DuplicateResolver;
class ReferenceList;
class StoreUi;

// The program-wide settings the store reads. New databases copy listFlags, nameOptions,
// authorColumnChars, sortKeys and searchable; the delete and drag confirmations read
// listFlags itself; lists without a database order by sortKeys and nameOptions.
struct StoreDefaults {
    InputDefaults input;
    uint32_t listFlags = kDefaultListFlags;
    NameOptions nameOptions;
    int32_t authorColumnChars = 25;
    SortSpec sortKeys;
    int32_t searchable = 1;
};

struct StoreState {
    Database* active = nullptr;        // the database of the active window; commands act on it
    Database* bibliography = nullptr;  // the one bibliography, if any
    int32_t windowCount = 0;           // database windows in existence
    ReferenceList* clipboard = nullptr;  // copies last copied or cut, if any
    Database* lastCreated = nullptr;
    Database* firstDatabase = nullptr;   // every database in existence, newest first
    StoreDefaults defaults;
    StoreUi* ui = nullptr;               // null: no questions asked, nothing shown
    DuplicateResolver* resolver = nullptr;  // null: duplicates are left out
};

extern StoreState g_store;

// The user interface of the store: g_store.ui, or a silent stand-in that answers Yes and
// opens no windows.
StoreUi& CurrentStoreUi();

// Destroys the internal clipboard and the copies on it.
void FreeClipboard();

#endif
