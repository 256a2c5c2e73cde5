// Database windows: their lists, the clipboard commands, deleting, the bibliography and its
// formatted text, and re-sorting.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "program_test.h"

namespace {

constexpr COLORREF kBibliographyBlue = RGB(0, 0, 255);

using DatabaseWindow = ProgramTest;

// Without Auto view a list waits for Show all; then every reference has its line, in columns
// filled from top to bottom (the arrangement with titles is the list options' test).
TEST_F(DatabaseWindow, ListsShowEveryReferenceAfterShowAll)
{
    ASSERT_TRUE(ui::SetProgramSetting("Files", "AutoView", "0"));
    HWND frame = LaunchWithFile(60);
    ASSERT_TRUE(frame);
    HWND named = ui::ActiveDatabaseWindow(frame);
    HWND list = ui::ListOf(named);
    EXPECT_EQ(ui::ListBoxCount(list), 0);
    EXPECT_EQ(ui::StatusText(frame), file_ + ":0");
    ASSERT_TRUE(ui::SendCommand(frame, CMD_SEARCH_SHOW_ALL));
    EXPECT_EQ(ui::StatusText(frame), file_ + ":60");
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_WINDOW_TILE));
    EXPECT_EQ(ui::ListBoxCount(list), 60);
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(ui::DatabaseWindowTitled(frame, "Untitled"))), 0);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & (LBS_NODATA | LBS_MULTICOLUMN | WS_VSCROLL),
              LBS_NODATA | LBS_MULTICOLUMN);
    EXPECT_EQ(SendMessageA(GetDlgItem(named, IDC_DBWIN_SEARCHABLE), BM_GETCHECK, 0, 0), BST_CHECKED);
    RECT first = ui::ListItemRect(list, 0), second = ui::ListItemRect(list, 1);
    EXPECT_TRUE(first.left == second.left && second.top == first.bottom);
    SaveShot("columns");
}

// Delete asks first, as the confirmation option says by default: No keeps the lines, Yes
// deletes them (which lines the option asks for is the store's test).
TEST_F(DatabaseWindow, DeleteAsksFirstAndNoKeepsTheLines)
{
    HWND frame = LaunchWithFile(4);
    ASSERT_TRUE(frame);
    HWND list = ui::ListOf(ui::ActiveDatabaseWindow(frame));
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(ui::SelectLines(list, {0, 2}));
        ASSERT_TRUE(ui::PostCommand(frame, CMD_REF_DELETE));
        EXPECT_EQ(Answer(answer), "Warning!|Selected references will be deleted permanently.\n"
                                  "Are you sure?");
        ASSERT_TRUE(ui::Sync(frame));
        EXPECT_EQ(ui::ListBoxCount(list), answer == IDNO ? 4 : 2);
    }
    EXPECT_EQ(ui::StatusText(frame), file_ + ":2");
    EXPECT_EQ(ui::ListBoxSelection(list), std::vector<int>{0});  // the lowest deleted line
}

// Cut, copy and paste move copies of references through the program's own clipboard; an
// empty window with the focus on its list draws nothing and carries on.
TEST_F(DatabaseWindow, CutCopyAndPasteBetweenWindows)
{
    HWND frame = LaunchWithFile(60);
    ASSERT_TRUE(frame);
    HWND source = ui::ActiveDatabaseWindow(frame);
    HWND sourceList = ui::ListOf(source);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    HWND target = ui::ActiveDatabaseWindow(frame);
    // Windows asks an empty list with the focus to draw its item -1 (Wine draws the focus
    // itself): such an index, like any outside the list, draws nothing and the message is
    // answered as handled (a fault inside would leave it unanswered).
    for (UINT index : {static_cast<UINT>(-1), 0u}) {
        DRAWITEMSTRUCT item = {ODT_LISTBOX, IDC_DBWIN_LIST, index, ODA_DRAWENTIRE | ODA_FOCUS,
                               ODS_FOCUS, ui::ListOf(target), GetDC(nullptr), {0, 0, 100, 16}, 0};
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(target, WM_DRAWITEM, IDC_DBWIN_LIST,
                                        reinterpret_cast<LPARAM>(&item), SMTO_NORMAL,
                                        ui::kDefaultWaitMs, &result));
        EXPECT_EQ(result, DWORD_PTR{TRUE}) << "item " << static_cast<int>(index);
        ReleaseDC(nullptr, item.hDC);
    }
    ASSERT_TRUE(program_.IsRunning());

    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, source));
    ASSERT_TRUE(ui::SelectLines(sourceList, {1, 2, 4}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));
    EXPECT_EQ(ui::ListBoxCount(sourceList), 60);
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, target));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    HWND targetList = ui::ListOf(target);
    EXPECT_EQ(ui::ListBoxCount(targetList), 3);
    // New references come selected.
    EXPECT_EQ(ui::ListBoxSelection(targetList), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ui::StatusText(frame), "Untitled:3");

    // Cut asks nothing, whatever the confirmation option.
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, source));
    ASSERT_TRUE(ui::SelectLines(sourceList, {0, 5}));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_EDIT_CUT));
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::ListBoxCount(sourceList) == 58; }));
    EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 0));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, target));
    ASSERT_TRUE(ui::SelectLines(targetList, {}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    EXPECT_EQ(ui::ListBoxCount(targetList), 5);
    EXPECT_EQ(ui::ListBoxSelection(targetList), (std::vector<int>{0, 4}));
    SaveShot("pasted");

    // Many references pasted between others: the list takes them in one pass, the new lines
    // and the line selected before come out selected.
    std::vector<int> odd, even;
    for (int line = 0; line < 58; ++line)
        (line % 2 ? odd : even).push_back(line);
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, source));
    ASSERT_TRUE(ui::SelectLines(sourceList, odd));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    HWND third = ui::ListOf(ui::ActiveDatabaseWindow(frame));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    ASSERT_EQ(ui::ListBoxCount(third), 29);
    ASSERT_TRUE(ui::SelectLines(third, {0}));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, source));
    ASSERT_TRUE(ui::SelectLines(sourceList, even));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, GetParent(third)));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    EXPECT_EQ(ui::ListBoxCount(third), 58);
    std::vector<int> selected = even;
    selected.insert(selected.begin() + 1, 1);
    EXPECT_EQ(ui::ListBoxSelection(third), selected);
}

