#include "author_dialog.h"

#include "../lang/ids.h"
#include "field_text.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/reference.h"
#include "store/reference_edit.h"

namespace {

// The radio buttons of the source types, in their order.
const int kSourceButtons[] = {IDC_ETITLE_JOURNAL, IDC_ETITLE_BOOK, IDC_ETITLE_REPORT};

struct DialogState {
    Reference* reference = nullptr;
    bool loading = false;
    bool dirty = false;
    // Only a changed control is read back: a field the user did not touch stays as it was.
    bool authorsChanged = false;
    bool yearChanged = false;
    // OK stored within it; ending it after the dialog puts the reference back into its lists.
    ReferenceEdit edit;
    bool stored = false;
};

DialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void OnInitDialog(HWND dialog, DialogState& state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const Reference& reference = *state.reference;
    state.loading = true;
    ShowFieldText(GetDlgItem(dialog, IDC_ETITLE_AUTHORS), reference.authors);
    ShowFieldText(GetDlgItem(dialog, IDC_ETITLE_YEAR), reference.date);
    const int type = reference.sourceType >= kSourceJournal && reference.sourceType <= kSourceReport
                         ? reference.sourceType
                         : kSourceJournal;
    CheckRadioButton(dialog, IDC_ETITLE_JOURNAL, IDC_ETITLE_REPORT, kSourceButtons[type]);
    state.loading = false;
    state.dirty = reference.authors == nullptr;
}

int CheckedSourceType(HWND dialog)
{
    for (int type = kSourceReport; type > kSourceJournal; --type) {
        if (IsDlgButtonChecked(dialog, kSourceButtons[type]) == BST_CHECKED)
            return type;
    }
    return kSourceJournal;
}

bool Store(HWND dialog, DialogState& state)
{
    Reference& reference = *state.reference;
    if (!BeginReferenceEdit(state.edit, reference)) {
        ShowMessage(dialog, IDS_NO_MEMORY);
        return false;
    }
    state.stored = true;
    int stored = 1;
    if (state.authorsChanged)
        stored &= StoreControlText(reference, kFieldAuthors,
                                   GetDlgItem(dialog, IDC_ETITLE_AUTHORS), false);
    if (state.yearChanged)
        stored &= StoreControlText(reference, kFieldDate, GetDlgItem(dialog, IDC_ETITLE_YEAR),
                                   false);
    reference.sourceType = CheckedSourceType(dialog);
    stored &= RebuildSummary(reference);
    if (!stored)
        ShowMessage(dialog, IDS_NO_MEMORY);
    return true;
}

void OnCommand(HWND dialog, DialogState& state, int id, int code)
{
    switch (id) {
    case IDC_ETITLE_AUTHORS:
    case IDC_ETITLE_YEAR:
        if (code == EN_CHANGE && !state.loading) {
            (id == IDC_ETITLE_AUTHORS ? state.authorsChanged : state.yearChanged) = true;
            state.dirty = true;
        }
        break;
    case IDC_ETITLE_JOURNAL:
    case IDC_ETITLE_BOOK:
    case IDC_ETITLE_REPORT:
        if (code == BN_CLICKED)
            state.dirty = true;
        break;
    case IDOK:
        if (!state.dirty)
            EndDialog(dialog, 2);
        else if (Store(dialog, state))
            EndDialog(dialog, 1);
        break;
    case IDCANCEL:
        EndDialog(dialog, 2);
        break;
    }
}

INT_PTR CALLBACK AuthorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    }
    DialogState* state = StateOf(dialog);
    if (state && message == WM_COMMAND) {
        OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunAuthorDialog(HWND owner, Reference& reference)
{
    DialogState state;
    state.reference = &reference;
    DialogBoxParamA(g_shell.language, DLG_ETITLE, owner, AuthorDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    // Once the dialog is gone, so that a duplicate question stands on its own.
    if (state.stored)
        EndReferenceEdit(state.edit);
    return state.stored ? 1 : 2;
}
