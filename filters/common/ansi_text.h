// Character classes and case in the ANSI code page the texts are written in: on Windows the
// platform's own, natively code page 1252.
#ifndef CARTULAN_FILTERS_COMMON_ANSI_TEXT_H
#define CARTULAN_FILTERS_COMMON_ANSI_TEXT_H

#include <cstddef>
#include <string>

bool IsAnsiLetter(char c);
bool IsAnsiLower(char c);
// A letter-or-digit that is not a letter.
bool IsAnsiDigit(char c);
char ToUpperAnsi(char c);
char ToLowerAnsi(char c);

void LowerAnsiRange(std::string& text, size_t begin, size_t end);
void UpperAnsiRange(std::string& text, size_t begin, size_t end);

#endif
