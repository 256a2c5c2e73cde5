#include "tests/search/search_fakes.h"

#include <algorithm>

int FakeSearchUi::Count(const std::string& kind) const
{
    return static_cast<int>(std::count(events.begin(), events.end(), kind));
}

void FakeSearchUi::searchBegun(ReferenceList& result)
{
    events.push_back("begun");
    result.progressWindow = this;
}

void FakeSearchUi::pumpMessages()
{
    events.push_back("pump");
}

void FakeSearchUi::searchEnded(ReferenceList& result)
{
    events.push_back("ended");
    progressSeen = result.progressWindow;
    result.progressWindow = nullptr;
}

Database* FakeSearchUi::nextInWindowOrder(const Database* database)
{
    if (database == nullptr) return windows.empty() ? nullptr : windows.front();
    const auto at = std::find(windows.begin(), windows.end(), database);
    if (at == windows.end() || at + 1 == windows.end()) return nullptr;
    return *(at + 1);
}

void SearchTest::SetUp()
{
    StoreTest::SetUp();
    g_search = SearchState();
    g_search.ui = &searchUi;
}

void SearchTest::TearDown()
{
    g_search = SearchState();
    StoreTest::TearDown();
}

Database* SearchTest::OpenWindow(const char* name, bool searchable)
{
    Database* database = OpenDatabase(name);
    if (database == nullptr) return nullptr;
    database->searchable = searchable ? 1 : 0;
    searchUi.windows.push_back(database);
    return database;
}

SearchCriteria SearchTest::Criteria(int32_t field, const char* text, bool caseSensitive,
                                    bool logicalNot)
{
    SearchCriteria criteria;
    criteria.field = field;
    SetSearchText(criteria, text);
    criteria.caseSensitive = caseSensitive ? 1 : 0;
    criteria.logicalNot = logicalNot ? 1 : 0;
    return criteria;
}
