// search_bench: times the search windows, the keywords dialog and dragging of CARTUL32.EXE on
// a large file, driving the real program from outside as a user would.
//
//   search_bench PROGRAM LARGE.REF WORKDIR
//
// A copy of LARGE.REF with ten more references about "zymurgy" is opened. Each figure is
// printed as "name seconds [detail]" on a line of its own:
//   search   New search for "zymurgy" in titles, keywords and abstracts, from OK until the
//            result window is painted
//   narrow   narrowing a result of about 50,000 references (titles holding "ar") by "ng"
//   scan     "Scan active file" of the keywords dialog over every reference of the file
//   keyword  "Add to reference" of one keyword to 10,000 selected references
//   drag     a right-button drag of those 10,000 references into an empty window, from the
//            release of the button until the window shows them all
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "ids.h"
#include "ui_harness.h"

namespace {

constexpr int kSelected = 10000;
constexpr DWORD kLongWaitMs = 120000;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Print(const char* name, double seconds, const std::string& detail)
{
    std::printf("%s %.3f %s\n", name, seconds, detail.c_str());
    std::fflush(stdout);
}

// Waits until `ready` holds, checking often; false after the long wait.
template <typename Ready>
bool WaitFor(Ready ready)
{
    for (auto start = Clock::now(); Since(start) * 1000 < kLongWaitMs;) {
        if (ready())
            return true;
        Sleep(2);
    }
    return false;
}

// The program's visible dialog or message box titled `title`.
HWND Box(DWORD pid, const std::string& title)
{
    for (HWND window : ui::TopLevelWindowsOf(pid)) {
        if (ui::ClassOf(window) == "#32770" && IsWindowVisible(window) && ui::TextOf(window) == title)
            return window;
    }
    return nullptr;
}

HWND WaitForBox(DWORD pid, const std::string& title)
{
    HWND box = nullptr;
    WaitFor([&] { return (box = Box(pid, title)) != nullptr && ui::Sync(box); });
    return box;
}

void Close(HWND box, int button)
{
    ui::PressButton(box, button);
    WaitFor([box] { return !IsWindowVisible(box); });
}

void PaintNow(HWND list)
{
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ui::Sync(list);
}

// A search through its dialog, timed from OK until the result's list is painted under the
// message that reports it.
double TimedSearch(DWORD pid, HWND frame, int command, int field, const char* text)
{
    ui::PostCommand(frame, command);
    HWND dialog = WaitForBox(pid, command == CMD_SEARCH_NEW ? "New search..." : "Narrow Search...");
    if (!dialog)
        return -1;
    SendDlgItemMessageA(dialog, IDC_SEARCH_FIELD, CB_SETCURSEL, static_cast<WPARAM>(field - 1), 0);
    SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text);
    auto start = Clock::now();
    ui::PressButton(dialog, IDOK);
    HWND report = WaitForBox(pid, "Search Results");
    PaintNow(ui::ListOf(ui::ActiveDatabaseWindow(frame)));
    double seconds = Since(start);
    if (report)
        Close(report, IDOK);
    return report ? seconds : -1;
}

HWND OpenKeywords(DWORD pid, HWND frame)
{
    ui::PostCommand(frame, CMD_REF_ADD_KEYWORDS);
    return WaitForBox(pid, "Add keyword(s)");
}

void Select(HWND list, int count)
{
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SELITEMRANGEEX, 0, count - 1);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_DBWIN_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::string Lines(HWND list)
{
    return "(" + std::to_string(ui::ListBoxCount(list)) + " lines)";
}

double TimedScan(DWORD pid, HWND frame, int& entries)
{
    HWND dialog = OpenKeywords(pid, frame);
    if (!dialog)
        return -1;
    HWND scan = GetDlgItem(dialog, IDC_KEYWORDS_SCAN);
    auto start = Clock::now();
    ui::PressButton(dialog, IDC_KEYWORDS_SCAN);
    WaitFor([&] { return !IsWindowEnabled(scan) && IsWindowEnabled(dialog); });
    double seconds = Since(start);
    entries = ui::ListBoxCount(GetDlgItem(dialog, IDC_KEYWORDS_LIST));
    Close(dialog, IDCANCEL);
    return seconds;
}

