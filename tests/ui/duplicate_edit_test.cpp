// An edited reference that now equals another goes through the duplicate dialog on its way
// back into its lists, and the duplicate dialog's Edit opens the editor on it.
#include "reference_editor_fixture.h"

namespace {

constexpr char kDuplicateTitle[] = "Duplicate reference";

class DuplicateEdit : public EditorTest {
protected:
    // Gives the paper in the editor the title of another one; returns the duplicate dialog.
    HWND EditTitleToPumps(HWND editor)
    {
        Type(editor, IDC_REF_TITLE, "Pumps");
        return ui::CloseBox(editor, IDOK) ? WaitForTitled(kDuplicateTitle) : nullptr;
    }
};

// Edit in the duplicate dialog: the editor on the reference being put back, without stepping
// or a new reference; a title that no longer matches lets it in.
TEST_F(DuplicateEdit, AnEditThatMakesADuplicateAsksAndMayBeEditedAgain)
{
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    HWND duplicate = EditTitleToPumps(OpenEditor(frame, 0));
    ASSERT_TRUE(duplicate);
    EXPECT_TRUE(Enabled(duplicate, IDC_DUP_EDIT) && Enabled(duplicate, IDC_DUP_EDIT_AUTHORS));
    SaveShot("duplicate");
    ASSERT_TRUE(ui::CloseBox(duplicate, IDC_DUP_EDIT));
    HWND editor = WaitForEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Pumps");
    EXPECT_FALSE(Enabled(editor, IDC_REF_OK_AND_NEW) || Enabled(editor, IDC_REF_PREVIOUS) ||
                 Enabled(editor, IDC_REF_NEXT));
    Type(editor, IDC_REF_TITLE, "Pumps II");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{1});
    EXPECT_EQ(Titles(Saved(frame)), (std::vector<std::string>{"Pumps", "Pumps II", "Valves"}));
}

// Left out of its own list, the reference lives on in the bibliography.
TEST_F(DuplicateEdit, DontIncludeLeavesItToTheBibliography)
{
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::SelectLines(list_, {0}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_ADD_TO_BIB));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, GetParent(list_)));
    ASSERT_TRUE(ui::CloseBox(EditTitleToPumps(OpenEditor(frame, 0)), IDC_DUP_SKIP));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::ListBoxCount(list_), 2);
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{0});
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    ASSERT_TRUE(bibliography);
    HWND bibList = ui::ListOf(bibliography);
    EXPECT_EQ(ui::ListBoxCount(bibList), 1);
    RedrawWindow(bibList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(ui::SelectLines(bibList, {0}));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, bibliography));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_REF_EDIT));
    HWND editor = WaitForEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Pumps");
    EXPECT_FALSE(Enabled(editor, IDC_REF_OK_AND_NEW));  // not in the bibliography
    ASSERT_TRUE(ui::CloseBox(editor, IDCANCEL));
}

// Inside a load the frame stays disabled after the editor closes, and the editor offers no
// new reference.
TEST_F(DuplicateEdit, InsideALoadTheFrameStaysDisabled)
{
    const std::string copy = "%A Adams, A\r\n%D 1990\r\n%T Pumps\r\n\r\n";
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    const std::string file = Write("twice.ref", copy + copy + copy);
    COPYDATASTRUCT data = {CMD_FILE_OPEN, static_cast<DWORD>(file.size()),
                           const_cast<char*>(file.data())};
    DWORD_PTR result = 0;
    // The hand-over returns when the load ends: it is not waited for here.
    SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 500,
                        &result);
    ASSERT_TRUE(ui::CloseBox(WaitForTitled(kDuplicateTitle), IDC_DUP_EDIT));
    HWND editor = WaitForEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(IsWindowEnabled(frame));
    EXPECT_FALSE(Enabled(editor, IDC_REF_OK_AND_NEW));
    Type(editor, IDC_REF_TITLE, "Pumps II");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    HWND second = WaitForTitled(kDuplicateTitle);
    ASSERT_TRUE(second);
    // The next question belongs to the load's progress window: the frame was not enabled.
    EXPECT_NE(GetWindow(second, GW_OWNER), frame);
    EXPECT_FALSE(IsWindowEnabled(frame));
    ASSERT_TRUE(ui::CloseBox(second, IDC_DUP_SKIP));
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 1));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(ui::ActiveDatabaseWindow(frame))), 2);
}

}  // namespace
