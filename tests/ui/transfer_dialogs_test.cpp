// File transfers as the user makes them: the open and save dialogs, the format choice for
// import, export and the default file format, the save question when a window closes or the
// program ends, and the messages of transfers that fail.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "ids.h"
#include "transfer_driver.h"

using namespace transfer_ui;

namespace {

class TransferDialogs : public TransferUiTest {
protected:
    // Starts the program and gives `command`: the format choice titled `title`, or null.
    HWND LaunchFormatChoice(int command, const std::string& title, HWND& frame)
    {
        frame = Launch();
        return frame && ui::PostCommand(frame, command) ? Dialog(title) : nullptr;
    }
};

int IndexOf(const std::vector<std::string>& texts, const std::string& text)
{
    auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

TEST_F(TransferDialogs, OpenSaveAsAndSaveThroughTheFileDialogs)
{
    const std::string lib = Path("lib.ref");
    ASSERT_TRUE(WriteFile(lib, ReferText(0, 130)));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ui::ProbeHook probe(frame);
    ASSERT_TRUE(ui::RecordTexts(probe, IDC_PROGRESS_TEXT));

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_OPEN));
    HWND open = Dialog("Open");
    ASSERT_TRUE(open);
    SaveWindowShot(open, "TransferDialogs.OpenDialog");
    ASSERT_TRUE(ChooseFile(open, lib));
    HWND window = WaitForDatabaseWindow(frame, lib);
    ASSERT_TRUE(window) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(WaitUntil([&] { return LineCount(window) == 130; }));

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
    EXPECT_EQ(ui::RecordedTexts(probe),
              (std::vector<std::string>{"Loaded 64 references", "Loaded 128 references",
                                        "Saved 0 references", "Saved 64 references",
                                        "Saved 128 references"}));

    // Save keeps the file it replaces as the backup.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE));
    EXPECT_TRUE(WaitUntil([&] { return !ReadFile(Path("copy.BAK")).empty(); }));
    EXPECT_EQ(ReadFile(Path("copy.BAK")), saved);
    EXPECT_EQ(ReadFile(copy), saved);
}

TEST_F(TransferDialogs, ImportThroughTheFormatChoiceAndExport)
{
    HWND frame = nullptr;
    HWND choice = LaunchFormatChoice(CMD_FILE_IMPORT, "Choose format to import...", frame);
    ASSERT_TRUE(choice);
    const std::vector<std::string> formats = ui::ListBoxTexts(GetDlgItem(choice, IDC_IMPOPT_LIST));
    EXPECT_EQ(formats.size(), 6u);
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
    const std::vector<std::string> saving = ui::ListBoxTexts(GetDlgItem(choice, IDC_IMPOPT_LIST));
    EXPECT_EQ(saving, (std::vector<std::string>{"BibTeX format", "Refer format", "RIS format"}));
    SaveWindowShot(choice, "TransferDialogs.ExportFormatChoice");
    SelectFormat(choice, IndexOf(saving, "Refer format"));
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
    HWND frame = nullptr;
    HWND choice =
        LaunchFormatChoice(CMD_OPT_DEFAULT_FORMAT, "Choose default file format to use", frame);
    ASSERT_TRUE(choice);
    HWND list = GetDlgItem(choice, IDC_IMPOPT_LIST);
    const std::vector<std::string> saving = ui::ListBoxTexts(list);
    EXPECT_EQ(saving, (std::vector<std::string>{"BibTeX format", "Refer format", "RIS format"}));
    const int refer = IndexOf(saving, "Refer format");
    ASSERT_GE(refer, 0);
    SaveWindowShot(choice, "TransferDialogs.DefaultFormatChoice");
    RECT area = {};
    GetClientRect(list, &area);
    DoubleClickList(choice, 10, area.bottom - 4);  // below the last entry
    DWORD_PTR result = 0;
    SendMessageTimeoutA(choice, WM_NULL, 0, 0, SMTO_NORMAL, ui::kDefaultWaitMs, &result);
    EXPECT_TRUE(IsWindowVisible(choice));
    EXPECT_FALSE(IsEnabled(choice, IDOK));

    // The filter shows its own options over the dialog.
    SelectFormat(choice, refer);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(choice, IDC_IMPOPT_OPTIONS); }));
    ASSERT_TRUE(ui::PressButton(choice, IDC_IMPOPT_OPTIONS));
    HWND options = Dialog("BSD refer filter");
    ASSERT_TRUE(options);
    ASSERT_TRUE(ui::PressButton(options, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }));

    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    DoubleClickList(choice, 10, refer * height + 4);  // on the entry
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(choice); }));
    // Open now asks with the chosen format's file types.
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_OPEN));
    HWND open = Dialog("Open");
    ASSERT_TRUE(open);
    EXPECT_EQ(ui::TextOf(GetDlgItem(open, cmb1)), "Refer text file (*.ref)");
    ui::PressButton(open, IDCANCEL);
}

