#include "tools/bib_writers.h"

#include <cstdio>
#include <string_view>

#include "store/reference.h"

namespace {

// UTF-8 of code page 1252 text; 0x80-0x9F as the code page's characters.
constexpr unsigned short kUpper1252[] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The LaTeX commands of the letters 0xC0-0xFF, as a BibTeX user writes them.
constexpr const char* kLatexLetters[] = {
    "{\\`A}", "{\\'A}", "{\\^A}", "{\\~A}", "{\\\"A}", "{\\AA}", "{\\AE}", "{\\c{C}}",
    "{\\`E}", "{\\'E}", "{\\^E}", "{\\\"E}", "{\\`I}", "{\\'I}", "{\\^I}", "{\\\"I}", "{\\DH}",
    "{\\~N}", "{\\`O}", "{\\'O}", "{\\^O}", "{\\~O}", "{\\\"O}", "{\\texttimes}", "{\\O}",
    "{\\`U}", "{\\'U}", "{\\^U}", "{\\\"U}", "{\\'Y}", "{\\TH}", "{\\ss}", "{\\`a}", "{\\'a}",
    "{\\^a}", "{\\~a}", "{\\\"a}", "{\\aa}", "{\\ae}", "{\\c{c}}", "{\\`e}", "{\\'e}",
    "{\\^e}", "{\\\"e}", "{\\`i}", "{\\'i}", "{\\^i}", "{\\\"i}", "{\\dh}", "{\\~n}", "{\\`o}",
    "{\\'o}", "{\\^o}", "{\\~o}", "{\\\"o}", "{\\textdiv}", "{\\o}", "{\\`u}", "{\\'u}",
    "{\\^u}", "{\\\"u}", "{\\'y}", "{\\th}", "{\\\"y}",
};

// Code page 1252 text as BibTeX has it classically: the letters of 0xC0-0xFF as commands,
// anything else beyond ASCII in UTF-8.
std::string Latex(std::string_view text);

std::string Utf8(std::string_view text)
{
    std::string out;
    for (unsigned char c : text) {
        unsigned code = c >= 0x80 && c < 0xA0 ? kUpper1252[c - 0x80] : c;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string Latex(std::string_view text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0xC0)
            out += kLatexLetters[c - 0xC0];
        else
            out += Utf8(std::string_view(reinterpret_cast<const char*>(&c), 1));
    }
    return out;
}

// Calls `each` with every line of a multi-line text that is not empty.
template <typename Each>
void ForEachLine(const char* text, Each each)
{
    std::string_view rest = text != nullptr ? text : "";
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        if (end != 0)
            each(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
}

void Tag(std::string& out, const char* tag, std::string_view text)
{
    out.append(tag).append("  - ").append(text).append("\r\n");
}

void Field(std::string& out, const char* name, std::string_view text, bool braced = true)
{
    out.append(",\r\n  ").append(name).append(" = ");
    if (braced)
        out.append("{").append(text).append("}");
    else
        out.append(text);
}

const char* const kRisTypes[] = {"JOUR", "CHAP", "RPRT"};
const char* const kBibTypes[] = {"article", "incollection", "techreport"};
const char* const kBibSources[] = {"journal", "booktitle", "institution"};

int KindOf(const Reference& reference)
{
    return reference.sourceType >= 0 && reference.sourceType <= 2 ? reference.sourceType : 0;
}

// The abstract on one line: paragraphs joined by a blank.
std::string OneLine(const char* text)
{
    std::string line;
    ForEachLine(text, [&](std::string_view part) {
        line.append(line.empty() ? "" : " ").append(part);
    });
    return line;
}

std::string Doi(long number)
{
    char doi[40];
    std::snprintf(doi, sizeof doi, "10.5555/cartulan.%06ld", number);
    return doi;
}

}  // namespace

void AppendRisRecord(const Reference& reference, long number, std::string& out)
{
    Tag(out, "TY", kRisTypes[KindOf(reference)]);
    ForEachLine(reference.authors, [&](std::string_view name) { Tag(out, "AU", name); });
    if (reference.title != nullptr)
        Tag(out, "TI", reference.title);
    if (reference.source != nullptr)
        Tag(out, "T2", reference.source);
    if (reference.date != nullptr)
        Tag(out, "PY", reference.date);
    if (reference.volume != nullptr)
        Tag(out, "VL", reference.volume);
    if (reference.number != nullptr)
        Tag(out, "IS", reference.number);
    if (reference.pages != nullptr) {
        std::string_view pages = reference.pages;
        const std::size_t dash = pages.find('-');
        Tag(out, "SP", pages.substr(0, dash));
        if (dash != std::string_view::npos)
            Tag(out, "EP", pages.substr(dash + 1));
    }
    if (reference.publisher != nullptr)
        Tag(out, "PB", reference.publisher);
    if (reference.city != nullptr)
        Tag(out, "CY", reference.city);
    ForEachLine(reference.editors, [&](std::string_view name) { Tag(out, "ED", name); });
    ForEachLine(reference.keywords, [&](std::string_view word) { Tag(out, "KW", word); });
    if (reference.abstract != nullptr)
        Tag(out, "AB", OneLine(reference.abstract));
    const std::string doi = Doi(number);
    Tag(out, "DO", doi);
    Tag(out, "UR", "https://doi.org/" + doi);
    Tag(out, "SN", "1234-5678");
    out.append("ER  - \r\n\r\n");
}

void AppendBibtexRecord(const Reference& reference, long number, std::string& out)
{
    const int kind = KindOf(reference);
    std::string_view first = reference.authors != nullptr ? reference.authors : "anon";
    first = first.substr(0, first.find_first_of(",\r"));
    char key[24];
    std::snprintf(key, sizeof key, "%ld", number);
    out.append("@").append(kBibTypes[kind]).append("{");
    for (char c : first) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            out += c;
    }
    out.append(key);
    std::string names;
    ForEachLine(reference.authors, [&](std::string_view name) {
        names.append(names.empty() ? "" : " and ").append(name);
    });
    if (!names.empty())
        Field(out, "author", names);
    if (reference.title != nullptr)
        Field(out, "title", reference.title);
    if (reference.source != nullptr)
        Field(out, kBibSources[kind], reference.source);
    if (reference.date != nullptr)
        Field(out, "year", reference.date);
    if (reference.volume != nullptr)
        Field(out, "volume", reference.volume, false);
    if (reference.number != nullptr)
        Field(out, "number", reference.number);
    if (reference.pages != nullptr) {
        std::string pages = reference.pages;
        const std::size_t dash = pages.find('-');
        if (dash != std::string::npos)
            pages.insert(dash, "-");
        Field(out, "pages", pages);
    }
    if (reference.publisher != nullptr)
        Field(out, "publisher", reference.publisher);
    if (reference.city != nullptr)
        Field(out, "address", reference.city);
    std::string words;
    ForEachLine(reference.keywords, [&](std::string_view word) {
        words.append(words.empty() ? "" : ", ").append(word);
    });
    if (!words.empty())
        Field(out, "keywords", words);
    if (reference.abstract != nullptr)
        Field(out, "abstract", OneLine(reference.abstract));
    Field(out, "doi", Doi(number));
    out.append("\r\n}\r\n\r\n");
}

namespace {

template <typename Append>
long long WriteFile(const char* path, const std::vector<Reference*>& references,
                    std::string_view start, Append append, std::string (*encode)(std::string_view))
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return -1;
    bool ok = std::fwrite(start.data(), 1, start.size(), file) == start.size();
    long long written = static_cast<long long>(start.size());
    std::string record;
    long number = 0;
    for (const Reference* reference : references) {
        record.clear();
        append(*reference, ++number, record);
        const std::string bytes = encode(record);
        ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        written += static_cast<long long>(bytes.size());
    }
    ok = std::fclose(file) == 0 && ok;
    return ok ? written : -1;
}

}  // namespace

long long WriteRisFile(const char* path, const std::vector<Reference*>& references)
{
    return WriteFile(path, references, "\xEF\xBB\xBF", AppendRisRecord, Utf8);
}

long long WriteBibtexFile(const char* path, const std::vector<Reference*>& references, bool utf8)
{
    return WriteFile(path, references, "", AppendBibtexRecord, utf8 ? Utf8 : Latex);
}
