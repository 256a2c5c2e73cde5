#include "store/collection.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

// An item that carries a number and counts its destruction.
class Number : public StoreObject {
public:
    Number(int value, int* destroyed = nullptr) : value(value), destroyed_(destroyed) {}
    ~Number() override
    {
        if (destroyed_ != nullptr) ++*destroyed_;
    }
    int value;

private:
    int* destroyed_;
};

class Numbers : public SortedCollection {
public:
    Numbers(int32_t capacity, int32_t duplicates) : SortedCollection(capacity, duplicates) {}
    int compare(const StoreObject* a, const StoreObject* b) const override
    {
        const int x = static_cast<const Number*>(a)->value;
        const int y = static_cast<const Number*>(b)->value;
        return (x > y) - (x < y);
    }
};

std::vector<int> Values(const Collection& collection)
{
    std::vector<int> values;
    for (int32_t i = 0; i < collection.count(); ++i)
        values.push_back(static_cast<const Number*>(collection.itemAt(i))->value);
    return values;
}

TEST(Collection, DoublesItsCapacityBeforeFreeSlotsFallBelowTwo)
{
    Collection collection(20);
    EXPECT_EQ(collection.capacity(), 20);
    for (int i = 0; i < 19; ++i) ASSERT_EQ(collection.insert(new Number(i)), i + 1);
    EXPECT_EQ(collection.capacity(), 20);
    EXPECT_EQ(collection.insert(new Number(19)), 20);  // 19 of 20 used: 40 before it goes in
    EXPECT_EQ(collection.capacity(), 40);
    EXPECT_EQ(collection.count(), 20);

    Collection empty(0);  // doubling nothing still makes room
    EXPECT_EQ(empty.insert(new Number(1)), 1);
    EXPECT_GE(empty.capacity() - empty.count(), 1);
}

// A collection whose slots cannot grow after construction, as when memory runs out.
class FixedCollection : public Collection {
public:
    explicit FixedCollection(int32_t capacity) : Collection(capacity) {}
    void setCapacity(int32_t) override {}
};

TEST(Collection, RefusesAnInsertionWhenItCannotGrow)
{
    FixedCollection collection(3);
    EXPECT_EQ(collection.insert(new Number(1)), 1);
    EXPECT_EQ(collection.insert(new Number(2)), 2);
    EXPECT_EQ(collection.insert(new Number(3)), 3);  // the last free slot is still used
    Number refused(4);
    EXPECT_EQ(collection.insert(&refused), -1);
    EXPECT_EQ(collection.insertAt(0, &refused), -1);
    EXPECT_EQ(collection.count(), 3);
    EXPECT_EQ(collection.capacity(), 3);
    EXPECT_EQ(Values(collection), (std::vector<int>{1, 2, 3}));
}