double TimedKeyword(DWORD pid, HWND frame, HWND list)
{
    Select(list, kSelected);
    HWND dialog = OpenKeywords(pid, frame);
    if (!dialog)
        return -1;
    SetDlgItemTextA(dialog, IDC_KEYWORDS_TEXT, "benchmark");
    ui::PressButton(dialog, IDC_KEYWORDS_ADD);
    ui::Sync(dialog);
    HWND keywords = GetDlgItem(dialog, IDC_KEYWORDS_LIST);
    SendMessageA(keywords, LB_SETSEL, TRUE, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEYWORDS_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(keywords));
    auto start = Clock::now();
    ui::PressButton(dialog, IDOK);
    WaitFor([&] { return !IsWindow(dialog); });
    ui::Sync(frame);
    PaintNow(list);
    return Since(start);
}

double TimedDrag(HWND frame, HWND list, HWND target)
{
    HWND targetList = ui::ListOf(target);
    ui::RightPress(list, 0, target);
    auto start = Clock::now();
    ui::RightRelease(target);
    bool all = WaitFor([&] { return ui::ListBoxCount(targetList) >= kSelected; });
    ui::Sync(frame);
    PaintNow(targetList);
    return all ? Since(start) : -1;
}

// The large file with ten references that a rare word finds.
bool WriteCopy(const std::string& large, const std::string& copy)
{
    std::ifstream in(large, std::ios::binary);
    std::ofstream out(copy, std::ios::binary);
    out << in.rdbuf();
    for (int i = 0; i < 10; ++i)
        out << "%A Brewer, B" << i << "\r\n%D 1999\r\n%T Advances in zymurgy " << i << "\r\n\r\n";
    return static_cast<bool>(out);
}

int Run(const std::string& program, const std::string& large, const std::string& work)
{
    const std::string copy = work + "\\search.ref";
    if (!WriteCopy(large, copy)) {
        std::fprintf(stderr, "search_bench: cannot write %s\n", copy.c_str());
        return 1;
    }
    ui::RemoveProgramSettings();
    ui::SetProgramSetting("Display", "List", "114");  // drops ask nothing
    ui::RunningProgram running;
    if (!running.Start(program, {}))
        return 1;
    const DWORD pid = running.Pid();
    HWND frame = ui::WaitForTopLevelWindow(pid, "RefFrame", 30000);
    if (!frame || !WaitFor([frame] { return IsWindowVisible(frame) != 0; }) || !ui::HandOver(frame, copy))
        return 1;
    HWND window = ui::ActiveDatabaseWindow(frame);
    HWND list = ui::ListOf(window);
    // (Each figure is taken before its detail is read.)
    double seconds = TimedSearch(pid, frame, CMD_SEARCH_NEW, 3, "zymurgy");
    Print("search", seconds, Lines(ui::ListOf(ui::ActiveDatabaseWindow(frame))) + " of " + Lines(list));
    TimedSearch(pid, frame, CMD_SEARCH_NEW, 1, "ar");
    const std::string before = Lines(ui::ListOf(ui::ActiveDatabaseWindow(frame)));
    seconds = TimedSearch(pid, frame, CMD_SEARCH_NARROW, 1, "ng");
    Print("narrow", seconds, before + " to " + Lines(ui::ListOf(ui::ActiveDatabaseWindow(frame))));

    ui::ActivateDatabaseWindow(frame, window);
    int entries = 0;
    double scan = TimedScan(pid, frame, entries);
    Print("scan", scan, "(" + std::to_string(entries) + " keywords)");
    seconds = TimedKeyword(pid, frame, list);
    Print("keyword", seconds, "(" + std::to_string(kSelected) + " references)");

    ui::SendCommand(frame, CMD_FILE_NEW, kLongWaitMs);
    HWND empty = ui::ActiveDatabaseWindow(frame);
    ui::SendCommand(frame, CMD_WINDOW_TILE);
    seconds = TimedDrag(frame, list, empty);
    Print("drag", seconds, Lines(ui::ListOf(empty)));
    running.Terminate();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: search_bench PROGRAM LARGE.REF WORKDIR\n");
        return 2;
    }
    return Run(argv[1], argv[2], argv[3]);
}
