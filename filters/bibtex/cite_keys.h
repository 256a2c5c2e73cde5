// The cite keys written to one file, so that each is used once. A key is held as a 64-bit hash
// of its lower-case text (BibTeX takes keys that differ in case alone for the same key); two
// keys with the same hash would only cost one of them a suffix it did not need. An open table
// of hashes, a probe or two for each key, as a file may hold a hundred thousand.
#ifndef CARTULAN_FILTERS_BIBTEX_CITE_KEYS_H
#define CARTULAN_FILTERS_BIBTEX_CITE_KEYS_H

#include <cstdint>
#include <string>
#include <vector>

class CiteKeys {
public:
    void Clear();

    // Makes `key` unique: as it stands when unused, else with the first free suffix "a" to
    // "z", "aa", ... The search for a key used before starts where its last one ended.
    void MakeUnique(std::string& key);

private:
    struct Slot {
        uint64_t hash = 0;  // 0: empty
        uint32_t next = 0;  // the suffix to try first for this key
    };

    Slot& Find(uint64_t hash);
    // Marks the hash used; false when it was used already.
    bool Insert(uint64_t hash);
    void Grow();

    std::vector<Slot> slots_;
    size_t count_ = 0;
};

#endif
