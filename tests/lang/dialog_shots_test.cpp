// Every dialog the program creates, created for real with each control its code addresses,
// and a picture of each as the system draws it for a person to look at, saved as BMP files in
// build/win32/dialog-shots/ (the test run converts them to PNG).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ids.h"
#include "ids_header.h"

namespace {

using lang_test::Ids;
using lang_test::LoadedModule;

std::string ShotsDir()
{
    std::string tests = ui::TestProgramDir();
    std::string dir = tests.substr(0, tests.find_last_of('\\')) + "\\dialog-shots";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST(DialogShots, EveryDialogIsCreatedWithItsControlsAndDrawn)
{
    ASSERT_TRUE(Ids().read);
    LoadedModule library(lang_test::EnglishLibraryPath());
    LoadedModule program(lang_test::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(library && program);
    const std::string dir = ShotsDir();
    int dialogs = 0;
    for (const auto& [define, name] : Ids().names) {
        if (define.compare(0, 4, "DLG_") != 0) continue;
        SCOPED_TRACE(name);
        ++dialogs;
        HMODULE from = name == DLG_SPLASH ? program.get() : library.get();
        HWND dialog = CreateDialogParamA(from, name.c_str(), nullptr, InertDialogProc, 0);
        ASSERT_TRUE(dialog);
        const auto controls = Ids().controls.find(name);
        if (controls != Ids().controls.end()) {
            for (const std::string& control : controls->second)
                EXPECT_TRUE(GetDlgItem(dialog, Ids().numbers.at(control))) << control;
        }
        // Dialogs that the program titles get their name, so the picture says which it is.
        if (GetWindowTextLengthA(dialog) == 0) SetWindowTextA(dialog, ("(" + name + ")").c_str());
        SetWindowPos(dialog, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(dialog);
        PumpMessages(150);
        RECT rect;
        GetWindowRect(dialog, &rect);
        HDC screen = GetDC(nullptr);
        size_t colours = 0;
        ui::SaveArea(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     dir + "\\" + name + ".bmp", &colours);
        ReleaseDC(nullptr, screen);
        DestroyWindow(dialog);
        PumpMessages(20);
        EXPECT_GT(colours, 2u) << "the picture is blank or was not saved";
    }
    EXPECT_EQ(dialogs, 21);
}

}  // namespace
