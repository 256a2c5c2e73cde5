#include "store/database.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "store/list_flags.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

using DatabaseTest = StoreTest;

// A database "A" holding four papers in sort order: Adams, Baker, Cole, Dunn.
class Transfers : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        database = OpenDatabase("A");
        const char* const authors[] = {"Adams, A", "Baker, B", "Cole, C", "Dunn, D"};
        for (int i = 0; i < 4; ++i) {
            papers[i] = MakeTracked(&destroyed, authors[i], "1990", "Paper");
            Put(*database, papers[i]);
        }
        ui.events.clear();
    }

    std::vector<int32_t> Lines(const std::string& kind, const Database* where) const
    {
        std::vector<int32_t> lines;
        for (const UiEvent& event : ui.EventsOf(kind))
            if (event.database == where) lines.push_back(event.value);
        return lines;
    }

    int destroyed = 0;
    Database* database = nullptr;
    TrackedReference* papers[4] = {};
};

TEST_F(DatabaseTest, NewDatabaseCopiesTheProgramsSettings)
{
    g_store.defaults.listFlags = 7;
    g_store.defaults.nameOptions.method = kCompareFamilyNames;
    g_store.defaults.authorColumnChars = 40;
    g_store.defaults.sortKeys.keys[0] = kSortTitle;
    g_store.defaults.searchable = 0;
    Database* database = CreateDatabase();
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->fileName[0], 0);
    EXPECT_EQ(database->description, nullptr);
    EXPECT_EQ(database->searchable, 0);
    EXPECT_EQ(database->modified, 0);
    EXPECT_EQ(database->listFlags, 7u);
    EXPECT_EQ(database->nameOptions.method, kCompareFamilyNames);
    EXPECT_EQ(database->authorColumnChars, 40);
    EXPECT_EQ(database->sortKeys.keys[0], kSortTitle);
    ASSERT_NE(database->references, nullptr);
    EXPECT_EQ(database->references->capacity(), kDatabaseListCapacity);
    EXPECT_EQ(database->references->database(), database);
    EXPECT_EQ(g_store.lastCreated, database);
    EXPECT_EQ(FirstDatabase(), database);

    g_store.defaults.listFlags = 9;  // later changes do not reach it
    EXPECT_EQ(database->listFlags, 7u);
    Database* second = CreateDatabase();
    EXPECT_EQ(FirstDatabase(), second);
    EXPECT_EQ(NextDatabase(*second), database);
    DestroyDatabase(second);
    EXPECT_EQ(FirstDatabase(), database);
    EXPECT_EQ(g_store.lastCreated, nullptr);
}

TEST_F(DatabaseTest, WindowTitleFollowsFileBibliographyDescriptionUntitled)
{
    Database* database = CreateDatabase();
    EXPECT_STREQ(DatabaseTitle(*database, "Untitled", "Bibliography"), "Untitled");
    ASSERT_TRUE(SetDatabaseDescription(*database, "Search: bloggs"));
    EXPECT_STREQ(DatabaseTitle(*database, "Untitled", "Bibliography"), "Search: bloggs");
    std::strcpy(database->fileName, "C:\\refs\\papers.ref");
    EXPECT_STREQ(DatabaseTitle(*database, "Untitled", "Bibliography"), "C:\\refs\\papers.ref");

    Database* bibliography = CreateBibliography();
    ASSERT_NE(bibliography, nullptr);
    EXPECT_EQ(bibliography->searchable, 0);
    EXPECT_EQ(CreateBibliography(), nullptr);  // only one
    SetDatabaseDescription(*bibliography, "ignored");
    EXPECT_STREQ(DatabaseTitle(*bibliography, "Untitled", "Bibliography"), "Bibliography");
}

TEST_F(DatabaseTest, ClosingWindowsKeepsTheCountAndActiveDatabase)
{
    Database* a = OpenDatabase("A");
    Database* b = OpenDatabase("B");
    EXPECT_EQ(g_store.windowCount, 2);
    EXPECT_EQ(g_store.active, b);
    ui.events.clear();
    DatabaseWindowDestroyed(b);
    EXPECT_EQ(ui.events, (std::vector<UiEvent>{
                             {"long", b, static_cast<int>(LongOperation::kCleaningUp)},
                             {"endlong"}}));
    EXPECT_EQ(g_store.windowCount, 1);
    EXPECT_EQ(g_store.active, nullptr);  // the shell activates the next window
    g_store.active = a;
    DatabaseWindowDestroyed(a);
    EXPECT_EQ(g_store.windowCount, 0);
    EXPECT_EQ(g_store.active, nullptr);
    EXPECT_EQ(FirstDatabase(), nullptr);
}

