// Who holds a reference and when it dies, as references move between databases, the
// bibliography and the internal clipboard, and as they are edited. After every step each
// reference's refCount is the number of lists holding it, only the bibliography shares a
// reference with another list, and every list is in order. Then the duplicate dialog's
// choices.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/list_flags.h"
#include "store/reference_edit.h"
#include "store/resort.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

enum Op {
    kAddToBibliography,    // the paper, from database A
    kAddWithoutWindow,     // the same when no bibliography window can open
    kDeleteInA,            // the paper (repeated, with strays), without asking
    kDeleteInBibliography,
    kCloseA,
    kCloseBibliography,
    kEmptyA,               // removeAll on A's list
    kCopyToB,              // copy the paper and paste into database B
    kDragToB,
    kMoveToB,              // drag it with the mouse and move it
    kOverwriteInA,         // an equal copy of the paper comes in; the user overwrites
    kResortByAuthors,      // A's keys become Author / None / None; duplicates left out
    kRename,               // its authors become "Aaron, A": it sorts first everywhere
    kMakeCole,             // it becomes equal to paper 2; the duplicate dialog leaves it out
    kMakeColeThenRetitle,  // the same, but the dialog's Edit retitles it "Valves"
};

struct Step {
    Op op;
    int paper;
};

// Database A holds four papers. Papers 0 and 1 have the same authors and differ in year, so
// sorting by authors alone makes them duplicates; the old order has paper 1 first.
class Ownership : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        a = OpenDatabase();
        b = OpenDatabase();
        const char* const fields[4][3] = {{"Adams, A", "1990", "Alpha"},
                                          {"Adams, A", "1991", "Beta"},
                                          {"Cole, C", "1990", "Gamma"},
                                          {"Dunn, D", "1990", "Delta"}};
        for (int i = 0; i < 4; ++i) {
            destroyed[i] = false;
            papers[i] = Fill(new TrackedReference(&destroyed[i]), fields[i][0], fields[i][1],
                             fields[i][2]);
            Put(*a, papers[i]);
        }
        a->modified = 0;
    }

    void Edit(Reference& paper, std::string authors, std::string date, std::string title)
    {
        ReferenceEdit edit;
        ASSERT_TRUE(BeginReferenceEdit(edit, paper));
        Fill(&paper, authors.c_str(), date.c_str(), title.c_str());
        EndReferenceEdit(edit);
    }

    void Run(const Step& step)
    {
        Reference* paper = papers[step.paper];
        Database* bibliography = g_store.bibliography;
        const int32_t inA = a != nullptr ? a->references->indexOf(paper) : -1;
        switch (step.op) {
        case kAddWithoutWindow: ui.openSucceeds = false; [[fallthrough]];
        case kAddToBibliography: AddToBibliography(*a, &inA, 1); break;
        case kDeleteInA: {
            const int32_t selection[] = {inA, 9, inA, -1};
            DeleteReferences(*a, selection, 4, false);
            break;
        }
        case kDeleteInBibliography: {
            const int32_t index = bibliography->references->indexOf(paper);
            DeleteReferences(*bibliography, &index, 1, true);
            break;
        }
        case kCloseA:
            DatabaseWindowDestroyed(a);
            a = nullptr;
            break;
        case kCloseBibliography: DatabaseWindowDestroyed(bibliography); break;
        case kEmptyA: a->references->removeAll(); break;
        case kCopyToB:
            CopyToClipboard(*a, &inA, 1);
            PasteClipboard(*b);
            break;
        case kDragToB:
        case kMoveToB: DragReferences(*a, &inA, 1, *b, step.op == kMoveToB); break;
        case kOverwriteInA:
            resolver.choices = {DuplicateChoice::kOverwrite};
            a->references->insert(CopyReference(*paper));
            break;
        case kResortByAuthors:
            a->sortKeys.keys[1] = a->sortKeys.keys[2] = kSortNone;
            ResortDatabase(*a);
            break;
        case kRename: Edit(*paper, "Aaron, A", paper->date, paper->title); break;
        case kMakeCole:
            Edit(*paper, "Cole, C", "1990", "Gamma");
            if (paper->refCount == 0) delete paper;  // the editor's, once no list holds it
            break;
        case kMakeColeThenRetitle:
            resolver.choices = {DuplicateChoice::kEdit};
            resolver.edit = [this](Reference& incoming) {
                Edit(incoming, incoming.authors, incoming.date, "Valves");
            };
            Edit(*paper, "Cole, C", "1990", "Gamma");
            break;
        }
        resolver.choices.clear();
        resolver.calls = 0;
    }

    void CheckInvariants()
    {
        std::vector<ReferenceList*> lists = {b->references, g_store.clipboard};
        if (a != nullptr) lists.push_back(a->references);
        ReferenceList* bibliography =
            g_store.bibliography != nullptr ? g_store.bibliography->references : nullptr;
        lists.push_back(bibliography);
        for (ReferenceList* list : lists) {
            if (list == nullptr) continue;
            EXPECT_TRUE(IsStrictlySorted(*list));
            for (int32_t i = 0; i < list->count(); ++i) {
                const Reference* reference = list->referenceAt(i);
                int holders = 0;
                for (ReferenceList* other : lists)
                    holders += other != nullptr && IndexOfHeld(*other, *reference) >= 0;
                EXPECT_EQ(reference->refCount, holders) << reference->summary;
                if (holders > 1) {
                    EXPECT_TRUE(bibliography && IndexOfHeld(*bibliography, *reference) >= 0);
                }
            }
        }
    }

    // Each paper's refCount, or '-' once destroyed; the titles in A, B and the bibliography;
    // the databases marked modified, "-" for none.
    std::string State() const
    {
        std::string state;
        for (int i = 0; i < 4; ++i)
            state += destroyed[i] ? '-' : static_cast<char>('0' + papers[i]->refCount);
        Database* bibliography = g_store.bibliography;
        state += ' ' + Titles(a) + '/' + Titles(b) + '/' + Titles(bibliography) + ' ';
        if (a != nullptr && a->modified) state += 'A';
        if (b->modified) state += 'B';
        if (bibliography != nullptr && bibliography->modified) state += 'L';
        return state.back() == ' ' ? state + '-' : state;
    }

    Database* a = nullptr;
    Database* b = nullptr;
    Reference* papers[4] = {};
    bool destroyed[4] = {};
};

