#include "option_dialog.h"
#include "option_dialogs.h"
#include "shell_services.h"

namespace {

// The field names in the order of the field codes (Author .. Publisher, then None).
const int kFieldNames[] = {IDS_FIELD_AUTHOR, IDS_FIELD_DATE,    IDS_FIELD_TITLE, IDS_FIELD_SOURCE,
                           IDS_FIELD_KEYWORD, IDS_FIELD_PUBLISHER, IDS_FIELD_NONE};
constexpr int kFieldCount = sizeof kFieldNames / sizeof kFieldNames[0];

void AddText(HWND combo, int id)
{
    char text[64];
    LoadText(id, text, sizeof text);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void OnInit(HWND dialog, SortOptions& options)
{
    for (int key = 0; key < kSortKeyCount; ++key) {
        HWND fields = GetDlgItem(dialog, IDC_SORT_FIELD_1 + key);
        HWND order = GetDlgItem(dialog, IDC_SORT_ORDER_1 + key);
        // The first key cannot be None.
        const int offered = key == 0 ? kFieldCount - 1 : kFieldCount;
        for (int field = 0; field < offered; ++field)
            AddText(fields, kFieldNames[field]);
        AddText(order, IDS_ASCENDING);
        AddText(order, IDS_DESCENDING);
        const int32_t value = options.keys.keys[key];
        const int field = value & kSortFieldMask;
        SendMessageA(fields, CB_SETCURSEL, field < offered ? field : offered - 1, 0);
        SendMessageA(order, CB_SETCURSEL, value & kSortDescending ? 1 : 0, 0);
    }
}

void OnCommand(HWND dialog, SortOptions& options, int id, int code)
{
    if (id == IDC_SORT_NAMES && code == BN_CLICKED && options.names &&
        RunNameOptionsDialog(dialog, *options.names))
        options.namesChanged = true;
}

bool OnOk(HWND dialog, SortOptions& options)
{
    SortSpec chosen;
    for (int key = 0; key < kSortKeyCount; ++key) {
        const LRESULT field = SendDlgItemMessageA(dialog, IDC_SORT_FIELD_1 + key, CB_GETCURSEL, 0, 0);
        const LRESULT order = SendDlgItemMessageA(dialog, IDC_SORT_ORDER_1 + key, CB_GETCURSEL, 0, 0);
        const int32_t code = field < 0 ? static_cast<int32_t>(kSortNone) : static_cast<int32_t>(field);
        chosen.keys[key] = MakeSortKey(static_cast<SortField>(code), order == 1);
    }
    if (SortKeysRepeatField(chosen)) {
        ShowMessage(dialog, IDS_SORT_FIELD_TWICE);
        return false;
    }
    for (int key = 0; key < kSortKeyCount; ++key)
        if (chosen.keys[key] != options.keys.keys[key])
            options.keysChanged = true;
    options.keys = chosen;
    return true;
}

}  // namespace

void RunSortOptionsDialog(HWND owner, SortOptions& options)
{
    static const DialogHandlers<SortOptions> handlers = {OnInit, OnOk, OnCommand, nullptr,
                                                         kHelpSortOptions};
    options.keysChanged = options.namesChanged = false;
    RunOptionDialog(owner, DLG_OPTSORT, handlers, options);
}
