// Databases and the commands on their references: creation, titles, windows, deleting,
// pasting, the bibliography, marking edits, the choices of the duplicate dialog, and new and
// copied references.
#include "store/database.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/list_flags.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

// A database holding Adams, Baker, Cole and Dunn, in that order.
class DatabaseTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        database = OpenDatabase();
        for (const char* authors : {"Adams, A", "Baker, B", "Cole, C", "Dunn, D"})
            Put(*database, MakeReference(authors, "1990", "Paper"));
    }

    std::string Authors(const Database& of) const
    {
        std::string authors;
        for (int32_t i = 0; i < of.references->count(); ++i)
            authors += of.references->referenceAt(i)->authors[0];
        return authors;
    }

    Database* database = nullptr;
};

TEST_F(DatabaseTest, DeleteAsksByTheProgramsModeAndSelectsTheLowestLine)
{
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmMultiple, true);
    database->listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);  // unread
    const int32_t one = 3;
    EXPECT_EQ(DeleteReferences(*database, &one, 1, true), 1);
    EXPECT_EQ(ui.questions, 0);
    ui.answer = false;
    const int32_t selection[] = {2, 0, 2, 9, -1};  // repeats and strays are ignored
    EXPECT_EQ(DeleteReferences(*database, selection, 5, true), 0);
    EXPECT_EQ(ui.questions, 1);
    EXPECT_EQ(Authors(*database), "ABC");
    EXPECT_EQ(database->modified, 1);
    database->modified = 0;
    EXPECT_EQ(DeleteReferences(*database, selection, 5, false), 2);  // cut: never asks
    EXPECT_EQ(ui.questions, 1);
    EXPECT_EQ(Authors(*database), "B");
    EXPECT_EQ(ui.selected, 0);
    EXPECT_EQ(database->modified, 1);

    const int32_t first = 0;
    AddToBibliography(*database, &first, 1);
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);
    EXPECT_EQ(DeleteReferences(*g_store.bibliography, &first, 1, true), 1);  // never asks
    EXPECT_EQ(ui.questions, 1);
}

TEST_F(DatabaseTest, NoBibliographyWhenItsWindowCannotOpen)
{
    ui.openSucceeds = false;
    const int32_t first = 0;
    EXPECT_EQ(AddToBibliography(*database, &first, 1), -1);
    EXPECT_EQ(g_store.bibliography, nullptr);
    EXPECT_EQ(database->references->referenceAt(0)->refCount, 1);
}

TEST_F(DatabaseTest, AnEditMarksEveryDatabaseHoldingTheReference)
{
    Database* other = OpenDatabase();
    Reference* shared = database->references->referenceAt(0);
    PropagateEdit(*shared);  // one holder: the active database
    EXPECT_EQ(other->modified, 1);
    EXPECT_EQ(database->modified, 0);
    other->modified = 0;
    const int32_t first = 0;
    AddToBibliography(*database, &first, 1);
    PropagateEdit(*shared);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(g_store.bibliography->modified, 1);
    EXPECT_EQ(other->modified, 0);
}

