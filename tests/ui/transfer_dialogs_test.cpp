// File transfers as the user makes them: the open and save dialogs, the format choice for
// import, export and the default file format, the save question when a window closes or the
// program ends, and the messages of transfers that fail.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "program_test.h"

namespace {

using TransferDialogs = ProgramTest;

// A path in tests/data of the source tree.
std::string DataFile(const std::string& name)
{
    std::string path = std::string(CARTULAN_TEST_DATA_DIR) + "\\" + name;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The file name field: an edit of its own in the older dialogs, the edit of a combo box
// (itself inside an extended combo box) in the explorer-style ones.
HWND FileNameField(HWND window)
{
    for (HWND child : ui::ChildrenOf(window)) {
        const int id = GetDlgCtrlID(child);
        if (ui::ClassOf(child) == "Edit" && (id == edt1 || id == cmb13))
            return child;
        if (HWND edit = FileNameField(child))
            return edit;
    }
    return nullptr;
}

// Types `name` into the file name field of an open or save dialog and presses its OK.
bool ChooseFile(HWND dialog, const std::string& name)
{
    HWND field = dialog ? FileNameField(dialog) : nullptr;
    DWORD_PTR result = 0;
    return field &&
           SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                               SMTO_NORMAL, ui::kDefaultWaitMs, &result) &&
           ui::PressButton(dialog, IDOK);
}

// Left clicks (a double click when `twice`) at a point of a format choice's list, in its
// client coordinates; a line's middle when `y` is given as a line number.
void ClickFormatList(HWND dialog, int x, int y, bool twice = false)
{
    HWND list = GetDlgItem(dialog, IDC_IMPOPT_LIST);
    const UINT clicks[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (int i = 0; i < (twice ? 4 : 2); ++i)
        PostMessageA(list, clicks[i], clicks[i] == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

void SelectFormat(HWND dialog, const std::string& format)
{
    HWND list = GetDlgItem(dialog, IDC_IMPOPT_LIST);
    const std::vector<std::string> texts = ui::ListBoxTexts(list);
    const int index = static_cast<int>(std::find(texts.begin(), texts.end(), format) - texts.begin());
    ASSERT_LT(index, static_cast<int>(texts.size())) << format;
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ClickFormatList(dialog, 10, index * height + height / 2);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(dialog, IDOK); }));
}

int LineCount(HWND window)
{
    return ui::ListBoxCount(ui::ListOf(window));
}

TEST_F(TransferDialogs, OpenSaveAsAndSaveThroughTheFileDialogs)
{
    const std::string lib = Write("lib.ref", ui::ReferText(0, 130));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HWND open = Open(frame, CMD_FILE_OPEN, "Open");
    SaveShot("open");
    ASSERT_TRUE(ChooseFile(open, lib));
    HWND window = ui::DatabaseWindowTitled(frame, lib, ui::kDefaultWaitMs);
    ASSERT_TRUE(window) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(ui::WaitUntil([&] { return LineCount(window) == 130; }));

    // Save as adds the filter's extension to a name without one.
    ASSERT_TRUE(ChooseFile(Open(frame, CMD_FILE_SAVE_AS, "Save As"), Path("copy")));
    const std::string copy = Path("copy.REF");
    ASSERT_TRUE(ui::DatabaseWindowTitled(frame, copy, ui::kDefaultWaitMs));
    EXPECT_EQ(ui::FileText(copy), ui::FileText(lib));
}

TEST_F(TransferDialogs, ImportThroughTheFormatChoiceAndExport)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HWND choice = Open(frame, CMD_FILE_IMPORT, "Choose format to import...");
    ASSERT_TRUE(choice);
    EXPECT_EQ(ui::ListBoxCount(GetDlgItem(choice, IDC_IMPOPT_LIST)), 6);
    EXPECT_FALSE(ui::IsEnabled(choice, IDOK) || ui::IsEnabled(choice, IDC_IMPOPT_OPTIONS));
    SelectFormat(choice, "pubtag format");
    EXPECT_TRUE(ui::IsEnabled(choice, IDC_IMPOPT_OPTIONS));
    SaveShot("import");
    ASSERT_TRUE(ui::PressButton(choice, IDOK));
    ASSERT_TRUE(ChooseFile(Dialog("Open", choice), DataFile("pubtag/tags.ptg")));
    // Imported references are untitled: they are saved under a name of the user's choice.
    HWND window = ui::DatabaseWindowTitled(frame, "Untitled", ui::kDefaultWaitMs);
    ASSERT_TRUE(window) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(ui::WaitUntil([&] { return LineCount(window) == 4; }));

    choice = Open(frame, CMD_FILE_EXPORT, "Choose format to export...");
    ASSERT_TRUE(choice);
    EXPECT_EQ(ui::ListBoxTexts(GetDlgItem(choice, IDC_IMPOPT_LIST)),
              (std::vector<std::string>{"BibTeX format", "Refer format", "RIS format"}));
    SelectFormat(choice, "Refer format");
    ASSERT_TRUE(ui::PressButton(choice, IDOK));
    ASSERT_TRUE(ChooseFile(Dialog("Save As", choice), Path("exported.ref")));
    EXPECT_TRUE(ui::DatabaseWindowTitled(frame, Path("exported.ref"), ui::kDefaultWaitMs));
    EXPECT_NE(ui::FileText(Path("exported.ref")).find("%T Split fills the empty fields"),
              std::string::npos);
}

