// The Options menu's dialogs and the bibliography format dialogs: what each keeps in the settings and what it changes in the open windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <colordlg.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "program_test.h"

namespace {

constexpr char kMachineFormats[] = "Software\\NWPL\\Cartulan\\Formats";

class OptionsTest : public ProgramTest {
protected:
    void TearDown() override
    {
        ProgramTest::TearDown();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMachineFormats);
    }

    // The text of the message box that OK of `dialog` brings up; the box is closed. The dialog
    // stays, unless `closesTo` is given: it then closes first, and the box comes over that one.
    std::string Refusal(HWND dialog, HWND closesTo = nullptr)
    {
        EXPECT_TRUE(ui::PressButton(dialog, IDOK));
        EXPECT_TRUE(!closesTo || ui::WaitUntil([&] { return !IsWindow(dialog); }));
        std::string text = AnswerText(IDOK, closesTo ? closesTo : dialog);
        EXPECT_EQ(IsWindow(dialog) != FALSE, closesTo == nullptr);
        return text;
    }
};

// Saves the active window by a posted command, so that the save comes after what the last
// action posted, and returns the last digits of the authors in the order the saved file holds
// them. The file is read once the save has made its backup and ended: open here while the
// program puts the new file in its place, it could not be replaced.
std::string SaveAndReadOrder(HWND frame, const std::string& path)
{
    const std::string backup = path.substr(0, path.rfind('.')) + ".BAK";
    EXPECT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE));
    EXPECT_TRUE(ui::WaitUntil([&] {
        return GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES && IsWindowEnabled(frame) &&
               ui::Sync(frame);
    }));
    std::string order;
    std::istringstream in(ui::FileText(path));
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, 9, "%A Author") == 0)
            order += line.substr(12, 1);
    }
    return order;
}

bool AddAllToBibliography(HWND frame)
{
    return ui::SendCommand(frame, CMD_REF_SELECT_ALL) && ui::SendCommand(frame, CMD_REF_ADD_TO_BIB);
}

TEST_F(OptionsTest, ListOptionsRearrangeTheActiveListOrTheFormattedText)
{
    HWND frame = LaunchWithFile(30);
    ASSERT_TRUE(frame);
    HWND dialog = Open(frame, CMD_OPT_LIST_FORMAT);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_LISTOPT_NAMES_FIRST), BST_CHECKED);
    HWND bar = GetDlgItem(dialog, IDC_LISTOPT_AUTHOR_WIDTH);
    const auto scroll = [&](int request, int times) {
        for (int i = 0; i < times; ++i)
            SendMessageA(dialog, WM_HSCROLL, request, reinterpret_cast<LPARAM>(bar));
        return ui::TextOf(GetDlgItem(dialog, IDC_LISTOPT_WIDTH_VALUE));
    };
    EXPECT_EQ(scroll(SB_LINERIGHT, 0), "25");
    EXPECT_EQ(scroll(SB_PAGELEFT, 3), "20");
    EXPECT_EQ(scroll(SB_PAGERIGHT, 20), "100");
    EXPECT_EQ(scroll(SB_LINELEFT, 2), "98");
    CheckRadioButton(dialog, IDC_LISTOPT_NAMES_ALL, IDC_LISTOPT_NAMES_TWO, IDC_LISTOPT_NAMES_TWO);
    CheckDlgButton(dialog, IDC_LISTOPT_SHOW_TITLES, BST_CHECKED);
    CheckDlgButton(dialog, IDC_LISTOPT_SELECT_NEW, BST_UNCHECKED);
    SaveShot("listopt");
    ASSERT_TRUE(ui::CloseBox(dialog));

    HWND list = ui::ListOf(ui::ActiveDatabaseWindow(frame));
    ASSERT_TRUE(list);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & (LBS_MULTICOLUMN | WS_VSCROLL), WS_VSCROLL);
    EXPECT_EQ(ui::ListBoxCount(list), 30);
    EXPECT_EQ(Saved(frame, "Display", "List"), "183");  // 242 - 2 + 3 + 4 - 64: two et al, titles
    EXPECT_EQ(ui::ReadProgramSetting("Display", "ColumnWidth"), "98");

    // The bibliography shown formatted stays text, formatted again.
    ASSERT_TRUE(AddAllToBibliography(frame));
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, bibliography));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_FORMATTED_BIB));
    ASSERT_TRUE(ui::CloseBox(Open(frame, CMD_OPT_LIST_FORMAT)));
    ASSERT_TRUE(ui::Sync(frame));
    HWND text = GetDlgItem(bibliography, IDC_DBWIN_TEXT);
    EXPECT_FALSE(ui::ListOf(bibliography));
    EXPECT_EQ(ui::TextOf(text).substr(0, 20), "Author1000, A (1900)");
}

