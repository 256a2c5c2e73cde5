#include "store/collection.h"

#include <iterator>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace {

class Number : public StoreObject {
public:
    explicit Number(int value) : value(value) {}
    int value;
};

class Numbers : public SortedCollection {
public:
    using SortedCollection::SortedCollection;
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

// Random insertions and removals against a plain vector, so that the slot blocks fill, split,
// empty and merge; then sorted insertions against a set, with duplicates refused.
TEST(Collection, AgreesWithAPlainModelThroughManyChanges)
{
    Collection collection(10);
    std::vector<StoreObject*> model;
    std::vector<std::unique_ptr<Number>> pool;
    for (int i = 0; i < 4000; ++i) pool.push_back(std::make_unique<Number>(i));
    uint32_t state = 12345;
    const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int step = 0; step < 30000; ++step) {
        const bool grow = model.size() < 200 || next() % 100 < (step < 15000 ? 60u : 35u);
        if (grow) {
            const int32_t at = static_cast<int32_t>(next() % (model.size() + 1));
            StoreObject* item = pool[next() % pool.size()].get();
            ASSERT_EQ(collection.insertAt(at, item), at);
            model.insert(model.begin() + at, item);
        } else {
            const int32_t at = static_cast<int32_t>(next() % model.size());
            collection.removeAt(at, 0);
            model.erase(model.begin() + at);
        }
        if (step % 997 != 0) continue;
        ASSERT_TRUE(collection.consistent()) << step;
        ASSERT_EQ(collection.count(), static_cast<int32_t>(model.size()));
        for (std::size_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(collection.itemAt(static_cast<int32_t>(i)), model[i]) << step << " " << i;
    }
    collection.removeAll();

    Numbers numbers(100, 0);
    std::set<int> values;
    for (int i = 0; i < 5000; ++i) {
        Number* item = new Number(static_cast<int>(next() % 20000));
        const bool fresh = values.insert(item->value).second;
        const int32_t result = numbers.insert(item);
        EXPECT_EQ(result >= 0, fresh);
        if (!fresh) delete item;
    }
    EXPECT_EQ(Values(numbers), std::vector<int>(values.begin(), values.end()));
    EXPECT_TRUE(numbers.consistent());
    // Find gives the item's index, or where it would go.
    for (int value = -1; value <= 20000; value += 7) {
        Number probe(value);
        int32_t index = -5;
        const auto place = values.lower_bound(value);
        EXPECT_EQ(numbers.find(&probe, index), place != values.end() && *place == value);
        ASSERT_EQ(index, std::distance(values.begin(), place)) << value;
    }
    Number equal(*values.begin());
    EXPECT_EQ(numbers.insert(&equal), ~0);  // an equal key: the complement of its index
}

}  // namespace
