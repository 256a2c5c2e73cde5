#include "reference_editor.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "../lang/ids.h"
#include "common_list_dialog.h"
#include "database_view.h"
#include "field_text.h"
#include "format/bib_format.h"
#include "format/bibliography_text.h"
#include "store/name_summary.h"
#include "frame_bars.h"
#include "help.h"
#include "keywords_dialog.h"
#include "print/printing.h"
#include "reference_editing.h"
#include "reference_editor_layout.h"
#include "search/keywords.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/reference.h"
#include "store/reference_edit.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/transfers.h"

namespace {


// The field controls in the order the fields are stored. One-line fields lose their line
// breaks when they are stored.
struct FieldControl {
    int id;
    ReferenceField field;
    bool oneLine;
};
const FieldControl kFieldControls[] = {
    {IDC_REF_TITLE, kFieldTitle, true},         {IDC_REF_SOURCE, kFieldSource, false},
    {IDC_REF_VOLUME, kFieldVolume, false},      {IDC_REF_NUMBER, kFieldNumber, false},
    {IDC_REF_PAGES, kFieldPages, false},        {IDC_REF_ABSTRACT, kFieldAbstract, false},
    {IDC_REF_KEYWORDS, kFieldKeywords, false},  {IDC_REF_PUBLISHER, kFieldPublisher, true},
    {IDC_REF_CITY, kFieldCity, true},           {IDC_REF_EDITORS, kFieldEditors, false},
};
constexpr size_t kFieldCount = std::size(kFieldControls);

struct EditorState {
    ReferenceEditorData* data = nullptr;
    Reference* current = nullptr;  // shown, and held (refCount + 1) while it is
    int shownSourceType = -1;      // whose source list the combo box holds
    bool frameWasEnabled = true;
    bool loading = false;          // the controls are being filled: no change of the user's
    bool dirty = false;
    // Only a changed control is read back: a field the user did not touch stays as it was.
    bool changed[kFieldCount] = {};
    bool moved = false;            // a store moved the current reference in a list
    bool placed = false;           // the remembered placement is applied: moves are the user's
    bool finished = false;
    bool accepted = false;         // closed with OK or "O&K && New"
    bool startNew = false;
    bool putBackOnClose = false;   // OK stored fields within closingEdit
    ReferenceEdit closingEdit;
    EditorLayout layout;
};

EditorState* StateOf(HWND dialog)
{
    return reinterpret_cast<EditorState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

ReferenceList* ActiveList()
{
    return g_store.active ? g_store.active->references : nullptr;
}

// Where the active database holds the current reference, or -1; remembered for the caller.
int32_t CurrentIndex(EditorState& state)
{
    ReferenceList* list = ActiveList();
    const int32_t index = list ? IndexOfHeld(*list, *state.current) : -1;
    if (index >= 0)
        state.data->index = index;
    return index;
}

bool ActiveIsBibliography()
{
    return g_store.active && IsBibliography(*g_store.active);
}

int ClampedSourceType(const Reference& reference)
{
    return reference.sourceType >= kSourceJournal && reference.sourceType <= kSourceReport
               ? reference.sourceType
               : kSourceJournal;
}

// The label of the source field and the common list of the reference's source type.
void ShowSourceType(HWND dialog, EditorState& state)
{
    const int type = ClampedSourceType(*state.current);
    if (type == state.shownSourceType)
        return;
    char label[64];
    LoadText(IDS_SOURCE_LABEL_JOURNAL + type, label, sizeof label);
    SetDlgItemTextA(dialog, IDC_REF_SOURCE_LABEL, label);
    HWND combo = GetDlgItem(dialog, IDC_REF_SOURCE);
    // Emptying the list empties the field too: it is shown again.
    const std::string text = ControlText(combo);
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : LoadCommonList(type, kCommonEntryMissingInEditor))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
    SetWindowTextA(combo, text.c_str());
    state.shownSourceType = type;
}

// The caption: the names and the date of the reference on one line.
void ShowCaption(HWND dialog, const Reference& reference)
{
    std::vector<char> text(kSummaryBufferSize);
    formatNameSummary(reference, kSummaryAll, text.data(), text.size());
    if (char* tab = std::strrchr(text.data(), '\t'))
        *tab = ' ';
    SetWindowTextA(dialog, text.data());
}

void UpdateButtons(HWND dialog, EditorState& state)
{
    Enable(dialog, IDC_REF_OK_AND_NEW, state.data->mayStartNew && !ActiveIsBibliography());
    const int32_t index = state.data->navigation ? CurrentIndex(state) : -1;
    const int32_t count = ActiveList() ? ActiveList()->count() : 0;
    Enable(dialog, IDC_REF_PREVIOUS, index > 0);
    Enable(dialog, IDC_REF_NEXT, index >= 0 && index < count - 1);
    // A button that has just been disabled must not keep the keyboard.
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && !IsWindowEnabled(focus))
        SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
}

