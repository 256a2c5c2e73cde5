// What the store needs from the user interface. The shell implements these for its windows
// and dialogs; tests implement them with fakes. The store itself shows nothing.
#ifndef CARTULAN_STORE_STORE_UI_H
#define CARTULAN_STORE_STORE_UI_H

#include <cstdint>

class Database;
class Reference;

// Yes/No questions the store asks before an operation.
enum class StoreQuestion {
    kDeleteReferences,  // "Selected references will be deleted permanently. Are you sure?"
    kDragReferences,    // "Confirm mouse drag action?"
};

// Long operations during which the shell shows its progress window and keeps the frame
// disabled.
enum class LongOperation {
    kSorting,     // progress reports the percentage done ("Sorting... %u%%")
    kCleaningUp,  // freeing a database's references ("Cleaning up memory...")
};

class StoreUi {
public:
    virtual ~StoreUi() = default;

    // Asks the user; true only for Yes.
    virtual bool ask(StoreQuestion question) = 0;

    // The list lines of `database` follow its references: a line was inserted at `index`,
    // deleted at `index`, or should be selected.
    virtual void lineInserted(Database& database, int32_t index) = 0;
    virtual void lineDeleted(Database& database, int32_t index) = 0;
    virtual void lineSelected(Database& database, int32_t index) = 0;
    // Every line of `database` is gone (its list box is emptied, horizontal extent 0).
    virtual void linesCleared(Database& database) = 0;
    // Every line of `database` is to be shown again in list order.
    virtual void linesRefilled(Database& database) = 0;
    // Several lines of `database` are about to change; redrawing may wait until
    // updatesEnded, which also re-formats a bibliography shown as formatted text.
    virtual void updatesBegun(Database& database) = 0;
    virtual void updatesEnded(Database& database) = 0;
    // Which references are in the bibliography changed: redraw every database window.
    virtual void allListsChanged() = 0;
    // The number of references of a window changed (status bar).
    virtual void countsChanged() = 0;

    // Progress window over `database` for a long operation; progress is reported between
    // begin and end, and the shell lets pending window messages be handled there.
    virtual void beginLongOperation(Database& database, LongOperation operation) = 0;
    virtual void progress(unsigned percent) = 0;
    virtual void endLongOperation() = 0;

    // The bibliography was just created for references from `source`: open its window, make
    // `source` active again and bring the bibliography to the top. False when no window
    // could be made; the store then destroys the bibliography again.
    virtual bool openBibliography(Database& bibliography, Database& source) = 0;
    // Close the window of `database`; its destruction reaches DatabaseWindowDestroyed.
    virtual void closeWindow(Database& database) = 0;
};

// A user interface that shows nothing and answers Yes: what the store uses without a shell,
// and a base for stand-ins that watch only some of the calls.
class SilentStoreUi : public StoreUi {
public:
    bool ask(StoreQuestion question) override;
    void lineInserted(Database&, int32_t) override {}
    void lineDeleted(Database&, int32_t) override {}
    void lineSelected(Database&, int32_t) override {}
    void linesCleared(Database&) override {}
    void linesRefilled(Database&) override {}
    void updatesBegun(Database&) override {}
    void updatesEnded(Database&) override {}
    void allListsChanged() override {}
    void countsChanged() override {}
    void beginLongOperation(Database&, LongOperation) override {}
    void progress(unsigned) override {}
    void endLongOperation() override {}
    bool openBibliography(Database& bibliography, Database& source) override;
    void closeWindow(Database&) override {}
};

// How the user resolved a reference that equals one already in the target list.
enum class DuplicateChoice {
    kEdit,         // the reference editor changed the incoming reference: try again
    kEditAuthors,  // the author dialog changed the incoming reference: try again
    kOverwrite,    // replace the existing reference
    kDontInclude,  // leave the incoming reference out (insert gives -1)
    kAbandon,      // leave it out and stop the whole operation (insert gives -2)
};

class DuplicateResolver {
public:
    virtual ~DuplicateResolver() = default;

    // Shows the duplicate dialog for `incoming` (whose summary it shows) and `existing`.
    // For kEdit and kEditAuthors the resolver has let the user change `incoming` before it
    // returns. `mayEdit` is false when `incoming` is the very object found in the list; the
    // edit choices are then not offered (and are taken as kDontInclude).
    virtual DuplicateChoice resolveDuplicate(Reference& incoming, const Reference& existing,
                                             bool mayEdit) = 0;
};

#endif
