// LoadRef of the BibTeX format: the fields of one entry into the record.
#include <iterator>
#include <string_view>

#include "filters/bibtex/bibtex_filter.h"
#include "filters/bibtex/bibtex_names.h"
#include "filters/bibtex/latex_text.h"
#include "filters/common/filter_state.h"
#include "filters/common/kept_fields.h"
#include "filters/common/text_edit.h"
#include "io/filter_exports.h"

namespace {

enum class BibRule : unsigned char {
    kNames,
    kText,      // first kept
    kPages,
    kKeywords,
    kAbstract,
    kSource,    // the source of the record's kind
    kYear,
    kMonth,
    kDate,
};

struct BibRuleEntry {
    std::string_view name;
    BibRule rule;
    RecordText field;
};

constexpr BibRuleEntry kBibRules[] = {
    {"author", BibRule::kNames, kRecordAuthors},
    {"editor", BibRule::kNames, kRecordEditors},
    {"title", BibRule::kText, kRecordTitle},
    {"volume", BibRule::kText, kRecordVolume},
    {"number", BibRule::kText, kRecordNumber},
    {"issue", BibRule::kText, kRecordNumber},
    {"pages", BibRule::kPages, kRecordPages},
    {"publisher", BibRule::kText, kRecordPublisher},
    {"address", BibRule::kText, kRecordCity},
    {"location", BibRule::kText, kRecordCity},
    {"keywords", BibRule::kKeywords, kRecordKeywords},
    {"abstract", BibRule::kAbstract, kRecordAbstract},
    {"journal", BibRule::kSource, kRecordSource},
    {"journaltitle", BibRule::kSource, kRecordSource},
    {"booktitle", BibRule::kSource, kRecordSource},
    {"institution", BibRule::kSource, kRecordSource},
    {"school", BibRule::kSource, kRecordSource},
    {"year", BibRule::kYear, kRecordDate},
    {"month", BibRule::kMonth, kRecordDate},
    {"date", BibRule::kDate, kRecordDate},
};

// The fields that may hold the source, by source type.
constexpr std::string_view kSourceFields[3][2] = {
    {"journal", "journaltitle"},
    {"booktitle", "booktitle"},
    {"institution", "school"},
};

// Compared here rather than by the library: a few bytes, for every field of every entry.
const BibRuleEntry* FindRule(std::string_view name)
{
    for (const BibRuleEntry& entry : kBibRules) {
        if (entry.name.size() != name.size() || entry.name[0] != name[0])
            continue;
        size_t i = 1;
        while (i < name.size() && entry.name[i] == name[i])
            ++i;
        if (i == name.size())
            return &entry;
    }
    return nullptr;
}

bool IsSourceOf(std::string_view name, int sourceType)
{
    return name == kSourceFields[sourceType][0] || name == kSourceFields[sourceType][1];
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A verbatim text with its runs of blanks made one blank, appended a word at a time.
void AppendVerbatim(std::string& out, std::string_view raw)
{
    size_t at = 0;
    for (;;) {
        const size_t blanks = at;
        while (at < raw.size() && IsBlank(raw[at]))
            ++at;
        if (at == raw.size())
            return;
        if (at > blanks && !out.empty())
            out += ' ';
        const size_t word = at;
        while (at < raw.size() && !IsBlank(raw[at]))
            ++at;
        out.append(raw.data() + word, at - word);
    }
}

// The keywords of a list split at "," and ";", one a line, decoded where they go.
void AppendKeywords(std::string& out, std::string_view raw)
{
    for (size_t at = 0; at <= raw.size();) {
        size_t end = at;
        while (end < raw.size() && raw[end] != ',' && raw[end] != ';')
            ++end;
        const size_t before = out.size();
        if (before > 0)
            out += "\r\n";
        const size_t start = out.size();
        DecodeLatex(raw.substr(at, end - at), out, LatexField::kText);
        if (out.size() == start)
            out.resize(before);
        at = end + 1;
    }
}

class EntryMapper {
public:
    explicit EntryMapper(BibtexFilter& filter) : filter_(filter), fields_(filter.fields) {}

    void Map();

private:
    void Take(const BibField& field);
    void Keep(const BibField& field);
    void Decode(std::string_view raw, LatexField kind)
    {
        text_.clear();
        DecodeLatex(raw, text_, kind);
    }
    static void DecodeInto(FieldText& field, std::string_view raw, LatexField kind)
    {
        field.text.clear();
        DecodeLatex(raw, field.text, kind);
        field.present = true;
    }
    void Date();
    void Type();

    BibtexFilter& filter_;
    RecordFields& fields_;
    std::string& text_ = filter_.text;
    std::string year_;
    std::string month_;
    std::string date_;
    bool hasYear_ = false;
    bool hasMonth_ = false;
    bool hasDate_ = false;
    bool dateKept_ = false;
    bool hasAbstract_ = false;
    std::string_view abstract_;
};

void EntryMapper::Map()
{
    const BibEntry& entry = filter_.entry;
    ClearFields(fields_);
    filter_.kept.clear();
    fields_.sourceType = SourceTypeOfKind(KindOfBibType(entry.type));
    AppendKeptField(filter_.kept, kKeptCiteKey, entry.key);
    // With a year or a month, a date field is kept where it stands.
    for (size_t i = 0; i < entry.count && !dateKept_; ++i) {
        const std::string_view name = entry.fields[i].name;
        if (name == "year" || name == "month") {
            Decode(entry.fields[i].value, LatexField::kText);
            dateKept_ = !text_.empty();
        }
    }
    for (size_t i = 0; i < entry.count; ++i)
        Take(entry.fields[i]);
    Date();
    Type();
    FieldText& abstract = fields_[kRecordAbstract];
    abstract.text.swap(filter_.kept);
    if (hasAbstract_) {
        const size_t kept = abstract.text.size();
        if (kept > 0)
            abstract.text += "\r\n\r\n";
        const size_t start = abstract.text.size();
        DecodeLatex(abstract_, abstract.text, LatexField::kAbstract);
        if (abstract.text.size() == start)
            abstract.text.resize(kept);
    }
    abstract.present = hasAbstract_ || !abstract.text.empty();
}

void EntryMapper::Take(const BibField& field)
{
    const BibRuleEntry* rule = FindRule(field.name);
    if (rule == nullptr) {
        Keep(field);
        return;
    }
    FieldText& target = fields_[rule->field];
    switch (rule->rule) {
    case BibRule::kNames:
        if (target.present)
            break;
        ReadNames(field.value, target.text);
        target.present = !target.text.empty();
        return;
    case BibRule::kText:
    case BibRule::kPages:
    case BibRule::kSource:
        if (target.present || (rule->rule == BibRule::kSource
                                && !IsSourceOf(field.name, fields_.sourceType)))
            break;
        DecodeInto(target, field.value,
                   rule->rule == BibRule::kPages ? LatexField::kPages : LatexField::kText);
        return;
    case BibRule::kKeywords:
        if (target.present)
            break;
        text_.clear();
        AppendKeywords(text_, field.value);
        SetField(target, text_);
        return;
    case BibRule::kAbstract:
        // Decoded once the kept lines, which go first, are known.
        if (hasAbstract_)
            break;
        hasAbstract_ = true;
        abstract_ = field.value;
        return;
    case BibRule::kYear:
    case BibRule::kMonth:
    case BibRule::kDate: {
        // An empty one counts as none.
        bool& has = rule->rule == BibRule::kYear ? hasYear_
                  : rule->rule == BibRule::kMonth ? hasMonth_ : hasDate_;
        if (has || (rule->rule == BibRule::kDate && dateKept_))
            break;
        std::string& text = rule->rule == BibRule::kYear ? year_
                          : rule->rule == BibRule::kMonth ? month_ : date_;
        DecodeLatex(field.value, text, LatexField::kText);
        has = !text.empty();
        return;
    }
    }
    Keep(field);
}

void EntryMapper::Keep(const BibField& field)
{
    text_.clear();
    if (IsVerbatimField(field.name))
        AppendVerbatim(text_, field.value);
    else
        DecodeLatex(field.value, text_, LatexField::kText);
    AppendKeptField(filter_.kept, field.name, text_);
}

// Month and year make the date ("March 2020"); a date field counts when there is neither.
void EntryMapper::Date()
{
    FieldText& date = fields_[kRecordDate];
    if (hasMonth_) {
        SetField(date, month_);
        if (hasYear_)
            date.text.append(" ").append(year_);
    } else if (hasYear_) {
        SetField(date, year_);
    } else if (hasDate_) {
        SetField(date, date_);
    }
}

// The entry type is kept when the writer would choose another for these fields.
void EntryMapper::Type()
{
    const RecordKind& chosen = DefaultKind(fields_.sourceType, fields_[kRecordTitle].present,
                                           fields_[kRecordSource].present);
    const std::string& type = filter_.entry.type;
    if (!KeepsOwnType(type, chosen.bibType, fields_.sourceType, fields_[kRecordSource].present))
        return;
    std::string typeLine;
    AppendKeptField(typeLine, kKeptBibType, type);
    if (!filter_.kept.empty())
        typeLine.append("\r\n\r\n").append(filter_.kept);
    filter_.kept.swap(typeLine);
}

}  // namespace

extern "C" FILTER_API FilterRecord* FILTER_CALL LoadRef(void* owner, LineFile* file)
{
    BibtexFilter* filter = TheBibtexFilter();
    if (filter == nullptr)
        return NoRecord();
    return DeliverRecord(filter->owned, filter->fields, [&] {
        int status = ReadEntry(*filter, file);
        if (status != kRecordNone)
            EntryMapper(*filter).Map();
        const size_t escapes = TakeEscapesWritten();
        if (file != nullptr)
            file->unmapped += static_cast<int32_t>(escapes);
        return status;
    });
}
