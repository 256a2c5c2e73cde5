// Personal names: how one name of a name list is split into family name and given names,
// and how two name lists are ordered for sorting.
//
// A name list is a text with one name per line, lines separated by CR LF ("Bloggs, F\r\n
// Smith, J"); it may end with a line break. Names are never changed, only split and compared.
#ifndef CARTULAN_STORE_TEXT_NAMES_H
#define CARTULAN_STORE_TEXT_NAMES_H

#include <cstddef>
#include <cstdint>

// How names are split and compared; one program-wide instance and a copy in every database.
struct NameOptions {
    // kCompareFamilyNames or kCompareAsWritten ("Method" of section "Names").
    int32_t method = 1;
    // Whether a name without the separator has its family name last ("SurLast").
    int32_t familyLast = 1;
    // The character that follows the family name ("SurSep"); never a blank.
    char separator = ',';
};

enum NameMethod : int32_t {
    kCompareFamilyNames = 0,  // split every name, compare family names, then given names
    kCompareAsWritten = 1,    // compare the two list texts as they stand
};

// The name options dialog refuses a blank, TAB, CR, LF or nothing as the separator.
bool IsValidNameSeparator(char separator);

// One name split into parts that point into the text it came from (no terminators).
struct NameParts {
    const char* family = nullptr;
    std::size_t familyLength = 0;
    const char* given = nullptr;  // null: no given names
    std::size_t givenLength = 0;
};

// Splits one name (without its line break): at the last separator the family name comes
// first, unless what follows it is a generational suffix (Jr, Jr., Sr, Sr., II, III, IV),
// which stays with the given names ("Smith, J, Jr." is a Smith); without a separator the
// family name is the last word when `familyLast` is set (a name whose only blank is its first
// character is all family name), else the first word. Blanks around the name and around both
// parts are dropped; empty given names count as none.
NameParts SplitName(const char* name, std::size_t length, const NameOptions& options);

// A walk through a name list, one name at a time, without copying. Name k starts after the
// k-th line feed of the text with CR, LF, blanks and TABs skipped; when the text ends there,
// the walk has ended. A blank line therefore repeats the name after it, and a closing line
// break adds no name.
struct NameWalk {
    const char* list = nullptr;
    const char* afterLineFeed = nullptr;  // just past the last line feed passed
    int32_t consumed = 0;                 // names taken so far
    bool ended = false;
    NameParts name;                       // the current name; empty once ended
};

// Starts before the first name; a null list has already ended.
void StartNameWalk(NameWalk& walk, const char* list);
// Moves to the next name and splits it under `options`.
void AdvanceNameWalk(NameWalk& walk, const NameOptions& options);

// Orders two name lists: method 1 compares the texts as written (CompareTextI); method 0
// compares name by name until a difference or the end of either list, so a list that is
// the leading part of the other sorts first; any other method gives -1. Null lists hold no
// names.
int compareNameLists(const NameOptions& options, const char* listA, const char* listB);

#endif
