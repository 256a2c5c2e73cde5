// Reading a record file line by line, and taking the text of a tagged line.
#ifndef CARTULAN_FILTERS_COMMON_LINE_TEXT_H
#define CARTULAN_FILTERS_COMMON_LINE_TEXT_H

#include <cstddef>
#include <string_view>

#include "cartio.h"

// The next line of the file into `line` (a buffer of GetBufSz() bytes); false, leaving `line`
// as it was, when the file holds nothing more (also after a read error, which looks the same).
bool ReadNextLine(LineFile* file, char* line);

// The text of a line from `start` on (empty when the line is shorter), after skipping any of
// the bytes in `skipped`.
std::string_view TextFrom(std::string_view line, size_t start, std::string_view skipped);

#endif