TEST_F(Transfers, DeleteAsksByTheProgramsConfirmationMode)
{
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmMultiple, true);
    database->listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);  // not read
    const int32_t one[] = {1};
    EXPECT_EQ(DeleteReferences(*database, one, 1, true), 1);
    EXPECT_EQ(ui.questions, 0);
    EXPECT_EQ(destroyed, 1);

    ui.answer = false;
    const int32_t two[] = {0, 1};
    EXPECT_EQ(DeleteReferences(*database, two, 2, true), 0);
    EXPECT_EQ(ui.questions, 1);
    EXPECT_EQ(ui.events.back(), (UiEvent{"ask", nullptr, static_cast<int>(StoreQuestion::kDeleteReferences)}));
    EXPECT_EQ(database->references->count(), 3);

    ui.answer = true;
    EXPECT_EQ(DeleteReferences(*database, two, 2, true), 2);
    EXPECT_EQ(ui.questions, 2);
    EXPECT_EQ(database->references->count(), 1);
    EXPECT_EQ(destroyed, 3);
}

TEST_F(Transfers, DeleteRemovesFromTheHighestLineAndSelectsTheLowest)
{
    const int32_t selection[] = {1, 3, 3, 9, -1};  // repeats and strays are ignored
    EXPECT_EQ(DeleteReferences(*database, selection, 5, false), 2);
    EXPECT_EQ(ui.questions, 0);
    EXPECT_EQ(Lines("deleted", database), (std::vector<int32_t>{3, 1}));
    EXPECT_EQ(Lines("selected", database), (std::vector<int32_t>{1}));
    EXPECT_EQ(ui.EventsOf("counts").size(), 1u);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(database->references->referenceAt(0), papers[0]);
    EXPECT_EQ(database->references->referenceAt(1), papers[2]);
    EXPECT_EQ(destroyed, 2);

    EXPECT_EQ(DeleteReferences(*database, nullptr, 0, true), 0);
    EXPECT_EQ(DeleteReferences(*database, selection + 3, 2, true), 0);  // nothing valid
}

TEST_F(Transfers, DeletingFromADatabaseLeavesTheReferenceInTheBibliography)
{
    const int32_t first = 0;
    ASSERT_EQ(AddToBibliography(*database, &first, 1), 1);
    EXPECT_EQ(DeleteReferences(*database, &first, 1, false), 1);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(papers[0]->refCount, 1);
    EXPECT_EQ(g_store.bibliography->references->referenceAt(0), papers[0]);
}

