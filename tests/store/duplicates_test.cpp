#include <gtest/gtest.h>

#include "store/reference_list.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

class Duplicates : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        database = OpenDatabase("A");
        existing = MakeTracked(&destroyed, "Bloggs, F", "1994", "A paper");
        Put(*database, MakeReference("Adams, A", "1990", "Before"));
        Put(*database, existing);
        Put(*database, MakeReference("Zorn, Z", "1990", "After"));
        incoming = MakeTracked(&destroyed, "BLOGGS, F", "1994", "a paper");
    }

    int32_t Insert() { return database->references->insert(incoming); }

    int destroyed = 0;
    Database* database = nullptr;
    TrackedReference* existing = nullptr;
    TrackedReference* incoming = nullptr;
};

TEST_F(Duplicates, DontIncludeLeavesTheListAsItWas)
{
    resolver.choices = {DuplicateChoice::kDontInclude};
    EXPECT_EQ(Insert(), kNotIncluded);
    EXPECT_EQ(resolver.calls, 1);
    EXPECT_EQ(resolver.existingSeen.at(0), existing);
    EXPECT_TRUE(resolver.mayEditSeen.at(0));
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_EQ(incoming->refCount, 0);  // still the caller's
    delete incoming;
}

TEST_F(Duplicates, AbandonAsksTheCallerToStop)
{
    resolver.choices = {DuplicateChoice::kAbandon};
    EXPECT_EQ(Insert(), kAbandoned);
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_EQ(incoming->refCount, 0);
    delete incoming;
}

TEST_F(Duplicates, OverwriteReplacesTheExistingReferenceInItsPlace)
{
    resolver.choices = {DuplicateChoice::kOverwrite};
    EXPECT_EQ(Insert(), 1);
    EXPECT_EQ(destroyed, 1);  // the existing one had no other holder
    EXPECT_EQ(database->references->referenceAt(1), incoming);
    EXPECT_EQ(incoming->refCount, 1);
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_TRUE(IsStrictlySorted(*database->references));
}

TEST_F(Duplicates, OverwriteLeavesTheOldReferenceInTheBibliography)
{
    const int32_t index = 1;
    ASSERT_EQ(AddToBibliography(*database, &index, 1), 1);
    resolver.choices = {DuplicateChoice::kOverwrite};
    EXPECT_EQ(Insert(), 1);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(existing->refCount, 1);
    EXPECT_EQ(g_store.bibliography->references->referenceAt(0), existing);
    EXPECT_EQ(database->references->referenceAt(1), incoming);
}

TEST_F(Duplicates, EditThatRemovesTheClashInsertsWithoutAnotherQuestion)
{
    resolver.choices = {DuplicateChoice::kEdit};
    resolver.edit = [](Reference& reference) {
        SetReferenceText(reference, kFieldTitle, "A different paper");
    };
    EXPECT_EQ(Insert(), 1);  // Bloggs 1994 "A different paper" before "A paper"
    EXPECT_EQ(resolver.calls, 1);
    EXPECT_EQ(database->references->count(), 4);
    EXPECT_EQ(incoming->refCount, 1);
    EXPECT_TRUE(IsStrictlySorted(*database->references));
}

TEST_F(Duplicates, EditThatLeavesItEqualAsksAgain)
{
    resolver.choices = {DuplicateChoice::kEdit, DuplicateChoice::kEditAuthors,
                        DuplicateChoice::kDontInclude};
    int edits = 0;
    resolver.edit = [&edits](Reference&) { ++edits; };
    EXPECT_EQ(Insert(), kNotIncluded);
    EXPECT_EQ(resolver.calls, 3);
    EXPECT_EQ(edits, 2);
    delete incoming;
}

TEST_F(Duplicates, EditAuthorsThatChangesTheNamesInserts)
{
    resolver.choices = {DuplicateChoice::kEditAuthors};
    resolver.edit = [](Reference& reference) {
        SetReferenceText(reference, kFieldAuthors, "Bloggs, G");
    };
    EXPECT_EQ(Insert(), 2);
    EXPECT_EQ(database->references->referenceAt(2), incoming);
}

TEST_F(Duplicates, CoarserKeysMakeMoreDuplicates)
{
    database->sortKeys.keys[1] = kSortNone;  // Author / None / None
    database->sortKeys.keys[2] = kSortNone;
    TrackedReference* other = MakeTracked(&destroyed, "Bloggs, F", "2001", "Something else");
    resolver.choices = {DuplicateChoice::kDontInclude};
    EXPECT_EQ(database->references->insert(other), kNotIncluded);
    EXPECT_EQ(resolver.calls, 1);
    delete other;
    delete incoming;
}

TEST_F(Duplicates, TheVeryObjectCannotBeEditedOrOverwritten)
{
    resolver.choices = {DuplicateChoice::kEdit};
    EXPECT_EQ(database->references->insert(existing), kNotIncluded);
    EXPECT_FALSE(resolver.mayEditSeen.at(0));
    resolver.choices.push_back(DuplicateChoice::kOverwrite);
    EXPECT_EQ(database->references->insert(existing), 1);  // stays where it is
    EXPECT_EQ(existing->refCount, 1);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(database->references->count(), 3);
    delete incoming;
}

TEST_F(Duplicates, WithoutAResolverDuplicatesAreLeftOut)
{
    g_store.resolver = nullptr;
    EXPECT_EQ(Insert(), kNotIncluded);
    delete incoming;
}

TEST_F(Duplicates, LoadingStopsAtAbandonKeepingWhatWasRead)
{
    // A file holding the same reference twice, then more: the loader stops at Abandon.
    Database* loaded = OpenDatabase("B");
    Reference* file[] = {MakeReference("Bloggs, F", "1994", "A paper"),
                         MakeReference("Bloggs, F", "1994", "A paper"),
                         MakeReference("Cole, C", "1995", "Never read")};
    resolver.choices = {DuplicateChoice::kAbandon};
    int read = 0;
    for (Reference* reference : file) {
        const int32_t result = loaded->references->insert(reference);
        ++read;
        if (result < 0) delete reference;
        if (result == kAbandoned) break;
    }
    EXPECT_EQ(read, 2);
    EXPECT_EQ(loaded->references->count(), 1);
    delete file[2];
    delete incoming;
}

}  // namespace
