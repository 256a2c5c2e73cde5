// Fakes of the store's user interface and duplicate resolver, references that report their
// destruction, and a fixture that gives every test a fresh store state.
#ifndef CARTULAN_TESTS_STORE_STORE_FAKES_H
#define CARTULAN_TESTS_STORE_STORE_FAKES_H

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/database.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"

// One call the store made on its UI: "inserted", "deleted", "selected", "cleared",
// "refilled", "begun", "ended", "all", "counts", "long", "progress", "endlong", "open",
// "close", "ask".
struct UiEvent {
    std::string kind;
    const Database* database = nullptr;
    int value = 0;

    bool operator==(const UiEvent& other) const
    {
        return kind == other.kind && database == other.database && value == other.value;
    }
};
std::ostream& operator<<(std::ostream& out, const UiEvent& event);

class FakeStoreUi : public StoreUi {
public:
    bool answer = true;          // what ask() says
    bool openSucceeds = true;    // what openBibliography() says
    std::vector<UiEvent> events;
    std::vector<unsigned> progressValues;
    int questions = 0;

    std::vector<UiEvent> EventsOf(const std::string& kind) const;

    bool ask(StoreQuestion question) override;
    void lineInserted(Database& database, int32_t index) override;
    void lineDeleted(Database& database, int32_t index) override;
    void lineSelected(Database& database, int32_t index) override;
    void linesCleared(Database& database) override;
    void linesRefilled(Database& database) override;
    void updatesBegun(Database& database) override;
    void updatesEnded(Database& database) override;
    void allListsChanged() override;
    void countsChanged() override;
    void beginLongOperation(Database& database, LongOperation operation) override;
    void progress(unsigned percent) override;
    void endLongOperation() override;
    bool openBibliography(Database& bibliography, Database& source) override;
    // As the shell: destroying the window reaches the store at once.
    void closeWindow(Database& database) override;
};

// Answers with the scripted choices in turn (then kDontInclude) and runs `edit` on the
// incoming reference for the edit choices, as the editor would.
class FakeResolver : public DuplicateResolver {
public:
    std::vector<DuplicateChoice> choices;
    std::function<void(Reference&)> edit;
    int calls = 0;
    std::vector<bool> mayEditSeen;
    std::vector<const Reference*> existingSeen;

    DuplicateChoice resolveDuplicate(Reference& incoming, const Reference& existing,
                                     bool mayEdit) override;
};

// A reference that counts its destruction.
class TrackedReference : public Reference {
public:
    explicit TrackedReference(int* destroyed) : destroyed_(destroyed) {}
    ~TrackedReference() override { ++*destroyed_; }

private:
    int* destroyed_;
};

// Fills a reference's main fields (null leaves a field absent) and its summary.
void Fill(Reference& reference, const char* authors, const char* date, const char* title,
          const char* source = nullptr, int32_t sourceType = kSourceJournal);
Reference* MakeReference(const char* authors, const char* date, const char* title,
                         const char* source = nullptr, int32_t sourceType = kSourceJournal);
TrackedReference* MakeTracked(int* destroyed, const char* authors, const char* date,
                              const char* title);

// Whether `list` is in strictly ascending order under its own compare.
bool IsStrictlySorted(const ReferenceList& list);

// Every test starts with a fresh store whose UI and resolver are the fakes, and ends by
// destroying every database and the clipboard (LeakSanitizer then finds what was lost).
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new database with a window, named by its file name.
    Database* OpenDatabase(const char* name);
    // Inserts `reference` into `database` and expects it to go in.
    void Put(Database& database, Reference* reference);

    FakeStoreUi ui;
    FakeResolver resolver;
};

#endif
