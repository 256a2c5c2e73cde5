#include "store/slot_blocks.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// A block that falls below a quarter is merged with a neighbour when both fit in half a block,
// so that long runs of deletions do not leave a directory of nearly empty blocks.
constexpr int32_t kSparseBlock = SlotBlocks::kBlockSlots / 4;
constexpr int32_t kMergedBlock = SlotBlocks::kBlockSlots / 2;

}  // namespace

SlotBlocks::~SlotBlocks()
{
    for (int32_t b = 0; b < blockCount_; ++b) delete blocks_[b];
    std::free(blocks_);
    std::free(starts_);
}

int SlotBlocks::growDirectory(int32_t entries)
{
    if (entries <= directorySize_) return 1;
    void* blocks = std::realloc(blocks_, sizeof(Block*) * static_cast<std::size_t>(entries));
    if (blocks == nullptr) return 0;
    blocks_ = static_cast<Block**>(blocks);
    void* starts = std::realloc(starts_, sizeof(int32_t) * static_cast<std::size_t>(entries));
    if (starts == nullptr) return 0;  // the larger block array is kept, which is harmless
    starts_ = static_cast<int32_t*>(starts);
    directorySize_ = entries;
    return 1;
}

int SlotBlocks::reserve(int32_t slots)
{
    if (slots < 0) return 0;
    // Blocks split in halves, so slots need at most two blocks per block's worth.
    const int64_t entries = static_cast<int64_t>(slots) / kBlockSlots * 2 + 2;
    if (entries > INT32_MAX) return 0;
    return growDirectory(static_cast<int32_t>(entries));
}

int32_t SlotBlocks::blockOf(int32_t index) const
{
    const int32_t hint = lastBlock_;
    for (int32_t b = hint; b < blockCount_ && b <= hint + 1; ++b)
        if (starts_[b] <= index && index < starts_[b] + blocks_[b]->count) return lastBlock_ = b;
    int32_t low = 0;
    int32_t high = blockCount_ - 1;
    while (low < high) {
        const int32_t middle = low + (high - low + 1) / 2;
        if (starts_[middle] <= index)
            low = middle;
        else
            high = middle - 1;
    }
    return lastBlock_ = low;
}

StoreObject** SlotBlocks::slotAt(int32_t index) const
{
    const int32_t b = blockOf(index);
    return &blocks_[b]->slots[index - starts_[b]];
}

uint64_t SlotBlocks::keyAt(int32_t index) const
{
    const int32_t b = blockOf(index);
    return blocks_[b]->keys[index - starts_[b]];
}

void SlotBlocks::setKeyAt(int32_t index, uint64_t key)
{
    const int32_t b = blockOf(index);
    blocks_[b]->keys[index - starts_[b]] = key;
}

SlotBlocks::Block* SlotBlocks::addBlock(int32_t position, int32_t start)
{
    if (blockCount_ == directorySize_ && !growDirectory(directorySize_ > 0 ? directorySize_ * 2 : 4))
        return nullptr;
    Block* block = new (std::nothrow) Block;
    if (block == nullptr) return nullptr;
    block->count = 0;
    const std::size_t moved = static_cast<std::size_t>(blockCount_ - position);
    std::memmove(blocks_ + position + 1, blocks_ + position, moved * sizeof(Block*));
    std::memmove(starts_ + position + 1, starts_ + position, moved * sizeof(int32_t));
    blocks_[position] = block;
    starts_[position] = start;
    ++blockCount_;
    return block;
}

void SlotBlocks::dropBlock(int32_t position)
{
    delete blocks_[position];
    const std::size_t moved = static_cast<std::size_t>(blockCount_ - position - 1);
    std::memmove(blocks_ + position, blocks_ + position + 1, moved * sizeof(Block*));
    std::memmove(starts_ + position, starts_ + position + 1, moved * sizeof(int32_t));
    --blockCount_;
    lastBlock_ = 0;
}

void SlotBlocks::MoveEntries(Block& to, int32_t toOffset, const Block& from, int32_t fromOffset,
                             int32_t count)
{
    const std::size_t n = static_cast<std::size_t>(count);
    std::memmove(to.slots + toOffset, from.slots + fromOffset, n * sizeof(StoreObject*));
    std::memmove(to.keys + toOffset, from.keys + fromOffset, n * sizeof(uint64_t));
}

void SlotBlocks::shiftStarts(int32_t firstBlock, int32_t delta)
{
    for (int32_t b = firstBlock; b < blockCount_; ++b) starts_[b] += delta;
}

int SlotBlocks::insertAt(int32_t index, StoreObject* item, uint64_t key)
{
    if (index < 0 || index > count_) return 0;
    if (blockCount_ == 0 && addBlock(0, 0) == nullptr) return 0;

    int32_t b = index == count_ ? blockCount_ - 1 : blockOf(index);
    int32_t offset = index - starts_[b];
    // At the seam of two blocks the end of the earlier one may have room.
    if (offset == 0 && b > 0 && blocks_[b - 1]->count < kBlockSlots) {
        --b;
        offset = blocks_[b]->count;
    }
    Block* block = blocks_[b];
    if (block->count == kBlockSlots) {
        // Appending to or prepending at a full block starts a new one, so lists that grow in
        // order keep full blocks; anywhere else the block splits in halves.
        if (offset == kBlockSlots) {
            const int32_t start = starts_[b] + kBlockSlots;
            block = addBlock(++b, start);
            offset = 0;
        } else if (offset == 0) {
            block = addBlock(b, starts_[b]);
        } else {
            Block* upper = addBlock(b + 1, starts_[b] + kMergedBlock);
            if (upper == nullptr) return 0;
            upper->count = kBlockSlots - kMergedBlock;
            MoveEntries(*upper, 0, *block, kMergedBlock, upper->count);
            block->count = kMergedBlock;
            if (offset > kMergedBlock) {
                ++b;
                offset -= kMergedBlock;
                block = upper;
            }
        }
        if (block == nullptr) return 0;
    }
    MoveEntries(*block, offset + 1, *block, offset, block->count - offset);
    block->slots[offset] = item;
    block->keys[offset] = key;
    ++block->count;
    ++count_;
    shiftStarts(b + 1, 1);
    return 1;
}

void SlotBlocks::mergeIfSparse(int32_t b)
{
    if (blocks_[b]->count >= kSparseBlock) return;
    for (int32_t left = b - 1; left <= b; ++left) {
        if (left < 0 || left + 1 >= blockCount_) continue;
        Block* into = blocks_[left];
        Block* from = blocks_[left + 1];
        if (into->count + from->count > kMergedBlock) continue;
        MoveEntries(*into, into->count, *from, 0, from->count);
        into->count += from->count;
        dropBlock(left + 1);
        return;
    }
}

void SlotBlocks::removeAt(int32_t index)
{
    if (index < 0 || index >= count_) return;
    const int32_t b = blockOf(index);
    Block* block = blocks_[b];
    const int32_t offset = index - starts_[b];
    MoveEntries(*block, offset, *block, offset + 1, block->count - offset - 1);
    --block->count;
    --count_;
    shiftStarts(b + 1, -1);
    if (block->count == 0)
        dropBlock(b);
    else
        mergeIfSparse(b);
}

bool SlotBlocks::consistent() const
{
    int32_t expected = 0;
    for (int32_t b = 0; b < blockCount_; ++b) {
        if (starts_[b] != expected) return false;
        if (blocks_[b]->count <= 0 || blocks_[b]->count > kBlockSlots) return false;
        expected += blocks_[b]->count;
    }
    return expected == count_ && blockCount_ <= directorySize_;
}
