#include <cstring>

#include "format/bib_format.h"
#include "format_dialogs.h"
#include "io/format_store.h"
#include "option_dialog.h"
#include "shell_services.h"

namespace {

void OnInit(HWND dialog, std::string&)
{
    SendDlgItemMessageA(dialog, IDC_BIBNAME_NAME, EM_LIMITTEXT, kBibFormatTextSize - 1, 0);
}

bool OnOk(HWND dialog, std::string& name)
{
    char text[kBibFormatTextSize];
    GetDlgItemTextA(dialog, IDC_BIBNAME_NAME, text, sizeof text);
    if (text[0] == '\0') {
        EndDialog(dialog, IDCANCEL);
        return false;
    }
    // The current format's name is stored as a setting too: it must read back whole.
    if (std::strlen(text) > kMaxFormatName) {
        ShowMessage(dialog, IDS_FORMAT_NAME_TOO_LONG);
        SetFocus(GetDlgItem(dialog, IDC_BIBNAME_NAME));
        return false;
    }
    name = text;
    return true;
}

}  // namespace

bool RunFormatNameDialog(HWND owner, std::string& name)
{
    static const DialogHandlers<std::string> handlers = {OnInit, OnOk};
    return RunOptionDialog(owner, DLG_BIBNAME, handlers, name);
}
