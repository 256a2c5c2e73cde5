// Search windows, the keywords dialog and dragging references with the right mouse button.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "program_test.h"

namespace {

constexpr COLORREF kBibliographyBlue = RGB(0, 0, 255);

// Four papers: three about gears (two of them with the keyword "alpha"), one about pumps.
const char kPapers[] =
    "%A Adams, A\r\n%D 1990\r\n%T Gear trains\r\n%K alpha\r\n\r\n"
    "%A Baker, B\r\n%D 1991\r\n%T Worm gears\r\n%K alpha\r\n\r\n"
    "%A Cole, C\r\n%D 1992\r\n%T Pumps\r\n\r\n"
    "%A Dunn, D\r\n%D 1993\r\n%T Gear boxes\r\n%K alpha\r\n\r\n";

class SearchProgramTest : public ProgramTest {
protected:
    // Posts a search command, fills its dialog and presses OK. Returns the dialog's title;
    // whether "Case sensitive" was checked at its start is kept in caseAtStart_.
    std::string RunSearch(HWND frame, int command, int field, const std::string& text)
    {
        HWND dialog = Open(frame, command);
        if (!dialog)
            return "";
        caseAtStart_ = IsDlgButtonChecked(dialog, IDC_SEARCH_CASE) == BST_CHECKED;
        std::string title = ui::TextOf(dialog);
        SendDlgItemMessageA(dialog, IDC_SEARCH_FIELD, CB_SETCURSEL, field - 1, 0);
        SetWindowTextA(GetDlgItem(dialog, IDC_SEARCH_TEXT), text.c_str());
        if (command == CMD_SEARCH_NEW && text == "gear")  // for a person to look at
            SaveShot("newsrch");
        ui::PressButton(dialog, IDOK);
        dialog_ = dialog;
        return title;
    }

    // The message box that answers the last search, as Answer gives it.
    std::string Result(int button = IDOK) { return Answer(button, dialog_); }
    std::string ResultText(int button = IDOK) { return AnswerText(button, dialog_); }

    bool caseAtStart_ = false;
    HWND dialog_ = nullptr;
};

using Search = SearchProgramTest;

// A new search gathers the searchable windows into a window titled by its description; a
// narrowing keeps its matches, an expansion adds from every searchable window, each reported
// with the whole list's count and the description in braces.
TEST_F(Search, NewNarrowAndExpandAreTitledAndReportedByTheirDescription)
{
    std::string papers = Write("papers.ref", kPapers);
    std::string other = Write("other.ref", "%A Eve, E\r\n%D 1994\r\n%T Gear oils\r\n\r\n");
    HWND frame = LaunchWith({papers, other});
    ASSERT_TRUE(frame);
    HWND otherWindow = ui::DatabaseWindowTitled(frame, other);
    ASSERT_TRUE(otherWindow);
    HWND searchable = GetDlgItem(otherWindow, IDC_DBWIN_SEARCHABLE);
    SendMessageA(searchable, BM_CLICK, 0, 0);
    ASSERT_EQ(SendMessageA(searchable, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    EXPECT_EQ(RunSearch(frame, CMD_SEARCH_NEW, 1, "gear"), "New search...");
    EXPECT_EQ(Result(), "Search Results|Found 3 references satisfying:\nTitle = \"gear\"");
    HWND result = ui::ActiveDatabaseWindow(frame);
    EXPECT_EQ(ui::TextOf(result), "Title = \"gear\"");
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(result)), 3);
    EXPECT_EQ(SendMessageA(GetDlgItem(result, IDC_DBWIN_SEARCHABLE), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    EXPECT_EQ(ui::StatusText(frame), "Title = \"gear\":3");
    SaveShot("result");

    EXPECT_EQ(RunSearch(frame, CMD_SEARCH_NARROW, 1, "worm"), "Narrow Search...");
    EXPECT_EQ(Result(), "Search Results|Found 1 references satisfying:\n"
                        "{ Title = \"gear\" } + { Title = \"worm\" }");
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(result)), 1);

    // Only searchable windows are searched: Eve's gear oils join once her window is.
    EXPECT_EQ(RunSearch(frame, CMD_SEARCH_EXPAND, 4, "dunn"), "Expand Search...");
    const std::string expanded = "{ { Title = \"gear\" } + { Title = \"worm\" } } , { Author = \"dunn\" }";
    EXPECT_EQ(Result(), "Search Results|Found 2 references satisfying:\n" + expanded);
    SendMessageA(searchable, BM_CLICK, 0, 0);
    RunSearch(frame, CMD_SEARCH_EXPAND, 1, "oil");
    EXPECT_EQ(Result(), "Search Results|Found 3 references satisfying:\n{ " + expanded +
                            " } , { Title = \"oil\" }");
    EXPECT_EQ(ui::TextOf(result), "{ " + expanded + " } , { Title = \"oil\" }");
    EXPECT_TRUE(ui::SendCommand(frame, CMD_SEARCH_SHOW_ALL));
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(result)), 3);
    EXPECT_EQ(ui::DatabaseWindows(frame).size(), 3u);
}

