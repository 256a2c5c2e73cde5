#include "store/text/names.h"

#include <cstring>
#include <initializer_list>

#include "store/text/text_rules.h"

namespace {

bool IsLineSpace(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* at, const char* end)
{
    while (at < end && IsBlank(*at)) ++at;
    return at;
}

const char* DropTrailingBlanks(const char* begin, const char* end)
{
    while (end > begin && IsBlank(end[-1])) --end;
    return end;
}

// Whether [begin, end) is a generational suffix ("Jr.", "III"), blanks around it aside.
bool IsGenerationalSuffix(const char* begin, const char* end)
{
    begin = SkipBlanks(begin, end);
    end = DropTrailingBlanks(begin, end);
    for (const char* suffix : {"jr", "jr.", "sr", "sr.", "ii", "iii", "iv"}) {
        const char* at = begin;
        const char* wanted = suffix;
        for (; at < end && *wanted != 0 && ToLowerChar(*at) == *wanted; ++at) ++wanted;
        if (at == end && *wanted == 0) return true;
    }
    return false;
}

const char* LastOf(const char* begin, const char* end, char wanted)
{
    for (const char* at = end; at > begin;)
        if (*--at == wanted) return at;
    return nullptr;
}

const char* LastBlank(const char* begin, const char* end)
{
    for (const char* at = end; at > begin;)
        if (IsBlank(*--at)) return at;
    return nullptr;
}

const char* FirstBlank(const char* begin, const char* end)
{
    for (const char* at = begin; at < end; ++at)
        if (IsBlank(*at)) return at;
    return nullptr;
}

// The parts without the blanks around them.
NameParts MakeParts(const char* family, const char* familyEnd, const char* given,
                    const char* givenEnd)
{
    NameParts parts;
    parts.family = SkipBlanks(family, familyEnd);
    parts.familyLength =
        static_cast<std::size_t>(DropTrailingBlanks(parts.family, familyEnd) - parts.family);
    if (given != nullptr) {
        given = SkipBlanks(given, givenEnd);
        givenEnd = DropTrailingBlanks(given, givenEnd);
        if (given < givenEnd) {
            parts.given = given;
            parts.givenLength = static_cast<std::size_t>(givenEnd - given);
        }
    }
    return parts;
}

int CompareParts(const NameParts& a, const NameParts& b)
{
    const int family = CompareTextI(a.family, a.familyLength, b.family, b.familyLength);
    if (family != 0) return family;
    if (a.given == nullptr) return b.given == nullptr ? 0 : -1;
    if (b.given == nullptr) return 1;
    return CompareTextI(a.given, a.givenLength, b.given, b.givenLength);
}

// Orders the current names of two walks: an ended walk first, then family names, then given
// names (none before some).
int CompareWalkNames(const NameWalk& a, const NameWalk& b)
{
    if (a.ended) return b.ended ? 0 : -1;
    if (b.ended) return 1;
    return CompareParts(a.name, b.name);
}

}  // namespace

bool IsValidNameSeparator(char separator)
{
    return separator != 0 && !IsLineSpace(separator);
}

NameParts SplitName(const char* name, std::size_t length, const NameOptions& options)
{
    const char* end = DropTrailingBlanks(name, name + length);
    if (const char* separator = LastOf(name, end, options.separator)) {
        // "Smith, J, Jr.": the suffix goes with the given names.
        const char* earlier = LastOf(name, separator, options.separator);
        if (earlier != nullptr && IsGenerationalSuffix(separator + 1, end)) separator = earlier;
        return MakeParts(name, separator, separator + 1, end);
    }
    if (options.familyLast != 0) {
        const char* blank = LastBlank(name, end);
        if (blank != nullptr && blank != name) return MakeParts(blank + 1, end, name, blank);
        return MakeParts(name, end, nullptr, nullptr);
    }
    if (const char* blank = FirstBlank(name, end)) return MakeParts(name, blank, blank + 1, end);
    return MakeParts(name, end, nullptr, nullptr);
}

void StartNameWalk(NameWalk& walk, const char* list)
{
    walk = NameWalk();
    walk.list = list;
    walk.afterLineFeed = list;
    walk.ended = list == nullptr;
}

void AdvanceNameWalk(NameWalk& walk, const NameOptions& options)
{
    walk.name = NameParts();
    if (walk.ended) return;
    const char* start = walk.afterLineFeed;
    if (walk.consumed > 0) {
        const char* lineFeed = std::strchr(walk.afterLineFeed, '\n');
        if (lineFeed == nullptr) {
            walk.ended = true;
            return;
        }
        walk.afterLineFeed = lineFeed + 1;
        start = walk.afterLineFeed;
        while (*start != 0 && IsLineSpace(*start)) ++start;
        if (*start == 0) {
            walk.ended = true;
            return;
        }
    }
    const char* end = start;
    while (*end != 0 && *end != '\n') ++end;
    if (*end == '\n' && end > start && end[-1] == '\r') --end;
    ++walk.consumed;
    walk.name = SplitName(start, static_cast<std::size_t>(end - start), options);
}

int compareNameLists(const NameOptions& options, const char* listA, const char* listB)
{
    if (options.method == kCompareAsWritten) return CompareTextI(listA, listB);
    if (options.method != kCompareFamilyNames) return -1;
    NameWalk a;
    NameWalk b;
    StartNameWalk(a, listA);
    StartNameWalk(b, listB);
    for (;;) {
        AdvanceNameWalk(a, options);
        AdvanceNameWalk(b, options);
        const int result = CompareWalkNames(a, b);
        if (result != 0 || a.ended || b.ended) return result;
    }
}
