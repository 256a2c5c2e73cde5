#include "option_dialog.h"
#include "option_dialogs.h"

namespace {

void OnInit(HWND dialog, InputDefaults& input)
{
    SendDlgItemMessageA(dialog, IDC_INOPT_DATE, EM_LIMITTEXT, kDefaultDateSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_INOPT_DATE, input.date);
    const int source = input.sourceType == kSourceBook     ? IDC_INOPT_BOOK
                       : input.sourceType == kSourceReport ? IDC_INOPT_REPORT
                                                           : IDC_INOPT_JOURNAL;
    CheckRadioButton(dialog, IDC_INOPT_JOURNAL, IDC_INOPT_REPORT, source);
}

bool OnOk(HWND dialog, InputDefaults& input)
{
    GetDlgItemTextA(dialog, IDC_INOPT_DATE, input.date, kDefaultDateSize);
    input.sourceType = IsDlgButtonChecked(dialog, IDC_INOPT_BOOK) == BST_CHECKED ? kSourceBook
                       : IsDlgButtonChecked(dialog, IDC_INOPT_REPORT) == BST_CHECKED
                           ? kSourceReport
                           : kSourceJournal;
    return true;
}

}  // namespace

bool RunInputOptionsDialog(HWND owner, InputDefaults& input)
{
    static const DialogHandlers<InputDefaults> handlers = {OnInit, OnOk};
    return RunOptionDialog(owner, DLG_INOPT, handlers, input);
}