// "Case sensitive" starts as the search option says.
TEST_F(Search, AnEmptyTextIsRefusedAndNothingFoundLeavesNoWindow)
{
    ASSERT_TRUE(ui::SetProgramSetting("Input", "Search", "1"));
    HWND frame = LaunchWith({Write("papers.ref", kPapers)});
    ASSERT_TRUE(frame);
    HWND papers = ui::ActiveDatabaseWindow(frame);
    RunSearch(frame, CMD_SEARCH_NEW, 1, "");
    EXPECT_TRUE(caseAtStart_);
    EXPECT_EQ(ResultText(), "A valid search string is required");
    ASSERT_TRUE(IsWindowVisible(dialog_));  // still there for a text
    SetWindowTextA(GetDlgItem(dialog_, IDC_SEARCH_TEXT), "sprockets");
    ui::PressButton(dialog_, IDOK);
    EXPECT_EQ(ResultText(), "No matching references were found");
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::DatabaseWindows(frame), std::vector<HWND>{papers});

    // A narrowing that finds nothing leaves the window as it was.
    RunSearch(frame, CMD_SEARCH_NARROW, 1, "sprockets");
    EXPECT_EQ(ResultText(), "No matching references were found");
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(papers)), 4);
    EXPECT_NE(ui::TextOf(papers).find("papers.ref"), std::string::npos);
}

// The entries of the keywords dialog's list.
std::vector<std::string> Entries(HWND dialog)
{
    return ui::ListBoxTexts(GetDlgItem(dialog, IDC_KEYWORDS_LIST));
}

// The stored keyword list, key by key, as "name=value".
std::vector<std::string> StoredKeywords()
{
    std::vector<std::string> values;
    for (int i = 0; i < 6; ++i) {
        std::string value = ui::ReadProgramSetting("Keywords", std::to_string(i));
        if (value != ui::kMissing)
            values.push_back(std::to_string(i) + "=" + value);
    }
    return values;
}

class Keywords : public SearchProgramTest {
protected:
    HWND OpenDialog(HWND frame)
    {
        return Open(frame, CMD_REF_ADD_KEYWORDS, "Add keyword(s)");
    }

    // Types a keyword and adds it to the list.
    static void Add(HWND dialog, const std::string& keyword)
    {
        SetWindowTextA(GetDlgItem(dialog, IDC_KEYWORDS_TEXT), keyword.c_str());
        EXPECT_TRUE(ui::IsEnabled(dialog, IDC_KEYWORDS_ADD));
        EXPECT_TRUE(ui::Click(dialog, IDC_KEYWORDS_ADD));
    }

    static void Select(HWND dialog, const std::vector<int>& lines)
    {
        EXPECT_TRUE(ui::SelectLines(GetDlgItem(dialog, IDC_KEYWORDS_LIST), lines));
    }
};

// Reading stops at the first missing key; a value too long to read is passed over. Saving
// writes the list as it stands under "0" to n - 1 and nothing else.
TEST_F(Keywords, TheListIsLoadedAndSavedKeyByKey)
{
    ASSERT_TRUE(ui::SetProgramSetting("Keywords", "0", "gears"));
    ASSERT_TRUE(ui::SetProgramSetting("Keywords", "1", std::string(300, 'x')));
    ASSERT_TRUE(ui::SetProgramSetting("Keywords", "2", "wheels"));
    ASSERT_TRUE(ui::SetProgramSetting("Keywords", "4", "beyond the gap"));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    HWND dialog = OpenDialog(frame);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"gears", "wheels"}));
    for (int id : {IDC_KEYWORDS_ADD, IDC_KEYWORDS_EDIT, IDC_KEYWORDS_DELETE, IDOK, IDC_KEYWORDS_SCAN})
        EXPECT_FALSE(ui::IsEnabled(dialog, id)) << id;

    Add(dialog, "Axles");
    Add(dialog, "WHEELS");  // there already, whatever the case
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"Axles", "gears", "wheels"}));
    Select(dialog, {1});
    EXPECT_TRUE(ui::IsEnabled(dialog, IDC_KEYWORDS_EDIT));
    EXPECT_FALSE(ui::IsEnabled(dialog, IDOK));  // nothing to add to
    ui::Click(dialog, IDC_KEYWORDS_EDIT);
    EXPECT_EQ(ui::TextOf(GetDlgItem(dialog, IDC_KEYWORDS_TEXT)), "gears");
    EXPECT_FALSE(ui::IsEnabled(dialog, IDC_KEYWORDS_DELETE));
    Add(dialog, "cogs");
    ui::Click(dialog, IDC_KEYWORDS_SAVE);
    ASSERT_TRUE(ui::CloseBox(dialog, IDCANCEL));
    EXPECT_EQ(StoredKeywords(), (std::vector<std::string>{"0=Axles", "1=cogs", "2=wheels"}));
}

