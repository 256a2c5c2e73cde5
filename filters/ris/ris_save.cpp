// SaveRef of the RIS format: one record of tag lines per reference, ended by ER and an empty
// line, with the kept fields written back as their tags.
#include <exception>
#include <string>
#include <string_view>

#include "filters/common/file_mark.h"
#include "filters/common/kept_fields.h"
#include "filters/common/text_edit.h"
#include "filters/ris/ris_filter.h"
#include "io/filter_exports.h"

namespace {

constexpr int kGoOn = 0;
constexpr int kStop = 1;

std::string_view TextOf(const char* text)
{
    return text != nullptr ? std::string_view(text) : std::string_view();
}

// "TG  - text" and CR LF; a line break inside the text becomes a blank, since a tag line
// cannot hold one.
void AppendTag(std::string& out, std::string_view tag, std::string_view text)
{
    out.append(tag.data(), tag.size()).append("  - ");
    for (size_t at = 0; at < text.size();) {
        const size_t end = FindLineBreak(text, at);
        out.append(text.data() + at, end - at);
        if (end < text.size())
            out += ' ';
        at = end + 1;
    }
    out.append("\r\n");
}

void AppendSingle(std::string& out, std::string_view tag, const char* text)
{
    if (text != nullptr)
        AppendTag(out, tag, text);
}

// One tag line per line of a list; blanks at a line's start and empty lines are left out.
template <typename Each>
void ForEachLine(std::string_view list, Each each)
{
    size_t at = 0;
    while (at < list.size()) {
        const size_t end = FindLineBreak(list, at);
        size_t start = list.find_first_not_of(' ', at);
        if (start < end)
            each(list.substr(start, end - start));
        at = end + 1;
    }
}

// The program's "Last, Suffix, First" goes out in the RIS order "Last, First, Suffix"; an
// organisation's name in braces (from BibTeX) without them, as RIS writes a name of one part.
void AppendName(std::string& out, std::string& work, std::string_view tag, std::string_view name)
{
    if (name.size() > 2 && name.front() == '{' && name.back() == '}'
        && name.find_first_of("{}", 1) == name.size() - 1)
        name = name.substr(1, name.size() - 2);
    work.clear();
    AppendTag(out, tag, SwapNameParts(name, work) ? std::string_view(work) : name);
}

void AppendNames(std::string& out, std::string& work, std::string_view tag, const char* names)
{
    ForEachLine(TextOf(names), [&](std::string_view name) { AppendName(out, work, tag, name); });
}

void AppendPages(std::string& out, const char* pages)
{
    if (pages == nullptr)
        return;
    // Split at the first hyphen when a page stands right beside it on either side (a tag's
    // text loses the blanks and tabs at its ends).
    std::string_view text = pages;
    size_t dash = text.find('-');
    if (dash != std::string_view::npos
        && (dash == 0 || dash + 1 >= text.size() || IsRisBlank(text[dash - 1])
            || IsRisBlank(text[dash + 1]) || IsRisBlank(text.front()) || IsRisBlank(text.back())))
        dash = std::string_view::npos;
    AppendTag(out, "SP", text.substr(0, dash));
    if (dash != std::string_view::npos)
        AppendTag(out, "EP", text.substr(dash + 1));
}

// The type: the record's own RIS type, else its BibTeX type, when either fits (KindFits);
// else the one that goes with its fields.
std::string_view ChooseType(const FilterRecord& record, std::string_view risType,
                            std::string_view bibType)
{
    const bool hasSource = record.source != nullptr;
    if (!risType.empty() && KindFits(KindOfRisType(risType), record.sourceType, hasSource))
        return risType;
    const RecordKind* other = KindOfBibType(bibType);
    if (other != nullptr && KindFits(other, record.sourceType, hasSource))
        return other->risType;
    return DefaultKind(record.sourceType, record.title != nullptr, record.source != nullptr)
        .risType;
}

enum class KeptUse : unsigned char { kTag, kAbstract, kUsedUp };

// How a kept field goes out: the record's RIS type, and a BibTeX type that the RIS type chosen
// says already, are used up; a field with a RIS tag is a line of that tag; any other is a
// line of the abstract as it stands, which reads back as the kept field it is.
KeptUse UseOf(const KeptField& field, std::string_view type)
{
    if (field.name == kKeptRisType)
        return KeptUse::kUsedUp;
    if (field.name == kKeptBibType) {
        const RecordKind* kind = KindOfBibType(field.value);
        return kind != nullptr && kind->risType == type ? KeptUse::kUsedUp : KeptUse::kAbstract;
    }
    const std::string_view tag = RisTagOfKeptName(field.name);
    return tag.empty() || tag == "ER" ? KeptUse::kAbstract : KeptUse::kTag;
}

void BuildRecord(RisFilter& filter, const FilterRecord& record)
{
    std::string& out = filter.out;
    const std::string_view abstract = TextOf(record.abstract);
    std::string_view risType;
    std::string_view bibType;
    out.clear();
    const bool kept = MayHoldKeptFields(abstract);
    ForEachAbstractLine(kept ? abstract : std::string_view(), [&](std::string_view, const KeptField* field) {
        if (field != nullptr && field->name == kKeptRisType)
            risType = field->value;
        else if (field != nullptr && field->name == kKeptBibType)
            bibType = field->value;
    });
    const std::string_view type = ChooseType(record, risType, bibType);
    AppendTag(out, "TY", type);
    std::string name;
    AppendNames(out, name, "AU", record.authors);
    AppendSingle(out, "TI", record.title);
    AppendSingle(out, "T2", record.source);
    AppendSingle(out, "PY", record.date);
    AppendSingle(out, "VL", record.volume);
    AppendSingle(out, "IS", record.number);
    AppendPages(out, record.pages);
    AppendSingle(out, "PB", record.publisher);
    AppendSingle(out, "CY", record.city);
    AppendNames(out, name, "ED", record.editors);
    ForEachLine(TextOf(record.keywords), [&](std::string_view word) { AppendTag(out, "KW", word); });
    ForEachAbstractLine(abstract, [&](std::string_view line, const KeptField* field) {
        if (field == nullptr || UseOf(*field, type) == KeptUse::kAbstract)
            AppendTag(out, "AB", line);
    });
    ForEachAbstractLine(kept ? abstract : std::string_view(), [&](std::string_view, const KeptField* field) {
        if (field != nullptr && UseOf(*field, type) == KeptUse::kTag)
            AppendTag(out, RisTagOfKeptName(field->name), field->value);
    });
    out.append("ER  - \r\n\r\n");
}

void WriteRecord(RisFilter& filter, LineFile* file, const FilterRecord& record)
{
    if (filter.writeUtf8)
        WriteUtf8From(file, true);
    BuildRecord(filter, record);
    WriteLine(file, filter.out.c_str());
}

}  // namespace

// Write errors are the caller's to find when it closes the file; only a reference that
// cannot be written at all (no record, no memory) stops the export.
extern "C" FILTER_API int FILTER_CALL SaveRef(void* owner, FilterRecord* record, LineFile* file)
{
    RisFilter* filter = TheRisFilter();
    if (filter == nullptr || record == nullptr || file == nullptr)
        return kStop;
    try {
        WriteRecord(*filter, file, *record);
    } catch (const std::exception&) {
        return kStop;
    }
    return kGoOn;
}
