#include "file_dialogs.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell_state.h"
#include "transfer_messages.h"

namespace {

// The general failure of the common dialogs, last seen on a system with a shell the program
// was not installed for; the text is the program's own.
constexpr DWORD kGeneralDialogFailure = 0xFFFF;
constexpr char kCommonDialogProblem[] =
    "Problem with CommDlg.DLL.\nIf you are running Windows NT 3.51 with the NewShell extension "
    "installed,\nreinstall Cartulan specifying the NT version.";

DWORD DialogFlags(bool saving)
{
    // The Help button sends "commdlg_help" to the owner, which opens the help file.
    DWORD flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_NOCHANGEDIR;
    flags |= saving ? OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    if (g_shell.newShell)
        flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    return flags;
}

// The explorer-style dialog refuses a name whose full path would not fit before it takes the
// name itself: some implementations of the dialog overrun their own buffers on such a name.
// The dialog is subclassed; its own procedure is kept in a property.
constexpr char kDialogProcProperty[] = "CartulanFileDialogProc";
constexpr char kRequestProperty[] = "CartulanFileDialogRequest";

std::string TypedName(HWND dialog, UINT request)
{
    const LRESULT size = SendMessageA(dialog, request, 0, 0);
    if (size <= 0)
        return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    SendMessageA(dialog, request, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The full path the typed name stands for, with the default extension it may still get.
std::string FullTypedName(HWND dialog, const OPENFILENAMEA& request)
{
    const std::string typed = TypedName(dialog, CDM_GETSPEC);
    const bool absolute = typed.size() > 1 && (typed[1] == ':' || typed[0] == '\\');
    std::string full = absolute ? typed : TypedName(dialog, CDM_GETFOLDERPATH) + "\\" + typed;
    if (request.lpstrDefExt != nullptr && typed.find('.') == std::string::npos)
        full += std::string(".") + request.lpstrDefExt;
    return full;
}

LRESULT CALLBACK NameGuardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC dialogProc = reinterpret_cast<WNDPROC>(GetPropA(dialog, kDialogProcProperty));
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        const auto* request = reinterpret_cast<const OPENFILENAMEA*>(
            GetPropA(dialog, kRequestProperty));
        const std::string full = request ? FullTypedName(dialog, *request) : std::string();
        if (full.size() >= static_cast<size_t>(kPathSize)) {
            TransferReport report;
            report.failure = TransferFailure::kNameTooLong;
            report.fileName = full.c_str();
            ReportTransferFailure(dialog, report);
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProc));
        RemovePropA(dialog, kDialogProcProperty);
        RemovePropA(dialog, kRequestProperty);
    }
    return CallWindowProcA(dialogProc, dialog, message, wParam, lParam);
}

// A dialog with a hook tells the hook, not the owner, of its Help button: the owner gets
// "commdlg_help" all the same.
void OnNotify(HWND child, const OFNOTIFYA& notice)
{
    if (notice.hdr.code != CDN_HELP || notice.lpOFN == nullptr)
        return;
    SendMessageA(notice.lpOFN->hwndOwner, g_shell.commonDialogHelp,
                 reinterpret_cast<WPARAM>(GetParent(child)),
                 reinterpret_cast<LPARAM>(notice.lpOFN));
}

// The hook's own dialog is a child of the file dialog.
UINT_PTR CALLBACK FileDialogHook(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY)
        OnNotify(child, *reinterpret_cast<const OFNOTIFYA*>(lParam));
    if (message != WM_INITDIALOG)
        return 0;
    HWND dialog = GetParent(child);
    SetPropA(dialog, kRequestProperty, reinterpret_cast<HANDLE>(lParam));
    SetPropA(dialog, kDialogProcProperty, reinterpret_cast<HANDLE>(SetWindowLongPtrA(
        dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NameGuardProc))));
    return 0;
}

void ReportDialogFailure(HWND owner, DWORD error)
{
    if (error == FNERR_BUFFERTOOSMALL) {
        // The dialog keeps nothing of a name that did not fit.
        TransferReport report;
        report.failure = TransferFailure::kNameTooLong;
        ReportTransferFailure(owner, report);
    } else if (error == kGeneralDialogFailure) {
        MessageBoxA(owner, kCommonDialogProblem, nullptr, MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

bool RunFileDialog(HWND owner, FileRequest& request)
{
    char name[kPathSize];
    std::snprintf(name, sizeof name, "%s", request.name);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.fileTypes;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    if (request.initialDirectory != nullptr && request.initialDirectory[0] != '\0')
        dialog.lpstrInitialDir = request.initialDirectory;
    if (request.defaultExtension[0] != '\0')
        dialog.lpstrDefExt = request.defaultExtension;
    dialog.Flags = DialogFlags(request.saving);
    dialog.lpfnHook = FileDialogHook;
    const BOOL chosen = request.saving ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) {
        ReportDialogFailure(owner, CommDlgExtendedError());
        return false;
    }
    std::snprintf(request.name, sizeof request.name, "%s", name);
    return true;
}
