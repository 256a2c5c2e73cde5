#include "filters/refer/refer_tags.h"

#include <array>
#include <iterator>

namespace {

constexpr ReferTag kReferTags[] = {
    {'A', kRecordAuthors, ReferRule::kJoinLines, 0},
    {'B', kRecordSource, ReferRule::kSource, kRecordBook},
    {'C', kRecordCity, ReferRule::kFirstKept, 0},
    {'D', kRecordDate, ReferRule::kFirstKept, 0},
    {'E', kRecordEditors, ReferRule::kJoinLines, 0},
    {'I', kRecordPublisher, ReferRule::kFirstKept, 0},
    {'J', kRecordSource, ReferRule::kSource, kRecordJournal},
    {'K', kRecordKeywords, ReferRule::kJoinKeywords, 0},
    {'N', kRecordNumber, ReferRule::kFirstKept, 0},
    {'P', kRecordPages, ReferRule::kFirstKept, 0},
    {'R', kRecordSource, ReferRule::kSource, kRecordReport},
    {'T', kRecordTitle, ReferRule::kFirstKept, 0},
    {'V', kRecordVolume, ReferRule::kFirstKept, 0},
    {'X', kRecordAbstract, ReferRule::kParagraph, 0},
};

constexpr int kNoTag = -1;

// The entry of kReferTags for each possible tag byte, for a lookup per line.
constexpr std::array<signed char, 256> MakeTagIndex()
{
    std::array<signed char, 256> index{};
    for (signed char& entry : index)
        entry = kNoTag;
    for (size_t i = 0; i < std::size(kReferTags); ++i)
        index[static_cast<unsigned char>(kReferTags[i].letter)] = static_cast<signed char>(i);
    return index;
}

constexpr std::array<signed char, 256> kTagIndex = MakeTagIndex();

}  // namespace

const ReferTag* FindReferTag(char letter)
{
    const int entry = kTagIndex[static_cast<unsigned char>(letter)];
    return entry == kNoTag ? nullptr : &kReferTags[entry];
}
