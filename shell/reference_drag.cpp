#include "reference_drag.h"

#include <vector>

#include "../lang/ids.h"
#include "database_commands.h"
#include "database_list.h"
#include "database_view.h"
#include "frame_bars.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/transfers.h"

namespace {

// The window the drag started in; null when no drag is under way.
HWND g_source = nullptr;

void EndDrag(LPCSTR cursor)
{
    g_source = nullptr;
    g_shell.dragging = false;
    g_shell.appCursor = LoadCursorA(nullptr, cursor);
}

void StartDrag(const DatabaseView& view)
{
    const int selected = SelectedLineCount(view);
    if (selected <= 0)
        return;
    g_source = view.window;
    g_shell.dragging = true;
    g_shell.appCursor = selected == 1 ? g_shell.dragSingle : g_shell.dragMultiple;
}

// Copies, or moves, the source's selected references into the target. The source's line
// changes are gathered; its window may be gone afterwards (an emptied bibliography closes).
void DropCopies(DatabaseView& source, DatabaseView& target, bool move)
{
    std::vector<int32_t> lines = SelectedLines(source);
    HWND window = source.window;
    BeginLineUpdates(source);
    DragReferences(*source.database, lines.data(), static_cast<int32_t>(lines.size()),
                   *target.database, move);
    if (DatabaseView* still = ViewOfWindow(window))
        EndLineUpdates(*still);
}

void Drop(DatabaseView& target)
{
    // Shift is read at the release, before any question.
    const bool move = GetKeyState(VK_SHIFT) < 0;
    DatabaseView* source = ViewOfWindow(g_source);
    if (!source)
        return;
    if (source == &target || target.database->description) {
        MessageBeep(MB_OK);
        return;
    }
    if (!ConfirmDrag())
        return;
    if (IsBibliography(*target.database))
        RunWindowCommand(*source, CMD_REF_ADD_TO_BIB, 0);
    else
        DropCopies(*source, target, move);
    UpdateToolbar();
    UpdateStatusText();
}

}  // namespace

bool OnDragSetCursor(DatabaseView& view, HWND over, WORD hitTest, WORD mouseMessage)
{
    if (!IsWindowEnabled(g_shell.frame)) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return true;
    }
    if (mouseMessage == WM_RBUTTONDOWN && !g_shell.dragging) {
        StartDrag(view);
    } else if (mouseMessage == WM_RBUTTONUP && g_source) {
        Drop(view);
        EndDrag(IDC_WAIT);
    } else if (mouseMessage != 0 && GetKeyState(VK_RBUTTON) >= 0) {
        EndDrag(IDC_ARROW);  // any drag is abandoned
    }
    if (hitTest != HTCLIENT && hitTest != HTCAPTION)
        return false;
    // The formatted bibliography keeps the text cursor of its display.
    if (!g_shell.dragging && view.formatted && over == view.content)
        return false;
    SetCursor(g_shell.appCursor);
    return true;
}
