// File transfers as the user makes them: the open and save dialogs, the format choice for
// import, export and the default file format, the save question when a window closes or the
// program ends, and the messages of transfers that fail.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>

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

int IndexOf(const std::vector<std::string>& texts, const std::string& text)
{
    auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

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
}

TEST_F(TransferDialogs, ImportThroughTheFormatChoiceAndExport)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_IMPORT));
    HWND choice = Dialog("Choose format to import...");
    ASSERT_TRUE(choice);
    const std::vector<std::string> formats = ui::ListBoxTexts(GetDlgItem(choice, IDC_IMPOPT_LIST));
    EXPECT_EQ(formats.size(), 4u);
    const int pubtag = IndexOf(formats, "pubtag format");
    ASSERT_GE(pubtag, 0);
    EXPECT_FALSE(IsEnabled(choice, IDOK));
    EXPECT_FALSE(IsEnabled(choice, IDC_IMPOPT_OPTIONS));
    SelectFormat(choice, pubtag);
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(choice, IDOK); }));
    EXPECT_TRUE(IsEnabled(choice, IDC_IMPOPT_OPTIONS));
    SaveWindowShot(choice, "TransferDialogs.ImportFormatChoice");
    ASSERT_TRUE(ui::PressButton(choice, IDOK));
    HWND open = Dialog("Open");
    ASSERT_TRUE(open);
    ASSERT_TRUE(ChooseFile(open, DataFile("pubtag/tags.ptg")));
    // Imported references are untitled: they are saved under a name of the user's choice.
    HWND window = WaitForDatabaseWindow(frame, "Untitled");
    ASSERT_TRUE(window) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(WaitUntil([&] { return LineCount(window) == 4; }));

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXPORT));
    choice = Dialog("Choose format to export...");
    ASSERT_TRUE(choice);
    EXPECT_EQ(ui::ListBoxTexts(GetDlgItem(choice, IDC_IMPOPT_LIST)),
              std::vector<std::string>{"Refer format"});
    SaveWindowShot(choice, "TransferDialogs.ExportFormatChoice");
    SelectFormat(choice, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(choice, IDOK); }));
    ASSERT_TRUE(ui::PressButton(choice, IDOK));
    HWND save = Dialog("Save As");
    ASSERT_TRUE(save);
    ASSERT_TRUE(ChooseFile(save, Path("exported.ref")));
    EXPECT_TRUE(WaitForDatabaseWindow(frame, Path("exported.ref")));
    EXPECT_NE(ReadFile(Path("exported.ref")).find("%T Split fills the empty fields"),
              std::string::npos);
}

// A double click with no format selected chooses nothing: an empty default format would make
// every later open and save fail.
TEST_F(TransferDialogs, DefaultFileFormatIsChosenOnlyWithAFormatSelected)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::PostCommand(frame, CMD_OPT_DEFAULT_FORMAT));
    HWND choice = Dialog("Choose default file format to use");
    ASSERT_TRUE(choice);
    HWND list = GetDlgItem(choice, IDC_IMPOPT_LIST);
    EXPECT_EQ(ui::ListBoxTexts(list), std::vector<std::string>{"Refer format"});
    SaveWindowShot(choice, "TransferDialogs.DefaultFormatChoice");
    RECT area = {};
    GetClientRect(list, &area);
    DoubleClickList(choice, 10, area.bottom - 4);  // below the only entry
    DWORD_PTR result = 0;
    SendMessageTimeoutA(choice, WM_NULL, 0, 0, SMTO_NORMAL, ui::kDefaultWaitMs, &result);
    EXPECT_TRUE(IsWindowVisible(choice));
    EXPECT_FALSE(IsEnabled(choice, IDOK));

    // The filter shows its own options over the dialog.
    SelectFormat(choice, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(choice, IDC_IMPOPT_OPTIONS); }));
    ASSERT_TRUE(ui::PressButton(choice, IDC_IMPOPT_OPTIONS));
    HWND options = Dialog("BSD refer filter");
    ASSERT_TRUE(options);
    ASSERT_TRUE(ui::PressButton(options, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }));

    DoubleClickList(choice, 10, 4);  // on the entry
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(choice); }));
    // Open now asks with the chosen format's file types.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_OPEN));
    HWND open = Dialog("Open");
    ASSERT_TRUE(open);
    EXPECT_EQ(ui::TextOf(GetDlgItem(open, cmb1)), "Refer text file (*.ref)");
    ui::PressButton(open, IDCANCEL);
}

}  // namespace
