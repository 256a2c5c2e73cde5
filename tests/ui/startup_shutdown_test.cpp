// How the program starts and ends: its exit codes and the fatal start-up message.
#include <gtest/gtest.h>

#include "ids.h"
#include "program_test.h"

namespace {

class Startup : public ProgramTest {};
class Shutdown : public ProgramTest {};

TEST_F(Startup, WithoutTheLanguageLibraryShowsTheFatalMessageAndEndsWithOne)
{
    // A copy of the program and its support library in a folder of their own, without
    // CTNEN.DLL beside them.
    std::string dir = ui::MakeTempDir("nolang");
    ASSERT_FALSE(dir.empty());
    ASSERT_TRUE(ui::CopyFileTo(ui::ProgramPath(), dir));
    ASSERT_TRUE(ui::CopyFileTo(ui::DeliverablesDir() + "\\CARTIO.DLL", dir));
    ASSERT_TRUE(Start({}, dir + "\\CARTUL32.EXE", dir));

    HWND box = ui::WaitForDialog(program_.Pid());
    ASSERT_TRUE(box) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_EQ(ui::TextOf(box), "Cartulan: Fatal error!");
    EXPECT_EQ(ui::DialogText(box), "Cannot load any language resources!\r\nWhere is CTNEN.DLL?");
    EXPECT_FALSE(ui::WaitForTopLevelWindow(program_.Pid(), "RefFrame", 0));
    ui::PressButton(box, IDOK);
    EXPECT_EQ(ExitCode(), 1);
    program_.Terminate();
    ui::RemoveDirTree(dir);
}

// The configured library is proved at start; the message names the English library whatever
// name was configured.
TEST_F(Startup, ConfiguredLanguageLibraryThatDoesNotLoadIsFatal)
{
    ASSERT_TRUE(ui::SetProgramSetting("Display", "Language", "CTNXX.DLL"));
    ASSERT_TRUE(Start());
    HWND box = ui::WaitForDialog(program_.Pid());
    ASSERT_TRUE(box) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_EQ(ui::TextOf(box), "Cartulan: Fatal error!");
    EXPECT_EQ(ui::DialogText(box), "Cannot load any language resources!\r\nWhere is CTNEN.DLL?");
    ui::PressButton(box, IDOK);
    EXPECT_EQ(ExitCode(), 1);
}

TEST_F(Startup, ConfiguredEnglishLibraryIsUsed)
{
    ASSERT_TRUE(ui::SetProgramSetting("Display", "Language", "ctnen.dll"));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    std::vector<ui::MenuItem> bar;
    ASSERT_TRUE(ui::ReadMenuBar(frame, bar));
    ASSERT_EQ(bar.size(), 7u);
    EXPECT_EQ(bar[0].text, "&File");
}

TEST_F(Shutdown, FileExitEndsWithZero)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(Shutdown, CloseRequestEndsWithZero)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::PostClose(frame));
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(Shutdown, SystemMenuCloseEndsWithZero)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(Shutdown, AltF4EndsWithZero)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::PressKey(frame, VK_F4, ui::kAlt));
    EXPECT_EQ(ExitCode(), 0);
}

}  // namespace