// Shows the fields of the current reference: every one when it has just become current;
// after a store only those that differ from their controls (the one-line fields that lost
// their line breaks, whatever the duplicate dialog's edit changed), so that the others keep
// their caret and scroll position.
void ShowFields(HWND dialog, EditorState& state, bool all)
{
    state.loading = true;
    if (all)
        state.shownSourceType = -1;
    ShowSourceType(dialog, state);
    ShowCaption(dialog, *state.current);
    for (const FieldControl& control : kFieldControls) {
        HWND window = GetDlgItem(dialog, control.id);
        const char* text = ReferenceText(*state.current, control.field);
        if (all || ControlText(window) != (text ? text : ""))
            ShowFieldText(window, text);
    }
    UpdateButtons(dialog, state);
    state.loading = false;
    state.dirty = false;
    std::fill(std::begin(state.changed), std::end(state.changed), false);
}

// The changed controls into the reference, within `edit`; ending the edit puts the reference
// back into its lists. False when nothing could be stored.
bool WriteFields(HWND dialog, EditorState& state, ReferenceEdit& edit)
{
    Reference& reference = *state.current;
    if (!BeginReferenceEdit(edit, reference)) {
        ShowMessage(dialog, IDS_NO_MEMORY);
        return false;
    }
    int stored = 1;
    for (size_t i = 0; i < kFieldCount; ++i) {
        const FieldControl& control = kFieldControls[i];
        if (state.changed[i])
            stored &= StoreControlText(reference, control.field, GetDlgItem(dialog, control.id),
                                       control.oneLine);
    }
    stored &= RebuildSummary(reference);
    if (!stored)
        ShowMessage(dialog, IDS_NO_MEMORY);
    return true;
}

// Stores while the editor stays open: the reference goes back into its lists at once.
bool StoreFields(HWND dialog, EditorState& state)
{
    ReferenceEdit edit;
    if (!WriteFields(dialog, state, edit))
        return false;
    if (EndReferenceEdit(edit))
        state.moved = true;
    ShowFields(dialog, state, false);
    return true;
}

// Ends the editor: the caller gets the reference shown last, and the frame is left enabled or
// disabled as it was found (inside a load it stays disabled).
void Finish(HWND dialog, EditorState& state)
{
    state.data->reference = state.current;
    CurrentIndex(state);
    --state.current->refCount;
    state.finished = true;
    EnableWindow(g_shell.frame, state.frameWasEnabled ? TRUE : FALSE);
    EndDialog(dialog, 0);
}

// OK stores the fields; the reference goes back into its lists once the editor is gone, so
// that a duplicate question stands on its own.
void OnOk(HWND dialog, EditorState& state, bool startNew)
{
    if (state.dirty) {
        if (!WriteFields(dialog, state, state.closingEdit))
            return;
        state.putBackOnClose = true;
    }
    state.accepted = true;
    state.startNew = startNew;
    Finish(dialog, state);
}

// "&<" and "&>": the neighbour in the active database becomes the current reference. It is
// held through the store, in which a duplicate choice could take it out of the list.
void Step(HWND dialog, EditorState& state, int direction)
{
    ReferenceList* list = ActiveList();
    const int32_t index = state.data->navigation ? CurrentIndex(state) : -1;
    if (!list || index < 0 || index + direction < 0 || index + direction >= list->count())
        return;
    Reference* target = list->referenceAt(index + direction);
    ++target->refCount;
    if (state.dirty && AskQuestion(dialog, IDS_KEEP_CHANGES, MB_YESNO | MB_ICONERROR) == IDYES)
        StoreFields(dialog, state);
    list = ActiveList();
    const int32_t at = list ? IndexOfHeld(*list, *target) : -1;
    if (at < 0) {
        if (--target->refCount <= 0)
            delete target;
        ShowFields(dialog, state, true);
        return;
    }
    Reference* previous = state.current;
    state.current = target;
    state.moved = false;
    if (--previous->refCount <= 0)
        delete previous;
    ShowFields(dialog, state, true);
    if (DatabaseView* view = ActiveView())
        SelectOnlyLine(*view, at);
}

