// Name lists of BibTeX fields (author, editor) and the program's name lists (one name a line,
// "Last, First"), both ways.
#ifndef CARTULAN_FILTERS_BIBTEX_BIBTEX_NAMES_H
#define CARTULAN_FILTERS_BIBTEX_BIBTEX_NAMES_H

#include <string>
#include <string_view>

#include "filters/bibtex/latex_text.h"

// Splits `raw` at each "and" between blanks outside braces and appends the names to `out`,
// one a line: "Last, First" and "First Last" both become "Last, First" (with BibTeX's rule
// for the "von" part: the words in lower case before the family name belong to it), "Last,
// Jr, First" stays in that order, a name without given names is the family name alone, and a
// name that is one group in braces (an organisation) keeps its braces when it has blanks:
// "{World Health Organization}".
void ReadNames(std::string_view raw, std::string& out);

// Appends the names of a program name list joined by " and ". A name without a comma goes as
// it stands, which BibTeX reads as "First Last" as the program does; one in braces keeps
// them; one that holds the word "and", or commas that would read as other parts, gets them.
void WriteNames(std::string_view names, std::string& out, LatexStyle style);

#endif
