// ui_snapshot: starts a program, waits until its frame is shown and painted, saves a picture
// of the screen, closes the frame and reports the program's exit code. `make run` uses it
// where no display is available.
//
//   ui_snapshot PROGRAM OUT.BMP [ARGS...]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ui_harness.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ui_snapshot PROGRAM OUT.BMP [ARGS...]\n");
        return 2;
    }
    std::vector<std::string> args(argv + 3, argv + argc);
    ui::RunningProgram program;
    if (!program.Start(argv[1], args)) {
        std::fprintf(stderr, "ui_snapshot: cannot start %s\n", argv[1]);
        return 2;
    }
    HWND frame = ui::WaitForTopLevelWindow(program.Pid(), "RefFrame", 30000);
    if (!frame) {
        std::fprintf(stderr, "ui_snapshot: no frame window appeared\n%s",
                     ui::DescribeWindowsOf(program.Pid()).c_str());
        ui::SaveScreenshot(argv[2]);
        return 1;
    }
    while (!IsWindowVisible(frame) && program.IsRunning())
        Sleep(50);
    Sleep(1000);  // let the frame and its children paint
    bool saved = ui::SaveScreenshot(argv[2]);
    ui::PostClose(frame);
    int code = program.WaitForExit(30000);
    std::printf("ui_snapshot: %s, program exit code %d\n", saved ? "picture saved" : "no picture", code);
    return saved && code == 0 ? 0 : 1;
}
