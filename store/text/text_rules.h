// The 8-bit text rules of the whole program: letter and digit classes, case folding and the
// case-insensitive alphabetical comparison of Windows code page 1252 texts.
//
// The rules are the program's own tables, not the C library's locale, so they give the same
// results on every platform, in the manner of the system's word sort. Accented letters fold
// to their partners ("É" to "é") and sort with their base letter ("Ångström" among the A's,
// after "Angstrom"); the ligatures "æ", "œ" and "ß" sort as "ae", "oe" and "ss". Control
// characters sort first, then blanks, punctuation and symbols, then digits, then letters.
// Hyphens, apostrophes and soft hyphens weigh nothing ("O'Brien" sorts with "Obrien", after
// "Oakley"); they only keep texts apart that are otherwise the same ("Obrien" first).
#ifndef CARTULAN_STORE_TEXT_TEXT_RULES_H
#define CARTULAN_STORE_TEXT_TEXT_RULES_H

#include <cstddef>
#include <cstdint>

// A letter of code page 1252: A-Z, a-z and the accented and other Latin letters.
bool IsLetter(char c);
// A decimal digit 0-9.
bool IsDigit(char c);
// A letter or a digit.
bool IsAlphaNumeric(char c);
// Space or TAB.
bool IsBlank(char c);

// The lower-case (upper-case) partner of a letter; every other character as it is.
char ToLowerChar(char c);
char ToUpperChar(char c);

// Case-insensitive alphabetical comparison: -1, 0 or 1. First the letters as letters
// (accents and marks ignored), then the accents, then the marks decide; case never does.
// Null sorts as an empty text.
int CompareTextI(const char* a, const char* b);
// The same for two runs of text given by length (they need no terminator).
int CompareTextI(const char* a, std::size_t aLength, const char* b, std::size_t bLength);

// The first eight letters-level weights of a text packed into a number, one byte each, so
// that when the prefixes of two texts differ they order the texts as CompareTextI does. Equal
// prefixes decide nothing. Sorted lists keep one per item to compare without reading texts.
uint64_t PrimaryWeightPrefix(const char* text);
uint64_t PrimaryWeightPrefix(const char* text, std::size_t length);

#endif
