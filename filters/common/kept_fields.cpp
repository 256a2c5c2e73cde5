#include "filters/common/kept_fields.h"

#include <iterator>

#include "io/filter_record.h"

const CommonName kCommonNames[] = {
    {"doi", "DO"},      {"url", "UR"},         {"issn", "SN"},    {"isbn", "SN"},
    {"note", "N1"},     {"language", "LA"},    {"series", "T3"},  {"edition", "ET"},
    {kKeptCiteKey, "ID"},
};
const size_t kCommonNameCount = std::size(kCommonNames);

namespace {

// Each type of a format is found at its first row; the later rows name the other types of
// the same kind, read but not written.
constexpr RecordKind kKinds[] = {
    {"JOUR", "article", kRecordJournal},      {"BOOK", "book", kRecordBook},
    {"CHAP", "incollection", kRecordBook},    {"CPAPER", "inproceedings", kRecordBook},
    {"CONF", "proceedings", kRecordBook},     {"RPRT", "techreport", kRecordReport},
    {"THES", "phdthesis", kRecordReport},     {"GEN", "misc", kRecordJournal},
    {"UNPB", "unpublished", kRecordJournal},  {"ELEC", "online", kRecordJournal},
    {"EBOOK", "book", kRecordBook},           {"EDBOOK", "book", kRecordBook},
    {"ECHAP", "incollection", kRecordBook},   {"CHAP", "inbook", kRecordBook},
    {"CPAPER", "conference", kRecordBook},    {"THES", "mastersthesis", kRecordReport},
    {"RPRT", "report", kRecordReport},        {"THES", "thesis", kRecordReport},
};

constexpr size_t kJournalKind = 0;
constexpr size_t kBookKind = 1;
constexpr size_t kChapterKind = 2;
constexpr size_t kReportKind = 5;

}  // namespace

const RecordKind* KindOfRisType(std::string_view type)
{
    for (const RecordKind& kind : kKinds) {
        if (kind.risType == type)
            return &kind;
    }
    return nullptr;
}

const RecordKind* KindOfBibType(std::string_view type)
{
    for (const RecordKind& kind : kKinds) {
        if (kind.bibType == type)
            return &kind;
    }
    return nullptr;
}

int SourceTypeOfKind(const RecordKind* kind)
{
    return kind != nullptr ? kind->sourceType : kRecordJournal;
}

bool KeepsOwnType(std::string_view type, std::string_view chosen, int sourceType,
                  bool hasSource)
{
    return !type.empty() && (type != chosen || (!hasSource && sourceType != kRecordJournal));
}

bool KindFits(const RecordKind* kind, int sourceType, bool hasSource)
{
    return SourceTypeOfKind(kind) == sourceType || !hasSource;
}

const RecordKind& DefaultKind(int sourceType, bool hasTitle, bool hasSource)
{
    if (sourceType == kRecordBook)
        return kKinds[hasTitle && hasSource ? kChapterKind : kBookKind];
    return kKinds[sourceType == kRecordReport ? kReportKind : kJournalKind];
}

namespace {

bool IsCapital(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool IsRisTag(std::string_view name)
{
    return name.size() == 2 && IsCapital(name[0]) && (IsCapital(name[1]) || IsDigit(name[1]));
}

std::string_view KeptNameOfRisTag(std::string_view tag, int sourceType)
{
    if (tag == "SN")
        return sourceType == kRecordBook ? "isbn" : "issn";
    for (const CommonName& common : kCommonNames) {
        if (common.risTag == tag)
            return common.name;
    }
    return tag;
}

std::string_view RisTagOfKeptName(std::string_view name)
{
    for (const CommonName& common : kCommonNames) {
        if (common.name == name)
            return common.risTag;
    }
    return IsRisTag(name) ? name : std::string_view();
}

void AppendKeptField(std::string& kept, std::string_view name, std::string_view value)
{
    if (value.empty() || name.empty())
        return;
    if (!kept.empty())
        kept += "\r\n\r\n";
    kept.append(kKeptPrefix.data(), kKeptPrefix.size());
    kept.append(name.data(), name.size());
    kept.append(kKeptSeparator.data(), kKeptSeparator.size());
    const size_t start = kept.size();
    kept.append(value.data(), value.size());
    for (size_t i = start; i < kept.size(); ++i) {
        if (kept[i] == '\r' || kept[i] == '\n')
            kept[i] = ' ';
    }
}

bool ParseKeptField(std::string_view line, KeptField& field)
{
    if (line.substr(0, kKeptPrefix.size()) != kKeptPrefix)
        return false;
    line.remove_prefix(kKeptPrefix.size());
    const size_t separator = line.find(kKeptSeparator);
    if (separator == 0 || separator == std::string_view::npos)
        return false;
    for (size_t i = 0; i < separator; ++i) {
        if (IsBlank(line[i]))
            return false;
    }
    field.name = line.substr(0, separator);
    field.value = line.substr(separator + kKeptSeparator.size());
    return !field.value.empty();
}

void JoinAbstract(FieldText& abstract, const std::string& kept)
{
    if (kept.empty())
        return;
    if (!abstract.text.empty())
        abstract.text.insert(0, "\r\n\r\n");
    abstract.text.insert(0, kept);
    abstract.present = true;
}
