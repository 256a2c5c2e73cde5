// print_bench: times printing a database window of CARTUL32.EXE to a file printer (Wine's
// PostScript driver writing to a file), driving the real program with window messages.
//
//   print_bench PROGRAM REFS.REF WORKDIR
//
// Prints "print seconds (N pages)": from OK in the print dialog until the job has ended, the
// owner is enabled again and the printer's file is complete; best of three jobs. Then the
// same as "print-truetype" with a TrueType printer font that the printer does not have.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ids.h"
#include "ui_harness.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// One job; its time in seconds, or a negative figure when it did not complete.
double PrintOnce(HWND frame, DWORD pid, const std::string& output, int& pages)
{
    DeleteFileA(output.c_str());
    ui::PostCommand(frame, CMD_FILE_PRINT);
    HWND dialog = ui::WaitForTitledWindow(pid, "Print");
    if (!dialog)
        return -1;
    const double start = Now();
    ui::PressButton(dialog, IDOK);
    for (;;) {
        Sleep(5);
        if (!IsWindowEnabled(frame) || IsWindow(dialog))
            continue;
        const std::string job = Contents(output);
        if (job.find("%%EOF") != std::string::npos) {
            std::sscanf(job.c_str() + job.rfind("%%Pages: "), "%%%%Pages: %d", &pages);
            return Now() - start;
        }
        if (Now() - start > 120)
            return -1;
    }
}

// The best of three jobs of one program started with `font` as its printer font.
double BestJob(const std::string& program, const std::string& refs, const std::string& output,
               const char* font, int& pages)
{
    ui::RemoveProgramSettings();
    ui::SetProgramSetting("Fonts", "Printer", font);
    ui::RunningProgram running;
    HWND frame = nullptr;
    if (running.Start(program, {}))
        frame = ui::WaitForTopLevelWindow(running.Pid(), "RefFrame", 30000);
    while (frame && !IsWindowVisible(frame))
        Sleep(20);
    double best = -1;
    if (frame && ui::HandOver(frame, refs) && ui::WaitForDatabaseWindows(frame, 1)) {
        for (int run = 0; run < 3; ++run) {
            const double seconds = PrintOnce(frame, running.Pid(), output, pages);
            if (seconds >= 0 && (best < 0 || seconds < best))
                best = seconds;
        }
    }
    running.Terminate();
    return best;
}

int Run(const std::string& program, const std::string& refs, const std::string& workDir)
{
    const std::string output = workDir + "\\print.ps";
    if (!ui::InstallFilePrinter(ui::HostPathOf(output))) {
        std::fprintf(stderr, "print_bench: cannot install the file printer\n");
        return 1;
    }
    // Arial prints in the printer's own Helvetica; Tahoma is a TrueType font that the driver
    // sends with every page.
    const struct {
        const char* name;
        const char* font;
    } runs[] = {{"print", "Arial,-13,400,0"}, {"print-truetype", "Tahoma,-13,400,0"}};
    int status = 0;
    for (const auto& run : runs) {
        int pages = 0;
        const double best = BestJob(program, refs, output, run.font, pages);
        if (best >= 0)
            std::printf("%s %.3f (%d pages)\n", run.name, best, pages);
        else
            status = 1;
    }
    ui::RemoveFilePrinter();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: print_bench PROGRAM REFS.REF WORKDIR\n");
        return 2;
    }
    return Run(argv[1], argv[2], argv[3]);
}
