// Growable lists of object pointers with a table of virtual operations.
//
// `Collection` keeps items in the order they were put in; `SortedCollection` keeps them in
// the order of its `compare` and finds them by binary search. The operations call each other
// through the table, so a class that replaces one operation changes every operation built on
// it (a reference list replaces insertAt and removeAt to count its holds, and every insertion
// and removal then counts).
//
// Results: indexes are 0-based; -1 means "not there" or "not done" (also when memory runs
// out). Index arguments outside the list are refused without a change.
#ifndef CARTULAN_STORE_COLLECTION_H
#define CARTULAN_STORE_COLLECTION_H

#include <cstdint>

#include "store/slot_blocks.h"
#include "store/store_object.h"

class Collection {
public:
    // Starts empty with room for `capacity` items.
    explicit Collection(int32_t capacity);
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;
    // Destroys every item still held (discardAll), then frees the slots.
    virtual ~Collection();

    // Slots reserved; never less than count once set. Grows by doubling when fewer than two
    // slots are free before an insertion.
    int32_t capacity() const { return capacity_; }
    int32_t count() const { return slots_.count(); }

    // The slot of item `index`, valid until the next change; null outside the list.
    virtual StoreObject** slotAt(int32_t index);
    // The item at `index`; null outside the list.
    virtual StoreObject* itemAt(int32_t index) const;
    // Takes the item out and closes the gap; the item is not destroyed. `release` is for
    // classes that hold their items (reference lists always release).
    virtual void removeAt(int32_t index, int32_t release);
    // Destroys the item at `index` and takes it out.
    virtual void discardAt(int32_t index);
    // Takes `item` out if it is held and destroys it.
    virtual void discard(StoreObject* item);
    // discardAt for every item from the last to the first.
    virtual void discardAll();
    // Destroys `item` through its virtual destructor; nothing for null.
    virtual void destroyItem(StoreObject* item);
    // Puts `item` before item `index` (index == count appends). Returns `index`, or -1 when
    // the index is outside 0..count or memory runs out.
    virtual int32_t insertAt(int32_t index, StoreObject* item);
    // Takes out the item indexOf finds; nothing when it finds none.
    virtual void removeItem(StoreObject* item);
    // removeAt(i, 1) for every item from the last to the first; items are not destroyed.
    virtual void removeAll();
    // The first index holding this very pointer, else -1.
    virtual int32_t indexOf(const StoreObject* item) const;
    // Appends `item`. Returns the new count, or -1 when memory runs out.
    virtual int32_t insert(StoreObject* item);
    // Makes room for 50 more items.
    virtual void grow();
    // Sets the capacity to `capacity` if that is above count (any value while nothing has
    // been reserved yet). Memory running out leaves the collection as it was.
    virtual void setCapacity(int32_t capacity);

    // Whether the slots and their directory agree (for tests).
    bool consistent() const { return slots_.consistent(); }

protected:
    // The key kept beside an item's slot (see SlotBlocks); insertAt stores slotKeyFor(item).
    virtual uint64_t slotKeyFor(const StoreObject* item) const;
    uint64_t slotKeyAt(int32_t index) const { return slots_.keyAt(index); }
    void setSlotKeyAt(int32_t index, uint64_t key) { slots_.setKeyAt(index, key); }

private:
    SlotBlocks slots_;
    int32_t capacity_ = 0;
    bool reserved_ = false;
};

// A collection kept in the order of `compare`. With `duplicates` zero an item whose key equals
// an item already held is refused.
class SortedCollection : public Collection {
public:
    SortedCollection(int32_t capacity, int32_t duplicates);

    int32_t duplicates() const { return duplicates_; }

    // The index of an item whose key equals the key of `item` (not necessarily the same
    // object), else -1.
    int32_t indexOf(const StoreObject* item) const override;
    // Sorted insertion. Returns the index where `item` now stands; when an equal item exists
    // and duplicates are refused, -1 - (its index) and nothing is inserted. Memory running
    // out also gives -1 (compare count to tell it from an equal item at index 0).
    int32_t insert(StoreObject* item) override;
    // Takes out and destroys `item` itself, never another item with an equal key; an item
    // that is not held is destroyed all the same.
    void discard(StoreObject* item) override;

    // Negative, zero or positive as key1 sorts before, with or after key2.
    virtual int compare(const StoreObject* key1, const StoreObject* key2) const = 0;
    // The key by which `item` is ordered: the item itself.
    virtual const StoreObject* keyFor(const StoreObject* item) const;
    // Binary search. Returns whether an item with a key equal to `key` is held; `index` is then
    // that item's index (any one of several equal ones), else the index at which `key` would
    // be inserted to keep the order (0 in an empty collection).
    virtual bool find(const StoreObject* key, int32_t& index) const;

protected:
    // The index of `item` itself among the items whose key equals its key, else -1.
    int32_t indexOfObject(const StoreObject* item) const;

private:
    int32_t duplicates_;
};

#endif
