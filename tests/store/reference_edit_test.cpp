#include <gtest/gtest.h>

#include "store/reference_edit.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

class ReferenceEditing : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        database = OpenDatabase();
        Put(*database, MakeReference("Adams, A", "1990", "Gears"));
        edited = new TrackedReference(&destroyed);
        Fill(edited, "Baker, B", "1991", "Pumps");
        Put(*database, edited);
        Put(*database, MakeReference("Cole, C", "1992", "Valves"));
        database->modified = 0;
    }

    // Changes `field` of the edited reference between the two calls; returns whether it moved.
    bool Edit(ReferenceField field, const char* text)
    {
        ReferenceEdit edit;
        EXPECT_TRUE(BeginReferenceEdit(edit, *edited));
        SetReferenceText(*edited, field, text);
        RebuildSummary(*edited);
        return EndReferenceEdit(edit);
    }

    bool destroyed = false;
    Database* database = nullptr;
    TrackedReference* edited = nullptr;
};

// Only a change that a sort key sees moves the reference; every holder redraws the line and
// is marked modified, and the list stays in order.
TEST_F(ReferenceEditing, OnlyAChangeTheSortKeysSeeMovesTheReference)
{
    const struct {
        ReferenceField field;
        const char* text;
        bool moves;
        int32_t index;
    } cases[] = {
        {kFieldAbstract, "A long abstract", false, 1},
        {kFieldTitle, "PUMPS", false, 1},        // letter case alone: equal for the keys
        {kFieldKeywords, "hydraulics", false, 1},  // keywords are no key here
        {kFieldAuthors, "Zorn, Z", true, 2},
        {kFieldDate, "1989", true, 2},             // a key changed, though the place stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ui.linesDeleted = ui.linesInserted = 0;
        database->modified = 0;
        EXPECT_EQ(Edit(c.field, c.text), c.moves);
        EXPECT_EQ(IndexOfHeld(*database->references, *edited), c.index);
        EXPECT_TRUE(IsStrictlySorted(*database->references));
        EXPECT_EQ(database->modified, 1);
        EXPECT_EQ(ui.linesDeleted, 1);
        EXPECT_EQ(ui.linesInserted, 1);
        EXPECT_EQ(edited->refCount, 1);
    }
    EXPECT_EQ(database->references->count(), 3);
}

// The bibliography's order is kept as well, and a reference that its own list leaves out as a
// duplicate lives on while the bibliography holds it.
TEST_F(ReferenceEditing, EveryHolderIsPutBackAndADroppedReferenceOutlivesItsList)
{
    int32_t index = 1;
    ASSERT_EQ(AddToBibliography(*database, &index, 1), 1);
    Database* bibliography = g_store.bibliography;
    ASSERT_NE(bibliography, nullptr);
    index = 0;
    AddToBibliography(*database, &index, 1);  // Adams joins it too
    database->modified = bibliography->modified = 0;

    EXPECT_TRUE(Edit(kFieldAuthors, "Aaron, A"));
    EXPECT_EQ(IndexOfHeld(*bibliography->references, *edited), 0);
    EXPECT_EQ(IndexOfHeld(*database->references, *edited), 0);
    EXPECT_TRUE(IsStrictlySorted(*bibliography->references));
    EXPECT_EQ(bibliography->modified, 1);

    // Now equal to Cole's paper in the database only; the user leaves it out there.
    resolver.choices = {DuplicateChoice::kDontInclude};
    ReferenceEdit edit;
    ASSERT_TRUE(BeginReferenceEdit(edit, *edited));
    Fill(edited, "Cole, C", "1992", "Valves");
    EXPECT_TRUE(EndReferenceEdit(edit));
    EXPECT_EQ(resolver.calls, 1);
    EXPECT_EQ(database->references->count(), 2);
    EXPECT_EQ(IndexOfHeld(*bibliography->references, *edited), 1);
    EXPECT_EQ(edited->refCount, 1);
    EXPECT_FALSE(destroyed);
    EXPECT_GT(ui.allListsRedrawn, 0);
}

// The duplicate dialog's Edit changes the reference while it is out of its lists; it then
// goes into each of them where its newest fields belong.
TEST_F(ReferenceEditing, AnEditInsideTheDuplicateChoiceIsPutBackEverywhere)
{
    int32_t index = 1;
    ASSERT_EQ(AddToBibliography(*database, &index, 1), 1);
    Database* bibliography = g_store.bibliography;
    resolver.choices = {DuplicateChoice::kEdit};
    resolver.edit = [&](Reference& incoming) {
        ReferenceEdit nested;
        ASSERT_TRUE(BeginReferenceEdit(nested, incoming));
        SetReferenceText(incoming, kFieldTitle, "Valves II");
        EndReferenceEdit(nested);
    };
    ReferenceEdit edit;
    ASSERT_TRUE(BeginReferenceEdit(edit, *edited));
    EXPECT_EQ(edit.holdings.size(), 2u);
    Fill(edited, "Cole, C", "1992", "Valves");
    EXPECT_TRUE(EndReferenceEdit(edit));
    EXPECT_EQ(resolver.calls, 1);
    EXPECT_EQ(IndexOfHeld(*database->references, *edited), 2);
    EXPECT_EQ(IndexOfHeld(*bibliography->references, *edited), 0);
    EXPECT_TRUE(IsStrictlySorted(*database->references));
    EXPECT_EQ(edited->refCount, 2);
}

}  // namespace
