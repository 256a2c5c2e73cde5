#include "store/store_state.h"

#include "store/reference_list.h"
#include "store/store_ui.h"

StoreState g_store;

bool SilentStoreUi::ask(StoreQuestion) { return true; }
bool SilentStoreUi::openBibliography(Database&, Database&) { return true; }

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
