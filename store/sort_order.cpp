#include "store/sort_order.h"

#include "store/text/dates.h"
#include "store/text/text_rules.h"
#include "store/reference.h"

namespace {

const char* SortText(const Reference& reference, int32_t field)
{
    switch (field) {
    case kSortAuthor: return reference.authors;
    case kSortDate: return reference.date;
    case kSortTitle: return reference.title != nullptr ? reference.title : reference.source;
    case kSortSource: return reference.source;
    case kSortKeywords: return reference.keywords;
    default: return reference.publisher;
    }
}

int CompareAuthors(const char* a, const char* b, const NameOptions& options)
{
    const int r = CompareTextI(a, b);
    // Comparing as written is the same comparison again.
    if (r == 0 || options.method == kCompareAsWritten) return r;
    return compareNameLists(options, a, b);
}

int CompareDates(const char* a, const char* b)
{
    const int yearA = yearOfDate(a);
    const int yearB = yearOfDate(b);
    if (yearA != yearB) return yearA < yearB ? -1 : 1;
    return CompareTextI(a, b);
}

int CompareKey(const Reference& a, const Reference& b, int32_t field, const NameOptions& options)
{
    const char* textA = SortText(a, field);
    const char* textB = SortText(b, field);
    if (textA == nullptr) return textB == nullptr ? 0 : 1;
    if (textB == nullptr) return -1;
    switch (field) {
    case kSortAuthor: return CompareAuthors(textA, textB, options);
    case kSortDate: return CompareDates(textA, textB);
    case kSortTitle: {
        const int r = CompareTextI(textA, textB);
        if (r != 0) return r;
        return a.sourceType == b.sourceType ? 0 : a.sourceType < b.sourceType ? -1 : 1;
    }
    default: return CompareTextI(textA, textB);
    }
}

uint64_t AuthorPrefix(const char* authors, const NameOptions& options)
{
    if (options.method == kCompareAsWritten) return PrimaryWeightPrefix(authors);
    // An unknown method orders nothing consistently: leave every comparison to compare.
    if (options.method != kCompareFamilyNames) return 0;
    NameWalk walk;
    StartNameWalk(walk, authors);
    AdvanceNameWalk(walk, options);
    return PrimaryWeightPrefix(walk.name.family, walk.name.familyLength);
}

uint64_t PresentPrefix(const char* text, int32_t field, const NameOptions& options)
{
    switch (field) {
    case kSortAuthor: return AuthorPrefix(text, options);
    // Years run from -1; the highest prefix stays free for an absent date.
    case kSortDate: return static_cast<uint64_t>(static_cast<int64_t>(yearOfDate(text)) + 1);
    default: return PrimaryWeightPrefix(text);
    }
}

}  // namespace

uint64_t SortPrefix(const Reference& reference, const SortSpec& keys, const NameOptions& options)
{
    const int32_t key = keys.keys[0];
    const int32_t field = key & kSortFieldMask;
    if (field >= kSortNone) return 0;
    const char* text = SortText(reference, field);
    const uint64_t prefix = text == nullptr ? UINT64_MAX : PresentPrefix(text, field, options);
    return (key & kSortDescending) != 0 ? ~prefix : prefix;
}

int CompareReferences(const Reference& a, const Reference& b, const SortSpec& keys,
                      const NameOptions& options)
{
    if (&a == &b) return 0;
    for (int32_t key : keys.keys) {
        const int32_t field = key & kSortFieldMask;
        if (field >= kSortNone) break;
        int r = CompareKey(a, b, field, options);
        if ((key & kSortDescending) != 0) r = -r;
        if (r != 0) return r < 0 ? -1 : 1;
    }
    return 0;
}

bool SortKeysRepeatField(const SortSpec& keys)
{
    for (int i = 1; i < kSortKeyCount; ++i) {
        const int32_t field = keys.keys[i] & kSortFieldMask;
        if (field >= kSortNone) continue;
        for (int j = 0; j < i; ++j)
            if ((keys.keys[j] & kSortFieldMask) == field) return true;
    }
    return false;
}
