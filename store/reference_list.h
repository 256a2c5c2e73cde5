// A sorted list of references that holds them: every insertion raises the reference's
// refCount, every removal lowers it and destroys the reference when no list holds it any more.
// It orders by its database's sort keys and name options (the program's when it has no
// database) and lets the user resolve a duplicate when one is inserted.
#ifndef CARTULAN_STORE_REFERENCE_LIST_H
#define CARTULAN_STORE_REFERENCE_LIST_H

#include <cstddef>
#include <cstdint>

#include "store/text/names.h"
#include "store/collection.h"
#include "store/sort_order.h"

class Database;
class Reference;

// Results of ReferenceList::insert besides an index.
constexpr int32_t kNotIncluded = -1;  // the user chose not to include it (or memory ran out)
constexpr int32_t kAbandoned = -2;    // the user chose to abandon the whole operation

class ReferenceList : public SortedCollection {
public:
    static constexpr int kBufferCount = 3;
    static constexpr std::size_t kBufferSize = 16384;

    // Every list in the program refuses duplicates. Use CreateReferenceList, which checks that
    // the buffers could be had.
    ReferenceList(int32_t capacity, int32_t duplicates, Database* database);
    // Releases every hold from the last item to the first: a reference that another list
    // (the bibliography) still holds lives on there, every other one is destroyed.
    ~ReferenceList() override;

    bool ready() const;
    Database* database() const { return database_; }
    Reference* referenceAt(int32_t index) const;
    // Scratch text buffer `which` (0-2) of kBufferSize bytes, for formatting this list's lines,
    // titles and messages.
    char* buffer(int which) const;

    // The window handle of the progress window while a search over this list runs.
    void* progressWindow = nullptr;

    // Lowers the reference's refCount, takes it out, and destroys it at 0 or below; `release`
    // is ignored (a reference list always releases).
    void removeAt(int32_t index, int32_t release) override;
    // As removeAt: the reference is destroyed only when no other list holds it.
    void discardAt(int32_t index) override;
    // Releases `item` if this list holds it; an item no list holds is destroyed.
    void discard(StoreObject* item) override;
    // Inserts and takes a hold (refCount + 1).
    int32_t insertAt(int32_t index, StoreObject* item) override;
    // Empties the database's list lines first, then releases every reference.
    void removeAll() override;
    // Sorted insertion with duplicate resolution. Returns the index at which the reference now
    // stands (inserted, or in place of the equal one), kNotIncluded or kAbandoned. The caller
    // still owns a reference that was not included.
    int32_t insert(StoreObject* item) override;
    // The three-key reference order.
    int compare(const StoreObject* key1, const StoreObject* key2) const override;
    // Binary search with the same results, which looks first at the end of the list (where a
    // file saved in sort order adds every reference) and compares the sort prefixes kept
    // beside the slots before it reads a reference.
    bool find(const StoreObject* key, int32_t& index) const override;

    // The order this list follows: its database's keys and name options, or the program's.
    const SortSpec& sortKeys() const;
    const NameOptions& nameOptions() const;

protected:
    // The SortPrefix of the item under the list's order.
    uint64_t slotKeyFor(const StoreObject* item) const override;

private:
    bool prefixesCurrent() const;
    void refreshPrefixes();
    int comparePrefixed(const StoreObject* key, uint64_t keyPrefix, int32_t index) const;

    Database* database_;
    char* buffers_[kBufferCount] = {};
    // The first key and name options the kept prefixes were made under.
    int32_t prefixKey_;
    NameOptions prefixOptions_;
};

// A new list, or null when memory runs out.
ReferenceList* CreateReferenceList(int32_t capacity, int32_t duplicates, Database* database);

#endif
