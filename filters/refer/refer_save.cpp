// SaveRef of the refer format: one tagged line per field in a fixed order, names one line
// each, keywords on one line, then the abstract, and an empty line after the reference.
//
// Everything is written so that it reads back as it was, with two exceptions: a keyword that
// holds ", " reads back as two, and a line break inside a single-value field ends its text
// there (what follows reads back as paragraphs of the abstract). A line break is CR LF, a
// lone CR or a lone LF; each reads back as CR LF.
//
// The abstract goes out line by line. A paragraph (the text after an empty line) is a line of
// its own: the first with "%X", the others as they stand, unless they would read as something
// else (a tag, a blank line that ends the reference), which get "%X" too. A line break inside
// a paragraph is a "%+" line. A paragraph that is the line of another tag, kept whole when it
// was read (such as "%L text", or a second "%J" line), goes out as it stands.
#include <exception>
#include <iterator>
#include <string>
#include <string_view>

#include "filters/common/line_text.h"
#include "filters/common/text_edit.h"
#include "filters/refer/oem_text.h"
#include "filters/refer/refer_filter.h"
#include "filters/refer/refer_tags.h"
#include "io/filter_exports.h"

namespace {

constexpr int kGoOn = 0;
constexpr int kStop = 1;

// Single-value fields by their place in the order written; names come before the first and
// after the publisher and city, keywords and abstract after the last.
struct SingleField {
    RecordText field;
    const char* tag;
};

constexpr SingleField kDateAndTitle[] = {{kRecordDate, "%D "}, {kRecordTitle, "%T "}};
constexpr SingleField kPublisherAndCity[] = {{kRecordPublisher, "%I "}, {kRecordCity, "%C "}};
constexpr SingleField kVolumeNumberPages[] = {
    {kRecordVolume, "%V "}, {kRecordNumber, "%N "}, {kRecordPages, "%P "}};
// By sourceType; other types write no source.
constexpr const char* kSourceTags[] = {"%J ", "%B ", "%R "};

struct Writer {
    ReferFilter& filter;
    LineFile* file;
    const FilterRecord& record;
    bool paragraphTagged;  // an %X line of the abstract has been written
};

void PutLine(Writer& out, std::string_view tag, std::string_view text)
{
    std::string& line = out.filter.written;
    line.assign(tag).append(text).append(kLineBreak);
    WriteLine(out.file, line.c_str());
}

// The text as it goes to the file: converted to the OEM code page in the work buffer when the
// option says so, else the caller's own text. The record's strings are never changed.
std::string_view Outgoing(Writer& out, const char* text)
{
    if (!ConvertsOem(out.filter, out.file))
        return text;
    std::string& work = out.filter.buffers.work;
    work.assign(text);
    AnsiToOemInPlace(work.data(), work.size());
    return work;
}

// Calls `take` with each line of `text`, cut at CR LF, a lone CR or a lone LF.
template <typename Take>
void ForEachLine(std::string_view text, Take take)
{
    for (size_t at = 0;;) {
        size_t end = at;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        take(text.substr(at, end - at));
        if (end == text.size())
            return;
        at = end + (text.compare(end, 2, kLineBreak) == 0 ? 2 : 1);
    }
}

// Whether a line that starts with "%" reads back whole into the abstract, as a line of a tag
// that no field takes: a tag of no field, or of a single-value field written with a text on
// its line.
bool ReadsBackWhole(const Writer& out, std::string_view line)
{
    if (line.size() < 3 || line[1] == kAbstractLineTag)
        return false;
    const ReferTag* tag = FindReferTag(line[1]);
    if (tag == nullptr)
        return true;
    if (tag->rule != ReferRule::kFirstKept && tag->rule != ReferRule::kSource)
        return false;
    if (tag->rule == ReferRule::kSource && out.record.sourceType >= std::size(kSourceTags))
        return false;
    const char* text = GetRecordText(out.record, tag->field);
    return text != nullptr && text[0] != '\0' && text[0] != '\r' && text[0] != '\n';
}

// A paragraph line: as it stands when it reads back as itself, else after "%X".
void PutParagraph(Writer& out, std::string_view line)
{
    if (!line.empty() && line[0] == '%' && ReadsBackWhole(out, line)) {
        PutLine(out, "", line);
        return;
    }
    const bool plain = out.paragraphTagged && !line.empty() && line[0] != '%'
        && !IsBlankLine(line) && !ConvertsOem(out.filter, out.file);
    PutLine(out, plain ? "" : "%X ", line);
    out.paragraphTagged = true;
}

// The first line of a single text after its tag; the lines after a line break become
// paragraphs of the abstract, written so that none of them ends the reference or reads as a
// tag.
void WriteSingle(Writer& out, const char* text, const char* tag)
{
    if (text == nullptr)
        return;
    bool first = true;
    ForEachLine(Outgoing(out, text), [&](std::string_view line) {
        if (first)
            PutLine(out, tag, line);
        else
            PutLine(out, line.empty() || line[0] == '%' || IsBlankLine(line) ? "%X " : "", line);
        first = false;
    });
}

template <size_t N>
void WriteSingles(Writer& out, const SingleField (&fields)[N])
{
    for (const SingleField& field : fields)
        WriteSingle(out, GetRecordText(out.record, field.field), field.tag);
}

// One tagged line per name, empty ones and leading blanks included.
void WriteNames(Writer& out, const char* names, const char* tag)
{
    if (names != nullptr)
        ForEachLine(Outgoing(out, names), [&](std::string_view name) { PutLine(out, tag, name); });
}

void WriteKeywords(Writer& out)
{
    if (out.record.keywords == nullptr)
        return;
    std::string& joined = out.filter.buffers.longLine;
    joined.clear();
    bool first = true;
    ForEachLine(Outgoing(out, out.record.keywords), [&](std::string_view keyword) {
        joined.append(first ? "" : ", ").append(keyword);
        first = false;
    });
    PutLine(out, "%K ", joined);
}

// Line by line: an empty line followed by a line is a paragraph break; any other line break
// is a "%+" line.
void WriteAbstract(Writer& out)
{
    if (out.record.abstract == nullptr)
        return;
    bool first = true;
    bool breakPending = false;
    ForEachLine(Outgoing(out, out.record.abstract), [&](std::string_view line) {
        if (first) {
            PutParagraph(out, line);
            first = false;
        } else if (breakPending) {
            PutParagraph(out, line);
            breakPending = false;
        } else if (line.empty()) {
            breakPending = true;
        } else {
            PutLine(out, "%+ ", line);
        }
    });
    if (breakPending)
        PutLine(out, "%+ ", "");
}

bool HasNoText(const FilterRecord& record)
{
    for (int field = 0; field < kRecordTextCount; ++field) {
        if (GetRecordText(record, field) != nullptr)
            return false;
    }
    return true;
}

// A book or report without a source says so with its tag alone; a reference without any
// text is a lone "%", so that it still reads back as a reference.
void WriteSource(Writer& out)
{
    const FilterRecord& record = out.record;
    if (record.sourceType >= std::size(kSourceTags))
        return;
    const std::string_view tag = kSourceTags[record.sourceType];
    if (record.source != nullptr)
        WriteSingle(out, record.source, tag.data());
    else if (record.sourceType != kRecordJournal)
        PutLine(out, tag.substr(0, 2), "");
    else if (HasNoText(record))
        PutLine(out, "%", "");
}

void WriteReference(Writer& out)
{
    const FilterRecord& record = out.record;
    WriteNames(out, record.authors, "%A ");
    WriteSingles(out, kDateAndTitle);
    WriteSource(out);
    WriteSingles(out, kPublisherAndCity);
    WriteNames(out, record.editors, "%E ");
    WriteSingles(out, kVolumeNumberPages);
    WriteKeywords(out);
    WriteAbstract(out);
    WriteLine(out.file, "\r\n");
}

}  // namespace

// Write errors are the caller's to find when it closes the file; only a reference that
// cannot be written at all (no record, no memory for the work copy) stops the export.
extern "C" FILTER_API int FILTER_CALL SaveRef(void* owner, FilterRecord* record, LineFile* file)
{
    ReferFilter* filter = TheReferFilter();
    if (filter == nullptr || record == nullptr)
        return kStop;
    try {
        Writer out = {*filter, file, *record, false};
        WriteReference(out);
    } catch (const std::exception&) {
        return kStop;
    }
    return kGoOn;
}
