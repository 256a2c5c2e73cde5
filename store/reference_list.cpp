#include "store/reference_list.h"

#include <cstdlib>
#include <new>

#include "store/database.h"
#include "store/reference.h"
#include "store/sort_order.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

Reference* AsReference(StoreObject* item) { return static_cast<Reference*>(item); }

const Reference& AsReference(const StoreObject* item)
{
    return *static_cast<const Reference*>(item);
}

}  // namespace

ReferenceList::ReferenceList(int32_t capacity, int32_t duplicates, Database* database)
    : SortedCollection(capacity, duplicates),
      database_(database),
      prefixKey_(sortKeys().keys[0]),
      prefixOptions_(nameOptions())
{
    for (char*& buffer : buffers_) buffer = static_cast<char*>(std::calloc(kBufferSize, 1));
}

ReferenceList::~ReferenceList()
{
    // Releasing instead of destroying outright keeps a reference that another list still
    // holds alive, even one the bibliography's search would not find.
    for (int32_t i = count() - 1; i >= 0; --i) removeAt(i, 0);
    for (char* buffer : buffers_) std::free(buffer);
}

bool ReferenceList::ready() const
{
    for (char* buffer : buffers_)
        if (buffer == nullptr) return false;
    return true;
}

Reference* ReferenceList::referenceAt(int32_t index) const
{
    return AsReference(itemAt(index));
}

char* ReferenceList::buffer(int which) const
{
    return which >= 0 && which < kBufferCount ? buffers_[which] : nullptr;
}

void ReferenceList::removeAt(int32_t index, int32_t /*release*/)
{
    Reference* reference = referenceAt(index);
    if (reference == nullptr) return;
    --reference->refCount;
    SortedCollection::removeAt(index, 0);
    if (reference->refCount <= 0) destroyItem(reference);
}

void ReferenceList::discardAt(int32_t index) { removeAt(index, 1); }

void ReferenceList::discard(StoreObject* item)
{
    if (item == nullptr) return;
    const int32_t index = indexOfObject(item);
    if (index >= 0)
        removeAt(index, 1);
    else if (AsReference(item)->refCount <= 0)
        destroyItem(item);
}

int32_t ReferenceList::insertAt(int32_t index, StoreObject* item)
{
    if (!prefixesCurrent()) refreshPrefixes();
    const int32_t result = SortedCollection::insertAt(index, item);
    if (result >= 0) ++AsReference(item)->refCount;
    return result;
}

void ReferenceList::removeAll()
{
    if (database_ != nullptr) CurrentStoreUi().linesCleared(*database_);
    SortedCollection::removeAll();
}

int32_t ReferenceList::insert(StoreObject* item)
{
    if (item == nullptr) return kNotIncluded;
    Reference& incoming = *AsReference(item);
    for (;;) {
        int32_t index;
        if (!find(keyFor(item), index) || duplicates() != 0) {
            const int32_t result = insertAt(index, item);
            return result >= 0 ? result : kNotIncluded;
        }
        Reference& existing = *referenceAt(index);
        const bool mayEdit = &existing != &incoming;
        const DuplicateChoice choice =
            g_store.resolver != nullptr
                ? g_store.resolver->resolveDuplicate(incoming, existing, mayEdit)
                : DuplicateChoice::kDontInclude;
        switch (choice) {
        case DuplicateChoice::kEdit:
        case DuplicateChoice::kEditAuthors:
            if (!mayEdit) return kNotIncluded;
            continue;
        case DuplicateChoice::kOverwrite:
            // The very object is already in its place; replacing it would destroy it.
            if (!mayEdit) return index;
            removeAt(index, 1);
            {
                const int32_t result = insertAt(index, item);
                return result >= 0 ? result : kNotIncluded;
            }
        case DuplicateChoice::kAbandon: return kAbandoned;
        case DuplicateChoice::kDontInclude:
        default: return kNotIncluded;
        }
    }
}

const SortSpec& ReferenceList::sortKeys() const
{
    return database_ != nullptr ? database_->sortKeys : g_store.defaults.sortKeys;
}

const NameOptions& ReferenceList::nameOptions() const
{
    return database_ != nullptr ? database_->nameOptions : g_store.defaults.nameOptions;
}

int ReferenceList::compare(const StoreObject* key1, const StoreObject* key2) const
{
    return CompareReferences(AsReference(key1), AsReference(key2), sortKeys(), nameOptions());
}

uint64_t ReferenceList::slotKeyFor(const StoreObject* item) const
{
    return SortPrefix(AsReference(item), sortKeys(), nameOptions());
}

bool ReferenceList::prefixesCurrent() const
{
    const NameOptions& options = nameOptions();
    return prefixKey_ == sortKeys().keys[0] && prefixOptions_.method == options.method &&
           prefixOptions_.familyLast == options.familyLast &&
           prefixOptions_.separator == options.separator;
}

// The order changed under the list (new keys without a re-sort): make the prefixes follow it.
void ReferenceList::refreshPrefixes()
{
    prefixKey_ = sortKeys().keys[0];
    prefixOptions_ = nameOptions();
    for (int32_t i = 0; i < count(); ++i) setSlotKeyAt(i, slotKeyFor(itemAt(i)));
}

int ReferenceList::comparePrefixed(const StoreObject* key, uint64_t keyPrefix,
                                   int32_t index) const
{
    const uint64_t itemPrefix = slotKeyAt(index);
    if (keyPrefix != itemPrefix) return keyPrefix < itemPrefix ? -1 : 1;
    return compare(key, keyFor(itemAt(index)));
}

bool ReferenceList::find(const StoreObject* key, int32_t& index) const
{
    if (!prefixesCurrent()) return SortedCollection::find(key, index);
    index = 0;
    const int32_t n = count();
    if (n == 0) return false;
    const uint64_t keyPrefix = SortPrefix(AsReference(key), sortKeys(), nameOptions());
    int c = comparePrefixed(key, keyPrefix, n - 1);
    if (c >= 0) {
        index = c > 0 ? n : n - 1;
        return c == 0;
    }
    int32_t low = 0;
    int32_t high = n - 1;  // the key sorts before the last item
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        c = comparePrefixed(key, keyPrefix, middle);
        if (c == 0) {
            index = middle;
            return true;
        }
        if (c < 0)
            high = middle;
        else
            low = middle + 1;
    }
    index = low;
    return false;
}

ReferenceList* CreateReferenceList(int32_t capacity, int32_t duplicates, Database* database)
{
    ReferenceList* list = new (std::nothrow) ReferenceList(capacity, duplicates, database);
    if (list != nullptr && !list->ready()) {
        delete list;
        return nullptr;
    }
    return list;
}