// Closing a changed window, or the program, asks whether to save: Cancel keeps both.
TEST_F(TransferDialogs, SaveQuestionOnCloseAndOnExit)
{
    const std::string lib = Path("lib.ref");
    HWND frame = nullptr;
    HWND window = LaunchWithFile(lib, 5, frame);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(window), {0}));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_REF_DELETE));
    ASSERT_NE(AnswerMessage(program_.Pid(), IDYES), "");
    ASSERT_TRUE(WaitUntil([&] { return LineCount(window) == 4; }));

    const std::string question = lib + "|Current file has changed\nDo you want to save?";
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_CLOSE));
    HWND box = WaitForMessageBox(program_.Pid());
    EXPECT_EQ(MessageText(box), question);
    SaveWindowShot(box, "TransferDialogs.SaveQuestion");
    Dismiss(box, IDCANCEL);
    EXPECT_TRUE(IsWindow(window));

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    EXPECT_EQ(AnswerMessage(program_.Pid(), IDCANCEL), question);
    EXPECT_EQ(program_.WaitForExit(500), ui::kExitTimedOut);
    EXPECT_TRUE(IsWindow(window));

    const std::string original = ReadFile(lib);
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    EXPECT_EQ(AnswerMessage(program_.Pid(), IDYES), question);
    EXPECT_EQ(ExitCode(), 0);
    EXPECT_EQ(ReadFile(lib), ReferText(1, 4));
    EXPECT_EQ(ReadFile(Path("lib.BAK")), original);
}

// A file that is not there or cannot be read, and a format filter that is missing or cannot
// save: each is reported, and nothing opens or changes.
TEST_F(TransferDialogs, FilesAndFiltersThatFailAreReported)
{
    const std::string lib = Path("lib.ref");
    ASSERT_TRUE(WriteFile(lib, ReferText(0, 3)));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HandOverNoWait(frame, Path("gone.ref"));
    HWND box = WaitForMessageBox(program_.Pid());
    EXPECT_EQ(MessageText(box), "Error|Cannot open data file");
    SaveWindowShot(box, "TransferDialogs.CannotOpenDataFile");
    Dismiss(box, IDOK);

    // Another program holds the file with no sharing.
    HANDLE held = CreateFileA(lib.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HandOverNoWait(frame, lib);
    box = WaitForMessageBox(program_.Pid());
    const std::string message = MessageText(box);
    EXPECT_EQ(message.rfind("mmioOpen() failed|MMIOINFO.wErrorRet contains: ", 0), 0u) << message;
    SaveWindowShot(box, "TransferDialogs.FileCannotBeOpened");
    Dismiss(box, IDOK);
    CloseHandle(held);
    EXPECT_TRUE(ui::DatabaseWindows(frame).empty());
    program_.Terminate();

    ASSERT_TRUE(ui::SetProgramSetting("Files", "Format", "NOSUCH.FLT"));
    frame = Launch();
    ASSERT_TRUE(frame);
    HandOverNoWait(frame, lib);
    box = WaitForMessageBox(program_.Pid());
    EXPECT_EQ(MessageText(box),
              "Error|The file format filter NOSUCH.FLT cannot be used.\nIt is missing from the "
              "program's folder, or it cannot read or write files of this kind.");
    SaveWindowShot(box, "TransferDialogs.FilterCannotBeUsed");
    Dismiss(box, IDOK);
    EXPECT_TRUE(ui::DatabaseWindows(frame).empty());
    program_.Terminate();

    // A default format that reads but cannot write.
    const std::string tags = Path("tags.ptg");
    ASSERT_TRUE(CopyFileA(DataFile("pubtag/tags.ptg").c_str(), tags.c_str(), FALSE));
    const std::string original = ReadFile(tags);
    ASSERT_TRUE(ui::SetProgramSetting("Files", "Format", "PUBTAG.FLT"));
    frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::HandOver(frame, tags));
    ASSERT_TRUE(WaitForDatabaseWindow(frame, tags));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE));
    const std::string cannotSave = AnswerMessage(program_.Pid(), IDOK);
    EXPECT_NE(cannotSave.find("The file format filter PUBTAG.FLT cannot be used."),
              std::string::npos) << cannotSave;
    EXPECT_EQ(ReadFile(tags), original);
}

