// The duplicate dialog: a paste or a load that meets references already in the window asks
// for each one, and the answers overwrite, leave out or abandon.
#include <windows.h>

#include <gtest/gtest.h>

#include "ids.h"
#include "transfer_driver.h"

using namespace transfer_ui;

namespace {

class DuplicateDialog : public TransferUiTest {
protected:
    // The next duplicate dialog: it shows the incoming reference and offers the editor.
    HWND NextDuplicate()
    {
        HWND dialog = Dialog("Duplicate reference");
        if (dialog) {
            EXPECT_NE(ui::TextOf(GetDlgItem(dialog, IDC_DUP_REFERENCE)).find("Author0000"),
                      std::string::npos);
            EXPECT_TRUE(IsEnabled(dialog, IDC_DUP_EDIT));
            EXPECT_TRUE(IsEnabled(dialog, IDC_DUP_EDIT_AUTHORS));
        }
        return dialog;
    }

    // Answers the duplicate dialogs one after the other with `buttons`; then no further one
    // may come.
    void Answer(std::initializer_list<int> buttons)
    {
        for (int button : buttons) {
            HWND dialog = NextDuplicate();
            ASSERT_TRUE(dialog);
            Dismiss(dialog, button);
        }
        EXPECT_FALSE(WaitForDialogTitled(program_.Pid(), "Duplicate reference", 500));
    }
};

TEST_F(DuplicateDialog, PasteAsksForEachDuplicate)
{
    const std::string lib = Path("lib.ref");
    HWND frame = nullptr;
    HWND window = LaunchWithFile(lib, 5, frame);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(window), {0, 2, 4}));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_EDIT_COPY));

    // Abandon stops the paste: the third reference is not offered.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_EDIT_PASTE));
    HWND dialog = NextDuplicate();
    ASSERT_TRUE(dialog);
    SaveWindowShot(dialog, "DuplicateDialog.Paste");
    ASSERT_TRUE(ui::PressButton(dialog, IDC_HELP_BUTTON));  // the dialog stays
    EXPECT_EQ(HelpOpened(1), std::vector<std::string>{"duplicates"});
    Dismiss(dialog, IDC_DUP_SKIP);
    Answer({IDCANCEL});
    EXPECT_EQ(LineCount(window), 5);

    ASSERT_TRUE(ui::PostCommand(frame, CMD_EDIT_PASTE));
    Answer({IDC_DUP_OVERWRITE, IDC_DUP_SKIP, IDC_DUP_OVERWRITE});
    EXPECT_EQ(LineCount(window), 5);
}

// A load abandoned at a duplicate keeps what was read, untitled: saving it can never put part
// of the file in the place of the whole.
TEST_F(DuplicateDialog, AbandonedLoadLeavesAnUntitledWindow)
{
    const std::string lib = Path("lib.ref");
    const std::string text = ReferText(0, 3) + ReferText(0, 1) + ReferText(3, 2);
    ASSERT_TRUE(WriteFile(lib, text));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HandOverNoWait(frame, lib);
    HWND dialog = NextDuplicate();
    ASSERT_TRUE(dialog);
    // The load's progress window stays over the disabled frame.
    HWND progress = WaitForDialogTitled(program_.Pid(), lib);
    ASSERT_TRUE(progress);
    EXPECT_EQ(ui::DialogText(progress), "Cleaning up memory...");
    EXPECT_FALSE(IsWindowEnabled(frame));
    ui::SaveScreenshot(ui::ShotsDir() + "\\DuplicateDialog.OverLoadProgress.bmp");
    Dismiss(dialog, IDCANCEL);

    HWND window = WaitForDatabaseWindow(frame, "Untitled");
    ASSERT_TRUE(window) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(WaitUntil([&] { return LineCount(window) == 3; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame) != FALSE; }));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE));
    HWND save = Dialog("Save As");
    ASSERT_TRUE(save);
    Dismiss(save, IDCANCEL);
    EXPECT_EQ(ReadFile(lib), text);
}

}  // namespace
