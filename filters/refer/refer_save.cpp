// SaveRef of the refer format: one tagged line per field in a fixed order, names one line
// each, keywords on one line, the abstract as an %X line whose paragraphs follow as plain
// lines, and an empty line after the reference.
#include <cstdarg>
#include <cstring>
#include <exception>
#include <iterator>
#include <string>
#include <string_view>

#include "filters/common/text_edit.h"
#include "filters/refer/oem_text.h"
#include "filters/refer/refer_filter.h"
#include "io/filter_exports.h"

namespace {

constexpr int kGoOn = 0;
constexpr int kStop = 1;

struct SingleField {
    RecordText field;
    const char* format;
};

constexpr SingleField kDateAndTitle[] = {
    {kRecordDate, "%%D %s\r\n"},
    {kRecordTitle, "%%T %s\r\n"},
};
constexpr SingleField kPublisherAndCity[] = {
    {kRecordPublisher, "%%I %s\r\n"},
    {kRecordCity, "%%C %s\r\n"},
};
constexpr SingleField kVolumeNumberPages[] = {
    {kRecordVolume, "%%V %s\r\n"},
    {kRecordNumber, "%%N %s\r\n"},
    {kRecordPages, "%%P %s\r\n"},
};
// By sourceType; other types write no source.
constexpr const char* kSourceFormats[] = {"%%J %s\r\n", "%%B %s\r\n", "%%R %s\r\n"};

void Print(LineFile* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vMMIOprintf(file, format, args);
    va_end(args);
}

// The text as it goes to the file: converted to the OEM code page in the work buffer when the
// option says so, else the caller's own text. The record's strings are never changed.
const char* Outgoing(ReferFilter& filter, const char* text)
{
    if (!filter.oemText)
        return text;
    std::string& work = filter.buffers.work;
    work.assign(text);
    AnsiToOemInPlace(work.data(), work.size());
    return work.c_str();
}

// A copy of the text in the work buffer, converted when the option says so, to be reshaped.
std::string& WorkCopy(ReferFilter& filter, const char* text)
{
    std::string& work = filter.buffers.work;
    work.assign(text);
    if (filter.oemText)
        AnsiToOemInPlace(work.data(), work.size());
    return work;
}

void WriteSingle(ReferFilter& filter, LineFile* file, const char* text, const char* format)
{
    if (text != nullptr)
        Print(file, format, Outgoing(filter, text));
}

template <size_t N>
void WriteSingles(ReferFilter& filter, LineFile* file, const FilterRecord& record,
                  const SingleField (&fields)[N])
{
    for (const SingleField& field : fields)
        WriteSingle(filter, file, GetRecordText(record, field.field), field.format);
}

// One tagged line per name: the text is cut at every CR, and each piece without its leading
// CR, LF and blanks, when anything is left, is one line.
void WriteNames(ReferFilter& filter, LineFile* file, const char* names, const char* format)
{
    if (names == nullptr)
        return;
    std::string& work = WorkCopy(filter, names);
    size_t at = 0;
    while (at < work.size()) {
        size_t end = work.find('\r', at);
        if (end == std::string::npos)
            end = work.size();
        size_t start = work.find_first_not_of("\r\n ", at);
        if (start < end) {
            work[end] = '\0';
            Print(file, format, work.c_str() + start);
        }
        at = end + 1;
    }
}

void WriteKeywords(ReferFilter& filter, LineFile* file, const char* keywords)
{
    if (keywords == nullptr)
        return;
    std::string& work = WorkCopy(filter, keywords);
    ReplaceAll(work, kLineBreak, ", ");
    Print(file, "%%K %s\r\n", work.c_str());
}

// Every run of line breaks becomes a single one, as replacing CR LF CR LF by CR LF over and
// over would leave it.
void CollapseLineBreakRuns(std::string& text)
{
    size_t out = 0;
    for (size_t in = 0; in < text.size();) {
        if (text.compare(in, 2, kLineBreak) == 0) {
            text[out++] = '\r';
            text[out++] = '\n';
            in += 2;
            while (text.compare(in, 2, kLineBreak) == 0)
                in += 2;
        } else {
            text[out++] = text[in++];
        }
    }
    text.resize(out);
}

// Paragraphs become plain lines; leading lines that start with "%" (kept lines of other tags)
// go out as they stand, ahead of the %X line.
void WriteAbstract(ReferFilter& filter, LineFile* file, const char* abstract)
{
    if (abstract == nullptr)
        return;
    std::string& work = WorkCopy(filter, abstract);
    CollapseLineBreakRuns(work);
    size_t at = 0;
    while (at < work.size() && work[at] == '%') {
        size_t end = work.find(kLineBreak, at);
        if (end == std::string::npos)
            end = work.size();
        else
            work[end] = '\0';
        Print(file, "%s\r\n", work.c_str() + at);
        at = end == work.size() ? end : end + kLineBreak.size();
    }
    if (at < work.size())
        Print(file, "%%X %s\r\n", work.c_str() + at);
}

void WriteReference(ReferFilter& filter, LineFile* file, const FilterRecord& record)
{
    WriteNames(filter, file, record.authors, "%%A %s\r\n");
    WriteSingles(filter, file, record, kDateAndTitle);
    if (record.sourceType < std::size(kSourceFormats))
        WriteSingle(filter, file, record.source, kSourceFormats[record.sourceType]);
    WriteSingles(filter, file, record, kPublisherAndCity);
    WriteNames(filter, file, record.editors, "%%E %s\r\n");
    WriteSingles(filter, file, record, kVolumeNumberPages);
    WriteKeywords(filter, file, record.keywords);
    WriteAbstract(filter, file, record.abstract);
    WriteLine(file, "\r\n");
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
        WriteReference(*filter, file, *record);
    } catch (const std::exception&) {
        return kStop;
    }
    return kGoOn;
}
