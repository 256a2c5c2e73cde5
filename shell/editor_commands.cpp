// The frame's commands that open the reference editor and the author dialog.
#include "reference_editing.h"

#include <algorithm>

#include "../lang/ids.h"
#include "author_dialog.h"
#include "database_list.h"
#include "database_view.h"
#include "frame_bars.h"
#include "later_commands.h"
#include "reference_editor.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference.h"
#include "store/reference_edit.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

// The index of the one selected line of the active window, or -1 (none, several, or the
// frame is busy with an operation that disabled it).
int32_t SingleSelectedLine(HWND frame, DatabaseView*& view)
{
    view = ActiveView();
    if (!view || !IsWindowEnabled(frame) || SelectedLineCount(*view) != 1)
        return -1;
    const std::vector<int32_t> lines = SelectedLines(*view);
    return lines.size() == 1 && view->database->references->referenceAt(lines[0]) ? lines[0] : -1;
}

// After a dialog on the reference of line `oldIndex` of `window`: the line is selected where
// the reference stands now, or at the old place when its list let it go (a reference that no
// list holds any more is destroyed), and the list has the focus.
void AfterEdit(HWND window, Reference* reference, int32_t oldIndex)
{
    DatabaseView* view = ViewOfWindow(window);
    int32_t index = -1;
    if (view && reference->refCount > 0)
        index = IndexOfHeld(*view->database->references, *reference);
    if (reference->refCount <= 0)
        delete reference;
    if (view) {
        if (index < 0)
            index = std::min(oldIndex, view->database->references->count() - 1);
        SelectOnlyLine(*view, index);
        if (view->content)
            SetFocus(view->content);
    }
    UpdateToolbar();
    UpdateStatusText();
}

}  // namespace

void RunNewReference(HWND frame)
{
    DatabaseView* view = ActiveView();
    if (!view || IsBibliography(*view->database) || !IsWindowEnabled(frame))
        return;
    const HWND window = view->window;
    Reference* reference = CreateReference(g_store.defaults.input);
    if (!reference) {
        ShowMessage(frame, IDS_NO_MEMORY);
        return;
    }
    if (RunAuthorDialog(frame, *reference) != 1) {
        delete reference;
        return;
    }
    ReferenceEditorData data;
    data.reference = reference;
    data.mayStartNew = true;
    RunReferenceEditor(frame, data);
    // Whatever the editor's answer, the reference goes in with what the author dialog gave it.
    view = ViewOfWindow(window);
    if ((!view || InsertNewReference(*view->database, *reference) < 0) && reference->refCount <= 0)
        delete reference;
    if (view && view->content)
        SetFocus(view->content);
    UpdateToolbar();
    UpdateStatusText();
}

void RunEditReference(HWND frame)
{
    DatabaseView* view = nullptr;
    const int32_t index = SingleSelectedLine(frame, view);
    if (index < 0)
        return;
    const HWND window = view->window;
    ReferenceEditorData data;
    data.reference = view->database->references->referenceAt(index);
    data.navigation = true;
    data.mayStartNew = true;
    data.index = index;
    RunReferenceEditor(frame, data);
    AfterEdit(window, data.reference, data.index);
}

void RunEditAuthor(HWND frame)
{
    DatabaseView* view = nullptr;
    const int32_t index = SingleSelectedLine(frame, view);
    if (index < 0 || IsBibliography(*view->database))
        return;
    const HWND window = view->window;
    Reference* reference = view->database->references->referenceAt(index);
    // Our own hold: the list may let it go as a duplicate while the dialog puts it back.
    ++reference->refCount;
    RunAuthorDialog(frame, *reference);
    --reference->refCount;
    AfterEdit(window, reference, index);
}

void EditIncomingReference(HWND owner, Reference& reference, bool authorsOnly)
{
    if (authorsOnly) {
        RunAuthorDialog(owner, reference);
        return;
    }
    ReferenceEditorData data;
    data.reference = &reference;
    RunReferenceEditor(owner, data);
}

void SelectOnlyLine(DatabaseView& view, int32_t index)
{
    if (!view.content || view.formatted)
        return;
    SendMessageA(view.content, LB_SETSEL, FALSE, -1);
    if (index < 0)
        return;
    SendMessageA(view.content, LB_SETSEL, TRUE, index);
    SendMessageA(view.content, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    UpdateToolbar();
}
