#include "duplicate_dialog.h"

#include "../lang/ids.h"
#include "help.h"
#include "shell_state.h"
#include "store/reference.h"
#include "store/store_ui.h"

DuplicateEditProc g_duplicateEditor = nullptr;

namespace {

BOOL OnInitDialog(HWND dialog, const DuplicateDialogData& data)
{
    SetDlgItemTextA(dialog, IDC_DUP_REFERENCE, data.summary != nullptr ? data.summary : "");
    EnableWindow(GetDlgItem(dialog, IDC_DUP_EDIT), data.mayEdit);
    EnableWindow(GetDlgItem(dialog, IDC_DUP_EDIT_AUTHORS), data.mayEdit);
    return TRUE;
}

void OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_DUP_EDIT:
    case IDC_DUP_EDIT_AUTHORS:
        // A command from a button that is not offered (sent by another program) is ignored.
        if (IsWindowEnabled(GetDlgItem(dialog, id)))
            EndDialog(dialog, id);
        break;
    case IDC_DUP_OVERWRITE:
    case IDC_DUP_SKIP:
    case IDCANCEL:
        EndDialog(dialog, id);
        break;
    case IDC_HELP_BUTTON:
        OpenHelp(kHelpDuplicates);
        break;
    }
}

INT_PTR CALLBACK DuplicateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, *reinterpret_cast<const DuplicateDialogData*>(lParam));
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// The dialog belongs to the window the user is working in: the progress window of a load
// (the frame is disabled under it and must stay so), else the frame.
HWND DialogOwner()
{
    HWND active = GetActiveWindow();
    return active != nullptr && IsWindowEnabled(active) ? active : g_shell.frame;
}

class DialogResolver : public DuplicateResolver {
public:
    DuplicateChoice resolveDuplicate(Reference& incoming, const Reference&, bool mayEdit) override
    {
        DuplicateDialogData data;
        data.summary = incoming.summary;
        data.mayEdit = mayEdit && g_duplicateEditor != nullptr;
        HWND owner = DialogOwner();
        switch (RunDuplicateDialog(owner, data)) {
        case IDC_DUP_EDIT:
            g_duplicateEditor(owner, incoming, false);
            return DuplicateChoice::kEdit;
        case IDC_DUP_EDIT_AUTHORS:
            g_duplicateEditor(owner, incoming, true);
            return DuplicateChoice::kEditAuthors;
        case IDC_DUP_OVERWRITE: return DuplicateChoice::kOverwrite;
        case IDC_DUP_SKIP: return DuplicateChoice::kDontInclude;
        default: return DuplicateChoice::kAbandon;
        }
    }
};

}  // namespace

int RunDuplicateDialog(HWND owner, const DuplicateDialogData& data)
{
    const INT_PTR result = DialogBoxParamA(g_shell.language, DLG_DUPLICATE, owner,
                                           DuplicateDialogProc, reinterpret_cast<LPARAM>(&data));
    // A dialog that could not be shown (-1) abandons the operation: nothing is decided for
    // the user.
    return result > 0 ? static_cast<int>(result) : IDCANCEL;
}

DuplicateResolver& ShellDuplicateResolver()
{
    static DialogResolver resolver;
    return resolver;
}