// A scan adds each keyword line once, whatever its case, and passes over lines that begin
// with a blank or a punctuation mark.
TEST_F(Keywords, ScanningTheActiveFileAddsItsKeywordLinesOnce)
{
    HWND frame = LaunchWith({Write("scan.ref",
                                   "%A Adams, A\r\n%D 1990\r\n%T One\r\n%K Gears, wheels,  indented\r\n\r\n"
                                   "%A Baker, B\r\n%D 1991\r\n%T Two\r\n%K GEARS, -dash, 7 axles\r\n\r\n")});
    ASSERT_TRUE(frame);
    HWND dialog = OpenDialog(frame);
    ASSERT_TRUE(dialog);
    ui::Click(dialog, IDC_KEYWORDS_SCAN);
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"7 axles", "Gears", "wheels"}));
    EXPECT_FALSE(ui::IsEnabled(dialog, IDC_KEYWORDS_SCAN));
    EXPECT_TRUE(IsWindowEnabled(dialog));
    SaveShot("scanned");
}

// Add keywords changes the selected references and marks the window modified. The window
// shows a narrowed file: closing or saving it asks first.
TEST_F(Keywords, AddingMarksTheWindowAndSavingANarrowedFileAsksFirst)
{
    std::string file = Write("papers.ref", kPapers);
    HWND frame = LaunchWith({file});
    ASSERT_TRUE(frame);
    HWND window = ui::ActiveDatabaseWindow(frame);
    HWND list = ui::ListOf(window);
    RunSearch(frame, CMD_SEARCH_NARROW, 1, "gear");
    ASSERT_EQ(ResultText(), "Found 3 references satisfying:\n{  } + { Title = \"gear\" }");
    EXPECT_EQ(ui::TextOf(window), file);

    ASSERT_TRUE(ui::SelectLines(list, {0, 1}));
    HWND dialog = OpenDialog(frame);
    Add(dialog, "zest");
    Select(dialog, {0});
    EXPECT_TRUE(ui::IsEnabled(dialog, IDOK));
    // The dialog is gone before the save question is looked for.
    ASSERT_TRUE(ui::CloseBox(dialog, IDOK));
    ASSERT_TRUE(ui::Sync(frame));

    const std::string warning = "This window shows only the references that a narrowing search "
                                "kept from its file.\nSaving replaces the file with these "
                                "references alone: the others in it are lost.\n\n";
    ui::PostClose(window);
    EXPECT_EQ(Answer(IDCANCEL), "Warning!|This window has changed, and it shows only the references "
                                "that a narrowing search kept from its file.\n" + warning.substr(
                                    warning.find("Saving")) + "Do you want to save?");
    EXPECT_TRUE(IsWindow(window));
    ui::PostCommand(frame, CMD_FILE_SAVE);
    EXPECT_EQ(Answer(IDNO), "Warning!|" + warning + "Save anyway?");
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::FileText(file), kPapers);
    ui::PostCommand(frame, CMD_FILE_SAVE);
    EXPECT_EQ(Answer(IDYES), "Warning!|" + warning + "Save anyway?");
    // The save lets messages through while it writes, with the frame disabled until it ends.
    ASSERT_TRUE(ui::Sync(frame));
    ASSERT_TRUE(ui::WaitUntil([&] { return IsWindowEnabled(frame) && ui::Sync(frame); }));
    const std::string saved = ui::FileText(file);
    EXPECT_EQ(saved.find("Pumps"), std::string::npos);
    // Adams and Baker took the keyword; Dunn's keywords are as they were.
    EXPECT_NE(saved.find("%T Gear trains\r\n%K alpha, zest\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("%T Worm gears\r\n%K alpha, zest\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("%T Gear boxes\r\n%K alpha\r\n"), std::string::npos) << saved;
}

// Right-button drags between windows, with real mouse input.
class ReferenceDrag : public SearchProgramTest {
protected:
    // Drags and waits until the program shows the outcome `shown`, or a short while for a
    // drop that should change nothing: the input reaches the program in its own time.
    void Drag(HWND frame, HWND from, int line, HWND to, bool shift = false,
              const std::function<bool()>& shown = nullptr)
    {
        ASSERT_TRUE(ui::RightDrag(from, line, to, shift));
        if (shown)
            ui::WaitUntil(shown);
        else
            Sleep(300);
        ASSERT_TRUE(ui::Sync(frame));
    }
};

