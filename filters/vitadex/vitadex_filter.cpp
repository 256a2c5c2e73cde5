// The vitadex filter library: import of an abstracts database whose records have the layout
// of the pubtag format, with names and journal titles written with hyphens for blanks.
// Authors come back as "family name, initials"; the source text is split into journal,
// volume, issue and pages. Every reference is a journal article. No options.
#include <iterator>
#include <string>
#include <string_view>

#include "filters/common/filter_buffers.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "filters/common/record_fields.h"
#include "filters/common/tagged_record.h"
#include "filters/common/text_edit.h"
#include "filters/vitadex/vitadex_names.h"
#include "io/filter_exports.h"

namespace {

// Every line of authors, tagged or continued, holds whole authors; the continuation lines of
// other fields go on with the text before them.
constexpr TagRule kVitadexTags[] = {
    {{'A', 'U'}, kRecordAuthors, JoinBy::kSemicolon, JoinBy::kSemicolon, kTagTextStart},
    {{'T', 'I'}, kRecordTitle, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'S', 'O'}, kRecordSource, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'P', 'Y'}, kRecordDate, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'V', 'I'}, kRecordVolume, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'P', 'G'}, kRecordPages, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'A', 'B'}, kRecordAbstract, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'D', 'E'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
    {{'E', 'T'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
    {{'L', 'A'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
    {{'L', 'S'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
    {{'S', 'T'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
};

struct VitadexFilter {
    FilterBuffers buffers;
    RecordFields fields;
    OwnedRecord owned;
};

VitadexFilter* g_filter = nullptr;

// "JOURNAL-TITLE volume (issue): pages": each part goes to its own field where that is still
// empty; the title stays as the source.
void SplitSource(RecordFields& fields, std::string& copy)
{
    copy = fields[kRecordSource].text;
    TakePagesAndIssue(copy, fields[kRecordPages], fields[kRecordNumber]);
    size_t space = copy.find(' ');
    if (space != std::string::npos) {
        SetFieldIfEmpty(fields[kRecordVolume], std::string_view(copy).substr(space + 1));
        copy.erase(space);
    }
    SetField(fields[kRecordSource], copy);
}

void TidyRecord(VitadexFilter& filter)
{
    RecordFields& fields = filter.fields;
    ResolveJoinMarks(fields);
    if (fields[kRecordAuthors].present) {
        ReformatAuthors(fields[kRecordAuthors].text, filter.buffers.work);
        fields[kRecordAuthors].text.swap(filter.buffers.work);
    }
    ReplaceAll(fields[kRecordKeywords].text, "; ", kLineBreak);
    if (fields[kRecordSource].present)
        SplitSource(fields, filter.buffers.work);
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
    return "vitadex format";
}

extern "C" FILTER_API const char* FILTER_CALL GetSpecs(void)
{
    return "vitadex text file (*.vtx)\0*.VTX\0All files (*.*)\0*.*\0";
}

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    if (!FilterReady() || g_filter == nullptr)
        return NoRecord();
    VitadexFilter& filter = *g_filter;
    return DeliverRecord(filter.owned, filter.fields, [&] {
        int status = ReadTaggedRecord(file, filter.buffers, kVitadexTags,
                                      std::size(kVitadexTags), filter.fields);
        if (status != kRecordNone)
            TidyRecord(filter);
        return status;
    });
}
