#include "keywords_dialog.h"

#include <cstdio>
#include <vector>

#include "../lang/ids.h"
#include "help.h"
#include "keyword_list.h"
#include "progress_pace.h"
#include "search/keywords.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/store_state.h"

namespace {

// The help file's topic of this dialog.
// The edit field is read with at most 398 characters.
constexpr int kTypedSize = 399;

struct DialogState {
    KeywordsDialogData* data = nullptr;
    bool busy = false;  // scanning or saving: the wait cursor
};

DialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HWND ListOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_KEYWORDS_LIST);
}

void Enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

// Delete, Edit and Add to reference follow the selection.
void SelectionChanged(HWND dialog, const DialogState& state)
{
    LRESULT selected = SendMessageA(ListOf(dialog), LB_GETSELCOUNT, 0, 0);
    Enable(dialog, IDC_KEYWORDS_DELETE, selected > 0);
    Enable(dialog, IDOK, state.data->hasTarget && selected > 0);
    Enable(dialog, IDC_KEYWORDS_EDIT, selected == 1);
}

void OnInitDialog(HWND dialog, DialogState& state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.data->chosen.clear();
    FillKeywordListBox(ListOf(dialog), LoadKeywordList(), {});
    SendDlgItemMessageA(dialog, IDC_KEYWORDS_TEXT, EM_LIMITTEXT, kTypedSize - 1, 0);
    for (int id : {IDC_KEYWORDS_ADD, IDC_KEYWORDS_DELETE, IDC_KEYWORDS_EDIT, IDOK})
        Enable(dialog, id, false);
    Enable(dialog, IDC_KEYWORDS_SCAN, g_store.active != nullptr);
}

void OnAdd(HWND dialog, const DialogState& state)
{
    char typed[kTypedSize];
    GetDlgItemTextA(dialog, IDC_KEYWORDS_TEXT, typed, sizeof typed);
    std::string keyword = KeywordFromTypedText(typed);
    HWND list = ListOf(dialog);
    if (!keyword.empty() &&
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(keyword.c_str())) == LB_ERR)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keyword.c_str()));
    SetDlgItemTextA(dialog, IDC_KEYWORDS_TEXT, "");
    SelectionChanged(dialog, state);
}

void OnEdit(HWND dialog, const DialogState& state)
{
    HWND list = ListOf(dialog);
    int selected = -1;
    if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) != 1 ||
        SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&selected)) != 1)
        return;
    SetDlgItemTextA(dialog, IDC_KEYWORDS_TEXT, ListBoxEntry(list, selected).c_str());
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    SelectionChanged(dialog, state);
}

void OnDelete(HWND dialog, const DialogState& state)
{
    HWND list = ListOf(dialog);
    for (LRESULT i = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1; i >= 0; --i) {
        if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    }
    SelectionChanged(dialog, state);
}

// Long work of the dialog: the wait cursor, the dialog disabled meanwhile.
template <typename Work>
void WhileBusy(HWND dialog, DialogState& state, Work work)
{
    state.busy = true;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    EnableWindow(dialog, FALSE);
    work();
    EnableWindow(dialog, TRUE);
    SetCursor(previous);
    state.busy = false;
}

void OnSave(HWND dialog, DialogState& state)
{
    WhileBusy(dialog, state, [dialog] {
        SaveKeywordList(ListBoxEntries(ListOf(dialog)), [] { PumpMessages(nullptr, nullptr); });
    });
}

// Every keyword line of the active database joins the list, each once whatever its case;
// they are gathered first and the list is filled once.
void ScanActiveDatabase(HWND dialog, DialogState& state)
{
    Database* database = g_store.active;
    if (!database || !database->references)
        return;
    WhileBusy(dialog, state, [dialog, database] {
        HWND progress = CreateDialogParamA(g_shell.language, DLG_CLEAN, dialog,
                                           HourglassDialogProc, 0);
        char title[64];
        char format[64];
        LoadText(IDS_SCANNING, title, sizeof title);
        LoadText(IDS_SCANNED_REFERENCES, format, sizeof format);
        if (progress) {
            SetWindowTextA(progress, title);
            ShowWindow(progress, SW_SHOW);
        }
        HWND list = ListOf(dialog);
        std::vector<bool> selected;
        KeywordSet set;
        for (const std::string& entry : ListBoxEntries(list, &selected)) {
            // Entries stay as they are, even two that differ only in case.
            if (!AddKeyword(set, entry.data(), entry.size()))
                set.keywords.push_back(entry);
        }
        ProgressPace pace;
        ScanKeywords(*database->references, set, [progress, &format, &pace](int32_t scanned) {
            if (!pace.Due())
                return;
            char text[96];
            std::snprintf(text, sizeof text, format, static_cast<unsigned long>(scanned));
            if (progress)
                SetDlgItemTextA(progress, IDC_PROGRESS_TEXT, text);
            PumpMessages(progress, nullptr);
        });
        selected.resize(set.keywords.size(), false);
        FillKeywordListBox(list, set.keywords, selected);
        if (progress)
            DestroyWindow(progress);
    });
    BringWindowToTop(dialog);
    Enable(dialog, IDC_KEYWORDS_SCAN, false);
    SelectionChanged(dialog, state);
}

void OnChoose(HWND dialog, DialogState& state)
{
    std::vector<bool> selected;
    std::vector<std::string> entries = ListBoxEntries(ListOf(dialog), &selected);
    std::vector<std::string> chosen;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (selected[i])
            chosen.push_back(entries[i]);
    }
    state.data->chosen = JoinChosenKeywords(chosen);
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, DialogState& state, int id, int code)
{
    switch (id) {
    case IDC_KEYWORDS_LIST:
        if (code == LBN_SELCHANGE)
            SelectionChanged(dialog, state);
        break;
    case IDC_KEYWORDS_TEXT:
        if (code == EN_CHANGE)
            Enable(dialog, IDC_KEYWORDS_ADD, GetWindowTextLengthA(GetDlgItem(dialog, id)) > 0);
        break;
    case IDC_KEYWORDS_ADD: OnAdd(dialog, state); break;
    case IDC_KEYWORDS_EDIT: OnEdit(dialog, state); break;
    case IDC_KEYWORDS_DELETE: OnDelete(dialog, state); break;
    case IDC_KEYWORDS_SAVE: OnSave(dialog, state); break;
    case IDC_KEYWORDS_SCAN: ScanActiveDatabase(dialog, state); break;
    case IDOK: OnChoose(dialog, state); break;
    case IDCANCEL:
        state.data->chosen.clear();
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_HELP_BUTTON: OpenHelp(kHelpKeywords); break;
    }
}

INT_PTR CALLBACK KeywordsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    }
    DialogState* state = StateOf(dialog);
    if (!state)
        return FALSE;
    if (message == WM_COMMAND) {
        OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (message == WM_SETCURSOR && state->busy) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunKeywordsDialog(HWND owner, KeywordsDialogData& data)
{
    DialogState state;
    state.data = &data;
    INT_PTR result = DialogBoxParamA(g_shell.language, DLG_KEYWORDS, owner, KeywordsDialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        data.chosen.clear();
    return result == IDOK ? IDOK : IDCANCEL;
}
