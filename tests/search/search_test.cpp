// Searching: the field codes, every searchable window, the search commands and their
// descriptions, keywords, and matching a text in a field.
#include "search/search.h"
#include "search/keywords.h"
#include "search/text_match.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "search/search_command.h"
#include "store/text/text_rules.h"
#include "tests/store/store_fakes.h"

namespace {

// A fresh store. Without a shell, a search over every window takes the active database
// first, then the others in the store's order.
class Search : public StoreTest {
protected:
    Database* OpenWindow(bool searchable = true)
    {
        Database* database = OpenDatabase();
        database->searchable = searchable ? 1 : 0;
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

TEST_F(Search, AddsCopiesOnceFromEverySearchableWindowTheActiveFirst)
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
        g_store.active = top;
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
    const std::string previous = std::string(16370, 'd');  // the newest term is what is cut
    const std::string description =
        SearchDescription(kCommandNarrowSearch, previous.c_str(), "Title = \"widgets\"");
    EXPECT_EQ(description, "{ " + previous + " } + { T }");  // 16380 characters, then " }"
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
    DatabaseWindowDestroyed(bibliography);  // the flags live only as long as this test
    EXPECT_TRUE(destroyed[2]);
}

TEST(Keywords, TextsEnterTheListCleanAndShortEnoughToReadBack)
{
    const std::string longLine(300, 'k');
    struct Case {
        const char* typed;
        std::string keyword;
    } typed[] = {
        {"plain", "plain"},
        {"two\r\nlines", "two  lines"},
        {"ends in CR\r", "ends in CR "},  // nothing is read past the end
        {longLine.c_str(), std::string(kKeywordMaxLength, 'k')},
    };
    for (const Case& c : typed) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(KeywordFromTypedText(c.typed), c.keyword);
    }

    // The chosen text stays below 399 characters; an entry that does not fit is left out.
    const std::string big(394, 'b');  // with "one" and CR LF: 399
    EXPECT_EQ(JoinChosenKeywords({"one", big, "two"}), "one\r\ntwo");
    EXPECT_EQ(JoinChosenKeywords({std::string(398, 'c')}).size(), 398u);
    EXPECT_EQ(JoinChosenKeywords({std::string(399, 'c')}), "");
}

TEST(Keywords, AddingPutsALineBreakBeforeTheChosenText)
{
    struct Case {
        const char* keywords;
        const char* result;
    } cases[] = {
        {nullptr, "gears\r\nwheels"},
        {"old", "old\r\ngears\r\nwheels"},
        {"old\r\n", "old\r\ngears\r\nwheels"},
        {"gears", "gears\r\ngears\r\nwheels"},  // present already: added again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        Reference reference;
        if (c.keywords) SetReferenceText(reference, kFieldKeywords, c.keywords);
        EXPECT_EQ(AddKeywordsToReference(reference, "gears\r\nwheels"), 1);
        EXPECT_STREQ(reference.keywords, c.result);
        EXPECT_EQ(AddKeywordsToReference(reference, ""), 1);
        EXPECT_STREQ(reference.keywords, c.result);
    }
}

// Sorted by keywords, a changed reference moves to its new place in every list that holds it;
// one that becomes equal to another stays beside it.
TEST_F(Search, ListsOrderedByKeywordsTakeTheChangedReferencesBackInOrder)
{
    g_store.defaults.sortKeys.keys[0] = MakeSortKey(kSortKeywords, false);
    g_store.defaults.sortKeys.keys[1] = kSortNone;
    Database* database = OpenDatabase();
    for (const char* keywords : {"apple", "banana", "cherry", "", "plum"}) {
        const char title[] = {static_cast<char>('A' + database->references->count()), 0};
        Put(*database, With(MakeReference("Bloggs, F", "1994", title), kFieldKeywords,
                            *keywords ? keywords : nullptr));
    }
    ASSERT_EQ(Titles(database), "ABCED");
    Database* bibliography = CreateBibliography();
    Put(*bibliography, database->references->referenceAt(2));  // C
    Put(*bibliography, database->references->referenceAt(4));  // D
    ASSERT_EQ(Titles(bibliography), "CD");

    const int32_t selection[] = {4, 4, 9};
    EXPECT_EQ(AddKeywordsToSelection(*database, selection, 3, "banana"), 1);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(Titles(database), "ADBCE");
    EXPECT_EQ(Titles(bibliography), "DC");
    EXPECT_EQ(database->references->referenceAt(1), bibliography->references->referenceAt(0));
    EXPECT_EQ(database->references->referenceAt(1)->refCount, 2);
    EXPECT_STREQ(database->references->referenceAt(1)->keywords, "banana");
    EXPECT_EQ(ui.selected, 1);  // the moved line stays selected
    EXPECT_EQ(AddKeywordsToSelection(*database, selection, 3, ""), 0);  // nothing chosen
}

// Many generated fields and texts (empty ones too) over a small alphabet with accented letters
// and line breaks, so that near misses are common, against lower-case copies and a plain
// substring search. An absent field never matches.
TEST(TextMatch, AgreesWithLowerCaseCopiesAndSubstringSearch)
{
    const std::string alphabet = "aAbB \xE9\xC9\xDF\xE5\xC5\x9F\xFF\r\n.e";
    uint64_t state = 12345;
    auto next = [&state](uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33) % bound;
    };
    const auto lower = [](std::string text) {
        for (char& c : text) c = ToLowerChar(c);
        return text;
    };
    int matches = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string field;
        const uint32_t fieldLength = next(100);
        for (uint32_t i = 0; i < fieldLength; ++i) field += alphabet[next(alphabet.size())];
        std::string text;
        if (next(3) == 0 && fieldLength > 0) {
            const uint32_t start = next(fieldLength);
            text = field.substr(start, 1 + next(fieldLength - start));
            for (char& c : text)
                if (next(2) == 0) c = ToUpperChar(c);
        } else {
            for (uint32_t i = next(5); i > 0; --i) text += alphabet[next(alphabet.size())];
        }
        for (bool caseSensitive : {false, true}) {
            const bool expected = caseSensitive ? field.find(text) != std::string::npos
                                                : lower(field).find(lower(text)) != std::string::npos;
            matches += expected ? 1 : 0;
            ASSERT_EQ(FieldContains(field.c_str(), text.c_str(), caseSensitive), expected)
                << "field '" << field << "' text '" << text << "' case " << caseSensitive;
        }
    }
    EXPECT_FALSE(FieldContains(nullptr, "", false));
    EXPECT_GT(matches, 5000);  // both outcomes plenty of times
    EXPECT_LT(matches, 35000);
}

}  // namespace
