#include "store/database.h"

#include <cstdlib>
#include <new>

#include "store/owned_text.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

void Link(Database& database)
{
    database.nextInStore = g_store.firstDatabase;
    if (g_store.firstDatabase != nullptr) g_store.firstDatabase->previousInStore = &database;
    g_store.firstDatabase = &database;
}

void Unlink(Database& database)
{
    if (database.previousInStore != nullptr)
        database.previousInStore->nextInStore = database.nextInStore;
    else if (g_store.firstDatabase == &database)
        g_store.firstDatabase = database.nextInStore;
    if (database.nextInStore != nullptr)
        database.nextInStore->previousInStore = database.previousInStore;
    database.previousInStore = database.nextInStore = nullptr;
}

}  // namespace

Database::~Database()
{
    FreeText(&description);
    delete references;
    references = nullptr;
    Unlink(*this);
    // The store never points at a database that is gone.
    if (g_store.active == this) g_store.active = nullptr;
    if (g_store.bibliography == this) g_store.bibliography = nullptr;
    if (g_store.lastCreated == this) g_store.lastCreated = nullptr;
}

Database* CreateDatabase()
{
    Database* database = new (std::nothrow) Database;
    if (database == nullptr) return nullptr;
    const StoreDefaults& defaults = g_store.defaults;
    database->searchable = defaults.searchable;
    database->listFlags = defaults.listFlags;
    database->nameOptions = defaults.nameOptions;
    database->authorColumnChars = defaults.authorColumnChars;
    database->sortKeys = defaults.sortKeys;
    database->references = CreateReferenceList(kDatabaseListCapacity, 0, database);
    if (database->references == nullptr) {
        delete database;
        return nullptr;
    }
    Link(*database);
    g_store.lastCreated = database;
    return database;
}

Database* CreateBibliography()
{
    if (g_store.bibliography != nullptr) return nullptr;
    Database* bibliography = CreateDatabase();
    if (bibliography == nullptr) return nullptr;
    bibliography->searchable = 0;
    g_store.bibliography = bibliography;
    return bibliography;
}

void DestroyDatabase(Database* database) { delete database; }

Database* FirstDatabase() { return g_store.firstDatabase; }

Database* NextDatabase(const Database& database) { return database.nextInStore; }

void DatabaseWindowCreated(Database&) { ++g_store.windowCount; }

void DatabaseWindowDestroyed(Database* database)
{
    if (database == nullptr) return;
    StoreUi& ui = CurrentStoreUi();
    if (IsBibliography(*database)) {
        database->references->removeAll();
        g_store.bibliography = nullptr;
        ui.allListsChanged();
    }
    ui.beginLongOperation(*database, LongOperation::kCleaningUp);
    delete database;
    ui.endLongOperation();
    if (g_store.windowCount > 0) --g_store.windowCount;
    if (g_store.windowCount == 0) g_store.active = nullptr;
}

bool IsBibliography(const Database& database) { return g_store.bibliography == &database; }

const char* DatabaseTitle(const Database& database, const char* untitledText,
                          const char* bibliographyText)
{
    if (database.fileName[0] != 0) return database.fileName;
    if (IsBibliography(database)) return bibliographyText;
    if (database.description != nullptr) return database.description;
    return untitledText;
}

int SetDatabaseDescription(Database& database, const char* description)
{
    return ReplaceText(&database.description, description);
}
