// A user interface and duplicate resolver for the store that answer as a test tells them,
// references that report their destruction, and a fixture that gives every test a fresh store.
#ifndef CARTULAN_TESTS_STORE_STORE_FAKES_H
#define CARTULAN_TESTS_STORE_STORE_FAKES_H

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/database.h"
#include "store/name_summary.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"

// Answers questions with `answer` and counts them, keeps the line last selected; its windows
// open unless `openSucceeds` is false.
class FakeStoreUi : public SilentStoreUi {
public:
    bool answer = true;
    bool openSucceeds = true;
    int questions = 0;
    int32_t selected = -1;

    bool ask(StoreQuestion) override
    {
        ++questions;
        return answer;
    }
    void lineSelected(Database&, int32_t index) override { selected = index; }
    bool openBibliography(Database& bibliography, Database&) override
    {
        if (openSucceeds) DatabaseWindowCreated(bibliography);
        return openSucceeds;
    }
    void closeWindow(Database& database) override { DatabaseWindowDestroyed(&database); }
};

// Answers with the scripted choices in turn (then kDontInclude); for the edit choices it runs
// `edit` on the incoming reference first, as the editor would.
class FakeResolver : public DuplicateResolver {
public:
    std::vector<DuplicateChoice> choices;
    std::function<void(Reference&)> edit;
    int calls = 0;
    bool lastMayEdit = true;

    DuplicateChoice resolveDuplicate(Reference& incoming, const Reference&, bool mayEdit) override
    {
        const std::size_t turn = static_cast<std::size_t>(calls++);
        lastMayEdit = mayEdit;
        const DuplicateChoice choice =
            turn < choices.size() ? choices[turn] : DuplicateChoice::kDontInclude;
        if ((choice == DuplicateChoice::kEdit || choice == DuplicateChoice::kEditAuthors) && edit)
            edit(incoming);
        return choice;
    }
};

// A reference that sets its flag when destroyed.
class TrackedReference : public Reference {
public:
    explicit TrackedReference(bool* destroyed) : destroyed_(destroyed) {}
    ~TrackedReference() override { *destroyed_ = true; }

private:
    bool* destroyed_;
};

// Fills the main fields of `reference` (null leaves one absent) and its summary.
inline Reference* Fill(Reference* reference, const char* authors, const char* date,
                       const char* title, const char* source = nullptr)
{
    SetReferenceText(*reference, kFieldAuthors, authors);
    SetReferenceText(*reference, kFieldDate, date);
    SetReferenceText(*reference, kFieldTitle, title);
    SetReferenceText(*reference, kFieldSource, source);
    RebuildSummary(*reference);
    return reference;
}

inline Reference* MakeReference(const char* authors, const char* date, const char* title,
                                const char* source = nullptr)
{
    return Fill(new Reference, authors, date, title, source);
}

// Whether `list` is in strictly ascending order under its own compare.
inline bool IsStrictlySorted(const ReferenceList& list)
{
    for (int32_t i = 1; i < list.count(); ++i)
        if (list.compare(list.itemAt(i - 1), list.itemAt(i)) >= 0) return false;
    return true;
}

// The first letters of the titles in `database`, "*" for none.
inline std::string Titles(const Database* database)
{
    std::string titles = database == nullptr ? "*" : "";
    for (int32_t i = 0; database != nullptr && i < database->references->count(); ++i)
        titles += database->references->referenceAt(i)->title[0];
    return titles;
}

// A fresh store whose UI and resolver are the fakes; every database and the clipboard are
// destroyed afterwards (LeakSanitizer then finds what was lost).
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui = FakeStoreUi();
        resolver = FakeResolver();
        g_store = StoreState();
        g_store.ui = &ui;
        g_store.resolver = &resolver;
        SetAndWord("and ");
    }
    void TearDown() override
    {
        FreeClipboard();
        while (g_store.firstDatabase != nullptr) DestroyDatabase(g_store.firstDatabase);
        g_store = StoreState();
    }

    // A new database with a window, active.
    Database* OpenDatabase()
    {
        Database* database = CreateDatabase();
        EXPECT_NE(database, nullptr);
        DatabaseWindowCreated(*database);
        g_store.active = database;
        return database;
    }
    // Inserts `reference` into `database` and expects it to go in.
    void Put(Database& database, Reference* reference)
    {
        EXPECT_GE(database.references->insert(reference), 0) << reference->summary;
    }

    FakeStoreUi ui;
    FakeResolver resolver;
};

#endif
