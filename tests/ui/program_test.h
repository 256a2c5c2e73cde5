// The fixture of every UI test: each test starts with no settings, a folder of its own and a
// time limit; the help the program opens is written to a log in the folder instead of being
// shown. On failure (or when the limit passes) the program's open windows are printed and a
// screenshot saved before the program is stopped.
#ifndef CARTULAN_TESTS_UI_PROGRAM_TEST_H
#define CARTULAN_TESTS_UI_PROGRAM_TEST_H

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ids.h"
#include "ui_harness.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program and returns at once.
    bool Start(const std::vector<std::string>& args = {}, const std::string& exe = ui::ProgramPath(),
               const std::string& workDir = "");
    // Starts the program and waits until its frame is shown. Returns the frame, or null after
    // a failure has been recorded (a dialog instead of the frame, an early exit, a time-out).
    HWND Launch(const std::vector<std::string>& args = {}, const std::string& exe = ui::ProgramPath());
    HWND WaitForFrame(DWORD ms = ui::kDefaultWaitMs);
    // Launches the program and hands it `files`, the last first, so that the first is active.
    HWND LaunchWith(const std::vector<std::string>& files);
    // Launches the program with a file of ui::ReferText(0, count) (file_); the frame or null.
    HWND LaunchWithFile(int count);
    // Waits for the program to end; records a failure when it does not within `ms`.
    int ExitCode(DWORD ms = ui::kDefaultWaitMs);
    // Saves the screen as <suite>.<test>-<label>.bmp in the screenshot folder.
    void SaveShot(const std::string& label);

    // A file of the test's folder, and one written there (its full name).
    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
    std::string Write(const std::string& name, const std::string& text);
    // The dialog the user can answer now (see ui::WaitForDialog); a failure and null when none
    // comes.
    HWND Dialog(const std::string& title = "", HWND except = nullptr);
    // The dialog that `command`, posted to `window`, opens (see Dialog).
    HWND Open(HWND window, int command, const std::string& title = "", HWND except = nullptr);
    // The next message box's "title|text", answered with `button`; "(none)" when none came.
    std::string Answer(int button = IDOK, HWND except = nullptr);
    // The text of the next message box, answered with `button`.
    std::string AnswerText(int button = IDOK, HWND except = nullptr);
    // The sections of the manual the program opened so far, once there are `count`.
    std::vector<std::string> HelpOpened(size_t count);
    // Settings as the program writes them at the end of a session.
    std::string Saved(HWND frame, const std::string& section, const std::string& key);

    ui::RunningProgram program_;
    std::string dir_;
    std::string file_;
    DWORD timeLimitMs_ = 60000;

private:
    std::string Diagnose(const std::string& why);
    std::string ShotName() const;

    std::thread watchdog_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::string watchdogReport_;
};

#endif
