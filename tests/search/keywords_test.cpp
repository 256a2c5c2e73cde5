#include "search/keywords.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/store/store_fakes.h"

namespace {

std::vector<std::string> Lines(const char* keywords)
{
    KeywordSet set;
    CollectKeywordLines(keywords, set);
    return set.keywords;
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

    // Lines begin with a letter or digit; case is ignored; a CR at the very end ends it.
    EXPECT_EQ(Lines("Gears\r\n gears\r\n-dash\r\nGEARS\r\n7 wheels\r\n\r\n\xC9t\xE9\r\n\xE9T\xC9\r"),
              (std::vector<std::string>{"Gears", "7 wheels", "\xC9t\xE9"}));
    EXPECT_EQ(Lines(("a" + longLine).c_str()), (std::vector<std::string>{"a" + longLine.substr(0, 253)}));
    EXPECT_TRUE(Lines(nullptr).empty());

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

class AddKeywordsTest : public StoreTest {
protected:
    Reference* WithKeywords(const char* title, const char* keywords)
    {
        Reference* reference = MakeReference("Bloggs, F", "1994", title);
        if (keywords) SetReferenceText(*reference, kFieldKeywords, keywords);
        return reference;
    }
};

// Sorted by keywords, a changed reference moves to its new place in every list that holds it;
// one that becomes equal to another stays beside it.
TEST_F(AddKeywordsTest, ListsOrderedByKeywordsTakeTheChangedReferencesBackInOrder)
{
    g_store.defaults.sortKeys.keys[0] = MakeSortKey(kSortKeywords, false);
    g_store.defaults.sortKeys.keys[1] = kSortNone;
    Database* database = OpenDatabase();
    Put(*database, WithKeywords("A", "apple"));
    Put(*database, WithKeywords("B", "banana"));
    Put(*database, WithKeywords("C", "cherry"));
    Put(*database, WithKeywords("D", nullptr));
    Put(*database, WithKeywords("E", "plum"));
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

}  // namespace
