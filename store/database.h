// The record behind one database window: an open file, an untitled collection, a search
// result or the bibliography, with its references and the settings it copied when it was
// created. Each database belongs to its window and is destroyed with it.
#ifndef CARTULAN_STORE_DATABASE_H
#define CARTULAN_STORE_DATABASE_H

#include <cstdint>

#include "store/text/names.h"
#include "store/sort_order.h"
#include "store/store_object.h"

class Reference;
class ReferenceList;

constexpr int kFileNameSize = 260;
constexpr int32_t kDatabaseListCapacity = 100;
constexpr int32_t kClipboardCapacity = 20;

class Database : public StoreObject {
public:
    char fileName[kFileNameSize] = {};  // empty: untitled
    char* description = nullptr;        // what search made the contents; owned
    int32_t searchable = 0;             // searches over all windows look in here
    int32_t modified = 0;               // changed since the last load or save
    // A narrowing search left out references that the named file holds: saving under that
    // name would lose them. Cleared by every save.
    int32_t narrowed = 0;
    int32_t fileEncoding = 0;           // of the file it was read from (io/transfer.h)
    // The shell's handles of the window, its list and its "Searchable" check box; the store
    // keeps them for the shell and never uses them.
    void* window = nullptr;
    void* listBox = nullptr;
    void* searchableBox = nullptr;
    ReferenceList* references = nullptr;  // in sort order; points back here
    uint32_t listFlags = 0;
    NameOptions nameOptions;
    int32_t authorColumnChars = 0;
    int32_t authorColumnPixels = 0;
    SortSpec sortKeys;

    // Links of the store's list of every database (see FirstDatabase).
    Database* previousInStore = nullptr;
    Database* nextInStore = nullptr;

    Database() = default;
    // Frees the description and the references list (see ReferenceList), and forgets this
    // database in the store's state.
    ~Database() override;
};

// A new untitled database with the program's current defaults and an empty list of capacity
// 100; the latest created. Null when memory runs out.
Database* CreateDatabase();

// Creates the bibliography (never searchable) and records it. Null when memory runs out or a
// bibliography exists already.
Database* CreateBibliography();

// Destroys a database that has no window (one whose load failed).
void DestroyDatabase(Database* database);

// Every database in existence, newest first: FirstDatabase, then NextDatabase until null.
Database* FirstDatabase();
Database* NextDatabase(const Database& database);

// Bookkeeping of the shell's database windows.
void DatabaseWindowCreated(Database& database);
// The window of `database` is being destroyed: a bibliography first lets go of its
// references (they live on in their own databases) and every window is redrawn; then the
// database is destroyed under the "cleaning up" progress window. The last window leaves no
// active database.
void DatabaseWindowDestroyed(Database* database);

bool IsBibliography(const Database& database);

// The window title: the file name, or for the bibliography `bibliographyText`, or the search
// description, or `untitledText`.
const char* DatabaseTitle(const Database& database, const char* untitledText,
                          const char* bibliographyText);

// Replaces the description. Returns 0 when memory runs out.
int SetDatabaseDescription(Database& database, const char* description);

#endif
