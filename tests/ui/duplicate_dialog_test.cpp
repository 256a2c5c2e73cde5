// The duplicate dialog: a paste that meets references already in the window asks for each
// one, and the answers overwrite, leave out or abandon (what each answer lets in is the
// store's test; an abandoned load is the transfer engine's).
#include <gtest/gtest.h>

#include "program_test.h"

namespace {

class DuplicateDialog : public ProgramTest {
protected:
    // The next duplicate dialog: it shows the incoming reference and offers the editor.
    HWND NextDuplicate()
    {
        HWND dialog = Dialog("Duplicate reference");
        if (dialog) {
            EXPECT_NE(ui::TextOf(GetDlgItem(dialog, IDC_DUP_REFERENCE)).find("Author10"),
                      std::string::npos);
            EXPECT_TRUE(ui::IsEnabled(dialog, IDC_DUP_EDIT) && ui::IsEnabled(dialog, IDC_DUP_EDIT_AUTHORS));
        }
        return dialog;
    }

    // Answers the duplicate dialogs one after the other with `buttons`; then no further one
    // may come.
    void Answer(std::initializer_list<int> buttons)
    {
        for (int button : buttons)
            ASSERT_TRUE(ui::CloseBox(NextDuplicate(), button));
        EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 500, nullptr, "Duplicate reference"));
    }
};

TEST_F(DuplicateDialog, PasteAsksForEachDuplicate)
{
    HWND frame = LaunchWithFile(5);
    ASSERT_TRUE(frame);
    HWND list = ui::ListOf(ui::ActiveDatabaseWindow(frame));
    ASSERT_TRUE(ui::SelectLines(list, {0, 2, 4}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));

    // Abandon stops the paste: the third reference is not offered.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_EDIT_PASTE));
    HWND dialog = NextDuplicate();
    ASSERT_TRUE(dialog);
    SaveShot("paste");
    ASSERT_TRUE(ui::Click(dialog, IDC_HELP_BUTTON));  // the dialog stays
    ASSERT_EQ(HelpOpened(1).size(), 1u);
    EXPECT_EQ(HelpOpened(1)[0], ui::DeliverablesDir() + "\\CARTUL32.HTM#duplicates");
    ASSERT_TRUE(ui::CloseBox(dialog, IDC_DUP_SKIP));
    Answer({IDCANCEL});
    EXPECT_EQ(ui::ListBoxCount(list), 5);

    ASSERT_TRUE(ui::PostCommand(frame, CMD_EDIT_PASTE));
    Answer({IDC_DUP_OVERWRITE, IDC_DUP_SKIP, IDC_DUP_OVERWRITE});
    EXPECT_EQ(ui::ListBoxCount(list), 5);
}

}  // namespace