TEST_F(OptionsTest, SortOptionsResortTheActiveWindowAndRefuseRepeatedFieldsAndBlankSeparators)
{
    HWND frame = LaunchWithFile(5);
    ASSERT_TRUE(frame);
    HWND dialog = Open(frame, CMD_OPT_SORTING);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SORT_FIELD_1, CB_GETCOUNT, 0, 0), 6);  // no None
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SORT_ORDER_2, CB_GETCURSEL, 0, 0), 1);  // date, down
    ui::Choose(dialog, IDC_SORT_FIELD_2, 6);  // None, then Author again: a repeat
    ui::Choose(dialog, IDC_SORT_FIELD_3, 0);
    EXPECT_EQ(Refusal(dialog), "You cannot sort by the same field twice!");
    ui::Choose(dialog, IDC_SORT_FIELD_1, 1);  // date, descending; then none, none
    ui::Choose(dialog, IDC_SORT_ORDER_1, 1);
    ui::Choose(dialog, IDC_SORT_FIELD_3, 6);
    SaveShot("optsort");

    ASSERT_TRUE(ui::PressButton(dialog, IDC_SORT_NAMES));
    HWND names = Dialog("", dialog);
    ASSERT_TRUE(names);
    EXPECT_EQ(ui::TextOf(GetDlgItem(names, IDC_NAME_SEPARATOR)), ",");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(names, IDC_NAME_FAMILY_LAST)));  // given names
    CheckRadioButton(names, IDC_NAME_COMPARE_FAMILY, IDC_NAME_COMPARE_GIVEN, IDC_NAME_COMPARE_FAMILY);
    SendMessageA(names, WM_COMMAND, MAKEWPARAM(IDC_NAME_COMPARE_FAMILY, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(names, IDC_NAME_FAMILY_LAST)));
    SetDlgItemTextA(names, IDC_NAME_SEPARATOR, " ;");
    EXPECT_EQ(Refusal(names), "Family name separator must not be whitespace");
    SetDlgItemTextA(names, IDC_NAME_SEPARATOR, "; ");
    ASSERT_TRUE(ui::CloseBox(names));
    ASSERT_TRUE(ui::CloseBox(dialog));

    // Saved after the re-sort that the dialog asked for.
    EXPECT_EQ(SaveAndReadOrder(frame, file_), "43210");
    EXPECT_EQ(Saved(frame, "Sort", "0"), "9");
    EXPECT_EQ(ui::ReadProgramSetting("Sort", "1"), "14");  // None, descending as before
    EXPECT_EQ(ui::ReadProgramSetting("Names", "SurSep"), ";");
    EXPECT_EQ(ui::ReadProgramSetting("Names", "Method"), "0");

    // Windows opened afterwards take the keys as their own.
    ASSERT_TRUE(ui::HandOver(frame, Write("later.ref", ui::ReferText(0, 3))));
    EXPECT_EQ(SaveAndReadOrder(frame, Path("later.ref")), "210");
}

