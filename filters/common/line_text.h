// Reading a record file line by line, and taking the text of a tagged line.
#ifndef CARTULAN_FILTERS_COMMON_LINE_TEXT_H
#define CARTULAN_FILTERS_COMMON_LINE_TEXT_H

#include <cstddef>
#include <string_view>

#include "cartio.h"
#include "filters/common/filter_buffers.h"

// The next line of the file, whole however long: a line longer than the line buffer comes
// from cartio in pieces, which are joined here, so that no piece ever reads as a line of its
// own. The text stays valid until the next call. False, with `line` empty, when the file
// holds nothing more (also after a read error, which looks the same).
bool ReadWholeLine(LineFile* file, FilterBuffers& buffers, std::string_view& line);

// The text of a line from `start` on (empty when the line is shorter), after skipping any of
// the bytes in `skipped`.
std::string_view TextFrom(std::string_view line, size_t start, std::string_view skipped);

// The line holds nothing but blanks and tabs (or nothing at all).
bool IsBlankLine(std::string_view line);

#endif
