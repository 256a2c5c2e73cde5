#include "store_fakes.h"

#include <cstring>
#include <ostream>

#include "store/name_summary.h"

std::ostream& operator<<(std::ostream& out, const UiEvent& event)
{
    out << event.kind << "(";
    if (event.database != nullptr) out << "'" << event.database->fileName << "' ";
    return out << event.value << ")";
}

std::vector<UiEvent> FakeStoreUi::EventsOf(const std::string& kind) const
{
    std::vector<UiEvent> found;
    for (const UiEvent& event : events)
        if (event.kind == kind) found.push_back(event);
    return found;
}

bool FakeStoreUi::ask(StoreQuestion question)
{
    ++questions;
    events.push_back({"ask", nullptr, static_cast<int>(question)});
    return answer;
}

void FakeStoreUi::lineInserted(Database& database, int32_t index)
{
    events.push_back({"inserted", &database, index});
}

void FakeStoreUi::lineDeleted(Database& database, int32_t index)
{
    events.push_back({"deleted", &database, index});
}

void FakeStoreUi::lineSelected(Database& database, int32_t index)
{
    events.push_back({"selected", &database, index});
}

void FakeStoreUi::linesCleared(Database& database) { events.push_back({"cleared", &database}); }

void FakeStoreUi::linesRefilled(Database& database) { events.push_back({"refilled", &database}); }

void FakeStoreUi::updatesBegun(Database& database) { events.push_back({"begun", &database}); }

void FakeStoreUi::updatesEnded(Database& database) { events.push_back({"ended", &database}); }

void FakeStoreUi::allListsChanged() { events.push_back({"all"}); }

void FakeStoreUi::countsChanged() { events.push_back({"counts"}); }

void FakeStoreUi::beginLongOperation(Database& database, LongOperation operation)
{
    events.push_back({"long", &database, static_cast<int>(operation)});
}

void FakeStoreUi::progress(unsigned percent)
{
    progressValues.push_back(percent);
    events.push_back({"progress", nullptr, static_cast<int>(percent)});
}

void FakeStoreUi::endLongOperation() { events.push_back({"endlong"}); }

bool FakeStoreUi::openBibliography(Database& bibliography, Database& source)
{
    events.push_back({"open", &bibliography});
    if (openSucceeds) DatabaseWindowCreated(bibliography);
    return openSucceeds;
}

void FakeStoreUi::closeWindow(Database& database)
{
    events.push_back({"close", &database});
    DatabaseWindowDestroyed(&database);
}

DuplicateChoice FakeResolver::resolveDuplicate(Reference& incoming, const Reference& existing,
                                               bool mayEdit)
{
    const std::size_t turn = static_cast<std::size_t>(calls++);
    mayEditSeen.push_back(mayEdit);
    existingSeen.push_back(&existing);
    const DuplicateChoice choice =
        turn < choices.size() ? choices[turn] : DuplicateChoice::kDontInclude;
    if ((choice == DuplicateChoice::kEdit || choice == DuplicateChoice::kEditAuthors) && edit)
        edit(incoming);
    return choice;
}

void Fill(Reference& reference, const char* authors, const char* date, const char* title,
          const char* source, int32_t sourceType)
{
    reference.sourceType = sourceType;
    ASSERT_TRUE(SetReferenceText(reference, kFieldAuthors, authors));
    ASSERT_TRUE(SetReferenceText(reference, kFieldDate, date));
    ASSERT_TRUE(SetReferenceText(reference, kFieldTitle, title));
    ASSERT_TRUE(SetReferenceText(reference, kFieldSource, source));
    ASSERT_TRUE(RebuildSummary(reference));
}

Reference* MakeReference(const char* authors, const char* date, const char* title,
                         const char* source, int32_t sourceType)
{
    Reference* reference = new Reference;
    Fill(*reference, authors, date, title, source, sourceType);
    return reference;
}

TrackedReference* MakeTracked(int* destroyed, const char* authors, const char* date,
                              const char* title)
{
    TrackedReference* reference = new TrackedReference(destroyed);
    Fill(*reference, authors, date, title);
    return reference;
}

bool IsStrictlySorted(const ReferenceList& list)
{
    for (int32_t i = 1; i < list.count(); ++i)
        if (list.compare(list.itemAt(i - 1), list.itemAt(i)) >= 0) return false;
    return true;
}

void StoreTest::SetUp()
{
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

Database* StoreTest::OpenDatabase(const char* name)
{
    Database* database = CreateDatabase();
    EXPECT_NE(database, nullptr);
    if (database == nullptr) return nullptr;
    std::strncpy(database->fileName, name, kFileNameSize - 1);
    DatabaseWindowCreated(*database);
    g_store.active = database;
    return database;
}

void StoreTest::Put(Database& database, Reference* reference)
{
    const int32_t index = database.references->insert(reference);
    EXPECT_GE(index, 0) << reference->summary;
}
