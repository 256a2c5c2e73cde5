#include "program_test.h"

#include <chrono>

void ProgramTest::SetUp()
{
    ui::RemoveProgramSettings();
    // Without it the program's splash would hold every start for five seconds.
    SetEnvironmentVariableA("CARTULAN_SPLASH_MS", "0");
    ArmWatchdog();
}

void ProgramTest::TearDown()
{
    DisarmWatchdog();
    if (!watchdogReport_.empty())
        ADD_FAILURE() << watchdogReport_;
    else if (HasFailure() && program_.IsRunning())
        std::cout << Diagnose("test failed") << std::flush;
    program_.Terminate();
}

bool ProgramTest::Start(const std::vector<std::string>& args, const std::string& exe,
                        const std::string& workDir)
{
    bool started = program_.Start(exe, args, workDir);
    EXPECT_TRUE(started) << "cannot start " << exe << " (error " << GetLastError() << ")";
    return started;
}

HWND ProgramTest::Launch(const std::vector<std::string>& args, const std::string& exe)
{
    if (!Start(args, exe))
        return nullptr;
    return WaitForFrame();
}

HWND ProgramTest::WaitForFrame(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        for (HWND window : ui::TopLevelWindowsOf(program_.Pid())) {
            std::string cls = ui::ClassOf(window);
            if (cls == "RefFrame" && IsWindowVisible(window))
                return window;
            if (cls == "#32770" && IsWindowVisible(window)) {
                ADD_FAILURE() << "a dialog appeared instead of the frame: \"" << ui::TextOf(window)
                              << "\": " << ui::DialogText(window) << "\n"
                              << Diagnose("unexpected dialog");
                return nullptr;
            }
        }
        if (!program_.IsRunning()) {
            ADD_FAILURE() << "the program ended with exit code " << program_.WaitForExit(0)
                          << " before showing its frame";
            return nullptr;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    ADD_FAILURE() << "no frame window after " << ms << " ms\n" << Diagnose("no frame");
    return nullptr;
}

int ProgramTest::ExitCode(DWORD ms)
{
    int code = program_.WaitForExit(ms);
    if (code == ui::kExitTimedOut)
        ADD_FAILURE() << "the program did not end within " << ms << " ms\n"
                      << Diagnose("still running");
    return code;
}

void ProgramTest::ReportScreen(const std::string& why)
{
    std::cout << Diagnose(why) << std::flush;
}

void ProgramTest::SaveShot(const std::string& label)
{
    // Let the program finish painting first.
    Sleep(300);
    EXPECT_TRUE(ui::SaveScreenshot(ui::ShotsDir() + "\\" + ShotName() + "-" + label + ".bmp"));
}

std::string ProgramTest::ShotName() const
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "." + test->name() : "test";
}

std::string ProgramTest::Diagnose(const std::string& why)
{
    std::string shot = ui::ShotsDir() + "\\" + ShotName() + ".bmp";
    std::string report = "--- " + why + ": " + ui::DescribeWindowsOf(program_.Pid());
    report += ui::SaveScreenshot(shot) ? "screenshot: " + shot + "\n" : "no screenshot\n";
    return report;
}

void ProgramTest::ArmWatchdog()
{
    finished_ = false;
    watchdogReport_.clear();
    watchdog_ = std::thread([this] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (done_.wait_for(lock, std::chrono::milliseconds(timeLimitMs_), [this] { return finished_; }))
            return;
        // The test hangs: keep the evidence, then stop the program so every wait returns.
        watchdogReport_ = "time limit of " + std::to_string(timeLimitMs_) + " ms passed\n" +
                          Diagnose("time limit");
        program_.Kill();
    });
}

void ProgramTest::DisarmWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    if (watchdog_.joinable())
        watchdog_.join();
}
