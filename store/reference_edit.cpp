#include "store/reference_edit.h"

#include "store/database.h"
#include "store/list_flags.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/sort_order.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

// Whether `list` orders the new fields differently from the old ones. Equal keys also keep
// the sort prefix beside the reference's slot valid.
bool OrderChanged(const ReferenceList& list, const Reference& before, const Reference& after)
{
    return CompareReferences(before, after, list.sortKeys(), list.nameOptions()) != 0;
}

// A reference went in at `index`; a list that did not grow replaced an equal one there.
void ShowInsertedLine(Database& database, int32_t index, int32_t countBefore, StoreUi& ui)
{
    if (database.references->count() == countBefore) ui.lineDeleted(database, index);
    ui.lineInserted(database, index);
}

void FreeCopy(ReferenceEdit& edit)
{
    delete edit.before;
    edit.before = nullptr;
}

}  // namespace

int32_t IndexOfHeld(const ReferenceList& list, const Reference& reference)
{
    int32_t index;
    if (!list.find(list.keyFor(&reference), index)) return -1;
    return list.referenceAt(index) == &reference ? index : -1;
}

int BeginReferenceEdit(ReferenceEdit& edit, Reference& reference)
{
    FreeCopy(edit);
    edit.reference = &reference;
    edit.holdings.clear();
    edit.before = CopyReference(reference);
    if (edit.before == nullptr) return 0;
    for (Database* database = FirstDatabase(); database != nullptr;
         database = NextDatabase(*database)) {
        if (database->references == nullptr) continue;
        const int32_t index = IndexOfHeld(*database->references, reference);
        if (index >= 0) edit.holdings.push_back({database, index});
    }
    return 1;
}

bool EndReferenceEdit(ReferenceEdit& edit)
{
    if (edit.reference == nullptr) return false;
    Reference& reference = *edit.reference;
    StoreUi& ui = CurrentStoreUi();
    // Every line is redrawn and every list that must move the reference lets go of it before
    // the first insertion, which may ask the user (and let the reference be edited again).
    std::vector<Database*> moving;
    ++reference.refCount;
    for (const ReferenceHolding& holding : edit.holdings) {
        Database& database = *holding.database;
        database.modified = 1;
        ui.lineDeleted(database, holding.index);
        if (edit.before != nullptr && OrderChanged(*database.references, *edit.before, reference)) {
            database.references->removeAt(holding.index, 1);
            moving.push_back(&database);
        } else {
            ui.lineInserted(database, holding.index);
        }
    }
    bool dropped = false;
    for (Database* database : moving) {
        const int32_t countBefore = database->references->count();
        const int32_t index = database->references->insert(&reference);
        if (index >= 0)
            ShowInsertedLine(*database, index, countBefore, ui);
        else
            dropped = true;
    }
    --reference.refCount;
    // A bibliography shown as formatted text is formatted again.
    for (const ReferenceHolding& holding : edit.holdings) {
        ui.updatesBegun(*holding.database);
        ui.updatesEnded(*holding.database);
    }
    if (dropped) ui.allListsChanged();
    ui.countsChanged();
    FreeCopy(edit);
    edit.holdings.clear();
    return !moving.empty();
}

int32_t InsertNewReference(Database& database, Reference& reference)
{
    StoreUi& ui = CurrentStoreUi();
    const int32_t countBefore = database.references->count();
    const int32_t index = database.references->insert(&reference);
    if (index < 0) return index;
    ShowInsertedLine(database, index, countBefore, ui);
    if ((database.listFlags & kListSelectNewItems) != 0) ui.lineSelected(database, index);
    database.modified = 1;
    ui.countsChanged();
    return index;
}