// Adding to the bibliography shares the references: their lines turn to the bibliography
// colour and lose their selection, and adding them again adds nothing. Deleting the
// bibliography's last line closes it, and the lines turn back.
TEST_F(DatabaseWindow, AddToBibliographyMarksTheLinesInItsColour)
{
    HWND frame = LaunchWithFile(4);
    ASSERT_TRUE(frame);
    HWND source = ui::ActiveDatabaseWindow(frame);
    HWND list = ui::ListOf(source);
    EXPECT_FALSE(ui::LineShows(list, 0, kBibliographyBlue, false));
    ASSERT_TRUE(ui::SelectLines(list, {0, 2}));
    ASSERT_TRUE(ui::PressKey(frame, 'B', ui::kControl));
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 2));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_TRUE(ui::ListBoxSelection(list).empty());
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    ASSERT_TRUE(bibliography);
    EXPECT_EQ(ui::ActiveDatabaseWindow(frame), source);
    ASSERT_TRUE(ui::SelectLines(list, {0, 2}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_ADD_TO_BIB));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_WINDOW_TILE));
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(bibliography)), 2);
    EXPECT_EQ(ui::ListBoxCount(list), 4);
    ASSERT_TRUE(ui::SelectLines(list, {}));
    EXPECT_TRUE(ui::LineShows(list, 0, kBibliographyBlue));
    EXPECT_FALSE(ui::LineShows(list, 1, kBibliographyBlue, false));
    EXPECT_TRUE(ui::LineShows(list, 2, kBibliographyBlue));
    EXPECT_TRUE(ui::LineShows(ui::ListOf(bibliography), 1, kBibliographyBlue));
    SaveShot("added");

    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, bibliography));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_SELECT_ALL));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_DELETE));
    EXPECT_TRUE(ui::WaitForDatabaseWindows(frame, 1));
    EXPECT_FALSE(ui::LineShows(list, 0, kBibliographyBlue, false));
    EXPECT_EQ(ui::ListBoxCount(list), 4);
}

// Shown formatted, the bibliography is text: the clipboard commands, Select all and the
// keys Del and Enter act on the text, and none of them changes the bibliography.
TEST_F(DatabaseWindow, FormattedBibliographyTextTakesTheEditCommandsAndKeys)
{
    HWND frame = LaunchWithFile(3);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_SELECT_ALL));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_ADD_TO_BIB));
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    ASSERT_TRUE(bibliography);
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, bibliography));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_FORMATTED_BIB));
    EXPECT_TRUE(SendMessageA(GetDlgItem(frame, IDC_TOOLBAR), TB_ISBUTTONCHECKED,
                             CMD_OPT_FORMATTED_BIB, 0));
    HWND text = GetDlgItem(bibliography, IDC_DBWIN_TEXT);
    ASSERT_TRUE(text);
    EXPECT_FALSE(ui::ListOf(bibliography));
    const std::string formatted = ui::TextOf(text);
    EXPECT_EQ(formatted.substr(0, 20), "Author1000, A (1900)");
    SaveShot("formatted");

    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_SELECT_ALL));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));
    EXPECT_EQ(ui::ClipboardText(), formatted);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_CUT));
    EXPECT_EQ(ui::TextOf(text), "");
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    EXPECT_EQ(ui::TextOf(text), formatted);

    // Delete and Enter are accelerators of grayed items here; they must reach the text.
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_SELECT_ALL));
    ASSERT_TRUE(ui::PressKey(frame, VK_DELETE));
    EXPECT_EQ(ui::WaitForText(text, ""), "");
    ASSERT_TRUE(ui::PressKey(frame, VK_RETURN));
    EXPECT_EQ(ui::WaitForText(text, "\r\n"), "\r\n");

    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_FORMATTED_BIB));
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(bibliography)), 3);
    EXPECT_EQ(ui::DatabaseWindows(frame).size(), 2u);
}

}  // namespace