TEST_F(Ownership, ReferencesLiveExactlyAsLongAsAListHoldsThem)
{
    struct Case {
        const char* what;
        std::vector<Step> steps;
        const char* state;  // see State()
    };
    const Case cases[] = {
        {"adding to the bibliography shares the object", {{kAddToBibliography, 0}},
         "2111 BAGD//A -"},
        {"adding it again adds nothing", {{kAddToBibliography, 0}, {kAddToBibliography, 0}},
         "2111 BAGD//A -"},
        {"no bibliography when its window cannot open", {{kAddWithoutWindow, 0}}, "1111 BAGD//* -"},
        {"deleting it in its database leaves it in the bibliography",
         {{kAddToBibliography, 0}, {kDeleteInA, 0}}, "1111 BGD//A A"},
        {"deleting a paper only its database holds destroys it", {{kDeleteInA, 2}},
         "11-1 BAD//* A"},
        {"closing its database leaves it in the bibliography",
         {{kAddToBibliography, 0}, {kCloseA, 0}}, "1--- *//A -"},
        {"closing the bibliography afterwards destroys it",
         {{kAddToBibliography, 0}, {kCloseA, 0}, {kCloseBibliography, 0}}, "---- *//* -"},
        {"closing the bibliography leaves its references in their database",
         {{kAddToBibliography, 0}, {kCloseBibliography, 0}}, "1111 BAGD//* -"},
        {"deleting in the bibliography drops only its hold",
         {{kAddToBibliography, 0}, {kAddToBibliography, 2}, {kDeleteInBibliography, 0}},
         "1121 BAGD//G L"},
        {"deleting its last line closes the bibliography",
         {{kAddToBibliography, 0}, {kDeleteInBibliography, 0}}, "1111 BAGD//* -"},
        {"emptying a list destroys what only it held", {{kAddToBibliography, 2}, {kEmptyA, 0}},
         "--1- //G -"},
        {"copy and paste give the other database a copy of its own", {{kCopyToB, 0}},
         "1111 BAGD/A/* B"},
        {"a drag copies", {{kDragToB, 2}}, "1111 BAGD/G/* B"},
        {"a move deletes what went in", {{kMoveToB, 2}}, "11-1 BAD/G/* AB"},
        {"but not what the target left out", {{kDragToB, 2}, {kMoveToB, 2}}, "1111 BAGD/G/* B"},
        {"overwriting destroys the old reference", {{kOverwriteInA, 1}}, "1-11 BAGD//* -"},
        {"overwriting leaves the old reference in the bibliography",
         {{kAddToBibliography, 1}, {kOverwriteInA, 1}}, "1111 BAGD//B -"},
        {"re-sorting leaves out the duplicates the new order makes", {{kResortByAuthors, 0}},
         "-111 BGD//* -"},
        {"the one left out lives on in the bibliography",
         {{kAddToBibliography, 0}, {kResortByAuthors, 0}}, "1111 BGD//A -"},
        {"an edit moves the reference in every list that holds it",
         {{kAddToBibliography, 2}, {kAddToBibliography, 3}, {kRename, 3}}, "1122 DBAG//DG AL"},
        {"an edit marks the database holding it, not the active one", {{kRename, 0}},
         "1111 ABGD//* A"},
        {"a reference its list leaves out as a duplicate lives on in the bibliography",
         {{kAddToBibliography, 1}, {kMakeCole, 1}}, "1111 AGD//G AL"},
        {"one no list holds any more is the editor's to destroy", {{kMakeCole, 1}}, "1-11 AGD//* A"},
        {"the dialog's Edit puts it back everywhere under its newest fields",
         {{kAddToBibliography, 1}, {kMakeColeThenRetitle, 1}}, "1211 AGVD//V AL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        for (const Step& step : c.steps) {
            Run(step);
            CheckInvariants();
        }
        EXPECT_EQ(State(), c.state);
    }
}

