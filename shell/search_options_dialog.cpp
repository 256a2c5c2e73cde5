#include "option_dialog.h"
#include "option_dialogs.h"

namespace {

void OnInit(HWND dialog, SearchOptions& options)
{
    CheckDlgButton(dialog, IDC_SRCHOPT_CASE, options.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SRCHOPT_SEARCHABLE,
                   options.searchable ? BST_CHECKED : BST_UNCHECKED);
}

bool OnOk(HWND dialog, SearchOptions& options)
{
    options.caseSensitive = IsDlgButtonChecked(dialog, IDC_SRCHOPT_CASE) == BST_CHECKED;
    options.searchable = IsDlgButtonChecked(dialog, IDC_SRCHOPT_SEARCHABLE) == BST_CHECKED;
    return true;
}

}  // namespace

bool RunSearchOptionsDialog(HWND owner, SearchOptions& options)
{
    static const DialogHandlers<SearchOptions> handlers = {OnInit, OnOk};
    return RunOptionDialog(owner, DLG_SRCHOPT, handlers, options);
}
