#include "filters/bibtex/cite_keys.h"

namespace {

constexpr uint64_t kFnvBasis = 1469598103934665603ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;
constexpr size_t kFirstSize = 1024;

uint64_t Hash(uint64_t hash, const std::string& text)
{
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c))
             * kFnvPrime;
    }
    return hash != 0 ? hash : 1;
}

}  // namespace

void CiteKeys::Clear()
{
    slots_.assign(slots_.empty() ? 0 : kFirstSize, Slot{});
    count_ = 0;
}

CiteKeys::Slot& CiteKeys::Find(uint64_t hash)
{
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        if (slots_[i].hash == hash || slots_[i].hash == 0)
            return slots_[i];
    }
}

void CiteKeys::Grow()
{
    std::vector<Slot> old(slots_.empty() ? kFirstSize : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.hash != 0)
            Find(slot.hash) = slot;
    }
}

bool CiteKeys::Insert(uint64_t hash)
{
    if (2 * (count_ + 1) > slots_.size())
        Grow();
    Slot& slot = Find(hash);
    if (slot.hash == hash)
        return false;
    slot.hash = hash;
    ++count_;
    return true;
}

void CiteKeys::MakeUnique(std::string& key)
{
    const uint64_t base = Hash(kFnvBasis, key);
    if (Insert(base))
        return;
    const size_t length = key.size();
    for (uint32_t next = Find(base).next;; ++next) {
        key.resize(length);
        for (uint32_t rest = next + 1; rest > 0; rest = (rest - 1) / 26)
            key.insert(length, 1, static_cast<char>('a' + (rest - 1) % 26));
        if (Insert(Hash(kFnvBasis, key))) {
            Find(base).next = next + 1;
            return;
        }
    }
}
