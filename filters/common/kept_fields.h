// Kept fields: what a reference from a richer format (RIS, BibTeX) carries beyond the
// program's twelve texts (a DOI, a URL, an ISSN, a note, the cite key, the record's own type)
// is kept in its abstract, one line each, ahead of the abstract's own paragraphs:
//
//   %Z name: value
//
// The refer filter keeps a line of a tag it has no field for as it is and writes it back
// unchanged ahead of its %X line, so a database saved and opened again keeps these lines, and
// the RIS and BibTeX filters write them back as tags or fields of their own. A name is the
// RIS tag ("M1", "TY") or the BibTeX field name ("howpublished", "entrytype"); the fields the
// two formats share go by one common name (kCommonNames: "doi" is RIS DO and BibTeX doi), so
// that a DOI imported from RIS is exported to BibTeX too. A value is one line. Lines of the
// abstract that do not have this form are abstract text.
#ifndef CARTULAN_FILTERS_COMMON_KEPT_FIELDS_H
#define CARTULAN_FILTERS_COMMON_KEPT_FIELDS_H

#include <string>
#include <string_view>

#include "filters/common/record_fields.h"

constexpr std::string_view kKeptPrefix = "%Z ";
constexpr std::string_view kKeptSeparator = ": ";

// The name under which a record's own type is kept: the RIS type (TY) and the BibTeX entry
// type, each kept only when it is not the one the writer would choose for the fields.
constexpr std::string_view kKeptRisType = "TY";
constexpr std::string_view kKeptBibType = "entrytype";
// The cite key, RIS ID.
constexpr std::string_view kKeptCiteKey = "citekey";

struct KeptField {
    std::string_view name;
    std::string_view value;
};

// A field both formats have, with its name in each.
struct CommonName {
    std::string_view name;    // the kept name and the BibTeX field name
    std::string_view risTag;  // the RIS tag
};

extern const CommonName kCommonNames[];
extern const size_t kCommonNameCount;

// The common name of a RIS tag (the tag itself when it has none). SN is an ISBN in a book,
// an ISSN elsewhere.
std::string_view KeptNameOfRisTag(std::string_view tag, int sourceType);
// The RIS tag of a kept name: the common names' tags, and names that are RIS tags themselves
// (two capitals or a capital and a digit); empty for the rest.
std::string_view RisTagOfKeptName(std::string_view name);
bool IsRisTag(std::string_view name);

// Appends "%Z name: value" as a new paragraph of `kept`. Empty values are not kept; line
// breaks in the value become blanks, so the field stays one line.
void AppendKeptField(std::string& kept, std::string_view name, std::string_view value);

// The field of one line of an abstract, or false when the line is abstract text.
bool ParseKeptField(std::string_view line, KeptField& field);

// Calls `each(line, field)` for every line of an abstract that is not empty, in order, with
// `field` pointing to the line's kept field, or null for a line of abstract text.
template <typename Each>
void ForEachAbstractLine(std::string_view abstract, Each each);

// Whether an abstract may hold kept fields: most hold none, and need not be looked at line by
// line.
inline bool MayHoldKeptFields(std::string_view abstract)
{
    return abstract.find(kKeptPrefix) != std::string_view::npos;
}

// The abstract of a record being read: the kept lines first, then the text, as paragraphs.
void JoinAbstract(FieldText& abstract, const std::string& kept);

// A kind of record in both formats: its RIS type, its BibTeX entry type and the source type
// it has in the program. Types of neither table count as journals.
struct RecordKind {
    std::string_view risType;
    std::string_view bibType;
    int sourceType;
};

// The kind of a RIS type or a BibTeX entry type (lower case), or null.
const RecordKind* KindOfRisType(std::string_view type);
const RecordKind* KindOfBibType(std::string_view type);
int SourceTypeOfKind(const RecordKind* kind);

// Whether a reader keeps the record's own type: when the writer would choose another for its
// fields, or when the record has no source (a refer file then keeps no source type, and the
// type alone tells what the record is).
bool KeepsOwnType(std::string_view type, std::string_view chosen, int sourceType,
                  bool hasSource);
// Whether a writer gives a record a kept type of this kind: when it fits the source type, or
// when the record has no source.
bool KindFits(const RecordKind* kind, int sourceType, bool hasSource);

// The kind a writer gives a record that keeps no type of its own: a journal article, a book
// or a chapter (a book with a title and a source: the chapter's title and the book's), a
// report.
const RecordKind& DefaultKind(int sourceType, bool hasTitle, bool hasSource);

template <typename Each>
void ForEachAbstractLine(std::string_view abstract, Each each)
{
    for (size_t at = 0; at < abstract.size();) {
        size_t end = abstract.find("\r\n", at);
        if (end == std::string_view::npos)
            end = abstract.size();
        const std::string_view line = abstract.substr(at, end - at);
        KeptField field;
        if (!line.empty())
            each(line, ParseKeptField(line, field) ? &field : nullptr);
        at = end + 2;
    }
}

#endif
