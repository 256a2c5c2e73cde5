#include "file_dialogs.h"

#include <commdlg.h>

#include <cstdio>

#include "transfer_messages.h"

namespace {

// The general failure of the common dialogs, last seen on a system with a shell the program
// was not installed for; the text is the program's own.
constexpr DWORD kGeneralDialogFailure = 0xFFFF;
constexpr char kCommonDialogProblem[] =
    "Problem with CommDlg.DLL.\nIf you are running Windows NT 3.51 with the NewShell extension "
    "installed,\nreinstall Cartulan specifying the NT version.";

// Systems of version 4 and later have the explorer-style dialogs.
bool HasNewShell()
{
    return LOBYTE(LOWORD(GetVersion())) >= 4;
}

DWORD DialogFlags(bool saving)
{
    // The Help button sends "commdlg_help" to the owner, which opens the help file.
    DWORD flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_NOCHANGEDIR;
    flags |= saving ? OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    if (HasNewShell())
        flags |= OFN_EXPLORER;
    return flags;
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
    const BOOL chosen = request.saving ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) {
        ReportDialogFailure(owner, CommDlgExtendedError());
        return false;
    }
    std::snprintf(request.name, sizeof request.name, "%s", name);
    return true;
}
