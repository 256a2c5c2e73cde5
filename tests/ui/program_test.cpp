#include "program_test.h"

#include <chrono>
#include <sstream>

namespace {

constexpr char kHelpLogSetting[] = "CARTULAN_HELP_LOG";

}  // namespace

void ProgramTest::SetUp()
{
    ui::RemoveProgramSettings();
    // Without it the program's splash would hold every start for five seconds.
    SetEnvironmentVariableA("CARTULAN_SPLASH_MS", "0");
    dir_ = ui::MakeTempDir("ui");
    ASSERT_FALSE(dir_.empty());
    SetEnvironmentVariableA(kHelpLogSetting, Path("help.log").c_str());
    finished_ = false;
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

void ProgramTest::TearDown()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    if (watchdog_.joinable())
        watchdog_.join();
    if (!watchdogReport_.empty())
        ADD_FAILURE() << watchdogReport_;
    else if (HasFailure() && program_.IsRunning())
        std::cout << Diagnose("test failed") << std::flush;
    program_.Terminate();
    SetEnvironmentVariableA(kHelpLogSetting, nullptr);
    ui::RemoveDirTree(dir_);
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
    return Start(args, exe) ? WaitForFrame() : nullptr;
}

HWND ProgramTest::WaitForFrame(DWORD ms)
{
    // The frame, or whatever shows instead of it: a dialog, or the end of the program.
    HWND shown = ui::WaitForWindow(program_.Pid(), [&](HWND w) {
        return IsWindowVisible(w) && (ui::ClassOf(w) == "RefFrame" || ui::ClassOf(w) == "#32770");
    }, ms);
    if (shown && ui::ClassOf(shown) == "RefFrame")
        return shown;
    ADD_FAILURE() << (shown ? "a dialog appeared instead of the frame: " + ui::DialogText(shown) : "no frame")
                  << "; exit code " << program_.WaitForExit(0) << "\n" << Diagnose("no frame");
    return nullptr;
}

HWND ProgramTest::LaunchWith(const std::vector<std::string>& files)
{
    HWND frame = Launch();
    for (auto file = files.rbegin(); frame && file != files.rend(); ++file) {
        if (!ui::HandOver(frame, *file) || !ui::DatabaseWindowTitled(frame, *file)) {
            ADD_FAILURE() << "no window of " << *file << "\n" << Diagnose("hand-over");
            return nullptr;
        }
    }
    return frame;
}

HWND ProgramTest::LaunchWithFile(int count)
{
    file_ = Write("refs.ref", ui::ReferText(0, count));
    return LaunchWith({file_});
}

int ProgramTest::ExitCode(DWORD ms)
{
    int code = program_.WaitForExit(ms);
    if (code == ui::kExitTimedOut)
        ADD_FAILURE() << "the program did not end within " << ms << " ms\n"
                      << Diagnose("still running");
    return code;
}

void ProgramTest::SaveShot(const std::string& label)
{
    // Let the program finish painting first.
    Sleep(300);
    EXPECT_TRUE(ui::SaveScreenshot(ui::ShotsDir() + "\\" + ShotName() + "-" + label + ".bmp"));
}

std::string ProgramTest::Write(const std::string& name, const std::string& text)
{
    char full[MAX_PATH];
    bool written = ui::WriteFile(Path(name), text);
    return written && GetFullPathNameA(Path(name).c_str(), sizeof full, full, nullptr) ? full : "";
}

HWND ProgramTest::Dialog(const std::string& title, HWND except)
{
    HWND dialog = ui::WaitForDialog(program_.Pid(), ui::kDefaultWaitMs, except, title);
    if (!dialog)
        ADD_FAILURE() << "no dialog \"" << title << "\"\n" << ui::DescribeWindowsOf(program_.Pid());
    return dialog;
}

HWND ProgramTest::Open(HWND window, int command, const std::string& title, HWND except)
{
    EXPECT_TRUE(ui::PostCommand(window, command)) << "command " << command;
    return Dialog(title, except);
}

std::string ProgramTest::Answer(int button, HWND except)
{
    HWND box = ui::WaitForDialog(program_.Pid(), ui::kDefaultWaitMs, except);
    if (!box)
        return "(none)";
    std::string seen = ui::TextOf(box) + "|" + ui::DialogText(box);
    EXPECT_TRUE(ui::CloseBox(box, button));
    return seen;
}

std::string ProgramTest::AnswerText(int button, HWND except)
{
    std::string seen = Answer(button, except);
    return seen.substr(seen.find('|') + 1);
}

std::vector<std::string> ProgramTest::HelpOpened(size_t count)
{
    std::vector<std::string> sections;
    ui::WaitUntil([&] {
        sections.clear();
        std::istringstream lines(ui::FileText(Path("help.log")));
        for (std::string line; std::getline(lines, line);)
            sections.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
        return sections.size() >= count;
    }, 5000);
    return sections;
}

std::string ProgramTest::Saved(HWND frame, const std::string& section, const std::string& key)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(frame, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
    return ui::ReadProgramSetting(section, key);
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
