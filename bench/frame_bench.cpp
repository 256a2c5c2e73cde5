// frame_bench: times the database windows of CARTUL32.EXE on a large file, driving the real
// program from outside with window messages.
//
//   frame_bench PROGRAM LARGE.REF OTHER.REF WORKDIR
//
// LARGE.REF is the file of many references; OTHER.REF holds others to paste from (the first
// 10,000 are used). Each figure is printed as "name seconds [detail]" on a line of its own:
//   open    hand-over of LARGE.REF until its list is painted
//   scroll  drawing a new page of the list after scrolling (the mean of 20 pages)
//   save    File Save of the opened file
//   addbib  Add to bibliography of 10,000 selected references
//   paste   Paste of 10,000 references into the large window
//   delete  Select all, then Delete (no confirmation is configured)
//   close   closing an unchanged window of LARGE.REF
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ids.h"
#include "ui_harness.h"

namespace {

constexpr int kBatch = 10000;
constexpr DWORD kLongWaitMs = 120000;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, double seconds, const std::string& detail = "")
{
    std::printf("%s %.3f %s\n", name, seconds, detail.c_str());
    std::fflush(stdout);
}

bool Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kLongWaitMs,
                               &result) != 0;
}

bool Command(HWND frame, int command)
{
    return Send(frame, WM_COMMAND, static_cast<WPARAM>(command));
}

// Paints whatever the list has to paint now and waits until it is done.
void Paint(HWND list)
{
    RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);
    ui::Sync(list);
}

bool SelectFirst(HWND list, int count)
{
    return Send(list, LB_SETSEL, FALSE, -1) &&
           Send(list, LB_SELITEMRANGEEX, 0, count - 1) &&
           Send(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_DBWIN_LIST, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(list));
}

int Count(HWND list)
{
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kLongWaitMs, &count);
    return static_cast<int>(count);
}

HWND OpenTimed(HWND frame, const std::string& file, double& seconds)
{
    double start = Now();
    if (!ui::HandOver(frame, file))
        return nullptr;
    HWND window = ui::ActiveDatabaseWindow(frame);
    if (window)
        Paint(ui::ListOf(window));
    seconds = Now() - start;
    return window;
}

// Scrolls a page at a time (the list of the default arrangement scrolls sideways) and times
// the drawing of each new page: the list's paint, with every line drawn by the program.
void Scroll(HWND list)
{
    constexpr int kPages = 20;
    double slowest = 0, total = 0, scrolling = 0;
    for (int page = 0; page < kPages; ++page) {
        double start = Now();
        Send(list, WM_HSCROLL, SB_PAGEDOWN);
        double scrolled = Now();
        Send(list, WM_PAINT);
        double seconds = Now() - scrolled;
        scrolling += scrolled - start;
        total += seconds;
        if (seconds > slowest)
            slowest = seconds;
    }
    char detail[96];
    std::snprintf(detail, sizeof detail, "(mean of %d pages; slowest %.3f; the scroll itself %.3f)",
                  kPages, slowest, scrolling / kPages);
    Report("scroll", total / kPages, detail);
}

template <typename Step>
void Timed(const char* name, HWND list, Step step)
{
    double start = Now();
    step();
    Paint(list);
    Report(name, Now() - start, "(" + std::to_string(Count(list)) + " lines after)");
}

int Run(const std::string& program, const std::string& large, const std::string& other,
        const std::string& work)
{
    std::string copy = work + "\\large.ref";
    if (!CopyFileA(large.c_str(), copy.c_str(), FALSE)) {
        std::fprintf(stderr, "frame_bench: cannot copy %s\n", large.c_str());
        return 1;
    }
    ui::RemoveProgramSettings();
    // Deleting asks nothing, so that the figure is the deletion itself.
    ui::SetProgramSetting("Display", "List", "210");
    ui::SetProgramSetting("Files", "Backup", "0");
    ui::RunningProgram running;
    if (!running.Start(program, {}))
        return 1;
    HWND frame = ui::WaitForTopLevelWindow(running.Pid(), "RefFrame", 30000);
    while (frame && !IsWindowVisible(frame))
        Sleep(20);
    if (!frame)
        return 1;

    double seconds = 0;
    HWND window = OpenTimed(frame, copy, seconds);
    if (!window)
        return 1;
    HWND list = ui::ListOf(window);
    Report("open", seconds, "(" + std::to_string(Count(list)) + " lines)");
    Scroll(list);
    Timed("save", list, [&] { Command(frame, CMD_FILE_SAVE); });
    SelectFirst(list, kBatch);
    Timed("addbib", list, [&] { Command(frame, CMD_REF_ADD_TO_BIB); });

    HWND others = OpenTimed(frame, other, seconds);
    if (!others)
        return 1;
    SelectFirst(ui::ListOf(others), kBatch);
    Command(frame, CMD_EDIT_COPY);
    ui::ActivateDatabaseWindow(frame, window);
    SelectFirst(list, 0);
    Timed("paste", list, [&] { Command(frame, CMD_EDIT_PASTE); });
    Command(frame, CMD_REF_SELECT_ALL);
    Timed("delete", list, [&] { Command(frame, CMD_REF_DELETE); });

    HWND unchanged = OpenTimed(frame, copy, seconds);
    if (!unchanged)
        return 1;
    size_t windows = ui::DatabaseWindows(frame).size();
    double start = Now();
    Command(frame, CMD_FILE_CLOSE);
    Report("close", Now() - start,
           ui::DatabaseWindows(frame).size() < windows ? "" : "(the window stayed open)");
    running.Terminate();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: frame_bench PROGRAM LARGE.REF OTHER.REF WORKDIR\n");
        return 2;
    }
    return Run(argv[1], argv[2], argv[3], argv[4]);
}
