#include "window_store_ui.h"

#include <cstdio>

#include "../lang/ids.h"
#include "bibliography_display.h"
#include "database_list.h"
#include "frame_bars.h"
#include "open_database.h"
#include "progress_window.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

class WindowStoreUi : public StoreUi {
public:
    bool ask(StoreQuestion question) override
    {
        if (question == StoreQuestion::kDeleteReferences)
            return AskQuestion(g_shell.frame, IDS_CONFIRM_DELETE, MB_YESNO | MB_ICONERROR) == IDYES;
        return AskQuestion(g_shell.frame, IDS_CONFIRM_DRAG, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

    void lineInserted(Database& database, int32_t index) override
    {
        Record(database, LineEdit::kInsert, index);
    }
    void lineDeleted(Database& database, int32_t index) override
    {
        Record(database, LineEdit::kDelete, index);
    }
    void lineSelected(Database& database, int32_t index) override
    {
        Record(database, LineEdit::kSelect, index);
    }

    void linesCleared(Database& database) override
    {
        if (DatabaseView* view = ViewOfDatabase(database))
            ClearList(*view);
    }

    void linesRefilled(Database& database) override
    {
        DatabaseView* view = ViewOfDatabase(database);
        if (!view)
            return;
        if (view->formatted)
            ReformatBibliography(*view);
        else
            FillList(*view);
        UpdateToolbar();
    }

    void updatesBegun(Database& database) override
    {
        if (DatabaseView* view = ViewOfDatabase(database))
            BeginLineUpdates(*view);
    }

    void updatesEnded(Database& database) override
    {
        DatabaseView* view = ViewOfDatabase(database);
        if (!view)
            return;
        EndLineUpdates(*view);
        if (view->updateDepth == 0)
            ReformatBibliography(*view);
    }

    void allListsChanged() override
    {
        for (Database* database = FirstDatabase(); database; database = NextDatabase(*database)) {
            DatabaseView* view = ViewOfDatabase(*database);
            if (view && view->content && !view->formatted)
                InvalidateRect(view->content, nullptr, TRUE);
        }
    }

    void countsChanged() override { UpdateStatusText(); }

    void beginLongOperation(Database& database, LongOperation) override
    {
        HWND owner = ViewOfDatabase(database) ? static_cast<HWND>(database.window) : g_shell.frame;
        progress_ = OpenProgressWindow(owner, nullptr);
    }

    void progress(unsigned percent) override
    {
        char format[64];
        char text[96];
        LoadText(IDS_SORTING_PROGRESS, format, sizeof format);
        std::snprintf(text, sizeof text, format, percent);
        SetProgressText(progress_, text);
    }

    void endLongOperation() override
    {
        CloseProgressWindow(progress_);
        progress_ = nullptr;
    }

    bool openBibliography(Database& bibliography, Database& source) override
    {
        if (!CreateDatabaseWindow(bibliography))
            return false;
        if (source.window)
            SendMessageA(g_shell.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(source.window), 0);
        return true;
    }

    void closeWindow(Database& database) override
    {
        if (database.window)
            SendMessageA(g_shell.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(database.window), 0);
    }

private:
    void Record(Database& database, LineEdit::Kind kind, int32_t index)
    {
        if (DatabaseView* view = ViewOfDatabase(database))
            RecordLineEdit(*view, kind, index);
    }

    HWND progress_ = nullptr;
};

}  // namespace

void InstallStoreUi()
{
    static WindowStoreUi ui;
    g_store.ui = &ui;
}
