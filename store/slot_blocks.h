// The pointer slots behind a collection, kept in blocks of at most kBlockSlots pointers with a
// directory of where each block starts. Inserting in the middle of a list of a million
// references then moves at most one block of pointers and one integer per block, instead of
// half the list; reading slot i costs a look at the last block used or a binary search of the
// directory.
//
// Beside each pointer lies a 64-bit key that the owning collection may use as it likes (a
// sorted list keeps a prefix of the item's sort key there, so that a search reads the blocks
// and not the items).
#ifndef CARTULAN_STORE_SLOT_BLOCKS_H
#define CARTULAN_STORE_SLOT_BLOCKS_H

#include <cstdint>

class StoreObject;

class SlotBlocks {
public:
    static constexpr int32_t kBlockSlots = 1024;

    SlotBlocks() = default;
    SlotBlocks(const SlotBlocks&) = delete;
    SlotBlocks& operator=(const SlotBlocks&) = delete;
    ~SlotBlocks();  // frees the blocks, never the items

    int32_t count() const { return count_; }

    // Prepares the directory for `slots` items. Returns 0 when memory runs out.
    int reserve(int32_t slots);

    // The slot of item `index` (0 <= index < count); valid until the next change.
    StoreObject** slotAt(int32_t index) const;

    // The key beside item `index` (0 <= index < count).
    uint64_t keyAt(int32_t index) const;
    void setKeyAt(int32_t index, uint64_t key);

    // Puts `item` and its key before item `index` (0 <= index <= count). Returns 0 when memory
    // runs out; nothing is changed then.
    int insertAt(int32_t index, StoreObject* item, uint64_t key);

    // Takes out item `index` (0 <= index < count) and closes the gap.
    void removeAt(int32_t index);

    // Checks the directory against the blocks (for tests): every block holds items, starts
    // add up and the total is count.
    bool consistent() const;

private:
    struct Block {
        int32_t count;
        StoreObject* slots[kBlockSlots];
        uint64_t keys[kBlockSlots];
    };

    static void MoveEntries(Block& to, int32_t toOffset, const Block& from, int32_t fromOffset,
                            int32_t count);
    int32_t blockOf(int32_t index) const;
    Block* addBlock(int32_t position, int32_t start);
    void dropBlock(int32_t position);
    int growDirectory(int32_t entries);
    void shiftStarts(int32_t firstBlock, int32_t delta);
    void mergeIfSparse(int32_t block);

    Block** blocks_ = nullptr;
    int32_t* starts_ = nullptr;   // index of the first item of each block
    int32_t blockCount_ = 0;
    int32_t directorySize_ = 0;
    int32_t count_ = 0;
    mutable int32_t lastBlock_ = 0;  // where the last lookup ended; sequential reads stay there
};

#endif
