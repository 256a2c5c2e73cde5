#include "option_dialog.h"
#include "option_dialogs.h"
#include "store/list_flags.h"

namespace {

void OnInit(HWND dialog, uint32_t& flags)
{
    const uint32_t mode = (flags & kListConfirmDeleteMask) >> kListConfirmDeleteShift;
    if (mode != 0)
        CheckRadioButton(dialog, IDC_CONFIRM_DELETE_NEVER, IDC_CONFIRM_DELETE_ALWAYS,
                         IDC_CONFIRM_DELETE_NEVER + static_cast<int>(mode) - 1);
    CheckDlgButton(dialog, IDC_CONFIRM_DRAG,
                   DragNeedsConfirmation(flags) ? BST_CHECKED : BST_UNCHECKED);
}

bool OnOk(HWND dialog, uint32_t& flags)
{
    int mode = 0;  // none checked: the mode bits are cleared
    for (int button = IDC_CONFIRM_DELETE_NEVER; button <= IDC_CONFIRM_DELETE_ALWAYS; ++button)
        if (IsDlgButtonChecked(dialog, button) == BST_CHECKED)
            mode = button - IDC_CONFIRM_DELETE_NEVER + kConfirmNever;
    flags = WithConfirmOptions(flags, static_cast<DeleteConfirmMode>(mode),
                               IsDlgButtonChecked(dialog, IDC_CONFIRM_DRAG) == BST_CHECKED);
    return true;
}

}  // namespace

bool RunConfirmOptionsDialog(HWND owner, uint32_t& flags)
{
    static const DialogHandlers<uint32_t> handlers = {OnInit, OnOk};
    return RunOptionDialog(owner, DLG_CONFIRM, handlers, flags);
}
