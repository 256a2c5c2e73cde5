// File transfers as the user makes them: the open and save dialogs, the format choice for
// import, export and the default file format, the save question when a window closes or the
// program ends, and the messages of transfers that fail.
#include <gtest/gtest.h>

#include "ids.h"
#include "program_test.h"
#include "transfer_driver.h"

using namespace transfer_ui;

namespace {

class TransferDialogs : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        dir_ = ui::MakeTempDir("transfer");
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        ui::RemoveDirTree(dir_);
    }
    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

    // The dialog titled `title`; a failure and null when it does not come.
    HWND Dialog(const std::string& title)
    {
        HWND dialog = WaitForDialogTitled(program_.Pid(), title);
        if (!dialog)
            ADD_FAILURE() << "no dialog \"" << title << "\"\n" << ui::DescribeWindowsOf(program_.Pid());
        return dialog;
    }

    std::string dir_;
};

TEST_F(TransferDialogs, OpenSaveAsAndSaveThroughTheFileDialogs)
{
    const std::string lib = Path("lib.ref");
    ASSERT_TRUE(WriteFile(lib, ReferText(0, 5)));
    HWND frame = Launch();
    ASSERT_TRUE(frame);

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_OPEN));
    HWND open = Dialog("Open");
    ASSERT_TRUE(open);
    SaveWindowShot(open, "TransferDialogs.OpenDialog");
    ASSERT_TRUE(ChooseFile(open, lib));
    HWND window = WaitForDatabaseWindow(frame, lib);
    ASSERT_TRUE(window) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(WaitUntil([&] { return LineCount(window) == 5; }));

    // Save as adds the filter's extension to a name without one.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE_AS));
    HWND save = Dialog("Save As");
    ASSERT_TRUE(save);
    SaveWindowShot(save, "TransferDialogs.SaveDialog");
    ASSERT_TRUE(ChooseFile(save, Path("copy")));
    const std::string copy = Path("copy.REF");
    ASSERT_TRUE(WaitForDatabaseWindow(frame, copy)) << ui::DescribeWindowsOf(program_.Pid());
    const std::string saved = ReadFile(copy);
    EXPECT_EQ(saved, ReadFile(lib));

    // Save keeps the file it replaces as the backup.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE));
    EXPECT_TRUE(WaitUntil([&] { return !ReadFile(Path("copy.BAK")).empty(); }));
    EXPECT_EQ(ReadFile(Path("copy.BAK")), saved);
    EXPECT_EQ(ReadFile(copy), saved);
    EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 0));
}

}  // namespace
