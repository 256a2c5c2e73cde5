#include "store/reference_list.h"

#include <gtest/gtest.h>

#include "store/database.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

using ReferenceListTest = StoreTest;

TEST_F(ReferenceListTest, HoldsItsReferencesAndDestroysOnTheLastRelease)
{
    int destroyed = 0;
    ReferenceList* list = CreateReferenceList(20, 0, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->capacity(), 20);
    EXPECT_EQ(list->database(), nullptr);
    for (int which = 0; which < ReferenceList::kBufferCount; ++which) {
        ASSERT_NE(list->buffer(which), nullptr);
        list->buffer(which)[ReferenceList::kBufferSize - 1] = 'x';  // the whole buffer is ours
    }
    EXPECT_EQ(list->buffer(3), nullptr);

    TrackedReference* a = MakeTracked(&destroyed, "Adams, A", "1990", "Alpha");
    TrackedReference* b = MakeTracked(&destroyed, "Baker, B", "1991", "Beta");
    EXPECT_EQ(list->insert(b), 0);
    EXPECT_EQ(list->insert(a), 0);
    EXPECT_EQ(a->refCount, 1);
    EXPECT_EQ(b->refCount, 1);
    EXPECT_EQ(list->referenceAt(1), b);
    EXPECT_TRUE(IsStrictlySorted(*list));

    list->removeAt(0, 0);  // the only hold: destroyed
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(list->count(), 1);
    list->removeAt(5, 0);
    EXPECT_EQ(list->count(), 1);

    ++b->refCount;  // a hold from elsewhere keeps it alive
    list->removeItem(b);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(b->refCount, 1);
    EXPECT_EQ(list->count(), 0);
    delete list;
    EXPECT_EQ(destroyed, 1);
    delete b;
}

// A list whose slots cannot grow, as when memory runs out.
class FullList : public ReferenceList {
public:
    FullList() : ReferenceList(2, 0, nullptr) {}
    void setCapacity(int32_t) override {}
};

TEST_F(ReferenceListTest, AnInsertionThatFindsNoRoomIsNotIncluded)
{
    FullList list;
    ASSERT_TRUE(list.ready());
    EXPECT_EQ(list.insert(MakeReference("Adams, A", "1990", "Alpha")), 0);
    EXPECT_EQ(list.insert(MakeReference("Baker, B", "1990", "Beta")), 1);
    Reference* refused = MakeReference("Cole, C", "1990", "Gamma");
    EXPECT_EQ(list.insert(refused), kNotIncluded);
    EXPECT_EQ(refused->refCount, 0);
    EXPECT_EQ(list.count(), 2);
    delete refused;
}

TEST_F(ReferenceListTest, DiscardReleasesInsteadOfDestroyingTwice)
{
    int destroyed = 0;
    ReferenceList* list = CreateReferenceList(20, 0, nullptr);
    ReferenceList* other = CreateReferenceList(20, 0, nullptr);
    TrackedReference* shared = MakeTracked(&destroyed, "Adams, A", "1990", "Alpha");
    TrackedReference* own = MakeTracked(&destroyed, "Baker, B", "1991", "Beta");
    list->insert(shared);
    other->insert(shared);
    list->insert(own);
    EXPECT_EQ(shared->refCount, 2);

    list->discard(shared);  // still in the other list
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(shared->refCount, 1);
    list->discardAt(0);     // `own`, held only here
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(list->count(), 0);

    list->discard(shared);  // not held here, but held by the other list: left alone
    EXPECT_EQ(destroyed, 1);
    TrackedReference* loose = MakeTracked(&destroyed, "Cole, C", "1992", "Gamma");
    list->discard(loose);   // held by nobody: destroyed
    EXPECT_EQ(destroyed, 2);

    other->insert(MakeTracked(&destroyed, "Dunn, D", "1993", "Delta"));
    other->discardAll();
    EXPECT_EQ(destroyed, 4);
    delete list;
    delete other;
}

