// Searching references: which references have a text in a chosen field, gathered as copies
// into a result list that never holds two equal references.
#ifndef CARTULAN_SEARCH_SEARCH_H
#define CARTULAN_SEARCH_SEARCH_H

#include <cstdint>

#include "search/text_match.h"

class Reference;
class ReferenceList;
class SearchUi;

// The field codes of a search: the search dialog offers 1-6 (its list position + 1).
enum SearchField : int32_t {
    kSearchTitle = 1,
    kSearchKeywords = 2,
    kSearchTitleKeywordsAbstract = 3,  // keywords, title or abstract
    kSearchAuthors = 4,
    kSearchSource = 5,                 // journal, book title or report
    kSearchDate = 6,
    kSearchEverything = 7,             // not offered: every reference matches
};
constexpr int32_t kDialogSearchFields = 6;
// The description label of a field is language string (field code + this).
constexpr int32_t kSearchLabelStringBase = 20;

// The criteria of a search; the program keeps the last ones (see g_search).
struct SearchCriteria {
    int32_t field = kSearchTitleKeywordsAbstract;
    char text[kSearchTextSize] = "";  // at most 255 characters
    int32_t caseSensitive = 0;
    int32_t logicalNot = 0;           // select the references that do not match
};

// Stores a copy of `text` cut to 255 characters (null makes it empty).
void SetSearchText(SearchCriteria& criteria, const char* text);

// The program-wide search state: the last criteria and the interface to the user.
struct SearchState {
    SearchCriteria criteria;
    SearchUi* ui = nullptr;  // null: nothing is shown, windows in the store's order
};
extern SearchState g_search;

// g_search.ui, or a stand-in that shows nothing and takes the databases as the store lists
// them, the active one first.
SearchUi& CurrentSearchUi();

// A search prepared once for any number of references.
struct PreparedSearch {
    int32_t field = kSearchTitleKeywordsAbstract;
    bool logicalNot = false;
    TextMatcher matcher;
};
void PrepareSearch(PreparedSearch& search, const SearchCriteria& criteria);

// Whether `reference` is selected: its field holds the text (field 3: any of keywords, title
// and abstract; 7: always; other codes: never), the decision inverted under NOT. An absent
// field does not hold the text, so under NOT it is selected.
bool ReferenceSelected(const PreparedSearch& search, const Reference& reference);

// Adds a copy of every selected reference of `source`, in order, to `result` unless `result`
// already holds an equal one (under its own order), so the same reference found twice goes in
// once and the duplicate dialog is never needed. Lets the UI pump messages before every 16th
// reference. Returns the number added. A search of a list into itself adds nothing.
int32_t SearchList(const ReferenceList& source, const SearchCriteria& criteria,
                   ReferenceList& result);

// Searches every database whose `searchable` flag is set, in window order from the active
// one, into `result`, between the UI's searchBegun and searchEnded. Returns the number added.
int32_t SearchAllDatabases(ReferenceList& result, const SearchCriteria& criteria);

#endif
