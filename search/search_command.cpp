#include "search/search_command.h"

#include <cstring>

#include "search/search_ui.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

// A narrowing gathers its matches in a small list first; the target keeps its own list when
// nothing is found.
constexpr int32_t kNarrowListCapacity = 20;

int32_t NewSearch(Database& target, const SearchCriteria& criteria)
{
    target.fileName[0] = 0;
    target.searchable = 0;
    SearchAllDatabases(*target.references, criteria);
    return target.references->count();
}

int32_t NarrowSearch(Database& target, const SearchCriteria& criteria)
{
    ReferenceList* narrowed = CreateReferenceList(kNarrowListCapacity, 0, &target);
    if (narrowed == nullptr) return -1;
    // Like every search, with the frame disabled: no command may change the list meanwhile.
    SearchUi& ui = CurrentSearchUi();
    ui.searchBegun(*narrowed);
    const int32_t found = SearchList(*target.references, criteria, *narrowed);
    ui.searchEnded(*narrowed);
    if (found == 0) {
        delete narrowed;
        return 0;
    }
    if (target.fileName[0] != 0 && found < target.references->count()) target.narrowed = 1;
    ReferenceList* old = target.references;
    target.references = narrowed;
    old->removeAll();
    delete old;
    return found;
}

int32_t ExpandSearch(Database& target, const SearchCriteria& criteria)
{
    SearchAllDatabases(*target.references, criteria);
    return target.references->count();
}

bool IsSearchCommand(int32_t command)
{
    return command == kCommandNewSearch || command == kCommandShowAll ||
           command == kCommandNarrowSearch || command == kCommandExpandSearch;
}

}  // namespace

std::string SearchTerm(const char* label, const SearchCriteria& criteria)
{
    std::string term = label != nullptr ? label : "";
    if (criteria.logicalNot != 0) term += '!';
    term += '"';
    // The criteria's text may have been filled without its terminator.
    const void* end = std::memchr(criteria.text, 0, kSearchTextSize - 1);
    term.append(criteria.text, end != nullptr ? static_cast<const char*>(end) - criteria.text
                                              : kSearchTextSize - 1);
    term += '"';
    return term;
}

std::string SearchDescription(int32_t command, const char* previous, const char* term)
{
    if (term == nullptr) term = "";
    if (command != kCommandNarrowSearch && command != kCommandExpandSearch) {
        std::string description = term;
        if (description.size() > kSearchDescriptionLimit)
            description.resize(kSearchDescriptionLimit);
        return description;
    }
    std::string description = "{ ";
    description += previous != nullptr ? previous : "";
    description += command == kCommandNarrowSearch ? " } + { " : " } , { ";
    description += term;
    if (description.size() > kSearchDescriptionLimit) description.resize(kSearchDescriptionLimit);
    description += " }";
    return description;
}

int32_t RunSearchCommand(Database& target, int32_t command, const SearchCriteria& criteria,
                         const char* label)
{
    if (!IsSearchCommand(command) || target.references == nullptr) return -1;
    StoreUi& ui = CurrentStoreUi();
    int32_t count = target.references->count();
    if (command != kCommandShowAll) {
        ui.updatesBegun(target);
        if (command == kCommandNewSearch)
            count = NewSearch(target, criteria);
        else if (command == kCommandNarrowSearch)
            count = NarrowSearch(target, criteria);
        else
            count = ExpandSearch(target, criteria);
        ui.updatesEnded(target);
        if (count < 0) return -1;
    }
    ui.linesRefilled(target);
    if (command == kCommandShowAll || count <= 0) return count;
    ui.countsChanged();
    const std::string description =
        SearchDescription(command, target.description, SearchTerm(label, criteria).c_str());
    SetDatabaseDescription(target, description.c_str());
    return count;
}
