// Writes references as a journal site or a reference manager exports them, for benchmarks:
//  - RIS: TY, one AU per author ("Last, First"), TI, T2, PY, VL, IS, SP and EP, PB, CY, one
//    ED per editor, one KW per keyword, AB, and the DO, UR and SN lines such exports carry,
//    CR LF line ends, ER and an empty line after each record; UTF-8 with a byte-order mark.
//  - BibTeX: one entry per reference (@article, @incollection or @techreport) with a key of
//    the first family name and the number, fields in braces, "and" between names, the volume
//    as a bare number, pages with "--", a doi; accented letters as LaTeX commands, as BibTeX
//    reads them, or in UTF-8, as biber does.
// Both are written by hand here rather than by the filters, so that a filter reads a file it
// did not write itself.
#ifndef CARTULAN_TOOLS_BIB_WRITERS_H
#define CARTULAN_TOOLS_BIB_WRITERS_H

#include <string>
#include <vector>

class Reference;

// Append the record of `reference`, numbered `number`, to `out` in code page 1252.
void AppendRisRecord(const Reference& reference, long number, std::string& out);
void AppendBibtexRecord(const Reference& reference, long number, std::string& out);

// Write every reference to the file `path`. Return the number of bytes written, or -1 when the
// file cannot be written.
long long WriteRisFile(const char* path, const std::vector<Reference*>& references);
long long WriteBibtexFile(const char* path, const std::vector<Reference*>& references,
                          bool utf8 = false);

#endif
