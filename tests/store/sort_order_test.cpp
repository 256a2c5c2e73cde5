#include "store/sort_order.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/resort.h"
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

struct Paper {
    const char* authors;
    const char* date;
    const char* title;
    const char* source = nullptr;
    int32_t sourceType = kSourceJournal;
};

TEST(SortOrder, ComparesByThreeKeys)
{
    const SortSpec standard;  // Author ascending, Date descending, Title ascending
    const SortSpec byTitle = Keys(kSortTitle);
    const SortSpec byDate = Keys(kSortDate);
    struct Case {
        const char* what;
        Paper a;
        Paper b;
        SortSpec keys;
        int32_t method;
        int expected;
    };
    const Case cases[] = {
        {"same authors: the more recent year first",
         {"Bloggs, F", "1990", "Alpha"}, {"Bloggs, F", "1995", "Beta"}, standard, 1, 1},
        {"absent authors after all with authors",
         {nullptr, "1990", "Alpha"}, {"Zorn, Z", "1990", "Alpha"}, standard, 1, 1},
        {"authors differing only in case are equal",
         {"BLOGGS, F", "1990", "Alpha"}, {"bloggs, f", "1990", "alpha"}, standard, 0, 0},
        {"a list beginning with the whole of another comes after it",
         {"Bloggs, F\r\nSmith, J", "1990", "A"}, {"Bloggs, F", "1990", "A"}, standard, 0, 1},
        {"family names decide before given names",
         {"Smith, A", "1990", "A"}, {"J Smith", "1990", "A"}, standard, 0, -1},
        {"as written, the given name decides first",
         {"Smith, A", "1990", "A"}, {"J Smith", "1990", "A"}, standard, 1, 1},
        {"a missing title sorts by the source",
         {"X", "1990", nullptr, "Beta"}, {"X", "1990", "Alpha"}, byTitle, 1, 1},
        {"equal titles: journal before book",
         {"X", "1990", "Alpha", nullptr, kSourceJournal},
         {"X", "1990", "alpha", nullptr, kSourceBook}, byTitle, 1, -1},
        {"descending: the missing field comes first",
         {nullptr, "1990", "A"}, {"Adams, A", "1990", "A"}, Keys(kSortAuthor | kSortDescending),
         1, -1},
        {"dates by year before text", {"X", "12 Mar 1994", "A"}, {"X", "1995", "A"}, byDate, 1, -1},
        {"equal years by the date text", {"X", "12 Mar 1994", "A"}, {"X", "1994", "A"}, byDate, 1,
         -1},
        {"a date without a number before years", {"X", "in press", "A"}, {"X", "1994", "A"},
         byDate, 1, -1},
        {"None ends the keys", {"A", "1990", "Alpha"}, {"A", "1990", "Beta"},
         Keys(kSortAuthor, kSortNone, kSortTitle), 1, 0},
        {"source key", {"X", "1", "T", "Annals"}, {"X", "1", "T", "annals of"}, Keys(kSortSource),
         1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reference* a = MakeReference(c.a.authors, c.a.date, c.a.title, c.a.source);
        Reference* b = MakeReference(c.b.authors, c.b.date, c.b.title, c.b.source);
        a->sourceType = c.a.sourceType;
        b->sourceType = c.b.sourceType;
        EXPECT_EQ(CompareReferences(*a, *b, c.keys, NameOptions{c.method}), c.expected);
        EXPECT_EQ(CompareReferences(*b, *a, c.keys, NameOptions{c.method}), -c.expected);
        delete a;
        delete b;
    }
}

int Sign(int value) { return (value > 0) - (value < 0); }

// Over generated references: the comparison is antisymmetric (but for an unknown name method,
// which gives -1 both ways), and whenever two sort prefixes differ they give the order of the
// full comparison.
TEST(SortOrder, PrefixesAgreeWithTheComparison)
{
    std::vector<Reference*> references = GenerateReferences(300, 9);
    references.push_back(MakeReference(nullptr, nullptr, nullptr));
    references.push_back(MakeReference("", "", ""));
    references.push_back(MakeReference("Stra\xDF" "e, A", "in press", "\xC6on"));
    references.push_back(MakeReference("Strasse, B", "12 Mar 1994", "AEon"));
    references.push_back(MakeReference("J Smith", "1994", nullptr, "Source only"));
    for (const char* word : {"O'Brien", "Obrien", "\x9C" "uvre", "oeuvre", "co\xADop", "\xDE" "orn",
                             "abcdefgh", "ABCDEFGHI", "Smith-Jones", "Smithers", "\xE9" "cole"})
        references.push_back(MakeReference(word, word, word, word));
    const SortSpec keySets[] = {SortSpec(), Keys(kSortAuthor | kSortDescending),
                                Keys(kSortDate | kSortDescending, kSortTitle), Keys(kSortTitle),
                                Keys(kSortSource | kSortDescending), Keys(kSortKeywords),
                                Keys(kSortPublisher), Keys(kSortNone, kSortTitle)};
    int decided = 0;
    for (const SortSpec& keys : keySets) {
        for (const NameOptions& options :
             {NameOptions{0, 0}, NameOptions{0}, NameOptions{1}, NameOptions{5}}) {
            std::vector<uint64_t> prefixes;
            for (Reference* reference : references)
                prefixes.push_back(SortPrefix(*reference, keys, options));
            for (std::size_t i = 0; i < references.size(); ++i) {
                for (std::size_t j = 0; j < references.size(); ++j) {
                    const Reference& a = *references[i];
                    const Reference& b = *references[j];
                    const int order = CompareReferences(a, b, keys, options);
                    if (options.method != 5) {
                        ASSERT_EQ(order, -CompareReferences(b, a, keys, options));
                    }
                    if (prefixes[i] == prefixes[j]) continue;
                    ++decided;
                    ASSERT_EQ(prefixes[i] < prefixes[j] ? -1 : 1, Sign(order))
                        << a.summary << " / " << b.summary << " key " << keys.keys[0];
                }
            }
        }
    }
    EXPECT_GT(decided, 1000000);
    DestroyReferences(references);
}

using Resort = StoreTest;

// The list's own search must give what the plain binary search gives, also after the order
// changed under the list without a re-sort.
TEST_F(Resort, ListSearchAgreesWithThePlainBinarySearch)
{
    Database* database = OpenDatabase();
    database->nameOptions.method = kCompareFamilyNames;
    std::vector<Reference*> references = GenerateReferences(3000, 21);
    for (Reference* reference : references) Put(*database, reference);
    std::vector<Reference*> strangers = GenerateReferences(300, 22);
    ReferenceList& list = *database->references;
    const auto agree = [&list](const Reference* probe) {
        int32_t fast = -7;
        int32_t plain = -9;
        EXPECT_EQ(list.find(probe, fast), list.SortedCollection::find(probe, plain));
        EXPECT_EQ(fast, plain) << probe->summary;
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (std::size_t i = 0; i < references.size(); i += 7) agree(references[i]);
        for (const Reference* stranger : strangers) agree(stranger);
        database->sortKeys = Keys(kSortTitle);  // new keys without a re-sort
    }
    // The first insertion under a changed order brings the kept prefixes up to date. These
    // two sort first under either order, so the list stays sorted by the original keys.
    EXPECT_EQ(list.insert(MakeReference("Aaaa, A", "2030", " Aaaa")), 0);
    database->sortKeys = SortSpec();
    EXPECT_EQ(list.insert(MakeReference("Aaab, A", "2030", " Aaab")), 1);
    ASSERT_TRUE(IsStrictlySorted(list));
    for (const Reference* stranger : strangers) agree(stranger);
    DestroyReferences(strangers);
}

}  // namespace
