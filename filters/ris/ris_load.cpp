// LoadRef of the RIS format: the tag lines of one record into the fields, by the tag table.
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <string_view>

#include "filters/common/filter_state.h"
#include "filters/common/kept_fields.h"
#include "filters/common/line_text.h"
#include "filters/common/text_edit.h"
#include "filters/ris/ris_filter.h"
#include "io/filter_exports.h"

namespace {

constexpr std::string_view kParagraphBreak = "\r\n\r\n";

enum class RisRule : unsigned char {
    kOther,
    kType,
    kEnd,
    kNames,      // one more line of a name list
    kFirstKept,  // a one-text field: a later line is kept
    kSource,
    kDate,
    kStartPage,
    kEndPage,
    kKeyword,
    kParagraph,
};

struct RisTag {
    char tag[3];
    RisRule rule;
    RecordText field;
};

constexpr std::string_view kSourceTags[] = {"T2", "JF", "JO", "JA", "BT"};
constexpr int kNoSource = -1;

// Which source tag wins, by source type: indexes into kSourceTags. T2 comes first, as the
// writer writes the source.
constexpr int kSourceOrder[3][5] = {
    {0, 1, 2, 3, 4},  // journal
    {0, 4, 1, 2, 3},  // book
    {0, 4, 1, 2, 3},  // report
};

constexpr RisTag kRisTags[] = {
    {"TY", RisRule::kType, kRecordTextCount},
    {"ER", RisRule::kEnd, kRecordTextCount},
    {"AU", RisRule::kNames, kRecordAuthors},
    {"A1", RisRule::kNames, kRecordAuthors},
    {"ED", RisRule::kNames, kRecordEditors},
    {"A2", RisRule::kNames, kRecordEditors},
    {"A3", RisRule::kNames, kRecordEditors},
    {"TI", RisRule::kFirstKept, kRecordTitle},
    {"T1", RisRule::kFirstKept, kRecordTitle},
    {"T2", RisRule::kSource, kRecordSource},
    {"JF", RisRule::kSource, kRecordSource},
    {"JO", RisRule::kSource, kRecordSource},
    {"JA", RisRule::kSource, kRecordSource},
    {"BT", RisRule::kSource, kRecordSource},
    {"PY", RisRule::kDate, kRecordDate},
    {"Y1", RisRule::kDate, kRecordDate},
    {"DA", RisRule::kDate, kRecordDate},
    {"VL", RisRule::kFirstKept, kRecordVolume},
    {"IS", RisRule::kFirstKept, kRecordNumber},
    {"SP", RisRule::kStartPage, kRecordPages},
    {"EP", RisRule::kEndPage, kRecordPages},
    {"PB", RisRule::kFirstKept, kRecordPublisher},
    {"CY", RisRule::kFirstKept, kRecordCity},
    {"KW", RisRule::kKeyword, kRecordKeywords},
    {"AB", RisRule::kParagraph, kRecordAbstract},
    {"N2", RisRule::kParagraph, kRecordAbstract},
};

constexpr int kNoTag = -1;
constexpr size_t kTagSlots = 26 * 36;

// A tag's slot: its first character a capital, its second a capital or a digit.
constexpr size_t TagSlot(char first, char second)
{
    size_t column = second <= '9' ? static_cast<size_t>(second - '0') + 26
                                  : static_cast<size_t>(second - 'A');
    return static_cast<size_t>(first - 'A') * 36 + column;
}

constexpr std::array<signed char, kTagSlots> MakeTagIndex()
{
    std::array<signed char, kTagSlots> index{};
    for (signed char& entry : index)
        entry = kNoTag;
    for (size_t i = 0; i < std::size(kRisTags); ++i)
        index[TagSlot(kRisTags[i].tag[0], kRisTags[i].tag[1])] = static_cast<signed char>(i);
    return index;
}

constexpr std::array<signed char, kTagSlots> kTagIndex = MakeTagIndex();

const RisTag* FindRisTag(std::string_view tag)
{
    int entry = kTagIndex[TagSlot(tag[0], tag[1])];
    return entry == kNoTag ? nullptr : &kRisTags[entry];
}

int SourceSlot(std::string_view tag)
{
    for (size_t i = 0; i < std::size(kSourceTags); ++i) {
        if (tag == kSourceTags[i])
            return static_cast<int>(i);
    }
    return kNoSource;
}

void ClearRecord(RisFilter& filter)
{
    ClearFields(filter.fields);
    filter.kept.clear();
    filter.type.clear();
    filter.startPage.clear();
    filter.endPage.clear();
}

// RIS writes "Last, First, Suffix", the program "Last, Suffix, First", so that the text before
// the last comma is the family name.
void ReorderNames(FieldText& names, std::string& work)
{
    if (names.text.find(',') == std::string::npos)
        return;
    work.clear();
    for (size_t at = 0; at <= names.text.size();) {
        size_t end = std::min(names.text.find(kLineBreak, at), names.text.size());
        std::string_view name = std::string_view(names.text).substr(at, end - at);
        if (!work.empty() || at > 0)
            work.append(kLineBreak.data(), kLineBreak.size());
        if (!SwapNameParts(name, work))
            work.append(name.data(), name.size());
        at = end + kLineBreak.size();
    }
    names.text.swap(work);
}

// The RIS date form "2020/03/15/other" leaves empty parts behind, also when a continuation
// line has made it longer.
void TrimDate(std::string& date)
{
    while (!date.empty() && (date.back() == '/' || date.back() == ' '))
        date.pop_back();
}

// Keeps a line as a kept field; returns where its continuation lines go.
std::string* Keep(RisFilter& filter, std::string_view name, std::string_view text)
{
    if (text.empty())
        return nullptr;
    AppendKeptField(filter.kept, name, text);
    return &filter.kept;
}

// Takes one tag line; returns the text its continuation lines go on, or null.
std::string* TakeTag(RisFilter& filter, std::string_view tag, std::string_view text,
                     const RisTag* rule)
{
    RecordFields& fields = filter.fields;
    // The common name of SN depends on the source type, known only at the end.
    if (rule == nullptr || rule->rule == RisRule::kOther)
        return Keep(filter, tag == "SN" ? tag : KeptNameOfRisTag(tag, kRecordJournal), text);
    FieldText& field = fields[rule->field];
    const bool multiple = rule->rule == RisRule::kNames || rule->rule == RisRule::kKeyword
                       || rule->rule == RisRule::kParagraph;
    if (multiple && text.empty())
        return nullptr;
    switch (rule->rule) {
    case RisRule::kNames:
        AppendField(field, kLineBreak, text);
        return &field.text;
    case RisRule::kFirstKept:
        if (!field.text.empty())
            break;
        SetField(field, text);
        return &field.text;
    case RisRule::kDate:
        if (!field.text.empty())
            break;
        SetField(field, text);
        TrimDate(field.text);
        return &field.text;
    case RisRule::kSource:
        // Kept where it stands until the record's end tells which one is the source.
        break;
    case RisRule::kStartPage:
    case RisRule::kEndPage: {
        // A start page that holds the range already leaves EP to be kept.
        const bool start = rule->rule == RisRule::kStartPage;
        std::string& page = start ? filter.startPage : filter.endPage;
        if (!page.empty() || (!start && filter.startPage.find('-') != std::string::npos))
            break;
        page.assign(text.data(), text.size());
        return &page;
    }
    case RisRule::kKeyword:
        AppendField(field, kLineBreak, text);
        return &field.text;
    case RisRule::kParagraph:
        AppendField(field, kParagraphBreak, text);
        return &field.text;
    default:
        return nullptr;
    }
    return Keep(filter, tag, text);
}

// Once the record is complete: the source type, the source, the pages and the kept lines.
void FinishRecord(RisFilter& filter)
{
    RecordFields& fields = filter.fields;
    TrimDate(fields[kRecordDate].text);
    ReorderNames(fields[kRecordAuthors], filter.out);
    ReorderNames(fields[kRecordEditors], filter.out);
    const RecordKind* kind = KindOfRisType(filter.type);
    fields.sourceType = SourceTypeOfKind(kind);
    // The source: of the first lines of the source tags, the one first in the order of the
    // source type. The others stay kept where they stand.
    std::string_view sources[std::size(kSourceTags)];
    ForEachAbstractLine(filter.kept, [&](std::string_view, const KeptField* field) {
        const int slot = SourceSlot(field->name);
        if (slot != kNoSource && sources[slot].empty())
            sources[slot] = field->value;
    });
    int taken = kNoSource;
    for (int slot : kSourceOrder[fields.sourceType]) {
        if (taken == kNoSource && !sources[slot].empty()) {
            taken = slot;
            SetField(fields[kRecordSource], sources[slot]);
        }
    }
    if (!filter.startPage.empty() || !filter.endPage.empty()) {
        std::string& pages = fields[kRecordPages].text;
        pages = filter.startPage;
        if (!filter.endPage.empty())
            pages.append("-").append(filter.endPage);
        fields[kRecordPages].present = true;
    }
    std::string& kept = filter.buffers.work;
    kept.clear();
    const RecordKind& chosen = DefaultKind(fields.sourceType, fields[kRecordTitle].present,
                                           fields[kRecordSource].present);
    if (KeepsOwnType(filter.type, chosen.risType, fields.sourceType,
                     fields[kRecordSource].present))
        AppendKeptField(kept, kKeptRisType, filter.type);
    // SN is an ISBN in a book, an ISSN elsewhere.
    ForEachAbstractLine(filter.kept, [&](std::string_view, const KeptField* field) {
        if (taken != kNoSource && field->value.data() == sources[taken].data())
            return;
        AppendKeptField(kept, field->name == "SN" ? KeptNameOfRisTag("SN", fields.sourceType)
                                                  : field->name,
                        field->value);
    });
    JoinAbstract(fields[kRecordAbstract], kept);
}

// Whether any line besides the type gave the record text.
bool TookAnything(const RisFilter& filter)
{
    for (const FieldText& field : filter.fields.texts) {
        if (field.present)
            return true;
    }
    return !filter.kept.empty() || !filter.startPage.empty() || !filter.endPage.empty();
}

bool ReadLineOfRecord(RisFilter& filter, LineFile* file, std::string_view& line)
{
    if (filter.pendingLine) {
        filter.pendingLine = false;
        if (SameMark(filter.pendingAt, MarkOf(file)))
            return true;
    }
    return ReadWholeLine(file, filter.buffers, line);
}

// Reads one record into the filter's fields; returns its status.
int ReadRecord(RisFilter& filter, LineFile* file)
{
    ClearRecord(filter);
    std::string* continued = nullptr;
    bool started = false;
    std::string_view& line = filter.line;
    while (ReadLineOfRecord(filter, file, line)) {
        std::string_view tag;
        std::string_view text;
        if (!SplitRisLine(line, tag, text)) {
            std::string_view more = TextFrom(line, 0, " \t");
            while (!more.empty() && (more.back() == ' ' || more.back() == '\t'))
                more.remove_suffix(1);
            if (continued != nullptr && !more.empty())
                continued->append(continued->empty() ? "" : " ").append(more.data(), more.size());
            continue;
        }
        const RisTag* rule = FindRisTag(tag);
        RisRule kind = rule != nullptr ? rule->rule : RisRule::kOther;
        if (kind == RisRule::kEnd) {
            // A record with no line but its type is no reference.
            if (!started || !TookAnything(filter)) {
                ClearRecord(filter);
                started = false;
                continue;
            }
            FinishRecord(filter);
            return kRecordDelivered;
        }
        if (kind == RisRule::kType && started && TookAnything(filter)) {
            filter.pendingLine = true;
            filter.pendingAt = MarkOf(file);
            FinishRecord(filter);
            return kRecordDelivered;
        }
        started = true;
        if (kind == RisRule::kType) {
            filter.type.assign(text.data(), text.size());
            continued = nullptr;
        } else {
            continued = TakeTag(filter, tag, text, rule);
        }
    }
    if (!started || !TookAnything(filter))
        return kRecordNone;
    FinishRecord(filter);
    return kRecordDeliveredLast;
}

}  // namespace

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    RisFilter* filter = TheRisFilter();
    if (filter == nullptr)
        return NoRecord();
    return DeliverRecord(filter->owned, filter->fields, [&] { return ReadRecord(*filter, file); });
}
