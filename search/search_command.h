// The search commands of the Search menu on a database: a new search, narrowing, expanding,
// and showing all references; and the description of the searches that made a result.
//
// The shell runs the search dialog first (it leaves the criteria in g_search.criteria, or
// cancels and nothing happens), then calls RunSearchCommand, then reports the outcome:
// "No matching references were found" for a count of 0 (closing a new search window again),
// else "Found %lu references satisfying:\n%s" with the count and the new description, and
// sets the window's title and Searchable box from the database.
#ifndef CARTULAN_SEARCH_SEARCH_COMMAND_H
#define CARTULAN_SEARCH_SEARCH_COMMAND_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "search/search.h"

class Database;

enum SearchCommand : int32_t {
    kCommandNewSearch = 510,
    kCommandShowAll = 511,
    kCommandNarrowSearch = 513,
    kCommandExpandSearch = 514,
};

// A description never grows beyond this many characters before its closing " }".
constexpr std::size_t kSearchDescriptionLimit = 16380;

// One search as the description shows it: the field's label, "!" under NOT, and the text in
// double quotes, as in: Title = !"widgets"
std::string SearchTerm(const char* label, const SearchCriteria& criteria);

// The description after a search: for a new search the term; for a narrowing
// "{ previous } + { term }", for an expansion "{ previous } , { term }". The part before the
// closing " }" is cut to kSearchDescriptionLimit characters. A missing previous description
// counts as empty.
std::string SearchDescription(int32_t command, const char* previous, const char* term);

// Carries out `command` on `target` with `criteria`; `label` is the description label of
// the criteria's field (language string field + 20).
//
//   510  `target` is the new untitled database the shell has just made for the results: it
//        becomes untitled and not searchable, and every searchable database is searched into
//        it. The count is the number of references it holds.
//   513  Only `target`'s own references are searched, into a new list, between the UI's
//        searchBegun and searchEnded like the other searches; when anything is found the
//        new list replaces the old one (references no other list holds are destroyed; the
//        matches live on as copies), otherwise nothing changes. The count is the number
//        found. A window of a file that lost references this way is marked `narrowed`.
//   514  Every searchable database is searched into `target`'s references. The count is the
//        number of references it now holds.
//   511  Nothing is searched. The count is the number of references.
//
// The list is refilled afterwards in every case. For 510, 513 and 514 a count above 0 also
// replaces the description (SearchDescription). Returns the count, or -1 for an unknown
// command or when the list for a narrowing could not be had (nothing changes). A search never
// marks a database modified.
int32_t RunSearchCommand(Database& target, int32_t command, const SearchCriteria& criteria,
                         const char* label);

#endif
