#include "store/transfers.h"

#include <algorithm>
#include <new>
#include <vector>

#include "store/database.h"
#include "store/list_flags.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

// The valid, distinct indexes of a selection in ascending order.
class Selection {
public:
    Selection(const int32_t* indexes, int32_t count, int32_t listCount)
    {
        if (indexes == nullptr || count <= 0) return;
        indexes_ = new (std::nothrow) int32_t[count];
        if (indexes_ == nullptr) {
            failed_ = true;
            return;
        }
        for (int32_t i = 0; i < count; ++i)
            if (indexes[i] >= 0 && indexes[i] < listCount) indexes_[count_++] = indexes[i];
        std::sort(indexes_, indexes_ + count_);
        count_ = static_cast<int32_t>(std::unique(indexes_, indexes_ + count_) - indexes_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { delete[] indexes_; }

    bool failed() const { return failed_; }
    int32_t count() const { return count_; }
    int32_t operator[](int32_t i) const { return indexes_[i]; }

private:
    int32_t* indexes_ = nullptr;
    int32_t count_ = 0;
    bool failed_ = false;
};

// After a successful insertion: a list that did not grow replaced the equal reference in
// its place, so that line goes before the new one is shown.
void ShowInsertedLine(Database& database, int32_t index, int32_t countBefore)
{
    StoreUi& ui = CurrentStoreUi();
    if (database.references->count() == countBefore) ui.lineDeleted(database, index);
    ui.lineInserted(database, index);
}

// Inserts a copy of each of `references`, in order, into `database`, resolving duplicates;
// shows each new line and selects it when the database's flags ask for it, and marks the
// database modified when anything went in. Abandoning stops. `pasted`, when given, tells
// which references went in. Returns the number pasted.
int32_t PasteCopies(Database& database, const std::vector<const Reference*>& references,
                    std::vector<bool>* pasted)
{
    if (pasted != nullptr) pasted->assign(references.size(), false);
    StoreUi& ui = CurrentStoreUi();
    ui.updatesBegun(database);
    int32_t count = 0;
    for (std::size_t i = 0; i < references.size(); ++i) {
        Reference* copy = CopyReference(*references[i]);
        if (copy == nullptr) continue;
        const int32_t countBefore = database.references->count();
        const int32_t result = database.references->insert(copy);
        if (result < 0) {
            delete copy;
            if (result == kAbandoned) break;
            continue;
        }
        ++count;
        if (pasted != nullptr) (*pasted)[i] = true;
        ShowInsertedLine(database, result, countBefore);
        if ((database.listFlags & kListSelectNewItems) != 0) ui.lineSelected(database, result);
        database.modified = 1;
    }
    ui.updatesEnded(database);
    return count;
}

}  // namespace

int32_t DeleteReferences(Database& database, const int32_t* indexes, int32_t count,
                         bool askFirst)
{
    Selection selection(indexes, count, database.references->count());
    if (selection.failed()) return -1;
    if (selection.count() == 0) return 0;
    StoreUi& ui = CurrentStoreUi();
    const bool bibliography = IsBibliography(database);
    if (askFirst && !bibliography &&
        DeleteNeedsConfirmation(g_store.defaults.listFlags, selection.count()) &&
        !ui.ask(StoreQuestion::kDeleteReferences))
        return 0;

    for (int32_t i = selection.count() - 1; i >= 0; --i) {
        database.references->removeAt(selection[i], 0);
        ui.lineDeleted(database, selection[i]);
    }
    ui.countsChanged();
    ui.lineSelected(database, selection[0]);
    database.modified = 1;
    if (bibliography) {
        if (database.references->count() == 0) {
            g_store.bibliography = nullptr;
            ui.closeWindow(database);
        }
        ui.allListsChanged();
    }
    return selection.count();
}

int32_t CopyToClipboard(const Database& database, const int32_t* indexes, int32_t count)
{
    Selection selection(indexes, count, database.references->count());
    if (selection.failed()) return -1;
    ReferenceList* clipboard = CreateReferenceList(kClipboardCapacity, 0, nullptr);
    if (clipboard == nullptr) return -1;
    FreeClipboard();
    g_store.clipboard = clipboard;

    int32_t copied = 0;
    for (int32_t i = selection.count() - 1; i >= 0; --i) {
        Reference* copy = CopyReference(*database.references->referenceAt(selection[i]));
        if (copy == nullptr) continue;
        const int32_t result = clipboard->insert(copy);
        if (result >= 0) {
            ++copied;
            continue;
        }
        delete copy;
        if (result == kAbandoned) break;
    }
    return copied;
}

int32_t PasteClipboard(Database& database)
{
    ReferenceList* clipboard = g_store.clipboard;
    if (clipboard == nullptr) return 0;
    std::vector<const Reference*> references;
    for (int32_t i = 0; i < clipboard->count(); ++i)
        references.push_back(clipboard->referenceAt(i));
    return PasteCopies(database, references, nullptr);
}

int32_t DragReferences(Database& source, const int32_t* indexes, int32_t count,
                       Database& target, bool move)
{
    if (&source == &target) return 0;
    Selection selection(indexes, count, source.references->count());
    if (selection.failed()) return -1;
    std::vector<const Reference*> references;
    for (int32_t i = 0; i < selection.count(); ++i)
        references.push_back(source.references->referenceAt(selection[i]));
    std::vector<bool> pasted;
    const int32_t result = PasteCopies(target, references, &pasted);
    if (!move || result <= 0) return result;
    std::vector<int32_t> moved;
    for (int32_t i = 0; i < selection.count(); ++i)
        if (pasted[i]) moved.push_back(selection[i]);
    DeleteReferences(source, moved.data(), static_cast<int32_t>(moved.size()), false);
    return result;
}

int32_t AddToBibliography(Database& database, const int32_t* indexes, int32_t count)
{
    Selection selection(indexes, count, database.references->count());
    if (selection.failed()) return -1;
    if (selection.count() == 0) return 0;
    StoreUi& ui = CurrentStoreUi();
    Database* bibliography = g_store.bibliography;
    if (bibliography == nullptr) {
        bibliography = CreateBibliography();
        if (bibliography == nullptr) return -1;
        if (!ui.openBibliography(*bibliography, database)) {
            DestroyDatabase(bibliography);
            return -1;
        }
    }

    ReferenceList& target = *bibliography->references;
    ui.updatesBegun(*bibliography);
    int32_t added = 0;
    for (int32_t i = 0; i < selection.count(); ++i) {
        Reference* reference = database.references->referenceAt(selection[i]);
        if (target.indexOf(reference) >= 0) continue;
        const int32_t countBefore = target.count();
        const int32_t result = target.insert(reference);
        if (result < 0) continue;
        ++added;
        ShowInsertedLine(*bibliography, result, countBefore);
        ui.lineDeleted(database, selection[i]);
        ui.lineInserted(database, selection[i]);
    }
    ui.updatesEnded(*bibliography);
    return added;
}

bool ConfirmDrag()
{
    if (!DragNeedsConfirmation(g_store.defaults.listFlags)) return true;
    return CurrentStoreUi().ask(StoreQuestion::kDragReferences);
}
