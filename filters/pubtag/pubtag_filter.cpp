// The pubtag filter library: import of a literature database's tagged records. Every line
// starts with a two-letter tag, a field runs on over lines that start with two spaces, and
// an empty line ends a record. Every reference is a journal article.
#include "filters/pubtag/pubtag_filter.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "cartio.h"
#include "filters/common/ansi_text.h"
#include "filters/common/filter_buffers.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "filters/common/line_text.h"
#include "filters/common/record_fields.h"
#include "filters/common/tagged_record.h"
#include "filters/common/text_edit.h"
#include "io/filter_exports.h"

namespace {

constexpr size_t kMeshTextStart = 4;  // "ME" lines are written "MESH"

// Continuation lines go on with the text of the same author, term or field.
constexpr TagRule kPubtagTags[] = {
    {{'A', 'U'}, kRecordAuthors, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
    {{'T', 'I'}, kRecordTitle, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'S', 'O'}, kRecordSource, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'D', 'P'}, kRecordDate, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'V', 'I'}, kRecordVolume, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'P', 'G'}, kRecordPages, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'A', 'B'}, kRecordAbstract, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'A', 'D'}, kRecordCity, JoinBy::kSpace, JoinBy::kSpace, kTagTextStart},
    {{'M', 'H'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kTagTextStart},
    {{'M', 'E'}, kRecordKeywords, JoinBy::kLineBreak, JoinBy::kSpace, kMeshTextStart},
};

constexpr std::string_view kNameSeparator = "; ";
constexpr std::string_view kParagraphBreak = "\r\n\r\n";

struct PubtagFilter {
    FilterBuffers buffers;
    RecordFields fields;
    OwnedRecord owned;
    bool splitSource = true;
    bool optionRead = false;
};

PubtagFilter* g_filter = nullptr;

// Where the part of a source that names the electronic issue begins ("... 2020 Mar 27. doi:
// 10.1007/x. Epub 2020 Mar 1."): at a word "doi:" or "Epub", with the blanks, "[" and the
// one "." before it. npos when there is none.
size_t ElectronicPartStart(const std::string& source)
{
    size_t word = std::string::npos;
    for (const char* mark : {"doi:", "Epub"}) {
        for (size_t at = source.find(mark); at != std::string::npos; at = source.find(mark, at + 1)) {
            if (at == 0 || source[at - 1] == ' ' || source[at - 1] == '[') {
                word = std::min(word, at);
                break;
            }
        }
    }
    if (word == std::string::npos)
        return word;
    size_t start = word;
    while (start > 0 && (source[start - 1] == ' ' || source[start - 1] == '['))
        --start;
    return start > 0 && source[start - 1] == '.' ? start - 1 : start;
}

// The electronic part of the source is a note: it goes to the end of the abstract as a
// paragraph of its own, and never into the pages, issue, volume or date.
void TakeElectronicPart(RecordFields& fields, std::string& copy)
{
    const size_t start = ElectronicPartStart(copy);
    if (start == std::string::npos)
        return;
    std::string_view note = TextFrom(std::string_view(copy).substr(start), 0, ". ");
    if (!note.empty())
        AppendField(fields[kRecordAbstract], kParagraphBreak, note);
    copy.erase(start);
}

// The source holds "journal date;volume(issue):pages"; the parts go to their own fields
// where those are still empty, and the journal name (blanks kept) stays as the source.
void SplitSource(RecordFields& fields, std::string& copy)
{
    copy = fields[kRecordSource].text;
    TakeElectronicPart(fields, copy);
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
        int status = ReadTaggedRecord(file, filter.buffers, kPubtagTags,
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
