// SaveRef of the BibTeX format: one entry per reference, its kept fields written back.
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "byte_scan.h"
#include "filters/bibtex/bibtex_filter.h"
#include "filters/bibtex/bibtex_names.h"
#include "filters/bibtex/latex_text.h"
#include "filters/common/file_mark.h"
#include "filters/common/kept_fields.h"
#include "filters/common/text_edit.h"
#include "io/filter_exports.h"

namespace {

constexpr int kGoOn = 0;
constexpr int kStop = 1;

constexpr std::string_view kMonths[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
constexpr std::string_view kThesisTypes[] = {"phdthesis", "mastersthesis", "thesis"};

std::string_view TextOf(const char* text)
{
    return text != nullptr ? std::string_view(text) : std::string_view();
}

bool IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The characters of a cite key: ASCII, which BibTeX and biber both take, without blanks and
// the characters that end a key or a value.
bool IsKeyChar(char c)
{
    return c > ' ' && c < 0x7F && std::string_view(",{}()\"#%'=\\~").find(c) == std::string_view::npos;
}

bool IsValidKey(std::string_view key)
{
    if (key.empty())
        return false;
    for (char c : key) {
        if (!IsKeyChar(c))
            return false;
    }
    return true;
}

// Nothing beyond ASCII, and no escape "{U+...}" of a character the code page lacks: one search
// for both, many bytes at a time, as every byte written passes here. The escape is looked for
// by its "+", rare in text, where "{" is everywhere.
bool IsAscii(std::string_view text)
{
    const char* const end = text.data() + text.size();
    for (const char* p = text.data();; ++p) {
        p = FindHighByteOr(p, end, '+');
        if (p == end)
            return true;
        if (*p != '+' || (p - text.data() >= 2 && p[-2] == '{' && p[-1] == 'U'))
            return false;
    }
}

bool BracesBalance(std::string_view text)
{
    int depth = 0;
    for (char c : text) {
        if (c == '{')
            ++depth;
        else if (c == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

// What the writer takes from the kept fields for the entry's head.
struct Kept {
    std::string_view citeKey;
    std::string_view bibType;
    std::string_view risType;
};

enum class KeptUse : unsigned char { kField, kAbstract, kUsedUp };

// The characters of a field name that reading takes, the first a letter.
bool IsFieldName(std::string_view name)
{
    if (name.empty() || !((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')))
        return false;
    for (char c : name) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && std::string_view("_-:.+/").find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

class EntryWriter {
public:
    EntryWriter(BibtexFilter& filter, const FilterRecord& record, LatexStyle style)
        : filter_(filter), record_(record), out_(filter.out), style_(style)
    {
        // Measured once: most texts are looked at more than once.
        for (int field = 0; field < kRecordTextCount; ++field)
            texts_[field] = TextOf(GetRecordText(record, field));
    }

    void Build(bool firstOfFile);

private:
    std::string_view ChooseType() const;
    void MakeKey(std::string& key) const;
    void Open(std::string_view name)
    {
        out_.append(",\r\n  ").append(name.data(), name.size()).append(" = {");
    }
    bool Has(RecordText field) const { return GetRecordText(record_, field) != nullptr; }
    void Text(std::string_view name, RecordText field, LatexField kind)
    {
        if (Has(field))
            Text(name, texts_[field], kind);
    }
    void Text(std::string_view name, std::string_view text, LatexField field)
    {
        Open(name);
        EncodeLatex(text, out_, style_, field);
        out_ += '}';
    }
    void Names(std::string_view name, RecordText field);
    void Date();
    void Keywords();
    KeptUse UseOf(const ::KeptField& field, std::string_view type) const;
    void KeptField(const ::KeptField& field);

    BibtexFilter& filter_;
    const FilterRecord& record_;
    std::string& out_;
    LatexStyle style_;
    std::string_view texts_[kRecordTextCount];
    Kept kept_;
};

// The entry type: the record's own when it fits (KindFits), else the one its RIS type names,
// else the one that goes with its fields.
std::string_view EntryWriter::ChooseType() const
{
    const bool hasSource = record_.source != nullptr;
    if (!kept_.bibType.empty()
        && KindFits(KindOfBibType(kept_.bibType), record_.sourceType, hasSource))
        return kept_.bibType;
    const RecordKind* other = KindOfRisType(kept_.risType);
    if (other != nullptr && KindFits(other, record_.sourceType, hasSource))
        return other->bibType;
    return DefaultKind(record_.sourceType, record_.title != nullptr, record_.source != nullptr)
        .bibType;
}

// The first author's (or editor's) family name in ASCII letters and the year: "smith2020".
void EntryWriter::MakeKey(std::string& key) const
{
    key.clear();
    std::string_view names = texts_[Has(kRecordAuthors) ? kRecordAuthors : kRecordEditors];
    std::string_view name = names.substr(0, FindLineBreak(names, 0));
    size_t comma = name.rfind(',');
    std::string_view family = name.substr(0, comma);
    if (comma == std::string_view::npos)
        family = name.substr(name.find_last_of(' ') == std::string_view::npos
                                 ? 0
                                 : name.find_last_of(' ') + 1);
    if (family.empty() && record_.title != nullptr)
        family = texts_[kRecordTitle].substr(0, texts_[kRecordTitle].find(' '));
    AppendAsciiLetters(family, key);
    for (char& c : key)
        c = Lower(c);
    if (key.empty())
        key = "ref";
    std::string_view date = texts_[kRecordDate];
    for (size_t at = 0; at < date.size(); ++at) {
        size_t end = at;
        while (end < date.size() && date[end] >= '0' && date[end] <= '9')
            ++end;
        if (end - at == 4) {
            key.append(date.substr(at, 4));
            break;
        }
        at = end;
    }
}

// A key used before in this file gets the first free suffix: "a" to "z", then "aa", ...
void EntryWriter::Names(std::string_view name, RecordText field)
{
    if (!Has(field))
        return;
    Open(name);
    WriteNames(texts_[field], out_, style_);
    out_ += '}';
}

// "March 2020" goes out as the month macro and the year, a year alone as the year, any other
// date as the year's text, so that it reads back as it stands.
void EntryWriter::Date()
{
    if (record_.date == nullptr)
        return;
    std::string_view date = texts_[kRecordDate];
    size_t blank = date.find(' ');
    if (blank != std::string_view::npos && IsDigits(date.substr(blank + 1))) {
        for (std::string_view month : kMonths) {
            if (date.substr(0, blank) != month)
                continue;
            Open("year");
            out_.append(date.substr(blank + 1)).append("},\r\n  month = ");
            for (char c : month.substr(0, 3))
                out_ += Lower(c);
            return;
        }
    }
    Text("year", kRecordDate, LatexField::kText);
}

void EntryWriter::Keywords()
{
    if (record_.keywords == nullptr)
        return;
    Open("keywords");
    std::string_view words = texts_[kRecordKeywords];
    bool first = true;
    for (size_t at = 0; at < words.size();) {
        const size_t end = FindLineBreak(words, at);
        if (end > at) {
            if (!first)
                out_ += ", ";
            first = false;
            EncodeLatex(words.substr(at, end - at), out_, style_, LatexField::kText);
        }
        at = end + 1;
    }
    out_ += '}';
}

// How a kept field goes out: the cite key and the entry type are used up in the entry's head,
// and so is a RIS type that the entry type chosen says already; a field that reads back as the
// kept field it is (not a RIS tag, not a field the writer writes itself or leaves out) is a
// field of its own; any other is a line of the abstract as it stands.
KeptUse EntryWriter::UseOf(const ::KeptField& field, std::string_view type) const
{
    if (field.name == kKeptCiteKey)
        return field.value.data() == kept_.citeKey.data() && IsValidKey(field.value)
                   ? KeptUse::kUsedUp
                   : KeptUse::kAbstract;
    if (field.name == kKeptBibType)
        return KeptUse::kUsedUp;
    if (field.name == kKeptRisType) {
        const RecordKind* kind = KindOfRisType(field.value);
        return kind != nullptr && kind->bibType == type ? KeptUse::kUsedUp : KeptUse::kAbstract;
    }
    if (IsRisTag(field.name) || field.name == "month" || field.name == "abstract"
        || !IsFieldName(field.name))
        return KeptUse::kAbstract;
    return KeptUse::kField;
}

void EntryWriter::KeptField(const ::KeptField& field)
{
    Open(field.name);
    if (IsVerbatimField(field.name) && BracesBalance(field.value))
        out_.append(field.value.data(), field.value.size());
    else
        EncodeLatex(field.value, out_, style_, LatexField::kText);
    out_ += '}';
}

void EntryWriter::Build(bool firstOfFile)
{
    const std::string_view abstract = texts_[kRecordAbstract];
    const bool kept = MayHoldKeptFields(abstract);
    ForEachAbstractLine(kept ? abstract : std::string_view(), [&](std::string_view, const ::KeptField* field) {
        if (field == nullptr)
            return;
        if (field->name == kKeptCiteKey && kept_.citeKey.empty())
            kept_.citeKey = field->value;
        else if (field->name == kKeptBibType)
            kept_.bibType = field->value;
        else if (field->name == kKeptRisType)
            kept_.risType = field->value;
    });
    if (firstOfFile) {
        filter_.citeKeys.Clear();
    }
    std::string key;
    if (IsValidKey(kept_.citeKey))
        key = kept_.citeKey;
    else
        MakeKey(key);
    filter_.citeKeys.MakeUnique(key);
    const std::string_view type = ChooseType();
    out_.clear();
    out_.append("@").append(type).append("{").append(key);
    Names("author", kRecordAuthors);
    Names("editor", kRecordEditors);
    Text("title", kRecordTitle, LatexField::kTitle);
    std::string_view sourceName = "journal";
    if (record_.sourceType == kRecordBook) {
        sourceName = "booktitle";
    } else if (record_.sourceType == kRecordReport) {
        sourceName = "institution";
        for (std::string_view thesis : kThesisTypes) {
            if (type == thesis)
                sourceName = "school";
        }
    }
    Text(sourceName, kRecordSource, LatexField::kText);
    Date();
    Text("volume", kRecordVolume, LatexField::kText);
    Text("number", kRecordNumber, LatexField::kText);
    Text("pages", kRecordPages, LatexField::kPages);
    Text("publisher", kRecordPublisher, LatexField::kText);
    Text("address", kRecordCity, LatexField::kText);
    Keywords();
    // The abstract's text, and the kept fields with no place of their own, as paragraphs.
    if (!kept) {
        if (!abstract.empty())
            Text("abstract", abstract, LatexField::kAbstract);
        out_.append("\r\n}\r\n\r\n");
        return;
    }
    std::string& text = filter_.text;
    text.clear();
    ForEachAbstractLine(abstract, [&](std::string_view line, const ::KeptField* field) {
        if (field == nullptr || UseOf(*field, type) == KeptUse::kAbstract)
            text.append(text.empty() ? "" : "\r\n\r\n").append(line);
    });
    if (!text.empty())
        Text("abstract", std::string_view(text), LatexField::kAbstract);
    ForEachAbstractLine(abstract, [&](std::string_view, const ::KeptField* field) {
        if (field != nullptr && UseOf(*field, type) == KeptUse::kField)
            KeptField(*field);
    });
    out_.append("\r\n}\r\n\r\n");
}

}  // namespace

// Write errors are the caller's to find when it closes the file; only a reference that
// cannot be written at all (no record, no memory) stops the export.
extern "C" FILTER_API int FILTER_CALL SaveRef(void* owner, FilterRecord* record, LineFile* file)
{
    BibtexFilter* filter = TheBibtexFilter();
    if (filter == nullptr || record == nullptr || file == nullptr)
        return kStop;
    try {
        const LatexStyle style{!filter->writeUtf8};
        EntryWriter(*filter, *record, style).Build(AtFileStart(file));
        // UTF-8, which biber reads and BibTeX passes through: from the first entry that goes
        // beyond ASCII on (with LaTeX commands for the letters, only what has none, such as a
        // character of a link), as all before it reads the same in UTF-8.
        if (!IsAscii(filter->out))
            file->flags |= kLineFileUtf8;
        WriteLine(file, filter->out.c_str());
    } catch (const std::exception&) {
        return kStop;
    }
    return kGoOn;
}
