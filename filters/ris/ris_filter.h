// The RIS filter: the tagged format every journal site and reference manager exports. A
// record runs from its "TY  - " line to its "ER  - " line; each line is a two-character tag,
// blanks, a hyphen, a blank and the text.
//
// Where the tags go:
//   TY            the source type: BOOK, CHAP, EBOOK, ECHAP, EDBOOK, CPAPER and CONF a book,
//                 RPRT and THES a report, the rest a journal
//   AU, A1        authors, one a line ("Last, First, Suffix" becomes "Last, Suffix, First",
//                 the form in which the program finds the family name)
//   ED, A2, A3    editors, the same way
//   TI, T1        title
//   T2, JF, JO, JA, BT   source: of those present, the first in the order the record's type
//                 gives (journals T2 JF JO JA BT, books and reports T2 BT JF JO JA)
//   PY, Y1, DA    date (the first of them; trailing "/" of the RIS date form dropped)
//   VL, IS        volume, number
//   SP, EP        pages "SP-EP" (SP alone, or "-EP"; EP is kept when SP holds a range)
//   PB, CY        publisher, city
//   KW            keywords, one each
//   AB, N2        abstract, a paragraph each
// Every other tag (DO, UR, SN, N1, M1, ...), a second line of a tag whose field holds one
// text, the source tags not taken and a type the writer would not choose itself are kept
// as lines of the abstract (see kept_fields.h), and written back as the tags they came from.
// A line that is not a tag line continues the text of the line before it, after a blank.
// A record without ER ends at the next TY line or at the end of the file; one with no line
// but its type is no reference. Lines before a record's first tag line are skipped.
//
// SaveRef writes the same tags (TY, AU, TI, T2, PY, VL, IS, SP, EP, PB, CY, ED, KW, AB, the
// kept tags, ER) with CR LF line ends, in UTF-8 with a byte-order mark, as RIS files are today
// (the option off: in the encoding of the database's own file). What it writes reads back
// into the same fields, except that a line break inside a one-line field becomes a blank and
// line breaks inside the abstract become paragraph breaks.
#ifndef CARTULAN_FILTERS_RIS_RIS_FILTER_H
#define CARTULAN_FILTERS_RIS_RIS_FILTER_H

#include <string>
#include <string_view>

#include "cartio.h"
#include "filters/common/file_mark.h"
#include "filters/common/filter_buffers.h"
#include "filters/common/record_fields.h"

// The one option: "RIS"/"Opt", 1 (the default) writes UTF-8 whatever the database was read
// from.
constexpr const char* kRisSection = "RIS";
constexpr const char* kRisOptionKey = "Opt";
constexpr int kRisOptionDefault = 1;

struct RisFilter {
    FilterBuffers buffers;
    RecordFields fields;
    OwnedRecord owned;
    // The record being read, besides its fields.
    std::string kept;
    std::string type;
    std::string startPage;
    std::string endPage;
    // The line read last. A TY line that ended a record without ER starts the next one, when
    // LoadRef is called again at the same place of the same file.
    std::string_view line;
    bool pendingLine = false;
    FileMark pendingAt;
    bool writeUtf8 = true;  // as read when the library was loaded
    std::string out;        // SaveRef's record text
};

// The loaded filter, or null while the library is not ready.
RisFilter* TheRisFilter();

// The tag and text of a tag line: two characters (a capital, then a capital or a digit),
// one blank or more, a hyphen, and the text after the blanks that follow it, without
// trailing blanks. False for any other line.
bool SplitRisLine(std::string_view line, std::string_view& tag, std::string_view& text);

// The blanks that a tag line's text loses at its ends: blank and tab.
bool IsRisBlank(char c);

// A name of exactly three parts between commas, none of them empty, with its second and third
// parts swapped and its blanks tidied, appended to `out`: the RIS order "Last, First, Suffix"
// and the program's "Last, Suffix, First" one into the other. False, appending nothing, for
// any other name.
bool SwapNameParts(std::string_view name, std::string& out);

#endif
