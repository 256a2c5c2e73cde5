#include "search/search.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "search/search_command.h"
#include "search/search_ui.h"
#include "tests/store/store_fakes.h"

namespace {

// A search user interface that keeps a window order (null before the first and after the
// last), and a fixture with a fresh store and search state.
class FakeSearchUi : public SearchUi {
public:
    std::vector<Database*> windows;

    void searchBegun(ReferenceList&) override {}
    void pumpMessages() override {}
    void searchEnded(ReferenceList&) override {}
    Database* nextInWindowOrder(const Database* database) override
    {
        if (database == nullptr) return windows.empty() ? nullptr : windows.front();
        auto at = std::find(windows.begin(), windows.end(), database);
        return at == windows.end() || ++at == windows.end() ? nullptr : *at;
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

Reference* With(Reference* reference, ReferenceField field, const char* text)
{
    SetReferenceText(*reference, field, text);
    return reference;
}

// The number a search of `source` adds to a new, empty result list.
int32_t Found(const ReferenceList& source, const SearchCriteria& criteria)
{
    ReferenceList* result = CreateReferenceList(20, 0, nullptr);
    const int32_t added = SearchList(source, criteria, *result);
    EXPECT_EQ(result->count(), added);
    delete result;
    return added;
}

using Search = SearchTest;

TEST_F(Search, EachFieldCodeLooksIntoItsFields)
{
    Database* database = OpenWindow();
    Put(*database, MakeReference("A, A", "1990", "Widget theory"));
    Put(*database, With(MakeReference("B, B", nullptr, "Parts"), kFieldKeywords, "gears\r\nwidgets"));
    Put(*database, With(MakeReference("C, C", nullptr, "Abstract"), kFieldAbstract, "Of\r\nWIDGETS."));
    Put(*database, MakeReference("Widget, W", nullptr, "Names"));
    Put(*database, MakeReference("D, D", nullptr, "Sources", "Widget Letters"));
    Put(*database, MakeReference("E, E", "widget 1994", "Dates"));
    Put(*database, MakeReference("F, F", nullptr, "Nothing here", "Gear Letters"));
    const ReferenceList& list = *database->references;
    const int32_t all = list.count();
    struct Case {
        int32_t field;
        const char* text;
        bool caseSensitive;
        int32_t found;  // under NOT all - found are selected, those lacking the field too
    };
    const Case cases[] = {
        {kSearchTitle, "widget", false, 1},    {kSearchTitle, "widget", true, 0},
        {kSearchTitle, "Widget", true, 1},     {kSearchKeywords, "widget", false, 1},
        {kSearchTitleKeywordsAbstract, "widget", false, 3},
        {kSearchAuthors, "widget", false, 1},  {kSearchSource, "widget", false, 1},
        {kSearchDate, "widget", false, 1},     {kSearchDate, "19", false, 2},
        {kSearchEverything, "widget", false, all},
        {0, "widget", false, 0},               {8, "widget", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.text);
        EXPECT_EQ(Found(list, Criteria(c.field, c.text, c.caseSensitive)), c.found);
        EXPECT_EQ(Found(list, Criteria(c.field, c.text, c.caseSensitive, true)), all - c.found);
    }
}

TEST_F(Search, AddsCopiesOnceFromEverySearchableWindowInWindowOrder)
{
    Database* first = OpenWindow();
    Database* second = OpenWindow();
    Database* hidden = OpenWindow(false);
    // Equal under the sort order (authors, date, title), told apart by their abstracts.
    Put(*first, With(MakeReference("Bloggs, F", "1994", "Widgets"), kFieldAbstract, "first"));
    Put(*second, With(MakeReference("Bloggs, F", "1994", "Widgets"), kFieldAbstract, "second"));
    Put(*second, MakeReference("Smith, J", "1990", "More widgets"));
    Put(*hidden, MakeReference("Other, AN", "1980", "Hidden widgets"));

    for (Database* top : {first, second}) {
        searchUi.windows = {top, top == first ? second : first, hidden};
        ReferenceList* result = CreateReferenceList(20, 0, nullptr);
        EXPECT_EQ(SearchAllDatabases(*result, Criteria(kSearchTitle, "widget")), 2);
        ASSERT_EQ(result->count(), 2);
        EXPECT_STREQ(result->referenceAt(0)->abstract, top == first ? "first" : "second");
        EXPECT_EQ(result->referenceAt(1)->refCount, 1);
        EXPECT_EQ(first->references->referenceAt(0)->refCount, 1);  // copies, not shares
        // Searching again, or a list into itself, adds nothing.
        EXPECT_EQ(SearchAllDatabases(*result, Criteria(kSearchTitle, "widget")), 0);
        EXPECT_EQ(SearchList(*second->references, Criteria(kSearchTitle, "widget"),
                             *second->references), 0);
        delete result;
    }
}

TEST(SearchDescription, JoinsTermsWithBracesWithinTheLimit)
{
    struct Case {
        int32_t command;
        const char* previous;
        const char* label;
        const char* text;
        bool logicalNot;
        const char* description;
    };
    const Case cases[] = {
        {kCommandNewSearch, "old", "Title = ", "widgets", false, "Title = \"widgets\""},
        {kCommandNewSearch, nullptr, nullptr, "", true, "!\"\""},
        {kCommandNarrowSearch, "T = \"a\"", "K = ", "b", false, "{ T = \"a\" } + { K = \"b\" }"},
        {kCommandExpandSearch, "T = \"a\"", "K = ", "b", true, "{ T = \"a\" } , { K = !\"b\" }"},
        {kCommandNarrowSearch, nullptr, "T = ", "a", false, "{  } + { T = \"a\" }"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        SearchCriteria criteria;
        SetSearchText(criteria, c.text);
        criteria.logicalNot = c.logicalNot ? 1 : 0;
        EXPECT_EQ(SearchDescription(c.command, c.previous, SearchTerm(c.label, criteria).c_str()),
                  c.description);
    }
    SearchCriteria criteria;
    SetSearchText(criteria, std::string(255, 't').c_str());
    const std::string term = SearchTerm("Title = ", criteria);
    std::string description = std::string(16370, 'd');
    for (int i = 0; i < 3; ++i) {  // the newest terms are what is cut
        description = SearchDescription(kCommandNarrowSearch, description.c_str(), term.c_str());
        EXPECT_EQ(description.size(), kSearchDescriptionLimit + 2);
        EXPECT_EQ(description.substr(description.size() - 2), " }");
    }
    EXPECT_EQ(description.substr(0, 6), "{ { { ");
}

TEST_F(Search, NarrowingKeepsCopiesOfTheMatchesAndReleasesTheRest)
{
    bool destroyed[3] = {};
    Database* target = OpenWindow();
    Reference* papers[3] = {Fill(new TrackedReference(&destroyed[0]), "Bloggs, F", "1994", "Widgets"),
                            Fill(new TrackedReference(&destroyed[1]), "Smith, J", "1990", "Gears"),
                            Fill(new TrackedReference(&destroyed[2]), "Brown, P", "1985", "Cogs")};
    for (Reference* paper : papers) Put(*target, paper);
    Database* bibliography = CreateBibliography();
    Put(*bibliography, papers[2]);
    EXPECT_EQ(RunSearchCommand(*target, kCommandNarrowSearch, Criteria(kSearchTitle, "widget"),
                               "T="), 1);
    EXPECT_STREQ(target->references->referenceAt(0)->title, "Widgets");
    EXPECT_EQ(target->references->database(), target);
    EXPECT_TRUE(destroyed[0] && destroyed[1]);  // the match lives on as a copy
    EXPECT_FALSE(destroyed[2]);                 // the bibliography still holds it
    EXPECT_EQ(papers[2]->refCount, 1);
    EXPECT_STREQ(target->description, "{  } + { T=\"widget\" }");
}

}  // namespace
