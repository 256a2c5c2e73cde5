// Small in-place edits of field texts shared by the filters.
#ifndef CARTULAN_FILTERS_COMMON_TEXT_EDIT_H
#define CARTULAN_FILTERS_COMMON_TEXT_EDIT_H

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::string_view kLineBreak = "\r\n";

// While a record is read, lines joined "by a space" are joined by this mark; it becomes a
// space once the record is complete, together with any such byte the file held itself.
constexpr char kJoinMark = '\x01';
constexpr std::string_view kJoinMarkText = "\x01";

// Every occurrence of `from` (not empty), left to right, replaced by `to`.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);
void ReplaceByte(std::string& text, char from, char to);

#endif