TEST_F(ReferenceListTest, IndexOfFindsAnEqualReference)
{
    Database* database = OpenDatabase("A");
    Reference* held = MakeReference("Adams, A", "1990", "Alpha");
    Put(*database, held);
    Reference* twin = MakeReference("ADAMS, A", "1990", "alpha");
    EXPECT_EQ(database->references->indexOf(twin), 0);
    Reference* other = MakeReference("Adams, A", "1991", "Alpha");
    EXPECT_EQ(database->references->indexOf(other), -1);
    delete twin;
    delete other;
}

TEST_F(ReferenceListTest, OrdersByItsDatabaseOrElseByTheProgramsKeys)
{
    g_store.defaults.sortKeys.keys[0] = kSortTitle;
    g_store.defaults.sortKeys.keys[1] = kSortNone;
    Database* database = OpenDatabase("A");
    database->sortKeys.keys[0] = kSortDate;
    g_store.defaults.sortKeys.keys[0] = kSortAuthor;  // later changes do not reach it

    Reference* early = MakeReference("Zorn, Z", "1990", "Beta");
    Reference* late = MakeReference("Adams, A", "2000", "Alpha");
    EXPECT_LT(database->references->compare(early, late), 0);

    ReferenceList* clipboard = CreateReferenceList(kClipboardCapacity, 0, nullptr);
    EXPECT_GT(clipboard->compare(early, late), 0);  // by author, the program's keys
    clipboard->insert(early);
    clipboard->insert(late);
    EXPECT_EQ(clipboard->referenceAt(0), late);
    delete clipboard;
}

TEST_F(ReferenceListTest, RemoveAllEmptiesTheDatabasesLinesAndReleases)
{
    int destroyed = 0;
    Database* database = OpenDatabase("A");
    Put(*database, MakeTracked(&destroyed, "Adams, A", "1990", "Alpha"));
    Put(*database, MakeTracked(&destroyed, "Baker, B", "1991", "Beta"));
    ui.events.clear();
    database->references->removeAll();
    EXPECT_EQ(ui.events, (std::vector<UiEvent>{{"cleared", database}}));
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(database->references->count(), 0);
}

TEST_F(ReferenceListTest, AReferenceInTheBibliographyOutlivesItsDatabase)
{
    int destroyed = 0;
    Database* database = OpenDatabase("A");
    TrackedReference* shared = MakeTracked(&destroyed, "Adams, A", "1990", "Alpha");
    TrackedReference* own = MakeTracked(&destroyed, "Baker, B", "1991", "Beta");
    Put(*database, shared);
    Put(*database, own);
    const int32_t first = 0;
    ASSERT_EQ(AddToBibliography(*database, &first, 1), 1);
    Database* bibliography = g_store.bibliography;
    ASSERT_NE(bibliography, nullptr);
    EXPECT_EQ(bibliography->references->referenceAt(0), shared);
    EXPECT_EQ(shared->refCount, 2);

    DatabaseWindowDestroyed(database);  // closing the database
    EXPECT_EQ(destroyed, 1);            // only `own`
    EXPECT_EQ(shared->refCount, 1);
    EXPECT_EQ(bibliography->references->referenceAt(0), shared);
    EXPECT_STREQ(shared->title, "Alpha");

    DatabaseWindowDestroyed(bibliography);  // closing the bibliography afterwards
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(g_store.bibliography, nullptr);
    EXPECT_EQ(g_store.windowCount, 0);
    EXPECT_EQ(g_store.active, nullptr);
}

TEST_F(ReferenceListTest, RemovingFromAListWhileTheBibliographyHoldsItKeepsIt)
{
    int destroyed = 0;
    Database* database = OpenDatabase("A");
    TrackedReference* shared = MakeTracked(&destroyed, "Adams, A", "1990", "Alpha");
    Put(*database, shared);
    const int32_t first = 0;
    AddToBibliography(*database, &first, 1);
    database->references->removeAt(0, 0);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(shared->refCount, 1);
    g_store.bibliography->references->removeAt(0, 0);
    EXPECT_EQ(destroyed, 1);
}

}  // namespace
