#include "store_fakes.h"

#include "store/name_summary.h"

DuplicateChoice FakeResolver::resolveDuplicate(Reference& incoming, const Reference&,
                                               bool mayEdit)
{
    const std::size_t turn = static_cast<std::size_t>(calls++);
    lastMayEdit = mayEdit;
    const DuplicateChoice choice =
        turn < choices.size() ? choices[turn] : DuplicateChoice::kDontInclude;
    if ((choice == DuplicateChoice::kEdit || choice == DuplicateChoice::kEditAuthors) && edit)
        edit(incoming);
    return choice;
}

Reference* Fill(Reference* reference, const char* authors, const char* date, const char* title,
                const char* source)
{
    SetReferenceText(*reference, kFieldAuthors, authors);
    SetReferenceText(*reference, kFieldDate, date);
    SetReferenceText(*reference, kFieldTitle, title);
    SetReferenceText(*reference, kFieldSource, source);
    RebuildSummary(*reference);
    return reference;
}

bool IsStrictlySorted(const ReferenceList& list)
{
    for (int32_t i = 1; i < list.count(); ++i)
        if (list.compare(list.itemAt(i - 1), list.itemAt(i)) >= 0) return false;
    return true;
}

std::string Titles(const Database* database)
{
    std::string titles = database == nullptr ? "*" : "";
    for (int32_t i = 0; database != nullptr && i < database->references->count(); ++i)
        titles += database->references->referenceAt(i)->title[0];
    return titles;
}

void StoreTest::SetUp()
{
    ui = FakeStoreUi();
    resolver = FakeResolver();
    g_store = StoreState();
    g_store.ui = &ui;
    g_store.resolver = &resolver;
    SetAndWord("and ");
}

void StoreTest::TearDown()
{
    FreeClipboard();
    while (g_store.firstDatabase != nullptr) DestroyDatabase(g_store.firstDatabase);
    g_store = StoreState();
}

Database* StoreTest::OpenDatabase()
{
    Database* database = CreateDatabase();
    EXPECT_NE(database, nullptr);
    DatabaseWindowCreated(*database);
    g_store.active = database;
    return database;
}

void StoreTest::Put(Database& database, Reference* reference)
{
    EXPECT_GE(database.references->insert(reference), 0) << reference->summary;
}
