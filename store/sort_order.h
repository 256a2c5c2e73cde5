// The order of references: three sort keys, each a field and a direction. A list's order is
// also its test of sameness: references that compare equal are duplicates in that list.
#ifndef CARTULAN_STORE_SORT_ORDER_H
#define CARTULAN_STORE_SORT_ORDER_H

#include <cstdint>

#include "store/text/names.h"

class Reference;

// Field codes of a sort key (bits 0-2).
enum SortField : int32_t {
    kSortAuthor = 0,
    kSortDate = 1,
    kSortTitle = 2,     // the source stands in for a missing title
    kSortSource = 3,
    kSortKeywords = 4,
    kSortPublisher = 5,
    kSortNone = 6,      // ends the key list
};
constexpr int32_t kSortFieldMask = 7;
constexpr int32_t kSortDescending = 8;
constexpr int kSortKeyCount = 3;

// A sort key is field code + 8 x direction; codes 6 and 7 end the key list.
struct SortSpec {
    int32_t keys[kSortKeyCount] = {kSortAuthor, kSortDate | kSortDescending, kSortTitle};
};

constexpr int32_t MakeSortKey(SortField field, bool descending)
{
    return field + (descending ? kSortDescending : 0);
}

// -1, 0 or 1 as `a` sorts before, with or after `b` under `keys`. Absent fields come after
// present ones (before them for a descending key). Authors compare as whole texts ignoring
// case and, when they differ, by compareNameLists; dates by year, then as texts; titles as
// texts, then by source type; the other fields as texts. Every text comparison is
// CompareTextI.
int CompareReferences(const Reference& a, const Reference& b, const SortSpec& keys,
                      const NameOptions& options);

// An 8-byte summary of the first sort key of `reference`: when the prefixes of two references
// differ, CompareReferences orders them as their prefixes compare (as unsigned numbers); equal
// prefixes decide nothing. An absent field gives the highest prefix (the lowest when the key
// is descending), the date its year, author lists the first letters of the text or, when
// comparing family names, of the first family name.
uint64_t SortPrefix(const Reference& reference, const SortSpec& keys, const NameOptions& options);

// Whether a second or third key repeats the field of an earlier key (keys of None may
// repeat); the sort options refuse such keys.
bool SortKeysRepeatField(const SortSpec& keys);

#endif