// A double click with no format selected chooses nothing: an empty default format would make
// every later open and save fail.
TEST_F(TransferDialogs, DefaultFileFormatIsChosenOnlyWithAFormatSelected)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HWND choice = Open(frame, CMD_OPT_DEFAULT_FORMAT, "Choose default file format to use");
    ASSERT_TRUE(choice);
    HWND list = GetDlgItem(choice, IDC_IMPOPT_LIST);
    EXPECT_EQ(ui::ListBoxTexts(list),
              (std::vector<std::string>{"BibTeX format", "Refer format", "RIS format"}));
    SaveShot("choice");
    RECT area = {};
    GetClientRect(list, &area);
    ClickFormatList(choice, 10, area.bottom - 4, true);  // below the last entry
    ASSERT_TRUE(ui::Sync(choice));
    EXPECT_TRUE(IsWindowVisible(choice));
    EXPECT_FALSE(ui::IsEnabled(choice, IDOK));

    // The filter shows its own options over the dialog.
    SelectFormat(choice, "Refer format");
    ASSERT_TRUE(ui::PressButton(choice, IDC_IMPOPT_OPTIONS));
    EXPECT_TRUE(ui::CloseBox(Dialog("BSD refer filter", choice), IDCANCEL));

    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ClickFormatList(choice, 10, height + 4, true);  // on the entry
    EXPECT_TRUE(ui::WaitUntil([&] { return !IsWindow(choice); }));
    // Open now asks with the chosen format's file types.
    HWND open = Open(frame, CMD_FILE_OPEN, "Open");
    ASSERT_TRUE(open);
    EXPECT_EQ(ui::TextOf(GetDlgItem(open, cmb1)), "Refer text file (*.ref)");
    ui::PressButton(open, IDCANCEL);
}

// Closing a changed window, or the program, asks whether to save: Cancel keeps both.
TEST_F(TransferDialogs, SaveQuestionOnCloseAndOnExit)
{
    HWND frame = LaunchWithFile(5);
    ASSERT_TRUE(frame);
    HWND window = ui::ActiveDatabaseWindow(frame);
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(window), {0}));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_REF_DELETE));
    ASSERT_NE(Answer(IDYES), "(none)");
    ASSERT_TRUE(ui::WaitUntil([&] { return LineCount(window) == 4; }));

    const std::string question = file_ + "|Current file has changed\nDo you want to save?";
    ASSERT_TRUE(Open(frame, CMD_FILE_CLOSE));
    SaveShot("question");
    EXPECT_EQ(Answer(IDCANCEL), question);
    EXPECT_TRUE(IsWindow(window));

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    EXPECT_EQ(Answer(IDCANCEL), question);
    EXPECT_EQ(program_.WaitForExit(500), ui::kExitTimedOut);
    EXPECT_TRUE(IsWindow(window));

    const std::string original = ui::FileText(file_);
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    EXPECT_EQ(Answer(IDYES), question);
    EXPECT_EQ(ExitCode(), 0);
    EXPECT_EQ(ui::FileText(file_), ui::ReferText(1, 4));
    EXPECT_EQ(ui::FileText(Path("refs.BAK")), original);
}

// A file that is not there or cannot be read, and a format filter that is missing: each is
// reported, and nothing opens.
TEST_F(TransferDialogs, FilesAndFiltersThatFailAreReported)
{
    const std::string lib = Write("lib.ref", ui::ReferText(0, 3));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ui::HandOver(frame, Path("gone.ref"), false);
    EXPECT_EQ(Answer(), "Error|Cannot open data file");

    // Another program holds the file with no sharing.
    HANDLE held = CreateFileA(lib.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ui::HandOver(frame, lib, false);
    ASSERT_TRUE(Dialog());
    SaveShot("held");
    const std::string message = Answer();
    EXPECT_EQ(message.rfind("mmioOpen() failed|MMIOINFO.wErrorRet contains: ", 0), 0u) << message;
    CloseHandle(held);
    EXPECT_TRUE(ui::DatabaseWindows(frame).empty());
    program_.Terminate();

    ASSERT_TRUE(ui::SetProgramSetting("Files", "Format", "NOSUCH.FLT"));
    frame = Launch();
    ASSERT_TRUE(frame);
    ui::HandOver(frame, lib, false);
    EXPECT_EQ(Answer(), "Error|The file format filter NOSUCH.FLT cannot be used.\nIt is missing from "
                        "the program's folder, or it cannot read or write files of this kind.");
    EXPECT_TRUE(ui::DatabaseWindows(frame).empty());
}

// A name longer than a file name may be is refused whole, in the save dialog and when
// another instance hands it over: cut, it would name another file.
TEST_F(TransferDialogs, FileNamesTooLongAreRefused)
{
    HWND frame = LaunchWithFile(5);
    ASSERT_TRUE(frame);
    HWND window = ui::ActiveDatabaseWindow(frame);
    ui::HandOver(frame, Path(std::string(300, 'h') + ".ref"), false);
    EXPECT_EQ(Answer(), "Error|Cannot open data file");
    EXPECT_EQ(ui::DatabaseWindows(frame).size(), 1u);

    HWND save = Open(frame, CMD_FILE_SAVE_AS, "Save As");
    const std::string tooLong = Path(std::string(300, 'n') + ".ref");
    ASSERT_TRUE(ChooseFile(save, tooLong));
    ASSERT_TRUE(Dialog("Error", save));
    SaveShot("too-long");
    std::string message = Answer(IDOK, save);
    message.erase(std::remove(message.begin(), message.end(), '\n'), message.end());
    EXPECT_EQ(message, "Error|This file name is too long:" + tooLong +
                           "A file name may have at most 259 characters.");
    EXPECT_TRUE(IsWindowVisible(save));  // the user may correct the name
    EXPECT_TRUE(ui::CloseBox(save, IDCANCEL));
    EXPECT_EQ(ui::TextOf(window), file_);
    EXPECT_EQ(ui::FileText(file_), ui::ReferText(0, 5));
}

}  // namespace
