#include "common_list_dialog.h"

#include <algorithm>
#include <cstdio>

#include "../lang/ids.h"
#include "../support/cartio.h"
#include "keyword_list.h"
#include "shell_state.h"

namespace {

// The settings sections of the lists, by source type.
const char* const kSections[] = {"Journals", "Book_titles", "Reports"};
constexpr char kCountKey[] = "Number";
// What the dialog shows, and OK then writes, for an entry that cannot be read.
constexpr char kMissingInDialog[] = "CARTULAN.INI Error";
// A damaged count is not followed into millions of reads.
constexpr int kMaxEntries = 32767;

const char* SectionOf(int sourceType)
{
    return kSections[sourceType >= 0 && sourceType < 3 ? sourceType : 0];
}

HWND ListOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_LISTEDIT_LIST);
}

void Enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

std::string TypedText(HWND dialog)
{
    char text[kCommonEntryMaxLength + 1] = {};
    GetDlgItemTextA(dialog, IDC_LISTEDIT_TEXT, text, sizeof text);
    return text;
}

// The index of the entry equal to `text` (letter case aside), or LB_ERR.
LRESULT FindEntry(HWND list, const std::string& text)
{
    return SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text.c_str()));
}

// Add takes a typed text that is not an entry yet; Change and Delete act on the selection.
void UpdateButtons(HWND dialog)
{
    HWND list = ListOf(dialog);
    const std::string text = TypedText(dialog);
    const bool selected = SendMessageA(list, LB_GETCURSEL, 0, 0) != LB_ERR;
    Enable(dialog, IDC_LISTEDIT_ADD, !text.empty() && FindEntry(list, text) == LB_ERR);
    Enable(dialog, IDC_LISTEDIT_CHANGE, selected && !text.empty());
    Enable(dialog, IDC_LISTEDIT_DELETE, selected);
}

void Select(HWND dialog, LRESULT index)
{
    HWND list = ListOf(dialog);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (index >= count)
        index = count - 1;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    UpdateButtons(dialog);
}

void OnInitDialog(HWND dialog, int sourceType)
{
    SetWindowLongPtrA(dialog, DWLP_USER, sourceType);
    SetWindowTextA(dialog, SectionOf(sourceType));
    FillKeywordListBox(ListOf(dialog), LoadCommonList(sourceType, kMissingInDialog), {});
    SendDlgItemMessageA(dialog, IDC_LISTEDIT_TEXT, EM_LIMITTEXT, kCommonEntryMaxLength, 0);
    UpdateButtons(dialog);
}

// The selected entry goes into the edit field, to be changed or added again.
void OnSelected(HWND dialog)
{
    HWND list = ListOf(dialog);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index != LB_ERR && length >= 0 && length <= kCommonEntryMaxLength) {
        char text[kCommonEntryMaxLength + 1] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        SetDlgItemTextA(dialog, IDC_LISTEDIT_TEXT, text);
    }
    UpdateButtons(dialog);
}

void OnAdd(HWND dialog)
{
    HWND list = ListOf(dialog);
    const std::string text = TypedText(dialog);
    LRESULT index = FindEntry(list, text);
    if (!text.empty() && index == LB_ERR)
        index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Select(dialog, index);
}

void OnDelete(HWND dialog)
{
    HWND list = ListOf(dialog);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    Select(dialog, index);
}

void OnChange(HWND dialog)
{
    if (SendMessageA(ListOf(dialog), LB_GETCURSEL, 0, 0) == LB_ERR || TypedText(dialog).empty())
        return;
    OnDelete(dialog);
    OnAdd(dialog);
}

void OnOk(HWND dialog)
{
    const char* section = SectionOf(static_cast<int>(GetWindowLongPtrA(dialog, DWLP_USER)));
    const std::vector<std::string> entries = ListBoxEntries(ListOf(dialog));
    SetConfigInt(section, kCountKey, static_cast<int>(entries.size()));
    char key[16];
    for (size_t i = 0; i < entries.size(); ++i) {
        std::snprintf(key, sizeof key, "%u", static_cast<unsigned>(i + 1));
        SetConfigStr(section, key, entries[i].c_str());
    }
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_LISTEDIT_LIST:
        if (code == LBN_SELCHANGE)
            OnSelected(dialog);
        break;
    case IDC_LISTEDIT_TEXT:
        if (code == EN_CHANGE)
            UpdateButtons(dialog);
        break;
    case IDC_LISTEDIT_ADD: OnAdd(dialog); break;
    case IDC_LISTEDIT_CHANGE: OnChange(dialog); break;
    case IDC_LISTEDIT_DELETE: OnDelete(dialog); break;
    case IDOK: OnOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    }
}

INT_PTR CALLBACK CommonListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, static_cast<int>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::vector<std::string> LoadCommonList(int sourceType, const char* missingText)
{
    const char* section = SectionOf(sourceType);
    const int count = std::min(GetConfigInt(section, kCountKey, 0), kMaxEntries);
    std::vector<std::string> entries;
    char key[16];
    char text[kCommonEntryMaxLength + 1];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(key, sizeof key, "%d", i);
        GetConfigStr(text, sizeof text, section, key, missingText);
        entries.emplace_back(text);
    }
    return entries;
}

int RunCommonListDialog(HWND owner, int sourceType)
{
    const INT_PTR result = DialogBoxParamA(g_shell.language, DLG_LISTEDIT, owner,
                                           CommonListDialogProc, sourceType);
    return result == IDOK ? 1 : 2;
}
