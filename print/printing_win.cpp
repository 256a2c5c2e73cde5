#include "print/printing.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "../lang/ids.h"
#include "format/bib_format.h"
#include "print/page_layout.h"
#include "shell/font_setting.h"
#include "shell/progress_pace.h"
#include "shell/shell_services.h"
#include "shell/shell_state.h"
#include "shell/version.h"
#include "store/reference_list.h"

namespace {

constexpr int kTitleSize = 260;

// One job from the start of the document to its end.
struct PrintJob {
    HWND owner = nullptr;
    HDC dc = nullptr;
    HFONT font = nullptr;
    bool ownFont = false;          // made for the job, deleted at its end
    HGDIOBJ previousFont = nullptr;
    HWND abortDialog = nullptr;
    bool cancel = false;
    char title[kTitleSize] = {};
};

// The job in progress: the platform's abort procedure has no place for a pointer of its own.
PrintJob* g_job = nullptr;

// While the job spools, the waiting messages go on being handled (the "ABORT" dialog's among
// them); the job goes on exactly while it is not cancelled.
BOOL CALLBACK AbortProc(HDC, int)
{
    if (!g_job)
        return TRUE;
    PumpMessages(g_job->abortDialog, &g_job->cancel);
    return g_job->cancel ? FALSE : TRUE;
}

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            if (auto* job = reinterpret_cast<PrintJob*>(GetWindowLongPtrA(dialog, DWLP_USER)))
                job->cancel = true;
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// The printer's device context, drawn on in the print font.
class DeviceSurface : public PageSurface {
public:
    explicit DeviceSurface(PrintJob& job) : job_(job) {}

    int32_t TextWidth(const char* text, size_t length) override
    {
        SIZE size = {};
        return GetTextExtentPoint32A(job_.dc, text, static_cast<int>(length), &size) ? size.cx
                                                                                    : 0;
    }

    bool BeginPage(const char* pageText) override
    {
        if (StartPage(job_.dc) <= 0)
            return false;
        // Some drivers give every page the device's default font again.
        SelectObject(job_.dc, job_.font);
        char progress[kTitleSize + 64];
        std::snprintf(progress, sizeof progress, "%s%s", pageText, job_.title);
        SetDlgItemTextA(job_.abortDialog, IDC_ABORT_DOCUMENT, progress);
        return true;
    }

    bool EndPage() override { return ::EndPage(job_.dc) > 0; }

    // A line of blanks leaves nothing on the paper: the device is spared it.
    void DrawText(int32_t x, int32_t y, const char* text, size_t length, bool centred) override
    {
        if (std::all_of(text, text + length, [](char c) { return c == ' '; }))
            return;
        if (centred)
            SetTextAlign(job_.dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
        TextOutA(job_.dc, x, y, text, static_cast<int>(length));
        if (centred)
            SetTextAlign(job_.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }

    // The Cancel button answers between pages through the abort procedure, and between lines
    // through this pump.
    bool Cancelled() override
    {
        if (!job_.cancel && pace_.Due())
            PumpMessages(job_.abortDialog, &job_.cancel);
        return job_.cancel;
    }

private:
    PrintJob& job_;
    ProgressPace pace_;
};

HDC DeviceContextFrom(HGLOBAL namesHandle, HGLOBAL modeHandle)
{
    auto* names = static_cast<DEVNAMES*>(namesHandle ? GlobalLock(namesHandle) : nullptr);
    if (!names)
        return nullptr;
    auto* mode = static_cast<DEVMODEA*>(modeHandle ? GlobalLock(modeHandle) : nullptr);
    const char* base = reinterpret_cast<const char*>(names);
    HDC dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                       base + names->wOutputOffset, mode);
    if (mode)
        GlobalUnlock(modeHandle);
    GlobalUnlock(namesHandle);
    return dc;
}

struct PrinterChoice {
    HDC dc = nullptr;
    bool selection = false;  // the user chose to print only the selected references
};

// The system print dialog. Without a printer the dialog cannot be shown: the user is told so
// instead. False when nothing is to be printed.
bool ChoosePrinter(HWND owner, bool offerSelection, PrinterChoice& choice)
{
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&request)) {
        if (CommDlgExtendedError() != 0)
            ShowMessage(owner, IDS_NO_PRINTER);
        return false;
    }
    request.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_SHOWHELP;
    if (!offerSelection)
        request.Flags |= PD_NOSELECTION;
    if (PrintDlgA(&request)) {
        choice.dc = request.hDC ? request.hDC
                                : DeviceContextFrom(request.hDevNames, request.hDevMode);
        choice.selection = offerSelection && (request.Flags & PD_SELECTION) != 0;
    } else if (CommDlgExtendedError() != 0) {
        ShowMessage(owner, IDS_NO_PRINTER);
    }
    if (request.hDevMode)
        GlobalFree(request.hDevMode);
    if (request.hDevNames)
        GlobalFree(request.hDevNames);
    return choice.dc != nullptr;
}