TEST_F(Transfers, DeletingFromTheBibliographyDropsOnlyItsHoldAndClosesItWhenEmpty)
{
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);
    const int32_t both[] = {0, 1};
    ASSERT_EQ(AddToBibliography(*database, both, 2), 2);
    Database* bibliography = g_store.bibliography;
    ASSERT_EQ(g_store.windowCount, 2);

    const int32_t first = 0;
    ui.events.clear();
    EXPECT_EQ(DeleteReferences(*bibliography, &first, 1, true), 1);  // never asks
    EXPECT_EQ(ui.questions, 0);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(papers[0]->refCount, 1);
    EXPECT_EQ(ui.events.back(), UiEvent{"all"});
    EXPECT_EQ(g_store.bibliography, bibliography);

    EXPECT_EQ(DeleteReferences(*bibliography, &first, 1, true), 1);  // the last line
    EXPECT_EQ(g_store.bibliography, nullptr);
    EXPECT_EQ(g_store.windowCount, 1);
    EXPECT_EQ(ui.EventsOf("close").size(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(database->references->count(), 4);
    for (TrackedReference* paper : papers) EXPECT_EQ(paper->refCount, 1);
}

TEST_F(Transfers, AddingToTheBibliographySharesTheSameObjects)
{
    const int32_t selection[] = {2, 0};
    EXPECT_EQ(AddToBibliography(*database, selection, 2), 2);
    Database* bibliography = g_store.bibliography;
    ASSERT_NE(bibliography, nullptr);
    EXPECT_EQ(ui.EventsOf("open").size(), 1u);
    EXPECT_EQ(bibliography->references->referenceAt(0), papers[0]);
    EXPECT_EQ(bibliography->references->referenceAt(1), papers[2]);
    EXPECT_EQ(papers[0]->refCount, 2);
    EXPECT_EQ(papers[2]->refCount, 2);
    EXPECT_EQ(Lines("inserted", bibliography), (std::vector<int32_t>{0, 1}));
    // Each source line is drawn again, lowest first, to show the bibliography mark.
    EXPECT_EQ(Lines("deleted", database), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(Lines("inserted", database), (std::vector<int32_t>{0, 2}));

    const int32_t again[] = {0, 1};
    EXPECT_EQ(AddToBibliography(*database, again, 2), 1);  // paper 0 is there already
    EXPECT_EQ(ui.EventsOf("open").size(), 1u);
    EXPECT_EQ(papers[0]->refCount, 2);
    EXPECT_EQ(papers[1]->refCount, 2);
    EXPECT_EQ(resolver.calls, 0);

    // A copy of a bibliography reference in another database is found there too.
    Database* other = OpenDatabase("B");
    Put(*other, CopyReference(*papers[0]));
    EXPECT_EQ(AddToBibliography(*other, &again[0], 1), 0);
}

TEST_F(Transfers, NoBibliographyWhenItsWindowCannotBeOpened)
{
    ui.openSucceeds = false;
    const int32_t first = 0;
    EXPECT_EQ(AddToBibliography(*database, &first, 1), -1);
    EXPECT_EQ(g_store.bibliography, nullptr);
    EXPECT_EQ(papers[0]->refCount, 1);
    EXPECT_EQ(FirstDatabase(), database);
    EXPECT_EQ(NextDatabase(*database), nullptr);
}

TEST_F(Transfers, CopyAndPasteTransferIndependentCopies)
{
    const int32_t selection[] = {0, 3};
    EXPECT_EQ(CopyToClipboard(*database, selection, 2), 2);
    ReferenceList* clipboard = g_store.clipboard;
    ASSERT_NE(clipboard, nullptr);
    EXPECT_EQ(clipboard->database(), nullptr);
    EXPECT_EQ(clipboard->capacity(), kClipboardCapacity);
    ASSERT_EQ(clipboard->count(), 2);
    EXPECT_NE(clipboard->referenceAt(0), papers[0]);
    EXPECT_STREQ(clipboard->referenceAt(0)->authors, "Adams, A");
    EXPECT_EQ(clipboard->referenceAt(0)->refCount, 1);
    EXPECT_EQ(papers[0]->refCount, 1);

    Database* target = OpenDatabase("B");
    target->listFlags = kListSelectNewItems;
    ui.events.clear();
    EXPECT_EQ(PasteClipboard(*target), 2);
    EXPECT_EQ(target->references->count(), 2);
    EXPECT_NE(target->references->referenceAt(0), clipboard->referenceAt(0));
    EXPECT_EQ(target->references->referenceAt(0)->refCount, 1);
    EXPECT_EQ(target->modified, 1);
    EXPECT_EQ(ui.events.front(), (UiEvent{"begun", target}));
    EXPECT_EQ(ui.events.back(), (UiEvent{"ended", target}));
    EXPECT_EQ(Lines("inserted", target), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(Lines("selected", target), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(clipboard->count(), 2);  // the clipboard keeps its contents

    // The same clipboard again: every reference is a duplicate now.
    resolver.choices = {DuplicateChoice::kDontInclude, DuplicateChoice::kDontInclude};
    target->modified = 0;
    EXPECT_EQ(PasteClipboard(*target), 0);
    EXPECT_EQ(resolver.calls, 2);
    EXPECT_EQ(target->references->count(), 2);
    EXPECT_EQ(target->modified, 0);

    // Copying again replaces the clipboard and its copies.
    const int32_t third = 2;
    EXPECT_EQ(CopyToClipboard(*database, &third, 1), 1);
    EXPECT_EQ(g_store.clipboard->count(), 1);
    EXPECT_EQ(destroyed, 0);
}

TEST_F(Transfers, PasteStopsWhenTheUserAbandons)
{
    const int32_t all[] = {0, 1, 2, 3};
    CopyToClipboard(*database, all, 4);
    resolver.choices = {DuplicateChoice::kDontInclude, DuplicateChoice::kAbandon};
    database->modified = 0;
    EXPECT_EQ(PasteClipboard(*database), 0);
    EXPECT_EQ(resolver.calls, 2);
    EXPECT_EQ(database->references->count(), 4);
    EXPECT_EQ(database->modified, 0);
    EXPECT_EQ(g_store.clipboard->count(), 4);
}

TEST_F(Transfers, PasteOverwriteReplacesTheLineInPlace)
{
    const int32_t second = 1;
    CopyToClipboard(*database, &second, 1);
    resolver.choices = {DuplicateChoice::kOverwrite};
    database->listFlags = 0;
    EXPECT_EQ(PasteClipboard(*database), 1);
    EXPECT_EQ(destroyed, 1);  // the old paper 1
    EXPECT_EQ(database->references->count(), 4);
    EXPECT_EQ(Lines("deleted", database), (std::vector<int32_t>{1}));
    EXPECT_EQ(Lines("inserted", database), (std::vector<int32_t>{1}));
    EXPECT_TRUE(Lines("selected", database).empty());
}

TEST_F(Transfers, PastingWithoutAClipboardDoesNothing)
{
    EXPECT_EQ(PasteClipboard(*database), 0);
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(Transfers, AnEditMarksTheDatabasesThatHoldTheReference)
{
    Database* other = OpenDatabase("B");
    g_store.active = database;
    PropagateEdit(*papers[1]);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(other->modified, 0);

    database->modified = 0;
    const int32_t first = 0;
    AddToBibliography(*database, &first, 1);
    g_store.active = other;  // the editor was opened from the bibliography's reference
    PropagateEdit(*papers[0]);
    EXPECT_EQ(database->modified, 1);
    EXPECT_EQ(g_store.bibliography->modified, 1);
    EXPECT_EQ(other->modified, 0);
}

// Dragging copies without the internal clipboard, even references that the program's own
// order counts equal; a move deletes, without asking, only what went in, once it is in.
TEST_F(Transfers, DragCopiesOrMovesWhatGoesInAndLeavesTheClipboardAlone)
{
    Database* target = OpenDatabase("B");
    g_store.defaults.sortKeys.keys[0] = kSortTitle;  // the four papers share their title
    g_store.defaults.sortKeys.keys[1] = kSortNone;
    const int32_t all[] = {0, 1, 2, 3};
    EXPECT_EQ(DragReferences(*database, all, 4, *target, false), 4);
    EXPECT_EQ(g_store.clipboard, nullptr);
    EXPECT_EQ(target->references->count(), 4);
    EXPECT_EQ(database->references->count(), 4);

    const int32_t two[] = {3, 1};
    resolver.choices = {DuplicateChoice::kDontInclude, DuplicateChoice::kAbandon};
    EXPECT_EQ(DragReferences(*database, two, 2, *target, true), 0);
    EXPECT_EQ(database->references->count(), 4);
    Database* byTitle = OpenDatabase("C");  // takes only one "Paper"
    EXPECT_EQ(DragReferences(*database, two, 2, *byTitle, true), 1);
    EXPECT_EQ(byTitle->references->count(), 1);
    EXPECT_EQ(database->references->count(), 3);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(papers[3]->refCount, 1);
    EXPECT_EQ(ui.questions, 0);
}

TEST_F(Transfers, DragConfirmationFollowsTheProgramsFlag)
{
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, false);
    EXPECT_TRUE(ConfirmDrag());
    EXPECT_EQ(ui.questions, 0);
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);
    ui.answer = false;
    EXPECT_FALSE(ConfirmDrag());
    ui.answer = true;
    EXPECT_TRUE(ConfirmDrag());
    EXPECT_EQ(ui.questions, 2);
    EXPECT_EQ(ui.events.back(), (UiEvent{"ask", nullptr, static_cast<int>(StoreQuestion::kDragReferences)}));
}

}  // namespace