void OnAddToBibliography(EditorState& state)
{
    int32_t index = CurrentIndex(state);
    if (index < 0 || ActiveIsBibliography())
        return;
    AddToBibliography(*g_store.active, &index, 1);
    UpdateToolbar();
}

int FieldOf(int id)
{
    for (size_t i = 0; i < kFieldCount; ++i) {
        if (kFieldControls[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

void MarkChanged(EditorState& state, int id)
{
    state.changed[FieldOf(id)] = true;
    state.dirty = true;
}

// The chosen keywords join the keywords field, not yet the reference: Cancel still leaves it
// as it was.
void OnAddKeywords(HWND dialog, EditorState& state)
{
    const bool inBibliography = g_store.bibliography &&
                                IndexOfHeld(*g_store.bibliography->references, *state.current) >= 0;
    if (inBibliography || ActiveIsBibliography())
        return;
    KeywordsDialogData keywords;
    keywords.hasTarget = true;
    if (RunKeywordsDialog(dialog, keywords) != IDOK || keywords.chosen.empty())
        return;
    HWND control = GetDlgItem(dialog, IDC_REF_KEYWORDS);
    const std::string text = ControlText(control);
    Reference scratch;
    if (!SetReferenceText(scratch, kFieldKeywords, text.empty() ? nullptr : text.c_str()) ||
        !AddKeywordsToReference(scratch, keywords.chosen.c_str())) {
        ShowMessage(dialog, IDS_NO_MEMORY);
        return;
    }
    // A multi-line edit does not report a text set from outside: the change is noted here.
    SetWindowTextA(control, scratch.keywords);
    MarkChanged(state, IDC_REF_KEYWORDS);
}

bool PutOnClipboard(HWND owner, const std::string& text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    bool done = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done)
            GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

// Copy formatted: the current format's header, the reference and the footer, as plain text.
void OnCopyFormatted(HWND dialog, EditorState& state)
{
    if (state.dirty && !StoreFields(dialog, state))
        return;
    std::vector<char> text(kBibliographyTextSize);
    const BibliographyText built =
        BuildSingleReferenceText(CurrentBibFormat(), *state.current, text.data(), text.size());
    PutOnClipboard(dialog, std::string(text.data(), built.length));
}

// The reference as Copy formatted puts it on the clipboard, printed under the editor's caption.
void OnPrint(HWND dialog, EditorState& state)
{
    if (state.dirty && !StoreFields(dialog, state))
        return;
    std::vector<char> text(kBibliographyTextSize);
    BuildSingleReferenceText(CurrentBibFormat(), *state.current, text.data(), text.size());
    char caption[260] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    printText(dialog, text.data(), caption);
}

void OnCommonList(HWND dialog, EditorState& state, int sourceType)
{
    if (RunCommonListDialog(dialog, sourceType) != 1 || sourceType != state.shownSourceType)
        return;
    state.loading = true;
    state.shownSourceType = -1;
    ShowSourceType(dialog, state);
    state.loading = false;
}

void PassToFocus(HWND dialog, UINT message)
{
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus))
        SendMessageA(focus, message, 0, 0);
}

void OnInitMenuPopup(HWND dialog, EditorState& state, HMENU popup)
{
    HMENU bar = GetMenu(dialog);
    if (popup == GetSubMenu(bar, 0)) {
        const ReferenceList* bibliography =
            g_store.bibliography ? g_store.bibliography->references : nullptr;
        const bool held = bibliography && IndexOfHeld(*bibliography, *state.current) >= 0;
        // An equal reference in the bibliography keeps this one out as well.
        const bool blocked = held || ActiveIsBibliography() ||
                             (bibliography && bibliography->indexOf(state.current) >= 0);
        // Only a reference of the active database may join the bibliography: a new one, or
        // one on its way into a list, may still be left out.
        const bool addable = !blocked && CurrentIndex(state) >= 0;
        EnableMenuItem(popup, CMD_REF_ADD_TO_BIB, addable ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(popup, CMD_REF_ADD_KEYWORDS,
                       held || ActiveIsBibliography() ? MF_GRAYED : MF_ENABLED);
        CheckMenuItem(popup, CMD_REF_ADD_TO_BIB, held ? MF_CHECKED : MF_UNCHECKED);
    } else if (popup == GetSubMenu(bar, 1)) {
        HWND focus = GetFocus();
        const bool canUndo =
            focus && IsChild(dialog, focus) && SendMessageA(focus, EM_CANUNDO, 0, 0);
        EnableMenuItem(popup, CMD_EDIT_UNDO, canUndo ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(popup, CMD_EDIT_PASTE,
                       IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED);
    }
}

// Typing in a field, or picking a source from the list, is a change.
void OnFieldNotification(EditorState& state, int field, int code)
{
    const bool change = kFieldControls[field].id == IDC_REF_SOURCE
                            ? code == CBN_EDITCHANGE || code == CBN_SELCHANGE
                            : code == EN_CHANGE;
    if (change && !state.loading)
        MarkChanged(state, kFieldControls[field].id);
}

bool ButtonEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void OnCommand(HWND dialog, EditorState& state, int id, int code)
{
    const int field = FieldOf(id);
    if (field >= 0) {
        OnFieldNotification(state, field, code);
        return;
    }
    switch (id) {
    case IDOK: OnOk(dialog, state, false); break;
    case IDC_REF_OK_AND_NEW:
        if (ButtonEnabled(dialog, id))
            OnOk(dialog, state, true);
        break;
    case IDCANCEL: Finish(dialog, state); break;
    case IDC_REF_PREVIOUS:
    case IDC_REF_NEXT:
        if (ButtonEnabled(dialog, id))
            Step(dialog, state, id == IDC_REF_NEXT ? 1 : -1);
        break;
    case CMD_REF_ADD_TO_BIB: OnAddToBibliography(state); break;
    case CMD_REF_ADD_KEYWORDS: OnAddKeywords(dialog, state); break;
    case CMD_REF_COPY_FORMATTED: OnCopyFormatted(dialog, state); break;
    case CMD_FILE_PRINT: OnPrint(dialog, state); break;
    case CMD_EDIT_UNDO: PassToFocus(dialog, WM_UNDO); break;
    case CMD_EDIT_CUT: PassToFocus(dialog, WM_CUT); break;
    case CMD_EDIT_COPY: PassToFocus(dialog, WM_COPY); break;
    case CMD_EDIT_PASTE: PassToFocus(dialog, WM_PASTE); break;
    case CMD_EDIT_COMMON_JOURNALS:
    case CMD_EDIT_COMMON_BOOKS:
    case CMD_EDIT_COMMON_REPORTS:
        OnCommonList(dialog, state, id - CMD_EDIT_COMMON_JOURNALS);
        break;
    case CMD_HELP: OpenHelp(kHelpReferenceEditor); break;
    }
}

void OnInitDialog(HWND dialog, EditorState& state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    EnableWindow(g_shell.frame, FALSE);
    MeasureEditorTemplate(dialog, state.layout);
    if (g_shell.editFont.font) {
        for (const FieldControl& control : kFieldControls)
            SendDlgItemMessageA(dialog, control.id, WM_SETFONT,
                                reinterpret_cast<WPARAM>(g_shell.editFont.font), FALSE);
    }
    state.current = state.data->reference;
    ++state.current->refCount;
    // Sized first and filled afterwards: a long abstract is laid out in its box only once.
    ApplyEditorPlacement(dialog);
    state.placed = true;
    LayOutEditor(dialog, state.layout);
    ShowFields(dialog, state, true);
}

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *reinterpret_cast<EditorState*>(lParam));
        return TRUE;
    }
    EditorState* state = StateOf(dialog);
    if (!state || state->finished)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            OnInitMenuPopup(dialog, *state, reinterpret_cast<HMENU>(wParam));
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayOutEditor(dialog, state->layout);
        if (state->placed)
            SaveEditorPlacement(dialog);
        return TRUE;
    case WM_MOVE:
        if (state->placed)
            SaveEditorPlacement(dialog);
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam == 0) {
            ScrollEditor(dialog, state->layout, message == WM_HSCROLL ? SB_HORZ : SB_VERT,
                         LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int RunReferenceEditor(HWND owner, ReferenceEditorData& data)
{
    if (!data.reference)
        return 2;
    EditorState state;
    state.data = &data;
    state.frameWasEnabled = IsWindowEnabled(g_shell.frame) != FALSE;
    DialogBoxParamA(g_shell.language, DLG_EDITREF, owner, EditorDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    if (state.current && !state.finished) {
        // The dialog went without OK or Cancel: it holds the reference no longer.
        data.reference = state.current;
        --state.current->refCount;
        EnableWindow(g_shell.frame, state.frameWasEnabled ? TRUE : FALSE);
    }
    if (state.putBackOnClose && EndReferenceEdit(state.closingEdit))
        state.moved = true;
    // Posted only now: the duplicate dialog above would have taken it while the frame was
    // disabled.
    if (state.startNew)
        PostMessageA(g_shell.frame, WM_COMMAND, CMD_REF_NEW, 0);
    return state.accepted && state.moved ? 1 : 2;
}