// A drop copies the selected references; with Shift it moves them. The program's own
// clipboard is left as it was. Dropped on the bibliography window, the references themselves
// join it: their lines turn to the bibliography colour, and dropping them again adds nothing.
TEST_F(ReferenceDrag, DropCopiesShiftMovesAndTheBibliographyTakesEachOnce)
{
    ASSERT_TRUE(ui::SetProgramSetting("Display", "List", "114"));  // no confirmation
    HWND frame = LaunchWith({Write("papers.ref", kPapers),
                             Write("other.ref", "%A Eve, E\r\n%D 1994\r\n%T Oils\r\n\r\n")});
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_WINDOW_TILE));
    std::vector<HWND> windows = ui::DatabaseWindows(frame);
    HWND papers = ui::ListOf(windows[0]), other = ui::ListOf(windows[1]);
    ASSERT_EQ(ui::ListBoxCount(papers), 4);
    ASSERT_TRUE(ui::SelectLines(papers, {0, 2}));
    Drag(frame, papers, 0, windows[1], false, [&] { return ui::ListBoxCount(other) == 3; });
    EXPECT_EQ(ui::ListBoxCount(other), 3);
    EXPECT_EQ(ui::ListBoxCount(papers), 4);
    EXPECT_FALSE(ui::ToolbarButtonEnabled(frame, CMD_EDIT_PASTE));

    ASSERT_TRUE(ui::SelectLines(papers, {1, 3}));
    Drag(frame, papers, 1, windows[1], true, [&] { return ui::ListBoxCount(papers) == 2; });
    EXPECT_EQ(ui::ListBoxCount(other), 5);
    EXPECT_EQ(ui::ListBoxCount(papers), 2);
    EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 0));
    SaveShot("moved");

    ASSERT_TRUE(ui::SelectLines(other, {4}));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, windows[1]));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_ADD_TO_BIB));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_WINDOW_TILE));
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    ASSERT_TRUE(bibliography);
    ASSERT_TRUE(ui::SelectLines(other, {0, 1}));
    Drag(frame, other, 0, bibliography, false,
         [&] { return ui::ListBoxCount(ui::ListOf(bibliography)) == 3; });
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(bibliography)), 3);
    EXPECT_TRUE(ui::ListBoxSelection(other).empty());
    ASSERT_TRUE(ui::SelectLines(other, {0, 1}));
    Drag(frame, other, 0, bibliography);
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(bibliography)), 3);
    EXPECT_TRUE(ui::LineShows(other, 0, kBibliographyBlue));
    EXPECT_TRUE(ui::LineShows(other, 1, kBibliographyBlue));
    EXPECT_FALSE(ui::LineShows(other, 2, kBibliographyBlue, false));
    EXPECT_EQ(ui::ListBoxCount(other), 5);
}

// With the confirmation on, a drop asks first and No moves nothing. A drop on its own window
// or on a search window is refused with a beep, without a question.
TEST_F(ReferenceDrag, ConfirmationNoAndRefusedDropsMoveNothing)
{
    std::string papersFile = Write("papers.ref", kPapers);
    std::string otherFile = Write("other.ref", "%A Eve, E\r\n%D 1994\r\n%T Oils\r\n\r\n");
    HWND frame = LaunchWith({papersFile, otherFile});
    ASSERT_TRUE(frame);
    RunSearch(frame, CMD_SEARCH_NEW, 1, "oil");
    ASSERT_EQ(ResultText(), "Found 1 references satisfying:\nTitle = \"oil\"");
    ASSERT_TRUE(ui::SendCommand(frame, CMD_WINDOW_TILE));
    HWND papers = ui::DatabaseWindowTitled(frame, papersFile);
    HWND other = ui::DatabaseWindowTitled(frame, otherFile);
    HWND found = ui::DatabaseWindowTitled(frame, "Title = \"oil\"");
    ASSERT_TRUE(papers && other && found);
    HWND list = ui::ListOf(papers);
    ASSERT_TRUE(ui::SelectLines(list, {0, 1}));
    for (HWND target : {papers, found}) {
        Drag(frame, list, 0, target);
        EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 0));
    }
    ASSERT_TRUE(ui::RightDrag(list, 0, other));
    EXPECT_EQ(Answer(IDNO), "Warning!|Confirm mouse drag action?");
    EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 300));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(other)), 1);
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(found)), 1);
    EXPECT_EQ(ui::ListBoxCount(list), 4);
}

}  // namespace
