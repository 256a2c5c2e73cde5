#include "search_dialog.h"

#include "../lang/ids.h"
#include "shell_services.h"
#include "shell_state.h"

namespace {

SearchDialogData* DataOf(HWND dialog)
{
    return reinterpret_cast<SearchDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void OnInitDialog(HWND dialog, SearchDialogData& data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&data));
    const int title = data.command == CMD_SEARCH_NARROW   ? IDS_NARROW_SEARCH_TITLE
                      : data.command == CMD_SEARCH_EXPAND ? IDS_EXPAND_SEARCH_TITLE
                                                          : 0;
    char text[128];
    if (title && LoadText(title, text, sizeof text) > 0)
        SetWindowTextA(dialog, text);
    HWND fields = GetDlgItem(dialog, IDC_SEARCH_FIELD);
    for (int field = 1; field <= kDialogSearchFields; ++field) {
        LoadText(IDS_FIELD_TITLE + field - 1, text, sizeof text);
        SendMessageA(fields, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    // A stored field the list does not offer leaves nothing selected.
    SendMessageA(fields, CB_SETCURSEL, static_cast<WPARAM>(data.criteria.field - 1), 0);
    SendDlgItemMessageA(dialog, IDC_SEARCH_TEXT, EM_LIMITTEXT, kSearchTextSize - 1, 0);
    CheckDlgButton(dialog, IDC_SEARCH_CASE, data.caseByDefault ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SEARCH_NOT, BST_UNCHECKED);
}

void OnOk(HWND dialog, SearchDialogData& data)
{
    char text[kSearchTextSize];
    GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text, sizeof text);
    if (text[0] == '\0') {
        ShowMessage(dialog, IDS_SEARCH_TEXT_REQUIRED);
        SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
        return;
    }
    LRESULT position = SendDlgItemMessageA(dialog, IDC_SEARCH_FIELD, CB_GETCURSEL, 0, 0);
    if (position != CB_ERR)
        data.criteria.field = static_cast<int32_t>(position) + 1;
    data.criteria.caseSensitive = IsDlgButtonChecked(dialog, IDC_SEARCH_CASE) == BST_CHECKED;
    data.criteria.logicalNot = IsDlgButtonChecked(dialog, IDC_SEARCH_NOT) == BST_CHECKED;
    SetSearchText(data.criteria, text);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *reinterpret_cast<SearchDialogData*>(lParam));
        return TRUE;
    }
    SearchDialogData* data = DataOf(dialog);
    if (message != WM_COMMAND || !data)
        return FALSE;
    if (LOWORD(wParam) == IDOK)
        OnOk(dialog, *data);
    else if (LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
    else
        return FALSE;
    return TRUE;
}

}  // namespace

INT_PTR RunSearchDialog(HWND owner, SearchDialogData& data)
{
    INT_PTR result = DialogBoxParamA(g_shell.language, DLG_NEWSRCH, owner, SearchDialogProc,
                                     reinterpret_cast<LPARAM>(&data));
    return result == IDOK ? IDOK : IDCANCEL;
}
