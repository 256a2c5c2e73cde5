// The fixture of every UI test: each test starts with no settings, has a time limit, and on
// failure (or when the limit passes) prints the program's open windows and saves a screenshot
// before the program is stopped.
#ifndef CARTULAN_TESTS_UI_PROGRAM_TEST_H
#define CARTULAN_TESTS_UI_PROGRAM_TEST_H

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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
    // Waits for the program's frame window.
    HWND WaitForFrame(DWORD ms = ui::kDefaultWaitMs);
    // Waits for the program to end; records a failure when it does not within `ms`.
    int ExitCode(DWORD ms = ui::kDefaultWaitMs);
    // Records the program's windows and a screenshot in the test's output.
    void ReportScreen(const std::string& why);
    // Saves the screen as <suite>.<test>-<label>.bmp in the screenshot folder.
    void SaveShot(const std::string& label);

    ui::RunningProgram program_;
    DWORD timeLimitMs_ = 60000;

private:
    void ArmWatchdog();
    void DisarmWatchdog();
    std::string Diagnose(const std::string& why);
    std::string ShotName() const;

    std::thread watchdog_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::string watchdogReport_;
};

#endif
