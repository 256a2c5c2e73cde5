#include "store/resort.h"

#include <cstdint>

#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_ui.h"
#include "store/store_state.h"

namespace {

// Progress is shown, and window messages handled, once per this many references.
constexpr int32_t kProgressInterval = 64;

}  // namespace

int ResortDatabase(Database& database)
{
    ReferenceList* old = database.references;
    if (old == nullptr || old->count() < 2) return 1;
    ReferenceList* sorted = CreateReferenceList(old->capacity(), 0, &database);
    if (sorted == nullptr) return 0;

    StoreUi& ui = CurrentStoreUi();
    ui.beginLongOperation(database, LongOperation::kSorting);
    const int32_t n = old->count();
    for (int32_t i = 0; i < n; ++i) {
        // Whatever the user decides about a duplicate, the re-sort goes on.
        sorted->insert(old->itemAt(i));
        if (i % kProgressInterval == kProgressInterval - 1)
            ui.progress(static_cast<unsigned>(static_cast<int64_t>(i) * 100 / (n - 1)));
    }
    old->removeAll();
    delete old;
    database.references = sorted;
    ui.linesRefilled(database);
    ui.endLongOperation();
    return 1;
}
