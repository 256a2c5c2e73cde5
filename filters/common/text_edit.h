// Small in-place edits of field texts shared by the filters.
#ifndef CARTULAN_FILTERS_COMMON_TEXT_EDIT_H
#define CARTULAN_FILTERS_COMMON_TEXT_EDIT_H

#include <cstddef>
#include <string>
#include <string_view>

#include "byte_scan.h"

constexpr std::string_view kLineBreak = "\r\n";

// While a record is read, lines joined "by a space" are joined by this mark; it becomes a
// space once the record is complete, together with any such byte the file held itself.
constexpr char kJoinMark = '\x01';
constexpr std::string_view kJoinMarkText = "\x01";

// Every occurrence of `from` (not empty), left to right, replaced by `to`.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);
void ReplaceByte(std::string& text, char from, char to);

// Calls `take` with every piece of `text` cut at `separator`, without the blanks around it;
// pieces of nothing but blanks are left out.
template <typename Take>
void ForEachPiece(std::string_view text, char separator, Take take)
{
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view piece = text.substr(start, end - start);
        const size_t first = piece.find_first_not_of(' ');
        if (first != std::string_view::npos)
            take(piece.substr(first, piece.find_last_not_of(' ') - first + 1));
        start = end + 1;
    }
}

// The first CR or LF of `text` from `at` on, or the size of `text`.
inline size_t FindLineBreak(std::string_view text, size_t at)
{
    if (at >= text.size())
        return text.size();
    return static_cast<size_t>(
        FindEitherByte(text.data() + at, text.data() + text.size(), '\r', '\n') - text.data());
}

#endif
