// A search user interface that counts its calls and keeps a window order, and a fixture with a
// fresh store and search state.
#ifndef CARTULAN_TESTS_SEARCH_SEARCH_FAKES_H
#define CARTULAN_TESTS_SEARCH_SEARCH_FAKES_H

#include <algorithm>
#include <vector>

#include "search/search.h"
#include "search/search_ui.h"
#include "tests/store/store_fakes.h"

class FakeSearchUi : public SearchUi {
public:
    std::vector<Database*> windows;

    void searchBegun(ReferenceList& result) override { result.progressWindow = this; }
    void pumpMessages() override {}
    void searchEnded(ReferenceList& result) override { result.progressWindow = nullptr; }
    Database* nextInWindowOrder(const Database* database) override
    {
        auto at = std::find(windows.begin(), windows.end(), database);
        if (database == nullptr) return windows.empty() ? nullptr : windows.front();
        return at != windows.end() && at + 1 != windows.end() ? *(at + 1) : nullptr;
    }
};

class SearchTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        g_search = SearchState();
        g_search.ui = &searchUi;
    }
    void TearDown() override
    {
        g_search = SearchState();
        StoreTest::TearDown();
    }

    // A database with a window at the end of the window order.
    Database* OpenWindow(bool searchable = true)
    {
        Database* database = OpenDatabase();
        database->searchable = searchable ? 1 : 0;
        searchUi.windows.push_back(database);
        return database;
    }

    static SearchCriteria Criteria(int32_t field, const char* text, bool caseSensitive = false,
                                   bool logicalNot = false)
    {
        SearchCriteria criteria;
        criteria.field = field;
        SetSearchText(criteria, text);
        criteria.caseSensitive = caseSensitive ? 1 : 0;
        criteria.logicalNot = logicalNot ? 1 : 0;
        return criteria;
    }

    FakeSearchUi searchUi;
};

#endif
