// Writes references in the refer layout the program saves databases in: one tagged line per
// field (%A per author, %D, %T, %J/%B/%R by source type, %I, %C, %E per editor, %V, %N, %P,
// %K with the keywords joined by ", ", %X), CR LF line ends, an empty line after each.
#ifndef CARTULAN_TOOLS_REFER_WRITER_H
#define CARTULAN_TOOLS_REFER_WRITER_H

#include <string>
#include <vector>

class Reference;

// Appends the refer record of `reference` to `out`.
void AppendReferRecord(const Reference& reference, std::string& out);

// Writes every reference to the file `path`. Returns the number of bytes written, or -1 when
// the file cannot be written.
long long WriteReferFile(const char* path, const std::vector<Reference*>& references);

#endif
