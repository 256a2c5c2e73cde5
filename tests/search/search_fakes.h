// A fake of the search's user interface and a fixture that gives every search test a fresh
// store and fresh search criteria.
#ifndef CARTULAN_TESTS_SEARCH_SEARCH_FAKES_H
#define CARTULAN_TESTS_SEARCH_SEARCH_FAKES_H

#include <string>
#include <vector>

#include "search/search.h"
#include "search/search_ui.h"
#include "tests/store/store_fakes.h"

// Records "begun", "pump" and "ended" in order, and gives the window order of `windows`.
class FakeSearchUi : public SearchUi {
public:
    std::vector<std::string> events;
    std::vector<Database*> windows;
    // What result.progressWindow held while the search ran.
    void* progressSeen = nullptr;

    int Count(const std::string& kind) const;

    void searchBegun(ReferenceList& result) override;
    void pumpMessages() override;
    void searchEnded(ReferenceList& result) override;
    Database* nextInWindowOrder(const Database* database) override;
};

class SearchTest : public StoreTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A database with a window, searchable, at the end of the window order.
    Database* OpenWindow(const char* name, bool searchable = true);
    // Criteria for `field` and `text`.
    static SearchCriteria Criteria(int32_t field, const char* text, bool caseSensitive = false,
                                   bool logicalNot = false);

    FakeSearchUi searchUi;
};

#endif
