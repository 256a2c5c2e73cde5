// The citadat filter library: import of a citation-index service's download format. Each
// record follows a line holding "Record"; field lines start with a two-letter tag, continued
// on lines that start with two spaces; an empty line or a line of one blank ends it.
#include "filters/citadat/citadat_filter.h"

#include <iterator>
#include <string_view>

#include "cartio.h"
#include "filters/citadat/citadat_shaping.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "filters/common/line_text.h"
#include "filters/common/tagged_record.h"
#include "filters/common/text_edit.h"
#include "io/filter_exports.h"

namespace {

enum class CitadatRule : unsigned char {
    kField,
    kSourceOrKeyword,  // the source, or a keyword once the source has text; a report
    kChapterVolume,    // the volume; a book
    kDocumentType,
};

struct CitadatTag {
    char tag[2];
    RecordText field;
    CitadatRule rule;
    JoinBy join = JoinBy::kSpace;  // before the text of every further line of the field
};

// Each line of authors or editors, tagged or continued, holds whole names.
constexpr CitadatTag kCitadatTags[] = {
    {{'A', 'U'}, kRecordAuthors, CitadatRule::kField, JoinBy::kSemicolon},
    {{'E', 'D'}, kRecordEditors, CitadatRule::kField, JoinBy::kComma},
    {{'T', 'I'}, kRecordTitle, CitadatRule::kField},
    {{'J', 'N'}, kRecordSource, CitadatRule::kField},
    {{'S', 'O'}, kRecordSource, CitadatRule::kSourceOrKeyword},
    {{'H', 'E'}, kRecordSource, CitadatRule::kSourceOrKeyword},
    {{'C', 'H'}, kRecordVolume, CitadatRule::kChapterVolume},
    {{'V', 'O'}, kRecordVolume, CitadatRule::kField},
    {{'N', 'O'}, kRecordNumber, CitadatRule::kField},
    {{'P', 'G'}, kRecordPages, CitadatRule::kField},
    {{'P', 'Y'}, kRecordDate, CitadatRule::kField},
    {{'A', 'B'}, kRecordAbstract, CitadatRule::kField},
    {{'C', 'O'}, kRecordAbstract, CitadatRule::kField},
    {{'G', 'A'}, kRecordKeywords, CitadatRule::kField},
    {{'K', 'P'}, kRecordKeywords, CitadatRule::kField},
    {{'V', 'S'}, kRecordKeywords, CitadatRule::kField},
    {{'N', 'A'}, kRecordCity, CitadatRule::kField},
    {{'P', 'U'}, kRecordCity, CitadatRule::kField},
    {{'D', 'T'}, kRecordTextCount, CitadatRule::kDocumentType},  // no field of the record
};

constexpr std::string_view kCitadatSeparators = " \n\r\t-";
constexpr size_t kCitadatTextStart = 2;
constexpr std::string_view kRecordMark = "Record";

CitadatFilter* g_filter = nullptr;

const CitadatTag* FindCitadatTag(std::string_view line)
{
    if (line.size() < 2)
        return nullptr;
    for (const CitadatTag& tag : kCitadatTags) {
        if (line[0] == tag.tag[0] && line[1] == tag.tag[1])
            return &tag;
    }
    return nullptr;
}

// The field a tag line fills, with the source type it sets; null for an unknown tag.
FieldText* FieldOfTag(CitadatFilter& filter, const CitadatTag* tag)
{
    if (tag == nullptr)
        return nullptr;
    RecordFields& fields = filter.fields;
    switch (tag->rule) {
    case CitadatRule::kField:
        return &fields[tag->field];
    case CitadatRule::kSourceOrKeyword:
        fields.sourceType = kRecordReport;
        return fields[kRecordSource].text.empty() ? &fields[kRecordSource]
                                                  : &fields[kRecordKeywords];
    case CitadatRule::kChapterVolume:
        fields.sourceType = kRecordBook;
        return &fields[kRecordVolume];
    case CitadatRule::kDocumentType:
        return &filter.documentType;
    }
    return nullptr;
}

bool EndsRecord(std::string_view line)
{
    return line.empty() || line == " ";
}

// Reads one record into the filter's fields; returns its status.
int ReadRecord(CitadatFilter& filter, LineFile* file)
{
    ClearFields(filter.fields);
    ClearField(filter.documentType);
    std::string_view line;
    bool more;
    while ((more = ReadWholeLine(file, filter.buffers, line))
           && line.find(kRecordMark) == std::string_view::npos) {
    }
    if (!more)
        return kRecordNone;
    // The line after the "Record" line is not part of the record.
    more = ReadWholeLine(file, filter.buffers, line) && ReadWholeLine(file, filter.buffers, line);
    FieldText* current = nullptr;
    JoinBy join = JoinBy::kSpace;
    for (; more; more = ReadWholeLine(file, filter.buffers, line)) {
        if (EndsRecord(line))
            break;
        if (!IsContinuation(line)) {
            const CitadatTag* tag = FindCitadatTag(line);
            current = FieldOfTag(filter, tag);
            join = tag != nullptr ? tag->join : JoinBy::kSpace;
        }
        if (current != nullptr)
            AppendField(*current, JoinText(join),
                        TextFrom(line, kCitadatTextStart, kCitadatSeparators));
    }
    return more ? kRecordDelivered : kRecordDeliveredLast;
}

int ReadAndShapeRecord(CitadatFilter& filter, LineFile* file)
{
    if (filter.options == kOptionsNotRead)
        filter.options = GetConfigInt(kCitadatSection, kCitadatOptionsKey, kCitadatOptionsDefault);
    int status = ReadRecord(filter, file);
    if (status != kRecordNone)
        ShapeCitadatRecord(filter.fields, filter.documentType, filter.options, filter.buffers.work);
    return status;
}

}  // namespace

bool FilterAttach()
{
    return MakeFilterState(g_filter);
}

void FilterDetach()
{
    FreeFilterState(g_filter);
}

CitadatFilter* TheCitadatFilter()
{
    return FilterReady() ? g_filter : nullptr;
}

extern "C" FILTER_API const char* FILTER_CALL WhoAmI(void)
{
    return "citadat (ISI) Download format";
}

extern "C" FILTER_API const char* FILTER_CALL GetSpecs(void)
{
    return "ISI text file (*.isi)\0*.ISI\0All files (*.*)\0*.*\0";
}

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    CitadatFilter* filter = TheCitadatFilter();
    if (filter == nullptr)
        return NoRecord();
    return DeliverRecord(filter->owned, filter->fields,
                         [&] { return ReadAndShapeRecord(*filter, file); });
}