// The printer font, at the size it has on the screen: its height grows by the exact ratio of
// the printer's resolution to the screen's.
void MakePrintFont(PrintJob& job)
{
    const FontSetting& setting = g_shell.printerFont;
    job.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    job.ownFont = false;
    if (!setting.description)
        return;
    LOGFONTA description = *setting.description;
    HDC screen = GetDC(nullptr);
    const int screenDpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    if (screenDpi > 0)
        description.lfHeight = MulDiv(description.lfHeight, GetDeviceCaps(job.dc, LOGPIXELSY),
                                      screenDpi);
    if (HFONT font = CreateFontIndirectA(&description)) {
        job.font = font;
        job.ownFont = true;
    }
}

void ReleasePrintFont(PrintJob& job)
{
    SelectObject(job.dc, job.previousFont);
    if (job.ownFont)
        DeleteObject(job.font);
    job.font = nullptr;
    job.ownFont = false;
}

// Starts the document and shows the "ABORT" dialog. False (after telling the user when the
// printer refused) when the job does not run.
bool StartJob(PrintJob& job, PrintRun& run)
{
    SetAbortProc(job.dc, AbortProc);
    MakePrintFont(job);
    job.previousFont = SelectObject(job.dc, job.font);
    // Text needs no background of its own on paper.
    SetBkMode(job.dc, TRANSPARENT);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(job.dc, &metrics);
    run.geometry = MakePageGeometry(metrics.tmHeight + metrics.tmExternalLeading,
                                    GetDeviceCaps(job.dc, HORZRES),
                                    GetDeviceCaps(job.dc, VERTRES),
                                    GetDeviceCaps(job.dc, HORZSIZE));
    run.title = job.title;
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = job.title;
    g_job = &job;
    if (StartDocA(job.dc, &document) <= 0) {
        g_job = nullptr;
        ShowMessage(job.owner, IDS_PRINT_NOT_STARTED);
        ReleasePrintFont(job);
        return false;
    }
    job.cancel = false;
    job.abortDialog = CreateDialogParamA(g_shell.language, DLG_ABORT, job.owner,
                                         AbortDialogProc, reinterpret_cast<LPARAM>(&job));
    if (job.abortDialog) {
        SetDlgItemTextA(job.abortDialog, IDC_ABORT_DOCUMENT, job.title);
        ShowWindow(job.abortDialog, SW_SHOW);
        UpdateWindow(job.abortDialog);
    }
    EnableWindow(job.owner, FALSE);
    return true;
}

void EndJob(PrintJob& job)
{
    EndDoc(job.dc);
    ReleasePrintFont(job);
    EnableWindow(job.owner, TRUE);
    if (job.abortDialog)
        DestroyWindow(job.abortDialog);
    job.abortDialog = nullptr;
    g_job = nullptr;
}

// Runs `print` on a started job with the device and title of `choice`, and ends the job.
template <typename Print>
void RunJob(HWND owner, HDC dc, const char* title, Print print)
{
    PrintJob job;
    job.owner = owner;
    job.dc = dc;
    std::snprintf(job.title, sizeof job.title, "%s", title);
    char pageFormat[64];
    LoadText(IDS_PAGE_NUMBER, pageFormat, sizeof pageFormat);
    DeviceSurface surface(job);
    PrintRun run;
    run.surface = &surface;
    run.pageFormat = pageFormat;
    if (StartJob(job, run)) {
        print(run);
        EndJob(job);
    }
    DeleteDC(dc);
}

}  // namespace

void printWindow(HWND owner, const WindowPrint& what)
{
    if (!what.references)
        return;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kPrintBufferSize]);
    if (!buffer) {
        ShowMessage(owner, IDS_PRINT_NO_MEMORY);
        return;
    }
    PrinterChoice choice;
    if (!ChoosePrinter(owner, !what.selectedLines.empty(), choice))
        return;
    // The selection is printed from a list of its own, in the window's order; the internal
    // clipboard stays as the user left it.
    std::vector<int32_t> lines;
    if (choice.selection) {
        lines = what.selectedLines;
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        const int32_t count = what.references->count();
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [count](int32_t line) { return line < 0 || line >= count; }),
                    lines.end());
    }
    const ReferenceList& references = *what.references;
    const size_t count = choice.selection ? lines.size()
                                          : static_cast<size_t>(references.count());
    char title[kTitleSize];
    std::snprintf(title, sizeof title, "%s - %s", CARTULAN_TITLE, what.caption);
    RunJob(owner, choice.dc, title, [&](PrintRun& run) {
        PrintReferenceChunks(
            run, count,
            [&](size_t index, char* out, size_t outSize) {
                const int32_t at = choice.selection ? lines[index] : static_cast<int32_t>(index);
                return formatReference(*references.referenceAt(at), out, outSize);
            },
            buffer.get());
    });
}

void printText(HWND owner, const char* text, const char* title)
{
    PrinterChoice choice;
    if (!ChoosePrinter(owner, false, choice))
        return;
    RunJob(owner, choice.dc, title, [text](PrintRun& run) {
        PrintTextLines(run, text, std::strlen(text));
        FinishRun(run);
    });
}