// A save that fills the disk leaves the old file as it was and says so.
TEST_F(TransferDialogs, SaveOnAFullDiskKeepsTheOldFile)
{
    if (!MountSmallFileSystem("small"))
        GTEST_SKIP() << "no small file system can be mounted here";
    const std::string small = Path("small");
    const std::string lib = small + "\\lib.ref";
    const std::string text = ReferText(0, 560);  // over half of the file system
    ASSERT_TRUE(WriteFile(lib, text));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::HandOver(frame, lib));
    ASSERT_TRUE(WaitForDatabaseWindow(frame, lib));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE));
    HWND box = WaitForMessageBox(program_.Pid());
    const std::string message = MessageText(box);
    EXPECT_EQ(message.rfind("Error|Cannot save " + lib + ".\n", 0), 0u) << message;
    EXPECT_NE(message.find("The disk may be full. The file was left as it was."),
              std::string::npos) << message;
    SaveWindowShot(box, "TransferDialogs.DiskFull");
    Dismiss(box, IDOK);
    EXPECT_EQ(ReadFile(lib), text);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((small + "\\*.*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(files, 1);  // neither the new file nor a backup is left behind
}

// A name longer than a file name may be is refused whole, in the save dialog and when
// another instance hands it over: cut, it would name another file.
TEST_F(TransferDialogs, FileNamesTooLongAreRefused)
{
    const std::string lib = Path("lib.ref");
    HWND frame = nullptr;
    HWND window = LaunchWithFile(lib, 5, frame);
    ASSERT_TRUE(window);
    HandOverNoWait(frame, Path(std::string(300, 'h') + ".ref"));
    EXPECT_EQ(AnswerMessage(program_.Pid(), IDOK), "Error|Cannot open data file");
    EXPECT_EQ(ui::DatabaseWindows(frame).size(), 1u);

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE_AS));
    HWND save = Dialog("Save As");
    ASSERT_TRUE(save);
    const std::string tooLong = Path(std::string(300, 'n') + ".ref");
    ASSERT_TRUE(ChooseFile(save, tooLong));
    HWND box = Dialog("Error");
    std::string message = ui::DialogText(box);
    message.erase(std::remove(message.begin(), message.end(), '\n'), message.end());
    EXPECT_EQ(message, "This file name is too long:" + tooLong +
                           "A file name may have at most 259 characters.");
    SaveWindowShot(box, "TransferDialogs.FileNameTooLong");
    Dismiss(box, IDOK);
    EXPECT_TRUE(IsWindowVisible(save));  // the user may correct the name
    Dismiss(save, IDCANCEL);
    EXPECT_EQ(ui::TextOf(window), lib);
    EXPECT_EQ(ReadFile(lib), ReferText(0, 5));
}

// The bibliography shown formatted is saved as the text it shows.
TEST_F(TransferDialogs, FormattedBibliographyIsSavedAsText)
{
    const std::string lib = Path("lib.ref");
    HWND frame = nullptr;
    HWND window = LaunchWithFile(lib, 5, frame);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(window), {1, 3}));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_REF_ADD_TO_BIB));
    HWND bibliography = WaitForDatabaseWindow(frame, "Bibliography");
    ASSERT_TRUE(bibliography);
    ASSERT_TRUE(ui::PostCommand(frame, CMD_OPT_FORMATTED_BIB));
    HWND text = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (text = GetDlgItem(bibliography, IDC_DBWIN_TEXT)) != nullptr; }));
    const std::string shown = ui::TextOf(text);
    ASSERT_NE(shown.find("Author00003"), std::string::npos) << shown;

    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, bibliography));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_SAVE_AS));
    HWND save = Dialog("Save As");
    ASSERT_TRUE(save);
    EXPECT_EQ(ui::TextOf(GetDlgItem(save, cmb1)), "Text file  (*.txt)");
    ASSERT_TRUE(ChooseFile(save, Path("bibliography")));
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(Path("bibliography.txt")) == shown; }));
}

}  // namespace
