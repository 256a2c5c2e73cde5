#include "option_dialog.h"
#include "option_dialogs.h"
#include "shell_services.h"

namespace {

// The family-name options apply only when names are compared by family name.
void EnableFamilyOptions(HWND dialog, bool enable)
{
    EnableWindow(GetDlgItem(dialog, IDC_NAME_FAMILY_LAST), enable);
    EnableWindow(GetDlgItem(dialog, IDC_NAME_SEPARATOR), enable);
}

void OnInit(HWND dialog, NameOptions& names)
{
    const char separator[2] = {names.separator, '\0'};
    SetDlgItemTextA(dialog, IDC_NAME_SEPARATOR, separator);
    const bool byFamily = names.method != kCompareAsWritten;
    CheckRadioButton(dialog, IDC_NAME_COMPARE_FAMILY, IDC_NAME_COMPARE_GIVEN,
                     byFamily ? IDC_NAME_COMPARE_FAMILY : IDC_NAME_COMPARE_GIVEN);
    CheckDlgButton(dialog, IDC_NAME_FAMILY_LAST, names.familyLast ? BST_CHECKED : BST_UNCHECKED);
    EnableFamilyOptions(dialog, byFamily);
}

void OnCommand(HWND dialog, NameOptions&, int id, int code)
{
    if (code == BN_CLICKED && (id == IDC_NAME_COMPARE_FAMILY || id == IDC_NAME_COMPARE_GIVEN))
        EnableFamilyOptions(dialog, id == IDC_NAME_COMPARE_FAMILY);
}

bool OnOk(HWND dialog, NameOptions& names)
{
    char separator[8] = "";
    GetDlgItemTextA(dialog, IDC_NAME_SEPARATOR, separator, sizeof separator);
    if (!IsValidNameSeparator(separator[0])) {
        ShowMessage(dialog, IDS_SEPARATOR_WHITESPACE);
        SetFocus(GetDlgItem(dialog, IDC_NAME_SEPARATOR));
        return false;
    }
    names.separator = separator[0];
    names.method = IsDlgButtonChecked(dialog, IDC_NAME_COMPARE_GIVEN) == BST_CHECKED
                       ? kCompareAsWritten
                       : kCompareFamilyNames;
    if (names.method == kCompareFamilyNames)
        names.familyLast = IsDlgButtonChecked(dialog, IDC_NAME_FAMILY_LAST) == BST_CHECKED;
    return true;
}

}  // namespace

bool RunNameOptionsDialog(HWND owner, NameOptions& names)
{
    static const DialogHandlers<NameOptions> handlers = {OnInit, OnOk, OnCommand, nullptr,
                                                         kHelpNameOptions};
    return RunOptionDialog(owner, DLG_NAME, handlers, names);
}
