// The Search menu: a new search, narrowing, expanding and showing all references of the
// active window; the search's progress window and window order; and Add keywords.
#include <cstdio>
#include <cstring>
#include <vector>

#include "../lang/ids.h"
#include "database_commands.h"
#include "database_list.h"
#include "database_window.h"
#include "frame_bars.h"
#include "io/app_settings.h"
#include "keywords_dialog.h"
#include "later_commands.h"
#include "open_database.h"
#include "progress_pace.h"
#include "progress_window.h"
#include "search/keywords.h"
#include "search/search_command.h"
#include "search/search_ui.h"
#include "search_dialog.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

// The searches show the wait window "Searching..." over the disabled frame, and look into
// the database windows from the active one down the window order.
class WindowSearchUi : public SearchUi {
public:
    void searchBegun(ReferenceList& result) override
    {
        progress_ = OpenProgressWindow(g_shell.frame, nullptr);
        pace_ = ProgressPace();
        char text[64];
        LoadText(IDS_SEARCHING, text, sizeof text);
        if (progress_)
            SetDlgItemTextA(progress_, IDC_PROGRESS_TEXT, text);
        result.progressWindow = progress_;
    }

    void pumpMessages() override
    {
        if (pace_.Due())
            PumpMessages(progress_, nullptr);
    }

    void searchEnded(ReferenceList& result) override
    {
        CloseProgressWindow(progress_);
        progress_ = nullptr;
        result.progressWindow = nullptr;
    }

    Database* nextInWindowOrder(const Database* database) override
    {
        HWND window = database ? GetWindow(static_cast<HWND>(database->window), GW_HWNDNEXT)
                               : reinterpret_cast<HWND>(
                                     SendMessageA(g_shell.client, WM_MDIGETACTIVE, 0, 0));
        for (; window; window = GetWindow(window, GW_HWNDNEXT)) {
            if (DatabaseView* view = ViewOfWindow(window))
                return view->database;
        }
        return nullptr;
    }

private:
    HWND progress_ = nullptr;
    ProgressPace pace_;
};

void UseWindowSearchUi()
{
    static WindowSearchUi ui;
    g_search.ui = &ui;
}

// The database that receives the results: a new untitled window for a new search (not
// searchable), else the active window.
Database* SearchTarget(int command)
{
    if (command != CMD_SEARCH_NEW)
        return g_store.active;
    if (!OpenDatabaseWindow(WindowKind::kNew, nullptr) || !g_store.lastCreated)
        return nullptr;
    Database* target = g_store.lastCreated;
    target->searchable = 0;
    if (target->searchableBox)
        SendMessageA(static_cast<HWND>(target->searchableBox), BM_SETCHECK, BST_UNCHECKED, 0);
    return target;
}

// "Found %lu references satisfying:" and the description, under "Search Results".
void ReportFound(const Database& result, int32_t count)
{
    char format[128];
    char caption[64];
    LoadText(IDS_FOUND_REFERENCES, format, sizeof format);
    LoadText(IDS_SEARCH_RESULTS, caption, sizeof caption);
    const char* description = result.description ? result.description : "";
    // Room for the whole description, however long narrowing made it, and the count.
    std::vector<char> text(std::strlen(format) + std::strlen(description) + 24);
    std::snprintf(text.data(), text.size(), format, static_cast<unsigned long>(count),
                  description);
    MessageBoxA(static_cast<HWND>(result.window), text.data(), caption,
                MB_OK | MB_ICONINFORMATION);
}

void RunSearch(HWND frame, int command)
{
    // Narrowing or expanding the bibliography would put copies in the place of the
    // references it shares with their databases.
    if (command != CMD_SEARCH_NEW && (!g_store.active || IsBibliography(*g_store.active)))
        return;
    SearchDialogData data;
    data.command = command;
    data.caseByDefault = g_settings.caseSensitive;
    data.criteria = g_search.criteria;
    data.criteria.field = g_settings.searchBy;
    if (RunSearchDialog(frame, data) != IDOK)
        return;
    g_search.criteria = data.criteria;
    g_settings.searchBy = data.criteria.field;

    Database* target = SearchTarget(command);
    if (!target)
        return;
    UseWindowSearchUi();
    char label[64];
    LoadText(data.criteria.field + kSearchLabelStringBase, label, sizeof label);
    HWND window = static_cast<HWND>(target->window);
    const int32_t count = RunSearchCommand(*target, command, data.criteria, label);
    if (count == 0) {
        ShowMessage(frame, IDS_NO_MATCHES);
        if (command == CMD_SEARCH_NEW && IsWindow(window))
            SendMessageA(g_shell.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    } else if (count > 0) {
        SetDatabaseWindowTitle(*target);
        ReportFound(*target, count);
    }
    UpdateToolbar();
    UpdateStatusText();
}

}  // namespace

void RunNewSearch(HWND frame)
{
    RunSearch(frame, CMD_SEARCH_NEW);
}

void RunNarrowSearch(HWND frame)
{
    RunSearch(frame, CMD_SEARCH_NARROW);
}

void RunExpandSearch(HWND frame)
{
    RunSearch(frame, CMD_SEARCH_EXPAND);
}

void RunShowAllReferences(HWND)
{
    if (DatabaseView* view = ActiveView())
        ShowAllReferences(*view);
}

// The keywords chosen in the dialog go to every selected reference of the active window; the
// references change only when the dialog ended with "Add to reference".
void RunAddKeywords(HWND frame)
{
    DatabaseView* view = ActiveView();
    const bool hasTarget = view && SelectedLineCount(*view) > 0;
    KeywordsDialogData data;
    data.hasTarget = hasTarget;
    if (RunKeywordsDialog(hasTarget ? view->window : frame, data) != IDOK || !hasTarget)
        return;
    view = ActiveView();
    if (!view)
        return;
    std::vector<int32_t> lines = SelectedLines(*view);
    AddKeywordsToSelection(*view->database, lines.data(), static_cast<int32_t>(lines.size()),
                           data.chosen.c_str());
    UpdateToolbar();
    UpdateStatusText();
}