TEST_F(OptionsTest, InputSearchAndConfirmationOptionsAreKept)
{
    HWND frame = LaunchWithFile(3);
    ASSERT_TRUE(frame);
    HWND dialog = Open(frame, CMD_OPT_INPUT_DEFAULTS);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::TextOf(GetDlgItem(dialog, IDC_INOPT_DATE)), "1994");
    CheckRadioButton(dialog, IDC_INOPT_JOURNAL, IDC_INOPT_REPORT, IDC_INOPT_BOOK);
    SetDlgItemTextA(dialog, IDC_INOPT_DATE, "In press");
    SaveShot("inopt");
    ASSERT_TRUE(ui::CloseBox(dialog));

    dialog = Open(frame, CMD_OPT_SEARCHING);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SRCHOPT_SEARCHABLE), BST_CHECKED);
    CheckDlgButton(dialog, IDC_SRCHOPT_CASE, BST_CHECKED);
    CheckDlgButton(dialog, IDC_SRCHOPT_SEARCHABLE, BST_UNCHECKED);
    ASSERT_TRUE(ui::CloseBox(dialog));

    dialog = Open(frame, CMD_OPT_CONFIRMATION);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CONFIRM_DELETE_ALWAYS), BST_CHECKED);
    CheckRadioButton(dialog, IDC_CONFIRM_DELETE_NEVER, IDC_CONFIRM_DELETE_ALWAYS,
                     IDC_CONFIRM_DELETE_NEVER);
    CheckDlgButton(dialog, IDC_CONFIRM_DRAG, BST_UNCHECKED);
    ASSERT_TRUE(ui::CloseBox(dialog));

    // Cancel changes nothing.
    dialog = Open(frame, CMD_OPT_INPUT_DEFAULTS);
    SetDlgItemTextA(dialog, IDC_INOPT_DATE, "1999");
    ASSERT_TRUE(ui::CloseBox(dialog, IDCANCEL));

    // Deleting asks nothing now.
    HWND list = ui::ListOf(ui::ActiveDatabaseWindow(frame));
    ASSERT_TRUE(ui::SelectLines(list, {0, 1}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_DELETE));
    EXPECT_EQ(ui::ListBoxCount(list), 1);
    EXPECT_EQ(Saved(frame, "Input", "DefaultYear"), "In press");
    EXPECT_EQ(ui::ReadProgramSetting("Input", "DefaultSource"), "1");
    EXPECT_EQ(ui::ReadProgramSetting("Input", "Search"), "1");
    EXPECT_EQ(ui::ReadProgramSetting("Search", "Search"), "0");
    EXPECT_EQ(ui::ReadProgramSetting("Display", "List"), "82");  // 242 - 48 + 16 - 128
}

TEST_F(OptionsTest, BibliographyColourRepaintsTheLists)
{
    HWND frame = LaunchWithFile(3);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(AddAllToBibliography(frame));
    HWND source = ui::DatabaseWindows(frame).back();
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, source));
    HWND list = ui::ListOf(source);
    ASSERT_TRUE(ui::SelectLines(list, {}));
    HWND dialog = Open(frame, CMD_OPT_BIB_COLOUR);
    ASSERT_TRUE(dialog);
    SetDlgItemTextA(dialog, COLOR_RED, "0");
    SetDlgItemTextA(dialog, COLOR_GREEN, "128");
    SetDlgItemTextA(dialog, COLOR_BLUE, "0");
    ASSERT_TRUE(ui::CloseBox(dialog));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_TRUE(ui::LineShows(list, 0, RGB(0, 128, 0)));
    EXPECT_FALSE(ui::LineShows(list, 0, RGB(0, 0, 255), false));
    SaveShot("green");
    EXPECT_EQ(Saved(frame, "Display", "BibCol1"), "32768");
}

