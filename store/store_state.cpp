#include "store/store_state.h"

#include "store/reference_list.h"
#include "store/store_ui.h"

StoreState g_store;

namespace {

class SilentStoreUi : public StoreUi {
public:
    bool ask(StoreQuestion) override { return true; }
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
    bool openBibliography(Database&, Database&) override { return true; }
    void closeWindow(Database&) override {}
};

}  // namespace

StoreUi& CurrentStoreUi()
{
    static SilentStoreUi silent;
    return g_store.ui != nullptr ? *g_store.ui : silent;
}

void FreeClipboard()
{
    delete g_store.clipboard;
    g_store.clipboard = nullptr;
}
