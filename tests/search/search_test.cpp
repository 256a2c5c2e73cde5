#include "search/search.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/search/search_fakes.h"

namespace {

class SearchListTest : public SearchTest {
protected:
    // The number a search of `source` adds to a new, empty result list.
    int32_t Found(const ReferenceList& source, const SearchCriteria& criteria)
    {
        ReferenceList* result = CreateReferenceList(20, 0, nullptr);
        const int32_t added = SearchList(source, criteria, *result);
        EXPECT_EQ(result->count(), added);
        EXPECT_TRUE(IsStrictlySorted(*result));
        delete result;
        return added;
    }

    Reference* With(Reference* reference, ReferenceField field, const char* text)
    {
        EXPECT_TRUE(SetReferenceText(*reference, field, text));
        return reference;
    }
};

TEST_F(SearchListTest, IgnoresCaseOnlyWhenAsked)
{
    Database* database = OpenWindow("a.ref");
    Put(*database, MakeReference("Bloggs, F\r\nSmith, J", "1994", "An exciting paper"));
    const ReferenceList& list = *database->references;
    EXPECT_EQ(Found(list, Criteria(kSearchAuthors, "bloggs")), 1);
    EXPECT_EQ(Found(list, Criteria(kSearchAuthors, "bloggs", true)), 0);
    EXPECT_EQ(Found(list, Criteria(kSearchAuthors, "Bloggs", true)), 1);
    EXPECT_EQ(Found(list, Criteria(kSearchTitle, "EXCITING")), 1);
    EXPECT_EQ(Found(list, Criteria(kSearchTitle, "EXCITING", true)), 0);
}

TEST_F(SearchListTest, EachFieldCodeLooksIntoItsFields)
{
    Database* database = OpenWindow("a.ref");
    Put(*database, MakeReference("A, A", "1990", "Widget theory"));
    Put(*database,
        With(MakeReference("B, B", nullptr, "Parts"), kFieldKeywords, "gears\r\nwidgets"));
    Put(*database, With(MakeReference("C, C", nullptr, "Abstract only"), kFieldAbstract,
                        "First line.\r\n\r\nOf WIDGETS."));
    Put(*database, MakeReference("Widget, W", nullptr, "Names"));
    Put(*database, MakeReference("D, D", nullptr, "Sources", "Widget Letters"));
    Put(*database, MakeReference("E, E", "widget 1994", "Dates"));
    Put(*database, MakeReference("F, F", nullptr, "Nothing here", "Gear Letters"));
    const ReferenceList& list = *database->references;
    const int32_t all = list.count();
    ASSERT_EQ(all, 7);

    struct Case {
        int32_t field;
        int32_t found;     // references whose field holds "widget"
        int32_t notFound;  // the same search under NOT
    };
    const Case cases[] = {
        {kSearchTitle, 1, all - 1},
        {kSearchKeywords, 1, all - 1},
        {kSearchTitleKeywordsAbstract, 3, all - 3},
        {kSearchAuthors, 1, all - 1},
        {kSearchSource, 1, all - 1},
        {kSearchDate, 1, all - 1},
        {kSearchEverything, all, 0},
        // Other codes match nothing, so NOT selects everything.
        {0, 0, all},
        {8, 0, all},
        {-1, 0, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(Found(list, Criteria(c.field, "widget")), c.found);
        EXPECT_EQ(Found(list, Criteria(c.field, "widget", false, true)), c.notFound);
    }
}

TEST_F(SearchListTest, NotSelectsReferencesLackingTheField)
{
    Database* database = OpenWindow("a.ref");
    Put(*database, MakeReference("A, A", "1994", "Dated"));
    Put(*database, MakeReference("B, B", "1987", "Also dated"));
    Put(*database, MakeReference("C, C", nullptr, "Undated"));
    Put(*database, MakeReference("D, D", nullptr, "Also undated"));

    ReferenceList* result = CreateReferenceList(20, 0, nullptr);
    EXPECT_EQ(SearchList(*database->references, Criteria(kSearchDate, "19", false, true), *result),
              2);
    for (int32_t i = 0; i < result->count(); ++i) EXPECT_EQ(result->referenceAt(i)->date, nullptr);
    delete result;
}

TEST_F(SearchListTest, AddsCopiesAndNoReferenceTwice)
{
    Database* database = OpenWindow("a.ref");
    Put(*database, MakeReference("A, A", "1994", "Widgets"));
    Put(*database, MakeReference("B, B", "1995", "More widgets"));
    ReferenceList* result = CreateReferenceList(20, 0, nullptr);
    const SearchCriteria criteria = Criteria(kSearchTitle, "widget");

    EXPECT_EQ(SearchList(*database->references, criteria, *result), 2);
    for (int32_t i = 0; i < 2; ++i) {
        const Reference* original = database->references->referenceAt(i);
        const Reference* copy = result->referenceAt(i);
        EXPECT_NE(copy, original);
        EXPECT_STREQ(copy->title, original->title);
        EXPECT_EQ(copy->refCount, 1);
        EXPECT_EQ(original->refCount, 1);
    }
    // Searching again finds equals of both already there.
    EXPECT_EQ(SearchList(*database->references, criteria, *result), 0);
    EXPECT_EQ(result->count(), 2);
    // A list searched into itself gains nothing.
    EXPECT_EQ(SearchList(*database->references, criteria, *database->references), 0);
    EXPECT_EQ(database->references->count(), 2);
    EXPECT_TRUE(database->references->consistent());
    delete result;
}

TEST_F(SearchListTest, PumpsMessagesEvery16References)
{
    Database* database = OpenWindow("a.ref");
    for (int i = 0; i < 40; ++i)
        Put(*database, MakeReference("A, A", std::to_string(1950 + i).c_str(), "Title"));
    EXPECT_EQ(Found(*database->references, Criteria(kSearchTitle, "absent")), 0);
    // Before references 0, 16 and 32.
    EXPECT_EQ(searchUi.Count("pump"), 3);
    EXPECT_EQ(searchUi.Count("begun"), 0);
}

TEST_F(SearchListTest, SearchesEverySearchableDatabaseOnceInWindowOrder)
{
    Database* first = OpenWindow("first.ref");
    Database* second = OpenWindow("second.ref");
    Database* hidden = OpenWindow("hidden.ref", false);
    // Equal under the sort order (authors, date, title), told apart by their abstracts.
    Put(*first, With(MakeReference("Bloggs, F", "1994", "Widgets"), kFieldAbstract, "first"));
    Put(*second, With(MakeReference("Bloggs, F", "1994", "Widgets"), kFieldAbstract, "second"));
    Put(*second, MakeReference("Smith, J", "1990", "More widgets"));
    Put(*hidden, MakeReference("Other, AN", "1980", "Hidden widgets"));
    for (int i = 0; i < 20; ++i)
        Put(*second, MakeReference("Filler, F", std::to_string(1900 + i).c_str(), "Filler"));

    ReferenceList* result = CreateReferenceList(20, 0, nullptr);
    EXPECT_EQ(SearchAllDatabases(*result, Criteria(kSearchTitle, "widget")), 2);
    ASSERT_EQ(result->count(), 2);
    EXPECT_STREQ(result->referenceAt(0)->abstract, "first");
    EXPECT_STREQ(result->referenceAt(1)->authors, "Smith, J");
    EXPECT_EQ(first->references->referenceAt(0)->refCount, 1);

    // The progress window is there during the search only; messages are pumped in each list.
    EXPECT_EQ(searchUi.events.front(), "begun");
    EXPECT_EQ(searchUi.events.back(), "ended");
    EXPECT_EQ(searchUi.Count("begun"), 1);
    EXPECT_EQ(searchUi.Count("pump"), 1 + 2);
    EXPECT_EQ(searchUi.progressSeen, &searchUi);
    EXPECT_EQ(result->progressWindow, nullptr);
    delete result;

    // The other window order finds the other of the two equal references.
    searchUi.windows = {second, first, hidden};
    result = CreateReferenceList(20, 0, nullptr);
    SearchAllDatabases(*result, Criteria(kSearchTitle, "widget"));
    ASSERT_EQ(result->count(), 2);
    EXPECT_STREQ(result->referenceAt(0)->abstract, "second");
    delete result;
}

TEST_F(SearchListTest, WithoutAShellTheActiveDatabaseComesFirst)
{
    g_search.ui = nullptr;
    Database* older = OpenDatabase("older.ref");
    Database* newer = OpenDatabase("newer.ref");
    Database* hidden = OpenDatabase("hidden.ref");
    hidden->searchable = 0;
    Put(*older, With(MakeReference("Bloggs, F", "1994", "Widgets"), kFieldAbstract, "older"));
    Put(*newer, With(MakeReference("Bloggs, F", "1994", "Widgets"), kFieldAbstract, "newer"));
    Put(*hidden, MakeReference("Other, AN", "1980", "Hidden widgets"));

    for (Database* active : {older, newer}) {
        SCOPED_TRACE(active->fileName);
        g_store.active = active;
        ReferenceList* result = CreateReferenceList(20, 0, nullptr);
        EXPECT_EQ(SearchAllDatabases(*result, Criteria(kSearchTitle, "widget")), 1);
        EXPECT_STREQ(result->referenceAt(0)->abstract, active == older ? "older" : "newer");
        delete result;
    }
}

TEST(SearchCriteriaText, IsCutTo255Characters)
{
    SearchCriteria criteria;
    const std::string text(300, 'x');
    SetSearchText(criteria, text.c_str());
    EXPECT_EQ(std::string(criteria.text), text.substr(0, 255));
    SetSearchText(criteria, nullptr);
    EXPECT_STREQ(criteria.text, "");
}

}  // namespace