TEST_F(OptionsTest, FormatsAreCreatedEditedAndDeletedWithALiveExample)
{
    HKEY machine = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMachineFormats, 0, nullptr, 0, KEY_WRITE,
                              nullptr, &machine, nullptr), ERROR_SUCCESS);
    RegSetValueExA(machine, "Titles", 0, REG_SZ, reinterpret_cast<const BYTE*>("<T@>"), 5);
    RegCloseKey(machine);
    HWND frame = LaunchWithFile(2);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(AddAllToBibliography(frame));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPT_FORMATTED_BIB));
    HWND formats = Open(frame, CMD_OPT_BIB_FORMAT);
    ASSERT_TRUE(formats);
    HWND list = GetDlgItem(formats, IDC_BIBFMT_LIST);
    HWND example = GetDlgItem(formats, IDC_BIBFMT_EXAMPLE);
    EXPECT_EQ(ui::ListBoxTexts(list), std::vector<std::string>({"Titles"}));
    EXPECT_EQ(ui::TextOf(example), "An exciting paper\r\n\r\n");

    // A new format: refused while it has a line break or is too long to read back; the
    // example follows the typing.
    ASSERT_TRUE(ui::PressButton(formats, IDC_BIBFMT_NEW));
    HWND name = Dialog("", formats);
    ASSERT_TRUE(name);
    SetDlgItemTextA(name, IDC_BIBNAME_NAME, std::string(255, 'n').c_str());
    EXPECT_EQ(Refusal(name).substr(0, 20), "This name is too lon");
    SetDlgItemTextA(name, IDC_BIBNAME_NAME, "Short");
    ASSERT_TRUE(ui::CloseBox(name));
    HWND edit = Dialog("", formats);
    ASSERT_TRUE(edit);
    EXPECT_EQ(ui::TextOf(edit), "Short");
    SetDlgItemTextA(edit, IDC_EDITBIB_TEXT, "<A2@>\r\n<T@>");
    EXPECT_EQ(Refusal(edit).substr(0, 35), "There is a line break in this forma");
    SetDlgItemTextA(edit, IDC_EDITBIB_TEXT, ("<T@>" + std::string(251, '.')).c_str());
    EXPECT_EQ(Refusal(edit).substr(0, 22), "This format is too lon");
    ui::Type(edit, IDC_EDITBIB_TEXT, "<A2@> - <T@>");
    EXPECT_EQ(ui::TextOf(example), "Bloggs, F - An exciting paper\r\n\r\n");
    SaveShot("editbib");
    ASSERT_TRUE(ui::CloseBox(edit));
    EXPECT_EQ(ui::ListBoxTexts(list), std::vector<std::string>({"Short", "Titles"}));
    EXPECT_EQ(ui::ListBoxSelection(list), std::vector<int>({0}));
    EXPECT_EQ(ui::ReadProgramSetting("Formats", "Short"), "<A2@> - <T@>");

    // The same name in other letters is refused.
    ASSERT_TRUE(ui::PressButton(formats, IDC_BIBFMT_NEW));
    name = Dialog("", formats);
    SetDlgItemTextA(name, IDC_BIBNAME_NAME, "titles");
    EXPECT_EQ(Refusal(name, formats), "A format with this name already exists!");

    // OK makes it current: the formatted bibliography follows.
    ASSERT_TRUE(ui::CloseBox(formats));
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    const std::string reformatted =
        "Author1000, A - A paper 1000\r\n\r\nAuthor1001, A - A paper 1001\r\n\r\n";
    EXPECT_EQ(ui::WaitForText(GetDlgItem(bibliography, IDC_DBWIN_TEXT), reformatted), reformatted);

    // Deleting leaves no selection; OK then keeps the current format.
    formats = Open(frame, CMD_OPT_BIB_FORMAT);
    ASSERT_TRUE(formats);
    SendMessageA(formats, WM_COMMAND, MAKEWPARAM(IDC_BIBFMT_DELETE, BN_CLICKED), 0);
    EXPECT_EQ(ui::ListBoxTexts(GetDlgItem(formats, IDC_BIBFMT_LIST)),
              std::vector<std::string>({"Titles"}));
    EXPECT_EQ(ui::ReadProgramSetting("Formats", "Short"), ui::kMissing);
    ASSERT_TRUE(ui::CloseBox(formats));
    EXPECT_EQ(Saved(frame, "Bibliography", "Format"), "Short");
}

}  // namespace
