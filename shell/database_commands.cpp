#include "database_commands.h"

#include "../lang/ids.h"
#include "bibliography_display.h"
#include "database_list.h"
#include "frame_bars.h"
#include "search/search_command.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/transfers.h"

namespace {

// Runs `operation` on the selected lines with the window's line changes gathered, so that
// the list takes them in one pass. The window may be gone afterwards (an emptied
// bibliography closes).
template <typename Operation>
void WithSelection(DatabaseView& view, Operation operation)
{
    std::vector<int32_t> lines = SelectedLines(view);
    if (lines.empty())
        return;
    HWND window = view.window;
    BeginLineUpdates(view);
    operation(*view.database, lines.data(), static_cast<int32_t>(lines.size()));
    if (DatabaseView* still = ViewOfWindow(window))
        EndLineUpdates(*still);
}

void CopySelected(DatabaseView& view)
{
    WithSelection(view, [](Database& database, const int32_t* lines, int32_t count) {
        CopyToClipboard(database, lines, count);
    });
}

void AddSelectedToBibliography(DatabaseView& view)
{
    if (IsBibliography(*view.database))
        return;
    WithSelection(view, [](Database& database, const int32_t* lines, int32_t count) {
        AddToBibliography(database, lines, count);
    });
}

// The platform's edit messages for the clipboard commands on the text display.
UINT TextMessageOf(int command)
{
    switch (command) {
    case CMD_EDIT_CUT: return WM_CUT;
    case CMD_EDIT_COPY: return WM_COPY;
    case CMD_EDIT_PASTE: return WM_PASTE;
    default: return WM_UNDO;
    }
}

void ClipboardCommand(DatabaseView& view, int command)
{
    HWND window = view.window;
    if (view.formatted) {
        SendMessageA(view.content, TextMessageOf(command), 0, 0);
    } else if (command == CMD_EDIT_COPY) {
        CopySelected(view);
    } else if (command == CMD_EDIT_CUT) {
        CopySelected(view);
        DeleteSelected(view, false);
    } else if (command == CMD_EDIT_PASTE) {
        PasteClipboard(*view.database);
    }
    if (IsWindow(window))
        UpdateToolbar();
}

void ListNotification(DatabaseView& view, int code)
{
    if (code == LBN_SELCHANGE) {
        UpdateToolbar();
    } else if (code == LBN_DBLCLK && SelectedLineCount(view) == 1) {
        int command = GetKeyState(VK_CONTROL) < 0 ? CMD_REF_EDIT_AUTHOR : CMD_REF_EDIT;
        PostMessageA(g_shell.frame, WM_COMMAND, static_cast<WPARAM>(command), 0);
    }
}

}  // namespace

bool RunWindowCommand(DatabaseView& view, int command, int code)
{
    switch (command) {
    case CMD_REBUILD_CONTENT:
        RebuildContent(view);
        if (view.content && view.database == g_store.active)
            SetFocus(view.content);
        UpdateToolbar();
        return true;
    case CMD_REF_ADD_TO_BIB:
        AddSelectedToBibliography(view);
        UpdateToolbar();
        return true;
    case CMD_EDIT_CUT:
    case CMD_EDIT_COPY:
    case CMD_EDIT_PASTE:
    case CMD_EDIT_UNDO:
        ClipboardCommand(view, command);
        return true;
    case IDC_DBWIN_LIST:
        ListNotification(view, code);
        return true;
    case IDC_DBWIN_SEARCHABLE:
        if (code == BN_CLICKED)
            view.database->searchable = view.database->searchable ? 0 : 1;
        return true;
    default:
        return false;
    }
}

void DeleteSelected(DatabaseView& view, bool askFirst)
{
    HWND window = view.window;
    WithSelection(view, [askFirst](Database& database, const int32_t* lines, int32_t count) {
        DeleteReferences(database, lines, count, askFirst);
    });
    if (IsWindow(window))
        UpdateToolbar();
}

void SelectEverything(DatabaseView& view)
{
    if (view.formatted)
        SendMessageA(view.content, EM_SETSEL, 0, -1);
    else if (view.content && ShownCount(view) > 0)
        SendMessageA(view.content, LB_SETSEL, TRUE, -1);
    UpdateToolbar();
}

void ShowAllReferences(DatabaseView& view)
{
    RunSearchCommand(*view.database, kCommandShowAll, SearchCriteria(), "");
    UpdateToolbar();
}