TEST(Collection, SetCapacityNeverFallsBelowTheCount)
{
    Collection collection(10);
    for (int i = 0; i < 5; ++i) collection.insert(new Number(i));
    collection.setCapacity(5);
    EXPECT_EQ(collection.capacity(), 10);
    collection.setCapacity(3);
    EXPECT_EQ(collection.capacity(), 10);
    collection.setCapacity(-1);
    EXPECT_EQ(collection.capacity(), 10);
    collection.setCapacity(6);
    EXPECT_EQ(collection.capacity(), 6);
    collection.grow();
    EXPECT_EQ(collection.capacity(), 55);
    EXPECT_EQ(Values(collection), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(Collection, InsertsRemovesAndRefusesIndexesOutsideTheList)
{
    Collection collection(4);
    Number* items[] = {new Number(0), new Number(1), new Number(2)};
    EXPECT_EQ(collection.insertAt(0, items[1]), 0);
    EXPECT_EQ(collection.insertAt(0, items[0]), 0);
    EXPECT_EQ(collection.insertAt(2, items[2]), 2);
    EXPECT_EQ(Values(collection), (std::vector<int>{0, 1, 2}));
    Number stranger(9);
    EXPECT_EQ(collection.insertAt(4, &stranger), -1);
    EXPECT_EQ(collection.insertAt(-1, &stranger), -1);
    EXPECT_EQ(collection.itemAt(3), nullptr);
    EXPECT_EQ(collection.itemAt(-1), nullptr);
    EXPECT_EQ(collection.slotAt(3), nullptr);
    EXPECT_EQ(*collection.slotAt(1), items[1]);

    collection.removeAt(1, 0);
    EXPECT_EQ(Values(collection), (std::vector<int>{0, 2}));
    collection.removeAt(7, 0);
    collection.removeAt(-1, 0);
    EXPECT_EQ(collection.count(), 2);
    delete items[1];
}

TEST(Collection, IndexOfAndRemoveItemGoByPointer)
{
    Collection collection(4);
    Number* one = new Number(1);
    Number equal(1);
    collection.insert(one);
    EXPECT_EQ(collection.indexOf(one), 0);
    EXPECT_EQ(collection.indexOf(&equal), -1);
    collection.removeItem(&equal);  // not held: nothing changes
    EXPECT_EQ(collection.count(), 1);
    collection.removeItem(one);
    EXPECT_EQ(collection.count(), 0);
    delete one;
}

TEST(Collection, DiscardingDestroysRemovingDoesNot)
{
    int destroyed = 0;
    {
        Collection collection(2);
        Number* kept = new Number(0, &destroyed);
        for (int i = 0; i < 6; ++i) collection.insert(new Number(i, &destroyed));
        collection.discardAt(0);
        EXPECT_EQ(destroyed, 1);
        Number* second = static_cast<Number*>(collection.itemAt(0));
        collection.discard(second);
        EXPECT_EQ(destroyed, 2);
        EXPECT_EQ(collection.count(), 4);
        collection.discard(kept);  // not held: destroyed all the same
        EXPECT_EQ(destroyed, 3);
        std::vector<StoreObject*> held;
        for (int32_t i = 0; i < collection.count(); ++i) held.push_back(collection.itemAt(i));
        collection.removeAll();
        EXPECT_EQ(collection.count(), 0);
        EXPECT_EQ(destroyed, 3);
        for (StoreObject* item : held) collection.insert(item);
        collection.discardAt(99);
        EXPECT_EQ(destroyed, 3);
    }
    EXPECT_EQ(destroyed, 7);  // the destructor destroys what is still held
}

TEST(SortedCollection, FindGivesTheIndexOfTheItemOrWhereItWouldGo)
{
    Numbers numbers(4, 0);
    int32_t index = -5;
    Number probe(1);
    EXPECT_FALSE(numbers.find(&probe, index));
    EXPECT_EQ(index, 0);
    for (int value : {5, 1, 3}) numbers.insert(new Number(value));
    EXPECT_EQ(Values(numbers), (std::vector<int>{1, 3, 5}));

    struct Case {
        int key;
        bool found;
        int32_t index;
    };
    const Case cases[] = {
        {0, false, 0}, {1, true, 0},  {2, false, 1}, {3, true, 1},
        {4, false, 2}, {5, true, 2},  {6, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Number key(c.key);
        EXPECT_EQ(numbers.find(&key, index), c.found);
        EXPECT_EQ(index, c.index);
    }
}

TEST(SortedCollection, RefusesAnEqualKeyWithTheComplementOfItsIndex)
{
    Numbers numbers(4, 0);
    for (int value : {10, 20, 30}) numbers.insert(new Number(value));
    Number twenty(20);
    EXPECT_EQ(numbers.insert(&twenty), ~1);
    Number ten(10);
    EXPECT_EQ(numbers.insert(&ten), ~0);
    EXPECT_EQ(Values(numbers), (std::vector<int>{10, 20, 30}));

    EXPECT_EQ(numbers.indexOf(&twenty), 1);  // an equal key, not the same object
    Number absent(25);
    EXPECT_EQ(numbers.indexOf(&absent), -1);
    numbers.removeItem(&absent);
    EXPECT_EQ(numbers.count(), 3);

    Numbers duplicates(4, 1);
    for (int value : {10, 20, 20, 30}) EXPECT_GE(duplicates.insert(new Number(value)), 0);
    EXPECT_EQ(Values(duplicates), (std::vector<int>{10, 20, 20, 30}));
}

TEST(SortedCollection, DiscardDestroysTheVeryItemAmongEqualOnes)
{
    int destroyed = 0;
    Numbers numbers(4, 1);
    Number* first = new Number(20, &destroyed);
    Number* second = new Number(20, &destroyed);
    numbers.insert(new Number(10));
    numbers.insert(first);
    numbers.insert(second);
    numbers.discard(second);
    EXPECT_EQ(destroyed, 1);
    ASSERT_EQ(numbers.count(), 2);
    EXPECT_EQ(numbers.itemAt(1), first);
}

// Many insertions and removals at random places against a plain vector, so that blocks fill,
// split, empty and merge.
TEST(Collection, KeepsItsItemsInPlaceThroughManyChanges)
{
    Collection collection(10);
    std::vector<StoreObject*> model;
    std::vector<std::unique_ptr<Number>> pool;
    for (int i = 0; i < 4000; ++i) pool.push_back(std::make_unique<Number>(i));
    uint32_t state = 12345;
    const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int step = 0; step < 30000; ++step) {
        const bool grow = model.size() < 200 || (next() >> 8) % 100 < (step < 15000 ? 60u : 35u);
        if (grow) {
            const int32_t at = static_cast<int32_t>((next() >> 8) % (model.size() + 1));
            StoreObject* item = pool[(next() >> 8) % pool.size()].get();
            ASSERT_EQ(collection.insertAt(at, item), at);
            model.insert(model.begin() + at, item);
        } else {
            const int32_t at = static_cast<int32_t>((next() >> 8) % model.size());
            collection.removeAt(at, 0);
            model.erase(model.begin() + at);
        }
        if (step % 997 == 0 || step == 29999) {
            ASSERT_TRUE(collection.consistent()) << step;
            ASSERT_EQ(collection.count(), static_cast<int32_t>(model.size()));
            ASSERT_GE(collection.capacity(), collection.count());
            for (std::size_t i = 0; i < model.size(); ++i)
                ASSERT_EQ(collection.itemAt(static_cast<int32_t>(i)), model[i]) << step << " " << i;
        }
    }
    collection.removeAll();
    EXPECT_TRUE(collection.consistent());
}

TEST(SortedCollection, StaysSortedAndFindsEveryItemAtAnySize)
{
    Numbers numbers(100, 0);
    std::vector<int> values;
    uint32_t state = 99;
    for (int i = 0; i < 5000; ++i) {
        state = state * 1664525u + 1013904223u;
        const int value = static_cast<int>(state >> 12);
        const int32_t countBefore = numbers.count();
        Number* item = new Number(value);
        const int32_t result = numbers.insert(item);
        if (std::find(values.begin(), values.end(), value) != values.end()) {
            EXPECT_LT(result, 0);
            EXPECT_EQ(numbers.count(), countBefore);
            delete item;
        } else {
            ASSERT_GE(result, 0);
            values.push_back(value);
        }
    }
    std::sort(values.begin(), values.end());
    EXPECT_EQ(Values(numbers), values);
    EXPECT_TRUE(numbers.consistent());
    for (std::size_t i = 0; i < values.size(); i += 37) {
        Number key(values[i]);
        EXPECT_EQ(numbers.indexOf(&key), static_cast<int32_t>(i));
    }
}

}  // namespace