TEST_F(DatabaseTest, DuplicateChoicesDecideWhatGoesIn)
{
    using Choices = std::vector<DuplicateChoice>;
    const DuplicateChoice edit = DuplicateChoice::kEdit;
    const DuplicateChoice authors = DuplicateChoice::kEditAuthors;
    struct Case {
        const char* what;
        Choices choices;
        const char* editedAuthors;  // what an edit makes of the incoming authors
        int32_t result;
        const char* after;          // first letters of the authors in the list
        int calls;
    };
    const Case cases[] = {
        {"don't include", {DuplicateChoice::kDontInclude}, nullptr, kNotIncluded, "ABCD", 1},
        {"abandon", {DuplicateChoice::kAbandon}, nullptr, kAbandoned, "ABCD", 1},
        {"overwrite in place", {DuplicateChoice::kOverwrite}, nullptr, 1, "ABCD", 1},
        {"an edit that removes the clash", {edit}, "Eve, E", 4, "ABCDE", 1},
        {"an edit that leaves it equal asks again", {edit, authors}, "baker, b", kNotIncluded,
         "ABCD", 3},
        {"edited authors", {authors}, "Bloggs, B", 2, "ABBCD", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        resolver.choices = c.choices;
        resolver.edit = [&c](Reference& reference) {
            SetReferenceText(reference, kFieldAuthors, c.editedAuthors);
        };
        Reference* incoming = MakeReference("BAKER, B", "1990", "paper");
        const int32_t result = database->references->insert(incoming);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(Authors(*database), c.after);
        EXPECT_EQ(resolver.calls, c.calls);
        EXPECT_TRUE(IsStrictlySorted(*database->references));
        if (result >= 0)
            EXPECT_EQ(database->references->referenceAt(result), incoming);
        else
            delete incoming;
    }

    // The very object found in the list cannot be edited or replaced by itself.
    Reference* held = database->references->referenceAt(1);
    resolver = FakeResolver();
    resolver.choices = {edit, DuplicateChoice::kOverwrite};
    EXPECT_EQ(database->references->insert(held), kNotIncluded);
    EXPECT_FALSE(resolver.lastMayEdit);
    EXPECT_EQ(database->references->insert(held), 1);
    EXPECT_EQ(held->refCount, 1);
    g_store.resolver = nullptr;  // no dialog: duplicates are left out
    EXPECT_EQ(database->references->insert(held), kNotIncluded);
}

// Dragging copies without the internal clipboard, even references that the program's own
// order counts equal; a move deletes, without asking, only what went in, once it is in.
TEST_F(DatabaseTest, DragCopiesOrMovesWhatGoesInAndLeavesTheClipboardAlone)
{
    Database* target = OpenDatabase();
    g_store.defaults.sortKeys.keys[0] = kSortTitle;  // the four papers share their title
    g_store.defaults.sortKeys.keys[1] = kSortNone;
    const int32_t all[] = {0, 1, 2, 3};
    EXPECT_EQ(DragReferences(*database, all, 4, *target, false), 4);
    EXPECT_EQ(g_store.clipboard, nullptr);
    EXPECT_EQ(target->references->count(), 4);
    EXPECT_EQ(database->references->count(), 4);

    Reference* last = database->references->referenceAt(3);
    const int32_t two[] = {3, 1};
    resolver.choices = {DuplicateChoice::kDontInclude, DuplicateChoice::kAbandon};
    EXPECT_EQ(DragReferences(*database, two, 2, *target, true), 0);
    EXPECT_EQ(database->references->count(), 4);
    Database* byTitle = OpenDatabase();  // takes only one "Paper"
    EXPECT_EQ(DragReferences(*database, two, 2, *byTitle, true), 1);
    EXPECT_EQ(byTitle->references->count(), 1);
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_EQ(Authors(*database), "ACD");
    EXPECT_EQ(last->refCount, 1);
    EXPECT_EQ(ui.questions, 0);
}

// A default date that fills its array without a terminator gives its first 19 characters.
TEST(Reference, NewReferenceTakesTheInputDefaults)
{
    InputDefaults defaults;
    defaults.sourceType = kSourceBook;
    std::memset(defaults.date, '7', sizeof defaults.date);
    Reference* reference = CreateReference(defaults);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->sourceType, kSourceBook);
    EXPECT_STREQ(reference->date, "7777777777777777777");
    delete reference;
}

TEST(Reference, CopyHasItsOwnTextsInTheirFields)
{
    Reference original;
    original.sourceType = kSourceReport;
    original.refCount = 2;
    const char* const names[] = {"authors", "date",      "title", "source",  "volume",
                                 "number",  "pages",     "abstract", "keywords",
                                 "publisher", "city",    "editors", "summary"};
    for (int field = 0; field < kReferenceTextCount; ++field)
        ASSERT_TRUE(SetReferenceText(original, static_cast<ReferenceField>(field), names[field]));
    Reference* copy = CopyReference(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->refCount, 0);
    EXPECT_EQ(copy->sourceType, kSourceReport);
    char* Reference::* const members[] = {
        &Reference::authors,  &Reference::date,      &Reference::title, &Reference::source,
        &Reference::volume,   &Reference::number,    &Reference::pages, &Reference::abstract,
        &Reference::keywords, &Reference::publisher, &Reference::city,  &Reference::editors,
        &Reference::summary};
    for (int field = 0; field < kReferenceTextCount; ++field) {
        EXPECT_STREQ(copy->*members[field], names[field]);
        EXPECT_NE(copy->*members[field], original.*members[field]);
    }
    ASSERT_TRUE(SetReferenceText(*copy, kFieldTitle, nullptr));
    EXPECT_EQ(copy->title, nullptr);
    EXPECT_STREQ(original.title, "title");
    EXPECT_FALSE(SetReferenceText(*copy, static_cast<ReferenceField>(kReferenceTextCount), "x"));
    delete copy;
}

}  // namespace
