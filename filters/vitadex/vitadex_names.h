// Names written with hyphens for blanks ("SMITH-J-K", "SMITH-JONES-A", "DE-LA-CRUZ-M"), as
// family name, comma, blank and initials ("SMITH, JK", "SMITH-JONES, A", "DE-LA-CRUZ, M").
#ifndef CARTULAN_FILTERS_VITADEX_VITADEX_NAMES_H
#define CARTULAN_FILTERS_VITADEX_VITADEX_NAMES_H

#include <string>
#include <string_view>

// Appends one author reshaped. The initials are the last piece and the pieces of fewer than
// three characters right before it; the family name is every piece before them, joined by
// "-" (the first piece always belongs to it). "SMITH-JONES" is therefore "SMITH, JONES".
void AppendAuthorName(std::string& out, std::string_view author);

// The authors text cut at every ";" (blanks around an author dropped, empty ones left out),
// each author reshaped and ended by CR LF, into `out`.
void ReformatAuthors(const std::string& authors, std::string& out);

#endif
