// Who holds a reference and when it dies, as references move between databases, the
// bibliography and the internal clipboard. Every scenario ends with the same invariants: each
// reference's refCount is the number of lists holding it, only the bibliography shares a
// reference with another list, and every list is in order.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/resort.h"
#include "store/transfers.h"
#include "store_fakes.h"

namespace {

enum Op {
    kAddToBibliography,    // the paper, from database A
    kDeleteInA,            // the paper, without asking
    kDeleteInBibliography,
    kCloseA,
    kCloseBibliography,
    kEmptyA,               // removeAll on A's list
    kCopyToB,              // copy the paper and paste into database B
    kOverwriteInA,         // an equal copy of the paper comes in; the user overwrites
    kResortByAuthors,      // A's keys become Author / None / None; duplicates left out
};

struct Step {
    Op op;
    int paper;
};

bool Holds(const ReferenceList* list, const Reference* reference)
{
    if (list == nullptr) return false;
    for (int32_t i = 0; i < list->count(); ++i)
        if (list->referenceAt(i) == reference) return true;
    return false;
}

// Database A holds four papers. Papers 0 and 1 have the same authors and differ in year, so
// sorting by authors alone makes them duplicates; the old order has paper 1 first.
class Sharing : public StoreTest {
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
    }

    void Run(const Step& step)
    {
        Reference* paper = papers[step.paper];
        Database* bibliography = g_store.bibliography;
        const int32_t inA = a != nullptr ? a->references->indexOf(paper) : -1;
        switch (step.op) {
        case kAddToBibliography: AddToBibliography(*a, &inA, 1); break;
        case kDeleteInA: DeleteReferences(*a, &inA, 1, false); break;
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
        case kOverwriteInA:
            resolver.choices = {DuplicateChoice::kOverwrite};
            resolver.calls = 0;
            a->references->insert(CopyReference(*paper));
            break;
        case kResortByAuthors:
            a->sortKeys.keys[1] = a->sortKeys.keys[2] = kSortNone;
            ResortDatabase(*a);
            break;
        }
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
                for (ReferenceList* other : lists) holders += Holds(other, reference) ? 1 : 0;
                EXPECT_EQ(reference->refCount, holders) << reference->summary;
                if (holders > 1) {
                    EXPECT_TRUE(Holds(bibliography, reference));
                }
            }
        }
    }

    // Each paper's refCount, or '-' once destroyed.
    std::string States() const
    {
        std::string states;
        for (int i = 0; i < 4; ++i)
            states += destroyed[i] ? '-' : static_cast<char>('0' + papers[i]->refCount);
        return states;
    }

    Database* a = nullptr;
    Database* b = nullptr;
    Reference* papers[4] = {};
    bool destroyed[4] = {};
};

TEST_F(Sharing, ReferencesLiveExactlyAsLongAsAListHoldsThem)
{
    struct Case {
        const char* what;
        std::vector<Step> steps;
        const char* states;  // refCount of papers 0-3, '-' destroyed
        int countInA;        // -1: A closed
        int countInBibliography;  // -1: no bibliography
    };
    const Case cases[] = {
        {"adding to the bibliography shares the object", {{kAddToBibliography, 0}}, "2111", 4, 1},
        {"adding it again adds nothing",
         {{kAddToBibliography, 0}, {kAddToBibliography, 0}}, "2111", 4, 1},
        {"deleting it in its database leaves it in the bibliography",
         {{kAddToBibliography, 0}, {kDeleteInA, 0}}, "1111", 3, 1},
        {"deleting a paper only its database holds destroys it", {{kDeleteInA, 2}}, "11-1", 3, -1},
        {"closing its database leaves it in the bibliography",
         {{kAddToBibliography, 0}, {kCloseA, 0}}, "1---", -1, 1},
        {"closing the bibliography afterwards destroys it",
         {{kAddToBibliography, 0}, {kCloseA, 0}, {kCloseBibliography, 0}}, "----", -1, -1},
        {"closing the bibliography leaves its references in their database",
         {{kAddToBibliography, 0}, {kCloseBibliography, 0}}, "1111", 4, -1},
        {"deleting in the bibliography drops only its hold",
         {{kAddToBibliography, 0}, {kAddToBibliography, 2}, {kDeleteInBibliography, 0}},
         "1121", 4, 1},
        {"deleting its last line closes the bibliography",
         {{kAddToBibliography, 0}, {kDeleteInBibliography, 0}}, "1111", 4, -1},
        {"emptying a list destroys what only it held",
         {{kAddToBibliography, 2}, {kEmptyA, 0}}, "--1-", 0, 1},
        {"copy and paste give the other database a copy of its own", {{kCopyToB, 0}}, "1111", 4, -1},
        {"overwriting destroys the old reference", {{kOverwriteInA, 1}}, "1-11", 4, -1},
        {"overwriting leaves the old reference in the bibliography",
         {{kAddToBibliography, 1}, {kOverwriteInA, 1}}, "1111", 4, 1},
        {"re-sorting leaves out the duplicates the new order makes",
         {{kResortByAuthors, 0}}, "-111", 3, -1},
        {"the one left out lives on in the bibliography",
         {{kAddToBibliography, 0}, {kResortByAuthors, 0}}, "1111", 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        for (const Step& step : c.steps) {
            Run(step);
            CheckInvariants();
        }
        EXPECT_EQ(States(), c.states);
        EXPECT_EQ(a != nullptr ? a->references->count() : -1, c.countInA);
        EXPECT_EQ(g_store.bibliography != nullptr ? g_store.bibliography->references->count() : -1,
                  c.countInBibliography);
    }
}

}  // namespace
