// The reshaping of a complete citadat record: join marks to blanks, optional lower case with
// capital initials, authors, editors and keywords one per line, and the extra keywords.
#ifndef CARTULAN_FILTERS_CITADAT_CITADAT_SHAPING_H
#define CARTULAN_FILTERS_CITADAT_CITADAT_SHAPING_H

#include <string>

#include "filters/common/record_fields.h"

// "SMITH, J; JONES, AB" (or in lower case): authors cut at every ";", each with a capital
// first letter and capital initials (the letters after its comma and blanks), one per line.
// The blanks around each author go; an empty one is left out.
void ShapeCitadatAuthors(std::string& authors, std::string& work);

// "SMITH_J, JONES_AB": editors cut at every comma (the blanks around each go), each as
// "Smith, J", one per line.
void ShapeCitadatEditors(std::string& editors, std::string& work);

// Keywords separated by ", " one per line, each with a capital first letter.
void ShapeCitadatKeywords(std::string& keywords, std::string& work);

// Every step in order, `options` being the bit set of the filter's options.
void ShapeCitadatRecord(RecordFields& fields, FieldText& documentType, int options,
                        std::string& work);

#endif
