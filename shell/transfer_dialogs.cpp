#include "transfer_dialogs.h"

#include <cstdio>

#include "../lang/ids.h"
#include "database_window.h"
#include "duplicate_dialog.h"
#include "file_dialogs.h"
#include "format_choice_dialog.h"
#include "io/transfer.h"
#include "progress_window.h"
#include "reference_editing.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"
#include "store/store_state.h"
#include "transfer_messages.h"

namespace {

constexpr int kTextSize = 512;

class ShellTransferUi : public TransferUi {
public:
    void* frameWindow() override { return g_shell.frame; }

    bool chooseFileName(FileRequest& request) override
    {
        return RunFileDialog(g_shell.frame, request);
    }

    bool chooseFormat(int mode, char* fileName) override
    {
        FormatChoiceData data;
        data.mode = mode;
        if (RunFormatChoiceDialog(g_shell.frame, data) != IDOK)
            return false;
        std::snprintf(fileName, kFilterNameSize, "%s", data.fileName);
        return true;
    }

    SaveAnswer askToSave(const Database& database) override;

    void reportFailure(const TransferReport& report) override
    {
        ReportTransferFailure(g_shell.frame, report);
    }

    void* beginProgress(const char* fileName) override
    {
        progress_ = OpenProgressWindow(g_shell.frame, fileName);
        return progress_;
    }

    void progress(TransferProgress kind, unsigned long count) override;

    void endProgress() override
    {
        CloseProgressWindow(progress_);
        progress_ = nullptr;
    }

    void fileNameChanged(Database& database) override { SetDatabaseWindowTitle(database); }

    std::size_t formattedBibliography(char* buffer, std::size_t size) override;

private:
    HWND progress_ = nullptr;
};

SaveAnswer ShellTransferUi::askToSave(const Database& database)
{
    char caption[kPathSize] = "";
    if (database.fileName[0] != '\0')
        std::snprintf(caption, sizeof caption, "%s", database.fileName);
    else if (database.window != nullptr)
        GetWindowTextA(static_cast<HWND>(database.window), caption, sizeof caption);
    char question[kTextSize];
    LoadText(IDS_SAVE_CHANGES, question, sizeof question);
    switch (MessageBoxA(g_shell.frame, question, caption, MB_YESNOCANCEL | MB_ICONERROR)) {
    case IDYES: return SaveAnswer::kYes;
    case IDNO: return SaveAnswer::kNo;
    default: return SaveAnswer::kCancel;
    }
}

void ShellTransferUi::progress(TransferProgress kind, unsigned long count)
{
    char format[kTextSize];
    LoadText(kind == TransferProgress::kLoaded ? IDS_LOADED_REFERENCES : IDS_SAVED_REFERENCES,
             format, sizeof format);
    char text[kTextSize];
    std::snprintf(text, sizeof text, format, count);
    SetProgressText(progress_, text);
}

std::size_t ShellTransferUi::formattedBibliography(char* buffer, std::size_t size)
{
    if (size == 0)
        return 0;
    buffer[0] = '\0';
    if (g_store.bibliography == nullptr || g_store.bibliography->window == nullptr)
        return 0;
    HWND text = GetDlgItem(static_cast<HWND>(g_store.bibliography->window), IDC_DBWIN_TEXT);
    if (text == nullptr)
        return 0;
    const int length = GetWindowTextA(text, buffer, static_cast<int>(size));
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

}  // namespace

void InstallTransferDialogs()
{
    static ShellTransferUi ui;
    g_transfer.ui = &ui;
    g_store.resolver = &ShellDuplicateResolver();
    g_duplicateEditor = EditIncomingReference;
}

void ChooseDefaultFileFormat(HWND frame)
{
    FormatChoiceData data;
    data.mode = kListDefaultFormat;
    if (RunFormatChoiceDialog(frame, data) == IDOK)
        SetDefaultFilter(data.fileName);
}