TEST_F(Ownership, DuplicateChoicesDecideWhatGoesIn)
{
    using Choices = std::vector<DuplicateChoice>;
    const DuplicateChoice edit = DuplicateChoice::kEdit;
    const DuplicateChoice authors = DuplicateChoice::kEditAuthors;
    struct Case {
        const char* what;
        Choices choices;
        const char* editedAuthors;  // what an edit makes of the incoming authors
        int32_t result;
        const char* after;          // the titles in A: the incoming one's in lower case
        int calls;
    };
    const Case cases[] = {
        {"don't include", {DuplicateChoice::kDontInclude}, nullptr, kNotIncluded, "BAGD", 1},
        {"abandon", {DuplicateChoice::kAbandon}, nullptr, kAbandoned, "BAGD", 1},
        {"overwrite in place", {DuplicateChoice::kOverwrite}, nullptr, 2, "BAgD", 1},
        {"an edit that removes the clash", {edit}, "Eve, E", 4, "BAGDg", 1},
        {"an edit that leaves it equal asks again", {edit, authors}, "cole, c", kNotIncluded,
         "BAGD", 3},
        {"edited authors", {authors}, "Baker, B", 2, "BAgGD", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        resolver.choices = c.choices;
        resolver.edit = [&c](Reference& reference) {
            SetReferenceText(reference, kFieldAuthors, c.editedAuthors);
        };
        Reference* incoming = MakeReference("COLE, C", "1990", "gamma");
        const int32_t result = a->references->insert(incoming);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(Titles(a), c.after);
        EXPECT_EQ(resolver.calls, c.calls);
        if (result < 0) delete incoming;
    }

    // The very object found in the list cannot be edited or replaced by itself.
    Reference* held = a->references->referenceAt(1);
    resolver = FakeResolver();
    resolver.choices = {edit, DuplicateChoice::kOverwrite};
    EXPECT_EQ(a->references->insert(held), kNotIncluded);
    EXPECT_FALSE(resolver.lastMayEdit);
    EXPECT_EQ(a->references->insert(held), 1);
    EXPECT_EQ(held->refCount, 1);
    g_store.resolver = nullptr;  // no dialog: duplicates are left out
    EXPECT_EQ(a->references->insert(held), kNotIncluded);
}

}  // namespace

// The program's confirmation mode decides, not the database's; a cut and the bibliography
// never ask. Repeated and stray indexes are ignored, and the lowest line is selected.
TEST_F(Ownership, DeleteAsksByTheProgramsMode)
{
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmMultiple, true);
    a->listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);
    const int32_t selection[] = {3, 2, 0, 2, 9, -1};
    EXPECT_EQ(DeleteReferences(*a, selection, 1, true), 1);
    ui.answer = false;
    EXPECT_EQ(DeleteReferences(*a, selection + 1, 5, true), 0);
    EXPECT_EQ(DeleteReferences(*a, selection + 1, 5, false), 2);
    EXPECT_EQ(ui.questions, 1);  // only the refused deletion of two asked
    EXPECT_EQ(State(), "1--- A//* A");
    EXPECT_EQ(ui.selected, 0);
    g_store.defaults.listFlags = WithConfirmOptions(kDefaultListFlags, kConfirmAlways, true);
    AddToBibliography(*a, selection + 2, 1);
    EXPECT_EQ(DeleteReferences(*g_store.bibliography, selection + 2, 1, true), 1);
    EXPECT_EQ(ui.questions, 1);
}
