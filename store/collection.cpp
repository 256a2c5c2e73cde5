#include "store/collection.h"

namespace {

bool Within(int32_t index, int32_t count) { return index >= 0 && index < count; }

// Doubling, but at least two free slots, and never beyond the largest count.
int32_t DoubledCapacity(int32_t capacity, int32_t count)
{
    int64_t wanted = static_cast<int64_t>(capacity) * 2;
    if (wanted < static_cast<int64_t>(count) + 2) wanted = static_cast<int64_t>(count) + 2;
    return wanted > INT32_MAX ? INT32_MAX : static_cast<int32_t>(wanted);
}

}  // namespace

Collection::Collection(int32_t capacity) { setCapacity(capacity); }

Collection::~Collection() { discardAll(); }

StoreObject** Collection::slotAt(int32_t index)
{
    return Within(index, count()) ? slots_.slotAt(index) : nullptr;
}

StoreObject* Collection::itemAt(int32_t index) const
{
    return Within(index, count()) ? *slots_.slotAt(index) : nullptr;
}

void Collection::removeAt(int32_t index, int32_t /*release*/)
{
    if (Within(index, count())) slots_.removeAt(index);
}

void Collection::discardAt(int32_t index)
{
    if (!Within(index, count())) return;
    destroyItem(itemAt(index));
    removeAt(index, 0);
}

void Collection::discard(StoreObject* item)
{
    removeItem(item);
    destroyItem(item);
}

void Collection::discardAll()
{
    for (int32_t i = count() - 1; i >= 0; --i) discardAt(i);
}

void Collection::destroyItem(StoreObject* item) { delete item; }

int32_t Collection::insertAt(int32_t index, StoreObject* item)
{
    if (index < 0 || index > count()) return -1;
    if (capacity_ - count() < 2) setCapacity(DoubledCapacity(capacity_, count()));
    if (capacity_ - count() < 1) return -1;
    if (!slots_.insertAt(index, item, slotKeyFor(item))) return -1;
    return index;
}

void Collection::removeItem(StoreObject* item)
{
    const int32_t index = indexOf(item);
    if (index >= 0) removeAt(index, 0);
}

void Collection::removeAll()
{
    for (int32_t i = count() - 1; i >= 0; --i) removeAt(i, 1);
}

int32_t Collection::indexOf(const StoreObject* item) const
{
    for (int32_t i = 0; i < count(); ++i)
        if (*slots_.slotAt(i) == item) return i;
    return -1;
}

int32_t Collection::insert(StoreObject* item)
{
    const int32_t index = insertAt(count(), item);
    return index < 0 ? -1 : index + 1;
}

uint64_t Collection::slotKeyFor(const StoreObject*) const { return 0; }

void Collection::grow() { setCapacity(count() + 50); }

void Collection::setCapacity(int32_t capacity)
{
    if (capacity < 0) return;
    if (reserved_ && capacity <= count()) return;
    if (!slots_.reserve(capacity)) return;
    capacity_ = capacity;
    reserved_ = true;
}

SortedCollection::SortedCollection(int32_t capacity, int32_t duplicates)
    : Collection(capacity), duplicates_(duplicates)
{
}

const StoreObject* SortedCollection::keyFor(const StoreObject* item) const { return item; }

bool SortedCollection::find(const StoreObject* key, int32_t& index) const
{
    index = 0;
    if (count() == 0) return false;
    int32_t low = 0;
    int32_t high = count();
    int32_t previous = -1;
    for (;;) {
        const int32_t middle = low + (high - low) / 2;
        const int c = compare(key, keyFor(itemAt(middle)));
        if (c == 0) {
            index = middle;
            return true;
        }
        if (c < 0)
            high = middle;
        else
            low = middle;
        // The midpoint stops moving once low and high are neighbours.
        if (middle == previous) {
            index = c > 0 ? middle + 1 : middle;
            return false;
        }
        previous = middle;
    }
}

int32_t SortedCollection::indexOf(const StoreObject* item) const
{
    int32_t index;
    return find(keyFor(item), index) ? index : -1;
}

int32_t SortedCollection::insert(StoreObject* item)
{
    int32_t index;
    if (find(keyFor(item), index) && duplicates_ == 0) return -1 - index;
    return insertAt(index, item);
}

int32_t SortedCollection::indexOfObject(const StoreObject* item) const
{
    int32_t found;
    if (!find(keyFor(item), found)) return -1;
    const StoreObject* key = keyFor(item);
    for (int32_t i = found; i >= 0 && compare(key, keyFor(itemAt(i))) == 0; --i)
        if (itemAt(i) == item) return i;
    for (int32_t i = found + 1; i < count() && compare(key, keyFor(itemAt(i))) == 0; ++i)
        if (itemAt(i) == item) return i;
    return -1;
}

void SortedCollection::discard(StoreObject* item)
{
    const int32_t index = indexOfObject(item);
    if (index >= 0) removeAt(index, 0);
    destroyItem(item);
}
