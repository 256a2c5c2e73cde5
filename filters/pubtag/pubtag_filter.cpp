// The pubtag filter library: import of a literature database's tagged records. Every line
// starts with a two-letter tag, a field runs on over lines that start with two spaces, and
// an empty line ends a record. Every reference is a journal article.
#include "filters/pubtag/pubtag_filter.h"

#include <iterator>
#include <string>

#include "cartio.h"
#include "filters/common/ansi_text.h"
#include "filters/common/filter_buffers.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "filters/common/record_fields.h"
#include "filters/common/tagged_record.h"
#include "filters/common/text_edit.h"
#include "io/filter_exports.h"

namespace {

constexpr size_t kMeshTextStart = 4;  // "ME" lines are written "MESH"

constexpr TagRule kPubtagTags[] = {
    {{'A', 'U'}, kRecordAuthors, JoinBy::kLineBreak, kTagTextStart},
    {{'T', 'I'}, kRecordTitle, JoinBy::kSpace, kTagTextStart},
    {{'S', 'O'}, kRecordSource, JoinBy::kSpace, kTagTextStart},
    {{'D', 'P'}, kRecordDate, JoinBy::kSpace, kTagTextStart},
    {{'V', 'I'}, kRecordVolume, JoinBy::kSpace, kTagTextStart},
    {{'P', 'G'}, kRecordPages, JoinBy::kSpace, kTagTextStart},
    {{'A', 'B'}, kRecordAbstract, JoinBy::kSpace, kTagTextStart},
    {{'A', 'D'}, kRecordCity, JoinBy::kSpace, kTagTextStart},
    {{'M', 'H'}, kRecordKeywords, JoinBy::kLineBreak, kTagTextStart},
    {{'M', 'E'}, kRecordKeywords, JoinBy::kLineBreak, kMeshTextStart},
};

constexpr std::string_view kNameSeparator = "; ";

struct PubtagFilter {
    FilterBuffers buffers;
    RecordFields fields;
    OwnedRecord owned;
    bool splitSource = true;
    bool optionRead = false;
};

PubtagFilter* g_filter = nullptr;

// The source holds "journal date;volume(issue):pages"; the parts go to their own fields
// where those are still empty, and the journal name (blanks kept) stays as the source.
void SplitSource(RecordFields& fields, std::string& copy)
{
    copy = fields[kRecordSource].text;
    TakePagesAndIssue(copy, fields[kRecordPages], fields[kRecordNumber]);
    size_t semicolon = copy.rfind(';');
    if (semicolon != std::string::npos) {
        SetFieldIfEmpty(fields[kRecordVolume], std::string_view(copy).substr(semicolon + 1));
        copy.erase(semicolon);
    }
    for (size_t i = 0; i < copy.size(); ++i) {
        if (IsAnsiDigit(copy[i])) {
            SetFieldIfEmpty(fields[kRecordDate], std::string_view(copy).substr(i));
            copy.erase(i);
            break;
        }
    }
    SetField(fields[kRecordSource], copy);
}

void TidyRecord(PubtagFilter& filter)
{
    RecordFields& fields = filter.fields;
    ResolveJoinMarks(fields);
    ReplaceAll(fields[kRecordAuthors].text, kNameSeparator, kLineBreak);
    ReplaceAll(fields[kRecordKeywords].text, kNameSeparator, kLineBreak);
    if (filter.splitSource && fields[kRecordSource].present)
        SplitSource(fields, filter.buffers.work);
}

// The option is read for each file, at its first record: a read of the store for every record
// would cost more than all the rest of an import, and the option cannot change in between
// (Opts, the one way to change it, marks it for reading again).
void ReadOptionOnce(PubtagFilter& filter)
{
    if (filter.optionRead)
        return;
    filter.splitSource =
        GetConfigInt(kPubtagSection, kPubtagOptionKey, kPubtagOptionDefault) == 1;
    filter.optionRead = true;
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

extern "C" FILTER_API const char* FILTER_CALL WhoAmI(void)
{
    return "pubtag format";
}

extern "C" FILTER_API const char* FILTER_CALL GetSpecs(void)
{
    return "pubtag text file (*.ptg, *.ptx)\0*.PTG;*.PTX\0All files (*.*)\0*.*\0";
}

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    if (!FilterReady() || g_filter == nullptr)
        return NoRecord();
    PubtagFilter& filter = *g_filter;
    FilterRecord* record = DeliverRecord(filter.owned, filter.fields, [&] {
        ReadOptionOnce(filter);
        int status = ReadTaggedRecord(file, filter.buffers.line, kPubtagTags,
                                      std::size(kPubtagTags), filter.fields);
        if (status != kRecordNone)
            TidyRecord(filter);
        return status;
    });
    // The next file, if any, reads the option again.
    if (record->status != kRecordDelivered)
        filter.optionRead = false;
    return record;
}

void ReadPubtagOptionAgain()
{
    if (g_filter != nullptr)
        g_filter->optionRead = false;
}
