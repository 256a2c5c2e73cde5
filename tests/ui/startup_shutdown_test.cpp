// How the program starts and ends: one instance and the hand-over of files, the files of the
// command line, the fatal start-up message, exit codes and the settings written
// at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_test.h"

namespace {

class Startup : public ProgramTest {
protected:
    // Refer files of three references each in the test's folder.
    std::vector<std::string> WriteFiles(const std::vector<std::string>& names)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(Write(name, ui::ReferText(0, 3)));
        return paths;
    }
};
using Shutdown = ProgramTest;

// The titles of the database windows in the Window menu's list, which numbers them in the
// order they were made.
std::vector<std::string> WindowList(HWND frame)
{
    std::vector<std::string> titles;
    for (const ui::MenuItem& item : ui::Popup(frame, MENU_POS_WINDOW)) {
        if (item.id >= MDI_FIRST_CHILD_ID)
            titles.push_back(item.text.substr(item.text.find(' ') + 1));
    }
    return titles;
}

// Whether `upper` lies above `lower` in the Z order of the top-level windows.
bool Above(HWND upper, HWND lower)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper)
            return true;
        if (w == lower)
            return false;
    }
    return false;
}

// The exit code of a second instance, answering what the system sends to this thread's
// windows meanwhile.
int ExitCodePumping(ui::RunningProgram& program)
{
    for (int i = 0; i < 200; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        int code = program.WaitForExit(50);
        if (code != ui::kExitTimedOut)
            return code;
    }
    return ui::kExitTimedOut;
}

// A second start brings the running frame to the front and ends with 0; files it names go
// to the running program in order, relative names meaning the folder of the second start.
TEST_F(Startup, SecondStartRaisesTheRunningFrameAndHandsOverItsFiles)
{
    std::vector<std::string> files = WriteFiles({"a.ref", "b.ref", "c.ref"});
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HWND cover = CreateWindowExA(0, "STATIC", "cover", WS_POPUP | WS_VISIBLE, 0, 0, 900, 700,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(cover);
    // The frame may still be bringing itself forward after it was shown: cover it until it stays.
    for (int i = 0; i < 40 && !Above(cover, frame); ++i) {
        SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Sleep(50);
    }
    ASSERT_TRUE(Above(cover, frame));
    ui::RunningProgram second;
    ASSERT_TRUE(second.Start(ui::ProgramPath(), {}));
    EXPECT_EQ(ExitCodePumping(second), 0);
    EXPECT_TRUE(Above(frame, cover));
    EXPECT_TRUE(ui::DatabaseWindows(frame).empty());
    DestroyWindow(cover);

    ui::RunningProgram third;
    ASSERT_TRUE(third.Start(ui::ProgramPath(), {"a.ref", "b.ref", "c.ref"}, dir_));
    EXPECT_EQ(ExitCodePumping(third), 0);
    EXPECT_EQ(WindowList(frame), files);
    EXPECT_EQ(ui::TextOf(ui::ActiveDatabaseWindow(frame)), files[2]);
    SaveShot("three");
}

// The files of the first start's command line open in order, the last one active.
TEST_F(Startup, FirstStartOpensItsFiles)
{
    std::vector<std::string> files = WriteFiles({"a.ref", "b.ref"});
    ASSERT_TRUE(Start(files));
    HWND frame = ui::WaitForTopLevelWindow(program_.Pid(), "RefFrame");
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, files.size()));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(WindowList(frame), files);
    EXPECT_EQ(ui::TextOf(ui::ActiveDatabaseWindow(frame)), files[1]);
}

// A file handed over while a dialog runs its own loop is opened once the dialog has closed,
// not inside it.
TEST_F(Startup, HandOverDuringADialogWaitsUntilTheProgramIsIdle)
{
    std::vector<std::string> files = WriteFiles({"a.ref"});
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HWND about = Open(frame, CMD_HELP_ABOUT);
    ASSERT_TRUE(about);
    ASSERT_TRUE(ui::HandOver(frame, files[0]));
    ASSERT_TRUE(ui::Sync(about));
    EXPECT_TRUE(ui::DatabaseWindows(frame).empty());
    ui::PressButton(about, IDOK);
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 1));
    EXPECT_EQ(ui::TextOf(ui::ActiveDatabaseWindow(frame)), files[0]);
}

// Without CTNEN.DLL beside the program, or with a configured library that does not load, the
// start ends with the fatal message (naming the English library) and exit code 1. The
// configured name is matched without regard to case.
TEST_F(Startup, LanguageLibraryThatDoesNotLoadIsFatal)
{
    ASSERT_TRUE(ui::CopyFileTo(ui::ProgramPath(), dir_));
    ASSERT_TRUE(ui::CopyFileTo(ui::DeliverablesDir() + "\\CARTIO.DLL", dir_));
    for (bool configured : {false, true}) {
        SCOPED_TRACE(configured ? "configured CTNXX.DLL" : "no CTNEN.DLL");
        if (configured) {
            ASSERT_TRUE(ui::SetProgramSetting("Display", "Language", "CTNXX.DLL"));
        }
        ASSERT_TRUE(configured ? Start() : Start({}, dir_ + "\\CARTUL32.EXE", dir_));
        EXPECT_EQ(Answer(), "Cartulan: Fatal error!|Cannot load any language resources!\r\n"
                            "Where is CTNEN.DLL?");
        EXPECT_FALSE(ui::WaitForTopLevelWindow(program_.Pid(), "RefFrame", 0));
        EXPECT_EQ(ExitCode(), 1);
        program_.Terminate();
    }
    ASSERT_TRUE(ui::SetProgramSetting("Display", "Language", "ctnen.dll"));
    EXPECT_TRUE(Launch());
}

// File / Exit, a close request, the system menu's Close and Alt+F4 end the program with 0.
TEST_F(Shutdown, EveryWayToCloseTheFrameEndsWithZero)
{
    const char* const ways[] = {"File / Exit", "WM_CLOSE", "SC_CLOSE", "Alt+F4"};
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(ways[way]);
        HWND frame = Launch();
        ASSERT_TRUE(frame);
        const bool sent = way == 0   ? ui::PostCommand(frame, CMD_FILE_EXIT)
                          : way == 1 ? ui::PostClose(frame)
                          : way == 2 ? PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0) != 0
                                     : ui::PressKey(frame, VK_F4, ui::kAlt);
        ASSERT_TRUE(sent);
        EXPECT_EQ(ExitCode(), 0);
        program_.Terminate();
    }
}

// The settings are written when the frame goes and when Windows ends the session, not when a
// session that was to end goes on.
TEST_F(Shutdown, SettingsAreWrittenAtExitAndAtTheEndOfTheSession)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_SAVE_BACKUPS));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(ui::ReadProgramSetting("Files", "Backup"), ui::kMissing);

    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(answer, TRUE);
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(ui::ReadProgramSetting("Files", "Backup"), "0");
    EXPECT_EQ(ui::ReadProgramSetting("Files", "Format"), "REFER.FLT");

    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_SAVE_BACKUPS));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_AUTO_VIEW));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    EXPECT_EQ(ExitCode(), 0);
    EXPECT_EQ(ui::ReadProgramSetting("Files", "Backup"), "1");
    EXPECT_EQ(ui::ReadProgramSetting("Files", "AutoView"), "0");
}

}  // namespace
