// The BibTeX filter: the .bib files of LaTeX users, read and written.
//
// Reading: every "@type{key, field = value, ...}" entry (or "@type(...)") is a reference;
// @string entries define macros (month names are predefined), @comment and @preamble entries
// and the text between entries are skipped. A value is pieces joined by "#": texts in braces
// or quotes, numbers and macro names (an undefined name stands for itself). Entry types and
// field names are read in any case.
//   @article, @misc and the rest        a journal (source: journal, or journaltitle)
//   @book, @inbook, @incollection, @inproceedings, @proceedings, @conference
//                                        a book (source: booktitle)
//   @techreport, @phdthesis, @mastersthesis, @report, @thesis
//                                        a report (source: institution, or school)
//   author, editor    "and" splits the names; each becomes "Last, First" ("von Last, Jr,
//                     First" with a suffix), whether written "Last, First" or "First Last";
//                     an organisation's name in braces keeps them
//   title, volume, number (or issue), pages ("--" a hyphen), publisher, address (or
//   location), keywords (split at "," and ";"), abstract (an empty line a paragraph break)
//   year and month    the date ("March 2020"); a date field when there is no year
// Texts lose their LaTeX (latex_text.h). The cite key, the entry type when the writer would
// choose another for the fields, and every field with no place in the program (doi, url,
// note, series, a second title, ...) are kept as lines of the abstract (kept_fields.h); doi,
// url, eprint, file and pdf keep their text as written.
//
// Writing: one entry per reference, fields in braces, CR LF line ends, the kept fields
// written back. The cite key is the kept one, or the first author's (or editor's) family name
// in ASCII letters and the year ("smith2020"); within one file each key is made unique by
// "a", "b", ... The type is the kept one when it fits the source type, else @article, @book
// (@incollection when the book has a title and a source) or @techreport.
#ifndef CARTULAN_FILTERS_BIBTEX_BIBTEX_FILTER_H
#define CARTULAN_FILTERS_BIBTEX_BIBTEX_FILTER_H

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cartio.h"
#include "filters/bibtex/cite_keys.h"
#include "filters/common/file_mark.h"
#include "filters/common/filter_buffers.h"
#include "filters/common/record_fields.h"

// Files are written in UTF-8 without a mark (all ASCII as long as they can be). The one option: "BibTeX"/"Opt", 1 writes letters
// and symbols beyond ASCII as they are (for biber) instead of as LaTeX commands, which both
// BibTeX and biber read. Files are read in either form; characters the code page lacks come
// in as their escapes ("{U+0151}") and go out as their commands or as themselves.
constexpr const char* kBibtexSection = "BibTeX";
constexpr const char* kBibtexOptionKey = "Opt";
constexpr int kBibtexOptionDefault = 0;

struct BibField {
    std::string_view name;   // lower case: in the entry's text or `lowered`
    std::string_view value;  // the pieces joined, LaTeX as written: in the entry's text, a
                             // macro's or `joined`
    std::string lowered;
    std::string joined;
};

// A group in braces at an entry's own level: where its braces stand in the entry's text.
struct BibGroup {
    size_t open;
    size_t close;
};

struct BibEntry {
    std::string type;  // lower case
    std::string key;
    // The first `count` are this entry's. A deque, as adding a field must not move the others:
    // a value joined from pieces is held in its own field's `joined`.
    std::deque<BibField> fields;
    size_t count = 0;
};

struct BibtexFilter {
    FilterBuffers buffers;
    RecordFields fields;
    OwnedRecord owned;
    // Reading.
    BibEntry entry;
    std::string body;   // the text of the entry being read
    std::vector<BibGroup> groups;  // of `body`, by where they open
    std::string carry;  // the rest of a line after an entry, for the next LoadRef
    bool hasCarry = false;
    FileMark carryAt;
    std::unordered_map<std::string, std::string> macros;
    std::string kept;
    std::string text;
    // Writing.
    bool writeUtf8 = false;  // as read when the library was loaded
    CiteKeys citeKeys;  // of the file being written
    std::string out;
};

// Fields whose text names a thing (a link, a file) rather than being text: doi, url, eprint,
// file, pdf. They are kept and written as they stand.
bool IsVerbatimField(std::string_view name);

// The loaded filter, or null while the library is not ready.
BibtexFilter* TheBibtexFilter();

// Reads the next entry that is a reference into filter.entry (macros and skipped entries on
// the way). Returns kRecordNone when the file ends first, kRecordDeliveredLast when it ends
// inside the entry, else kRecordDelivered.
// The macros start anew with each file (a file read from its start).
int ReadEntry(BibtexFilter& filter, LineFile* file);

#endif
