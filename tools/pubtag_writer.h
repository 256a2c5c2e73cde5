// Writes references in the pubtag tagged layout, as a literature database exports them: a
// zero-padded record counter line, one tagged line per author and keyword, long texts
// wrapped at 80 columns on continuation lines, the source as "journal date;volume(issue):
// pages", CR LF line ends and an empty line after each record.
#ifndef CARTULAN_TOOLS_PUBTAG_WRITER_H
#define CARTULAN_TOOLS_PUBTAG_WRITER_H

#include <string>
#include <vector>

class Reference;

// Appends the pubtag record of `reference`, numbered `number`, to `out`.
void AppendPubtagRecord(const Reference& reference, long number, std::string& out);

// Writes every reference to the file `path`. Returns the number of bytes written, or -1 when
// the file cannot be written.
long long WritePubtagFile(const char* path, const std::vector<Reference*>& references);

#endif
