#include <memory>
#include <new>

#include "database_view.h"
#include "format/format_example.h"
#include "format_dialogs.h"
#include "io/app_settings.h"
#include "io/format_store.h"
#include "option_dialog.h"
#include "shell_services.h"
#include "store/database.h"
#include "store/store_state.h"

namespace {

// Where an installation may leave formats for every user of the machine, and where the
// settings keep a user's own.
constexpr char kFormatsKey[] = "Software\\NWPL\\Cartulan\\Formats";
constexpr DWORD kMachineNameSize = 260;  // names of at most 259 characters
constexpr DWORD kMachineDataSize = 260;

// Gives a user who has no formats of their own the machine's, value by value, until the first
// value that does not fit or cannot be read. Nothing is said when there are none.
void CopyMachineFormats()
{
    HKEY machine = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFormatsKey, 0, KEY_READ, &machine) != ERROR_SUCCESS)
        return;
    HKEY user = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kFormatsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &user,
                        nullptr) == ERROR_SUCCESS) {
        for (DWORD index = 0;; ++index) {
            char name[kMachineNameSize];
            BYTE data[kMachineDataSize];
            DWORD nameSize = sizeof name;
            DWORD dataSize = sizeof data;
            DWORD type = 0;
            if (RegEnumValueA(machine, index, name, &nameSize, nullptr, &type, data, &dataSize) !=
                ERROR_SUCCESS)
                break;
            RegSetValueExA(user, name, 0, type, data, dataSize);
        }
        RegCloseKey(user);
    }
    RegCloseKey(machine);
}

// The name of the selected format, or "" when none is selected.
std::string SelectedName(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_BIBFMT_LIST);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT length = selected == LB_ERR ? LB_ERR : SendMessageA(list, LB_GETTEXTLEN, selected, 0);
    if (length == LB_ERR)
        return "";
    std::string name(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(&name[0]));
    name.resize(static_cast<size_t>(length));
    return name;
}

void RefreshExample(HWND dialog)
{
    const std::string name = SelectedName(dialog);
    if (name.empty())
        return;
    char text[kMaxFormatText + 1];
    ReadFormatText(name.c_str(), text, sizeof text);
    ShowFormatExample(GetDlgItem(dialog, IDC_BIBFMT_EXAMPLE), text);
}

void Select(HWND dialog, const char* name)
{
    HWND list = GetDlgItem(dialog, IDC_BIBFMT_LIST);
    const LRESULT found = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name));
    SendMessageA(list, LB_SETCURSEL, found == LB_ERR ? 0 : found, 0);
}

void OnInit(HWND dialog, bool&)
{
    if (ReadFormatNames().empty())
        CopyMachineFormats();
    HWND list = GetDlgItem(dialog, IDC_BIBFMT_LIST);
    for (const std::string& name : ReadFormatNames())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Select(dialog, CurrentBibFormat().name);
    if (g_shell.printerFont.font)
        SendDlgItemMessageA(dialog, IDC_BIBFMT_EXAMPLE, WM_SETFONT,
                            reinterpret_cast<WPARAM>(g_shell.printerFont.font), FALSE);
    RefreshExample(dialog);
    // The list takes the focus, not the example: focused, the example would show its end.
    SetFocus(list);
}

void OnNew(HWND dialog)
{
    std::string name;
    if (!RunFormatNameDialog(dialog, name))
        return;
    HWND list = GetDlgItem(dialog, IDC_BIBFMT_LIST);
    if (SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(name.c_str())) != LB_ERR) {
        ShowMessage(dialog, IDS_FORMAT_NAME_EXISTS);
        return;
    }
    if (RunFormatEditDialog(dialog, name.c_str(), GetDlgItem(dialog, IDC_BIBFMT_EXAMPLE))) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        Select(dialog, name.c_str());
    }
    RefreshExample(dialog);
}

void OnDelete(HWND dialog)
{
    const std::string name = SelectedName(dialog);
    if (name.empty())
        return;
    DeleteFormat(name.c_str());
    HWND list = GetDlgItem(dialog, IDC_BIBFMT_LIST);
    SendMessageA(list, LB_DELETESTRING, SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void OnCommand(HWND dialog, bool&, int id, int code)
{
    switch (id) {
    case IDC_BIBFMT_LIST:
        if (code == LBN_SELCHANGE)
            RefreshExample(dialog);
        break;
    case IDC_BIBFMT_EDIT: {
        const std::string name = SelectedName(dialog);
        if (!name.empty()) {
            RunFormatEditDialog(dialog, name.c_str(), GetDlgItem(dialog, IDC_BIBFMT_EXAMPLE));
            RefreshExample(dialog);
        }
        break;
    }
    case IDC_BIBFMT_NEW: OnNew(dialog); break;
    case IDC_BIBFMT_DELETE: OnDelete(dialog); break;
    }
}

// With nothing selected (after a Delete) OK keeps the current format, as does a format whose
// text cannot be read.
bool OnOk(HWND dialog, bool& changed)
{
    const std::string name = SelectedName(dialog);
    changed = !name.empty() && UseStoredFormat(name.c_str());
    return true;
}

}  // namespace

void ShowFormatExample(HWND example, const char* formatText)
{
    std::unique_ptr<char[]> text(new (std::nothrow) char[kFormatExampleSize]);
    if (!text)
        return;
    FormatExample(formatText, g_store.defaults.input, text.get(), kFormatExampleSize);
    SetWindowTextA(example, text.get());
}

void RunFormatDialog(HWND owner)
{
    static const DialogHandlers<bool> handlers = {OnInit, OnOk, OnCommand, nullptr,
                                                  kHelpBibliographyFormats};
    bool changed = false;
    if (!RunOptionDialog(owner, DLG_BIBFMT, handlers, changed) || !changed)
        return;
    const Database* bibliography = g_store.bibliography;
    if (bibliography && bibliography->window && g_settings.bibIsForm)
        PostMessageA(static_cast<HWND>(bibliography->window), WM_COMMAND, CMD_REBUILD_CONTENT, 0);
}
