#include "search/search_command.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/search/search_fakes.h"

namespace {

constexpr char kTitleLabel[] = "Title = ";

TEST(SearchDescription, TermIsLabelNotMarkAndQuotedText)
{
    struct Case {
        const char* label;
        const char* text;
        bool logicalNot;
        const char* term;
    };
    const Case cases[] = {
        {"Title = ", "widgets", false, "Title = \"widgets\""},
        {"Title = ", "widgets", true, "Title = !\"widgets\""},
        {"All ", "x", false, "All \"x\""},
        {nullptr, "x", false, "\"x\""},
        {"Date = ", "", true, "Date = !\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.term);
        SearchCriteria criteria;
        SetSearchText(criteria, c.text);
        criteria.logicalNot = c.logicalNot ? 1 : 0;
        EXPECT_EQ(SearchTerm(c.label, criteria), c.term);
    }
}

TEST(SearchDescription, JoinsNarrowedAndExpandedSearchesWithBraces)
{
    struct Case {
        int32_t command;
        const char* previous;
        const char* term;
        const char* description;
    };
    const Case cases[] = {
        {kCommandNewSearch, "old", "T = \"a\"", "T = \"a\""},
        {kCommandNarrowSearch, "T = \"a\"", "K = \"b\"", "{ T = \"a\" } + { K = \"b\" }"},
        {kCommandExpandSearch, "T = \"a\"", "K = \"b\"", "{ T = \"a\" } , { K = \"b\" }"},
        {kCommandNarrowSearch, "{ T = \"a\" } , { K = \"b\" }", "D = !\"c\"",
         "{ { T = \"a\" } , { K = \"b\" } } + { D = !\"c\" }"},
        // A window without a description (a file's) has an empty earlier part.
        {kCommandNarrowSearch, nullptr, "T = \"a\"", "{  } + { T = \"a\" }"},
        {kCommandExpandSearch, "", "T = \"a\"", "{  } , { T = \"a\" }"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(SearchDescription(c.command, c.previous, c.term), c.description);
    }
}

TEST(SearchDescription, StaysWithin16380CharactersBeforeTheClosingBrace)
{
    const std::string previous(16370, 'd');
    const std::string term = "Title = \"" + std::string(255, 't') + "\"";
    std::string description =
        SearchDescription(kCommandNarrowSearch, previous.c_str(), term.c_str());
    EXPECT_EQ(description.size(), kSearchDescriptionLimit + 2);
    EXPECT_EQ(description.substr(0, 2 + previous.size() + 7), "{ " + previous + " } + { ");
    EXPECT_EQ(description.substr(description.size() - 2), " }");
    // Narrowing again and again keeps the limit; the newest terms are what is cut.
    for (int i = 0; i < 3; ++i) {
        description = SearchDescription(kCommandExpandSearch, description.c_str(), term.c_str());
        EXPECT_EQ(description.size(), kSearchDescriptionLimit + 2);
        EXPECT_EQ(description.substr(0, 4), "{ { ");
    }
    // A short description is not cut.
    EXPECT_EQ(SearchDescription(kCommandNewSearch, nullptr, std::string(20000, 'x').c_str()).size(),
              kSearchDescriptionLimit);
}

class SearchCommandTest : public SearchTest {
protected:
    // Two searchable windows with three widget papers between them, one of them in both.
    void SetUp() override
    {
        SearchTest::SetUp();
        first = OpenWindow("first.ref");
        second = OpenWindow("second.ref");
        Put(*first, MakeReference("Bloggs, F", "1994", "Widgets"));
        Put(*first, MakeReference("Smith, J", "1990", "Gears"));
        Put(*second, MakeReference("Bloggs, F", "1994", "Widgets"));
        Put(*second, MakeReference("Other, AN", "1980", "Widgets again"));
        Put(*second, MakeReference("Brown, P", "1985", "Widgets at last"));
    }

    // The database the shell makes for a new search: a new untitled window, active.
    Database* NewSearchWindow()
    {
        Database* database = OpenDatabase("");
        searchUi.windows.insert(searchUi.windows.begin(), database);
        return database;
    }

    Database* first = nullptr;
    Database* second = nullptr;
    // Counts destroyed tracked references; it outlives the databases torn down after a test.
    int destroyed = 0;
};

TEST_F(SearchCommandTest, NewSearchGathersEverySearchableWindowOnce)
{
    Database* result = NewSearchWindow();
    std::strcpy(result->fileName, "leftover.ref");
    const SearchCriteria criteria = Criteria(kSearchTitle, "widget");
    EXPECT_EQ(RunSearchCommand(*result, kCommandNewSearch, criteria, kTitleLabel), 3);
    EXPECT_EQ(result->references->count(), 3);
    EXPECT_TRUE(IsStrictlySorted(*result->references));
    EXPECT_STREQ(result->fileName, "");
    EXPECT_EQ(result->searchable, 0);
    EXPECT_STREQ(result->description, "Title = \"widget\"");
    EXPECT_EQ(result->modified, 0);
    EXPECT_EQ(DatabaseTitle(*result, "Untitled", "Bibliography"), std::string(result->description));
    // The list is filled with redrawing suspended, then shown whole.
    const std::vector<UiEvent> expected = {{"begun", result}, {"ended", result},
                                           {"refilled", result}, {"counts"}};
    EXPECT_EQ(std::vector<UiEvent>(ui.events.end() - 4, ui.events.end()), expected);
    EXPECT_EQ(searchUi.Count("begun"), 1);
    EXPECT_EQ(searchUi.Count("ended"), 1);
}

TEST_F(SearchCommandTest, NewSearchThatFindsNothingLeavesNoDescription)
{
    Database* result = NewSearchWindow();
    EXPECT_EQ(RunSearchCommand(*result, kCommandNewSearch, Criteria(kSearchTitle, "sprockets"),
                               kTitleLabel),
              0);
    EXPECT_EQ(result->references->count(), 0);
    EXPECT_EQ(result->description, nullptr);
    EXPECT_EQ(ui.EventsOf("counts").size(), 0u);
}

TEST_F(SearchCommandTest, NarrowingKeepsOnlyTheMatchesAsCopies)
{
    Database* target = OpenWindow("target.ref");
    TrackedReference* match = MakeTracked(&destroyed, "Bloggs, F", "1994", "Widgets");
    TrackedReference* miss = MakeTracked(&destroyed, "Smith, J", "1990", "Gears");
    TrackedReference* kept = MakeTracked(&destroyed, "Brown, P", "1985", "Sprockets");
    Put(*target, match);
    Put(*target, miss);
    Put(*target, kept);
    Database* bibliography = CreateBibliography();
    ASSERT_NE(bibliography, nullptr);
    Put(*bibliography, kept);
    ReferenceList* before = target->references;

    EXPECT_EQ(RunSearchCommand(*target, kCommandNarrowSearch, Criteria(kSearchTitle, "widget"),
                               kTitleLabel),
              1);
    EXPECT_NE(target->references, before);
    ASSERT_EQ(target->references->count(), 1);
    EXPECT_STREQ(target->references->referenceAt(0)->title, "Widgets");
    EXPECT_EQ(target->references->database(), target);
    // The originals are gone except the one the bibliography holds.
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(kept->refCount, 1);
    EXPECT_EQ(bibliography->references->count(), 1);
    // A file's window had no description: its earlier part is empty.
    EXPECT_STREQ(target->description, "{  } + { Title = \"widget\" }");
    EXPECT_EQ(target->modified, 0);
    EXPECT_STREQ(target->fileName, "target.ref");
    // Saving under that name now would lose the references left out.
    EXPECT_EQ(target->narrowed, 1);
}

TEST_F(SearchCommandTest, NarrowingThatFindsNothingChangesNothing)
{
    ASSERT_TRUE(SetDatabaseDescription(*second, "Title = \"widget\""));
    ReferenceList* before = second->references;
    const Reference* firstReference = before->referenceAt(0);
    EXPECT_EQ(RunSearchCommand(*second, kCommandNarrowSearch, Criteria(kSearchTitle, "sprocket"),
                               kTitleLabel),
              0);
    EXPECT_EQ(second->references, before);
    EXPECT_EQ(second->references->count(), 3);
    EXPECT_EQ(second->references->referenceAt(0), firstReference);
    EXPECT_STREQ(second->description, "Title = \"widget\"");
    // Narrowing searches no other window, but like every search with the frame disabled.
    EXPECT_EQ(searchUi.events.front(), "begun");
    EXPECT_EQ(searchUi.events.back(), "ended");
    EXPECT_EQ(searchUi.Count("begun"), 1);
    EXPECT_NE(searchUi.progressSeen, nullptr);
    EXPECT_EQ(second->narrowed, 0);
}

TEST_F(SearchCommandTest, ExpandingReportsTheWholeListAndJoinsWithAComma)
{
    Database* result = NewSearchWindow();
    ASSERT_EQ(RunSearchCommand(*result, kCommandNewSearch, Criteria(kSearchTitle, "again"),
                               kTitleLabel),
              1);
    Put(*first, MakeReference("Zed, Z", "1970", "Gears again"));
    const SearchCriteria criteria = Criteria(kSearchAuthors, "bloggs", false, false);
    // Bloggs is found in both windows but enters once; "again" was there already.
    EXPECT_EQ(RunSearchCommand(*result, kCommandExpandSearch, criteria, "Author = "), 2);
    EXPECT_EQ(result->references->count(), 2);
    EXPECT_STREQ(result->description, "{ Title = \"again\" } , { Author = \"bloggs\" }");

    // Expanding by what is all there already still reports the whole list.
    EXPECT_EQ(RunSearchCommand(*result, kCommandExpandSearch, criteria, "Author = "), 2);
    EXPECT_EQ(result->references->count(), 2);
    EXPECT_TRUE(IsStrictlySorted(*result->references));
}

TEST_F(SearchCommandTest, ExpandingANarrowedSearchNestsTheBraces)
{
    Database* result = NewSearchWindow();
    ASSERT_EQ(RunSearchCommand(*result, kCommandNewSearch, Criteria(kSearchTitle, "widget"),
                               "Title = "),
              3);
    ASSERT_EQ(RunSearchCommand(*result, kCommandNarrowSearch,
                               Criteria(kSearchAuthors, "bloggs", false, true), "Author = "),
              2);
    ASSERT_EQ(RunSearchCommand(*result, kCommandExpandSearch, Criteria(kSearchDate, "1990"),
                               "Date = "),
              3);
    EXPECT_STREQ(result->description,
                 "{ { Title = \"widget\" } + { Author = !\"bloggs\" } } , { Date = \"1990\" }");
}

TEST_F(SearchCommandTest, ShowAllSearchesNothing)
{
    ASSERT_TRUE(SetDatabaseDescription(*second, "kept"));
    EXPECT_EQ(RunSearchCommand(*second, kCommandShowAll, Criteria(kSearchTitle, "widget"),
                               kTitleLabel),
              3);
    EXPECT_STREQ(second->description, "kept");
    EXPECT_EQ(ui.events.back(), (UiEvent{"refilled", second}));
    EXPECT_EQ(searchUi.events.size(), 0u);
}

TEST_F(SearchCommandTest, RefusesOtherCommands)
{
    for (int32_t command : {0, 500, 512, 515}) {
        SCOPED_TRACE(command);
        const std::size_t events = ui.events.size();
        EXPECT_EQ(RunSearchCommand(*second, command, Criteria(kSearchTitle, "widget"),
                                   kTitleLabel),
                  -1);
        EXPECT_EQ(ui.events.size(), events);
        EXPECT_EQ(second->references->count(), 3);
    }
}

}  // namespace
