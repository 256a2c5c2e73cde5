#include "store/sort_order.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/resort.h"
#include "store/transfers.h"
#include "store_fakes.h"
#include "tools/reference_generator.h"

namespace {

SortSpec Keys(int32_t first, int32_t second = kSortNone, int32_t third = kSortNone)
{
    SortSpec keys;
    keys.keys[0] = first;
    keys.keys[1] = second;
    keys.keys[2] = third;
    return keys;
}

NameOptions Method(int32_t method)
{
    NameOptions options;
    options.method = method;
    return options;
}

struct Paper {
    const char* authors = nullptr;
    const char* date = nullptr;
    const char* title = nullptr;
    const char* source = nullptr;
    int32_t sourceType = kSourceJournal;
};

TEST(SortOrder, ComparesByThreeKeys)
{
    const SortSpec standard;  // Author ascending, Date descending, Title ascending
    EXPECT_EQ(standard.keys[0], 0);
    EXPECT_EQ(standard.keys[1], 9);
    EXPECT_EQ(standard.keys[2], 2);

    struct Case {
        const char* what;
        Paper a;
        Paper b;
        SortSpec keys;
        NameOptions options;
        int expected;
    };
    const Case cases[] = {
        {"same authors: the more recent year first",
         {"Bloggs, F", "1990", "Alpha"}, {"Bloggs, F", "1995", "Beta"}, standard, Method(1), 1},
        {"absent authors after all with authors",
         {nullptr, "1990", "Alpha"}, {"Zorn, Z", "1990", "Alpha"}, standard, Method(1), 1},
        {"both absent: the next key decides",
         {nullptr, "1990", "Alpha"}, {nullptr, "1991", "Alpha"}, standard, Method(1), 1},
        {"authors differing only in case are equal",
         {"BLOGGS, F", "1990", "Alpha"}, {"bloggs, f", "1990", "alpha"}, standard, Method(0), 0},
        {"a list beginning with the whole of another comes after it",
         {"Bloggs, F\r\nSmith, J", "1990", "A"}, {"Bloggs, F", "1990", "A"}, standard,
         Method(0), 1},
        {"family names decide before given names",
         {"Smith, A", "1990", "A"}, {"J Smith", "1990", "A"}, standard, Method(0), -1},
        {"as written, the given name decides first",
         {"Smith, A", "1990", "A"}, {"J Smith", "1990", "A"}, standard, Method(1), 1},
        {"a missing title sorts by the source",
         {"X", "1990", nullptr, "Beta journal"}, {"X", "1990", "Alpha", nullptr},
         Keys(kSortTitle), Method(1), 1},
        {"equal titles: journal before book",
         {"X", "1990", "Alpha", nullptr, kSourceJournal}, {"X", "1990", "alpha", nullptr, kSourceBook},
         Keys(kSortTitle), Method(1), -1},
        {"equal titles: book before report",
         {"X", "1990", "Alpha", nullptr, kSourceReport}, {"X", "1990", "Alpha", nullptr, kSourceBook},
         Keys(kSortTitle), Method(1), 1},
        {"descending: the missing field comes first",
         {nullptr, "1990", "A"}, {"Adams, A", "1990", "A"}, Keys(kSortAuthor | kSortDescending),
         Method(1), -1},
        {"descending titles",
         {"X", "1990", "Alpha"}, {"X", "1990", "Beta"}, Keys(kSortTitle | kSortDescending),
         Method(1), 1},
        {"dates by year before text",
         {"X", "12 Mar 1994", "A"}, {"X", "1995", "A"}, Keys(kSortDate), Method(1), -1},
        {"equal years by the date text",
         {"X", "12 Mar 1994", "A"}, {"X", "1994", "A"}, Keys(kSortDate), Method(1), -1},
        {"a date without a number sorts before years",
         {"X", "in press", "A"}, {"X", "1994", "A"}, Keys(kSortDate), Method(1), -1},
        {"None ends the keys",
         {"Adams, A", "1990", "Alpha"}, {"Adams, A", "1990", "Beta"},
         Keys(kSortAuthor, kSortNone, kSortTitle), Method(1), 0},
        {"code 7 ends the keys too",
         {"Adams, A", "1990", "Alpha"}, {"Adams, A", "1990", "Beta"},
         Keys(kSortAuthor, 7, kSortTitle), Method(1), 0},
        {"source key",
         {"X", "1", "T", "Annals"}, {"X", "1", "T", "annals of"}, Keys(kSortSource), Method(1), -1},
        {"accented names sort among their letters",
         {"\xC5ngstr\xF6m, A", "1990", "A"}, {"Berg, B", "1990", "A"}, standard, Method(0), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reference* a = MakeReference(c.a.authors, c.a.date, c.a.title, c.a.source, c.a.sourceType);
        Reference* b = MakeReference(c.b.authors, c.b.date, c.b.title, c.b.source, c.b.sourceType);
        EXPECT_EQ(CompareReferences(*a, *b, c.keys, c.options), c.expected);
        EXPECT_EQ(CompareReferences(*b, *a, c.keys, c.options), -c.expected);
        EXPECT_EQ(CompareReferences(*a, *a, c.keys, c.options), 0);
        delete a;
        delete b;
    }
}

TEST(SortOrder, KeywordsAndPublisherCompareAsTexts)
{
    Reference a;
    Reference b;
    SetReferenceText(a, kFieldKeywords, "alpha\r\nbeta");
    SetReferenceText(b, kFieldKeywords, "ALPHA\r\nGAMMA");
    SetReferenceText(a, kFieldPublisher, "Wiley");
    EXPECT_EQ(CompareReferences(a, b, Keys(kSortKeywords), NameOptions()), -1);
    EXPECT_EQ(CompareReferences(a, b, Keys(kSortPublisher), NameOptions()), -1);
}

TEST(SortOrder, IsConsistentOverGeneratedReferences)
{
    std::vector<Reference*> references = GenerateReferences(150, 7);
    const SortSpec keySets[] = {SortSpec(), Keys(kSortTitle, kSortDate), Keys(kSortDate | kSortDescending),
                                Keys(kSortKeywords, kSortPublisher, kSortSource)};
    for (const SortSpec& keys : keySets) {
        for (int32_t method : {0, 1}) {
            const NameOptions options = Method(method);
            for (Reference* a : references) {
                for (Reference* b : references) {
                    const int ab = CompareReferences(*a, *b, keys, options);
                    ASSERT_EQ(ab, -CompareReferences(*b, *a, keys, options));
                }
            }
        }
    }
    DestroyReferences(references);
}

int Sign(int value) { return (value > 0) - (value < 0); }

int Sign(uint64_t a, uint64_t b) { return (a > b) - (a < b); }

// Whenever two prefixes differ they must give the order of the full comparison.
TEST(SortOrder, PrefixesAgreeWithTheComparison)
{
    std::vector<Reference*> references = GenerateReferences(300, 9);
    references.push_back(MakeReference(nullptr, nullptr, nullptr));
    references.push_back(MakeReference("", "", ""));
    references.push_back(MakeReference("Stra\xDF" "e, A", "in press", "\xC6on"));
    references.push_back(MakeReference("Strasse, B", "12 Mar 1994", "AEon"));
    references.push_back(MakeReference("J Smith", "1994", nullptr, "Source only"));
    references.push_back(MakeReference("Smith, A\r\nJones, B", "1994", "T"));
    const SortSpec keySets[] = {SortSpec(),
                                Keys(kSortAuthor | kSortDescending),
                                Keys(kSortDate),
                                Keys(kSortDate | kSortDescending, kSortTitle),
                                Keys(kSortTitle),
                                Keys(kSortSource | kSortDescending),
                                Keys(kSortKeywords),
                                Keys(kSortPublisher),
                                Keys(kSortNone, kSortTitle)};
    int decided = 0;
    for (const SortSpec& keys : keySets) {
        for (int32_t method : {0, 1, 5}) {
            for (int32_t familyLast : {0, 1}) {
                NameOptions options = Method(method);
                options.familyLast = familyLast;
                std::vector<uint64_t> prefixes;
                for (Reference* reference : references)
                    prefixes.push_back(SortPrefix(*reference, keys, options));
                for (std::size_t i = 0; i < references.size(); ++i) {
                    for (std::size_t j = 0; j < references.size(); ++j) {
                        if (prefixes[i] == prefixes[j]) continue;
                        ++decided;
                        ASSERT_EQ(Sign(prefixes[i], prefixes[j]),
                                  Sign(CompareReferences(*references[i], *references[j], keys,
                                                         options)))
                            << references[i]->summary << " / " << references[j]->summary
                            << " keys " << keys.keys[0] << " method " << method;
                    }
                }
            }
        }
    }
    EXPECT_GT(decided, 1000000);
    DestroyReferences(references);
}

TEST(SortOrder, RefusesTheSameFieldTwice)
{
    struct Case {
        SortSpec keys;
        bool repeats;
    };
    const Case cases[] = {
        {Keys(kSortDate, kSortDate), true},
        {Keys(kSortDate, kSortDate | kSortDescending), true},
        {Keys(kSortAuthor, kSortTitle, kSortAuthor | kSortDescending), true},
        {Keys(kSortAuthor, kSortNone, kSortNone), false},
        {Keys(kSortAuthor, kSortNone, kSortNone | kSortDescending), false},
        {SortSpec(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.keys.keys[0]) + " " + std::to_string(c.keys.keys[1]) + " " +
                     std::to_string(c.keys.keys[2]));
        EXPECT_EQ(SortKeysRepeatField(c.keys), c.repeats);
    }
    EXPECT_EQ(MakeSortKey(kSortDate, true), 9);
    EXPECT_EQ(MakeSortKey(kSortPublisher, false), 5);
}

using Resort = StoreTest;

TEST_F(Resort, ReportsProgressEverySixtyFourReferences)
{
    Database* database = OpenDatabase("A");
    std::vector<Reference*> references = GenerateReferences(200, 3);
    for (Reference* reference : references) Put(*database, reference);
    ASSERT_EQ(database->references->count(), 200);
    database->sortKeys = Keys(kSortTitle, kSortDate);
    ui.events.clear();

    ASSERT_EQ(ResortDatabase(*database), 1);
    EXPECT_EQ(ui.progressValues, (std::vector<unsigned>{31, 63, 95}));
    EXPECT_EQ(ui.events.front(),
              (UiEvent{"long", database, static_cast<int>(LongOperation::kSorting)}));
    EXPECT_EQ(ui.events.back(), UiEvent{"endlong"});
    EXPECT_EQ(ui.EventsOf("cleared").size(), 1u);
    EXPECT_EQ(ui.EventsOf("refilled").size(), 1u);

    ReferenceList& list = *database->references;
    EXPECT_EQ(list.count(), 200);
    EXPECT_EQ(list.database(), database);
    EXPECT_TRUE(IsStrictlySorted(list));
    for (int32_t i = 0; i < list.count(); ++i) EXPECT_EQ(list.referenceAt(i)->refCount, 1);
}

TEST_F(Resort, DropsTheDuplicatesTheNewOrderMakes)
{
    int destroyed = 0;
    Database* database = OpenDatabase("A");
    TrackedReference* first = MakeTracked(&destroyed, "Bloggs, F", "1990", "One paper");
    TrackedReference* second = MakeTracked(&destroyed, "Bloggs, F", "1991", "Another paper");
    TrackedReference* third = MakeTracked(&destroyed, "Smith, J", "1991", "A third");
    Put(*database, first);
    Put(*database, second);
    Put(*database, third);
    // The old order puts the 1991 paper first, so the 1990 one becomes the duplicate.
    const int32_t shared = database->references->indexOf(first);
    AddToBibliography(*database, &shared, 1);

    database->sortKeys = Keys(kSortAuthor);  // Author / None / None
    resolver.choices = {DuplicateChoice::kDontInclude};
    ASSERT_EQ(ResortDatabase(*database), 1);
    EXPECT_EQ(resolver.calls, 1);
    EXPECT_EQ(database->references->count(), 2);
    EXPECT_EQ(destroyed, 0);  // the one left out lives on in the bibliography
    EXPECT_EQ(first->refCount, 1);
    EXPECT_EQ(resolver.existingSeen.at(0), second);
    EXPECT_EQ(database->references->referenceAt(0), second);
    EXPECT_EQ(database->references->referenceAt(1), third);
}

// The list's own search must give what the plain binary search gives, also after the order
// changed under the list without a re-sort.
TEST_F(Resort, ListSearchAgreesWithThePlainBinarySearch)
{
    Database* database = OpenDatabase("A");
    database->nameOptions.method = kCompareFamilyNames;
    std::vector<Reference*> references = GenerateReferences(3000, 21);
    for (Reference* reference : references) Put(*database, reference);
    std::vector<Reference*> strangers = GenerateReferences(300, 22);
    ReferenceList& list = *database->references;
    ASSERT_TRUE(IsStrictlySorted(list));

    const auto agree = [&list](const Reference* probe) {
        int32_t fast = -7;
        int32_t plain = -9;
        const bool foundFast = list.find(probe, fast);
        const bool foundPlain = list.SortedCollection::find(probe, plain);
        EXPECT_EQ(foundFast, foundPlain) << probe->summary;
        EXPECT_EQ(fast, plain) << probe->summary;
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (std::size_t i = 0; i < references.size(); i += 7) agree(references[i]);
        for (const Reference* stranger : strangers) agree(stranger);
        // New keys without a re-sort: both searches look at the same unsorted list.
        database->sortKeys = Keys(kSortTitle);
    }
    // The first insertion under a changed order brings the kept prefixes up to date. These
    // two sort first under either order, so the list stays sorted by the original keys.
    EXPECT_EQ(list.insert(MakeReference("Aaaa, A", "2030", " Aaaa")), 0);
    database->sortKeys = SortSpec();
    EXPECT_EQ(list.insert(MakeReference("Aaab, A", "2030", " Aaab")), 1);
    ASSERT_TRUE(IsStrictlySorted(list));
    for (std::size_t i = 0; i < references.size(); i += 11) agree(references[i]);
    for (const Reference* stranger : strangers) agree(stranger);
    DestroyReferences(strangers);
}

TEST_F(Resort, LeavesShortListsAlone)
{
    Database* database = OpenDatabase("A");
    Put(*database, MakeReference("Bloggs, F", "1990", "One"));
    ReferenceList* before = database->references;
    ui.events.clear();
    EXPECT_EQ(ResortDatabase(*database), 1);
    EXPECT_EQ(database->references, before);
    EXPECT_TRUE(ui.events.empty());
}

}  // namespace
