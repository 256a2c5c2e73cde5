#include "format/bib_format.h"
#include "format_dialogs.h"
#include "io/format_store.h"
#include "option_dialog.h"
#include "shell_services.h"

namespace {

struct FormatEdit {
    const char* name;
    HWND example;
};

// Moves the dialog off the example it updates: below its owner, or above when there is no
// room below.
void KeepExampleInSight(HWND dialog, HWND example)
{
    RECT owner, own, screen;
    GetWindowRect(GetParent(example), &owner);
    GetWindowRect(dialog, &own);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const int height = own.bottom - own.top;
    int top = owner.bottom;
    if (top + height > screen.bottom)
        top = owner.top - height;
    if (top < screen.top)
        return;
    SetWindowPos(dialog, nullptr, owner.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInit(HWND dialog, FormatEdit& edit)
{
    if (edit.example)
        KeepExampleInSight(dialog, edit.example);
    SetWindowTextA(dialog, edit.name);
    SendDlgItemMessageA(dialog, IDC_EDITBIB_TEXT, EM_LIMITTEXT, kBibFormatTextSize - 1, 0);
    char text[kMaxFormatText + 1];
    ReadFormatText(edit.name, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_EDITBIB_TEXT, text);
}

void OnCommand(HWND dialog, FormatEdit& edit, int id, int code)
{
    if (id != IDC_EDITBIB_TEXT || code != EN_CHANGE || !edit.example)
        return;
    char text[kBibFormatTextSize];
    GetDlgItemTextA(dialog, IDC_EDITBIB_TEXT, text, sizeof text);
    ShowFormatExample(edit.example, text);
}

bool OnOk(HWND dialog, FormatEdit& edit)
{
    char text[kBibFormatTextSize];
    GetDlgItemTextA(dialog, IDC_EDITBIB_TEXT, text, sizeof text);
    if (text[0] == '\0') {
        EndDialog(dialog, IDCANCEL);
        return false;
    }
    int refusal = 0;
    switch (StoreFormat(edit.name, text)) {
    case kFormatStored: return true;
    case kFormatLineBreak: refusal = IDS_FORMAT_LINE_BREAK; break;
    case kFormatTooLong: refusal = IDS_FORMAT_TOO_LONG; break;
    case kFormatNameTooLong: refusal = IDS_FORMAT_NAME_TOO_LONG; break;
    default: refusal = IDS_FORMAT_NOT_STORED; break;
    }
    ShowMessage(dialog, refusal);
    SetFocus(GetDlgItem(dialog, IDC_EDITBIB_TEXT));
    return false;
}

}  // namespace

bool RunFormatEditDialog(HWND owner, const char* name, HWND example)
{
    static const DialogHandlers<FormatEdit> handlers = {OnInit, OnOk, OnCommand, nullptr,
                                                        kHelpBibliographyFormats};
    FormatEdit edit{name, example};
    return RunOptionDialog(owner, DLG_EDITBIB, handlers, edit);
}
