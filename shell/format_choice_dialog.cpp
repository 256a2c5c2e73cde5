#include "format_choice_dialog.h"

#include <cstdio>

#include "../lang/ids.h"
#include "shell_services.h"
#include "shell_state.h"
#include "transfer_messages.h"

namespace {

// The dialog's state, kept in the window (DWLP_USER).
struct FormatChoice {
    FormatChoiceData* data = nullptr;
    FilterEntry entries[kMaxListedFilters];
    int count = 0;
};

FormatChoice* StateOf(HWND dialog)
{
    return reinterpret_cast<FormatChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The listed filter that is selected, or null.
const FilterEntry* Selected(HWND dialog, const FormatChoice& choice)
{
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_IMPOPT_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= choice.count)
        return nullptr;
    return &choice.entries[index];
}

void SetTitle(HWND dialog, int mode)
{
    // Importing keeps the template's own title.
    const int id = mode == kListDefaultFormat ? CMD_OPT_DEFAULT_FORMAT
                   : mode == kListExport     ? IDS_CHOOSE_EXPORT_FORMAT
                                             : 0;
    char title[128];
    if (id != 0 && LoadText(id, title, sizeof title) > 0)
        SetWindowTextA(dialog, title);
}

BOOL OnInitDialog(HWND dialog, FormatChoice* choice)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(choice));
    SetTitle(dialog, choice->data->mode);
    choice->count = ListFilters(choice->data->mode, choice->entries, kMaxListedFilters);
    HWND list = GetDlgItem(dialog, IDC_IMPOPT_LIST);
    for (int i = 0; i < choice->count; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice->entries[i].displayName));
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_IMPOPT_OPTIONS), FALSE);
    return TRUE;
}

void OnSelectionChanged(HWND dialog, const FormatChoice& choice)
{
    const FilterEntry* entry = Selected(dialog, choice);
    EnableWindow(GetDlgItem(dialog, IDOK), entry != nullptr && entry->fileName[0] != '\0');
    EnableWindow(GetDlgItem(dialog, IDC_IMPOPT_OPTIONS), entry != nullptr && entry->hasOptions);
}

// Only a chosen filter ends the dialog with OK: an empty choice would become a default
// format that no later open or save could load.
void OnChoose(HWND dialog, FormatChoice& choice)
{
    const FilterEntry* entry = Selected(dialog, choice);
    if (entry == nullptr || entry->fileName[0] == '\0')
        return;
    std::snprintf(choice.data->fileName, kFilterNameSize, "%s", entry->fileName);
    EndDialog(dialog, IDOK);
}

void OnOptions(HWND dialog, const FormatChoice& choice)
{
    const FilterEntry* entry = Selected(dialog, choice);
    if (entry == nullptr)
        return;
    LoadedFilter filter;
    if (!LoadFilter(entry->fileName, filter)) {
        TransferReport report;
        report.failure = TransferFailure::kFilterMissing;
        report.fileName = entry->fileName;
        ReportTransferFailure(dialog, report);
        return;
    }
    if (filter.opts != nullptr)
        filter.opts(dialog);
    else
        ShowMessage(dialog, IDS_NO_FILTER_OPTIONS);
    UnloadFilter(filter);
}

void OnCommand(HWND dialog, int id, int notification)
{
    FormatChoice* choice = StateOf(dialog);
    if (choice == nullptr)
        return;
    switch (id) {
    case IDC_IMPOPT_LIST:
        if (notification == LBN_SELCHANGE)
            OnSelectionChanged(dialog, *choice);
        else if (notification == LBN_DBLCLK)
            OnChoose(dialog, *choice);
        break;
    case IDC_IMPOPT_OPTIONS:
        OnOptions(dialog, *choice);
        break;
    case IDOK:
        OnChoose(dialog, *choice);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    }
}

INT_PTR CALLBACK FormatChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<FormatChoice*>(lParam));
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunFormatChoiceDialog(HWND owner, FormatChoiceData& data)
{
    FormatChoice choice;
    choice.data = &data;
    data.fileName[0] = '\0';
    const INT_PTR result = DialogBoxParamA(g_shell.language, DLG_IMPOPT, owner, FormatChoiceProc,
                                           reinterpret_cast<LPARAM>(&choice));
    return result == IDOK ? IDOK : IDCANCEL;
}
