// LoadRef of the refer format: a reference is a run of non-empty lines; "%X text" lines are
// fields by the tag letter X, everything else that fits no field goes to the abstract.
#include <array>
#include <cstring>
#include <iterator>
#include <string_view>

#include "filters/common/filter_state.h"
#include "filters/common/line_text.h"
#include "filters/common/text_edit.h"
#include "filters/refer/oem_text.h"
#include "filters/refer/refer_filter.h"
#include "io/filter_exports.h"

namespace {

constexpr std::string_view kParagraphBreak = "\r\n\r\n";
constexpr std::string_view kKeywordJoin = ", ";
// A tag line is "%", the letter, one character that is skipped, then the text.
constexpr size_t kTagLineTextStart = 3;

enum class ReferRule : unsigned char {
    kFirstKept,   // set only while still empty
    kJoinLines,   // each line one more name
    kJoinKeywords,
    kParagraph,   // each line a new paragraph
    kSource,      // first text kept; the source type follows the last such line
};

struct ReferTag {
    char letter;
    RecordText field;
    ReferRule rule;
    unsigned char sourceType;
};

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

void TakeTaggedText(RecordFields& fields, const ReferTag& tag, std::string_view text)
{
    FieldText& field = fields[tag.field];
    switch (tag.rule) {
    case ReferRule::kFirstKept:
        SetFieldIfEmpty(field, text);
        break;
    case ReferRule::kJoinLines:
        AppendField(field, kLineBreak, text);
        break;
    case ReferRule::kJoinKeywords:
        AppendField(field, kKeywordJoin, text);
        break;
    case ReferRule::kParagraph:
        AppendField(field, kParagraphBreak, text);
        break;
    case ReferRule::kSource:
        SetFieldIfEmpty(field, text);
        fields.sourceType = tag.sourceType;
        break;
    }
}

void TakeLine(ReferFilter& filter, char* line)
{
    const size_t length = std::strlen(line);
    RecordFields& fields = filter.fields;
    if (line[0] != '%') {
        AppendField(fields[kRecordAbstract], kParagraphBreak, std::string_view(line, length));
        return;
    }
    if (length < kTagLineTextStart)
        return;
    if (filter.oemText)
        OemToAnsiInPlace(line, length);
    const int entry = kTagIndex[static_cast<unsigned char>(line[1])];
    if (entry == kNoTag) {
        AppendField(fields[kRecordAbstract], kParagraphBreak, std::string_view(line, length));
        return;
    }
    TakeTaggedText(fields, kReferTags[entry],
                   std::string_view(line + kTagLineTextStart, length - kTagLineTextStart));
}

// Reads one reference into the filter's fields; returns its status.
int ReadReference(ReferFilter& filter, LineFile* file)
{
    char* line = filter.buffers.line;
    ClearFields(filter.fields);
    bool more;
    while ((more = ReadNextLine(file, line)) && line[0] == '\0') {
    }
    if (!more)
        return kRecordNone;
    do {
        TakeLine(filter, line);
    } while ((more = ReadNextLine(file, line)) && line[0] != '\0');
    ReplaceAll(filter.fields[kRecordKeywords].text, kKeywordJoin, kLineBreak);
    return more ? kRecordDelivered : kRecordDeliveredLast;
}

}  // namespace

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    ReferFilter* filter = TheReferFilter();
    if (filter == nullptr)
        return NoRecord();
    return DeliverRecord(filter->owned, filter->fields,
                         [&] { return ReadReference(*filter, file); });
}
