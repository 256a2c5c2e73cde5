// Names written with hyphens for blanks ("SMITH-J-K", "SMITH-JONES-A"), as family name,
// comma, blank and initials ("SMITH, JK", "SMITH-JONES, A").
#ifndef CARTULAN_FILTERS_VITADEX_VITADEX_NAMES_H
#define CARTULAN_FILTERS_VITADEX_VITADEX_NAMES_H

#include <string>
#include <string_view>

// Appends one author reshaped: the first piece as it stands; a later piece that has a further
// "-" after it joins with "-" when it has three or more characters (a double family name) and
// is otherwise an initial; the last piece is an initial. The first initial follows ", ", the
// others follow directly.
void AppendAuthorName(std::string& out, std::string_view author);

// The authors text cut at every ";" (the next author starts two characters after it), each
// author reshaped and ended by CR LF, into `out`.
void ReformatAuthors(const std::string& authors, std::string& out);

#endif
