// The reference editor, the author dialog and the lists of common source titles, driven as a
// user drives them, and the duplicate dialog that an edit may bring; what they stored is read
// back from the saved file and the settings.
#include "program_test.h"

namespace {

// Three papers by the same author and year, so that the title decides their order.
constexpr char kPapers[] =
    "%A Adams, A\r\n%D 1990\r\n%T Gear trains\r\n%J Mech J\r\n\r\n"
    "%A Adams, A\r\n%D 1990\r\n%T Pumps\r\n\r\n"
    "%A Adams, A\r\n%D 1990\r\n%T Valves\r\n\r\n";
constexpr char kAuthorDialogTitle[] = "Edit author(s), year and source";
constexpr char kDuplicateTitle[] = "Duplicate reference";

class EditorTest : public ProgramTest {
protected:
    // Starts the program with a file of `refer` text; list_ is its window's list.
    HWND LaunchWith(const std::string& refer)
    {
        file_ = Write("papers.ref", refer);
        HWND frame = ProgramTest::LaunchWith({file_});
        list_ = frame ? ui::ListOf(ui::ActiveDatabaseWindow(frame)) : nullptr;
        return frame;
    }
    // Selects `line` and opens the editor on it with the Edit command.
    HWND OpenEditor(HWND frame, int line)
    {
        if (!ui::SelectLines(list_, {line}) || !ui::PostCommand(frame, CMD_REF_EDIT))
            return nullptr;
        return Editor();
    }
    // The editor, known by its controls.
    HWND Editor()
    {
        HWND editor = ui::WaitForWindow(program_.Pid(), [](HWND w) {
            return GetDlgItem(w, IDC_REF_OK_AND_NEW) && IsWindowVisible(w) && IsWindowEnabled(w);
        });
        EXPECT_TRUE(editor && ui::Sync(editor)) << ui::DescribeWindowsOf(program_.Pid());
        return editor;
    }
    static std::string Field(HWND dialog, int id) { return ui::TextOf(GetDlgItem(dialog, id)); }
    // Saves the file and returns its text; the titles of a saved text in order.
    std::string Saved(HWND frame)
    {
        return ui::SendCommand(frame, CMD_FILE_SAVE) ? ui::FileText(file_) : "";
    }
    static std::vector<std::string> Titles(const std::string& saved)
    {
        std::vector<std::string> titles;
        for (size_t at = saved.find("%T "); at != std::string::npos; at = saved.find("%T ", at + 1))
            titles.push_back(saved.substr(at + 3, saved.find('\r', at) - at - 3));
        return titles;
    }
    // The item `id` of the first pop-up of the dialog's menu, as opening it shows it.
    static ui::MenuItem MenuEntry(HWND dialog, int id)
    {
        for (const ui::MenuItem& item : ui::Popup(dialog, 0)) {
            if (item.id == id)
                return item;
        }
        ADD_FAILURE() << "no menu item " << id;
        return {};
    }

    HWND list_ = nullptr;
};

using ReferenceEditor = EditorTest;

// Only a change that the sort keys see moves the reference: the abstract leaves it where it
// is, the title or (in the author dialog) the authors move it; its line stays selected. Enter
// and a double click open the editor, Ctrl+Enter the author dialog.
TEST_F(ReferenceEditor, TheReferenceMovesOnlyWhenItsSortKeysChange)
{
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::SelectLines(list_, {0}));
    ASSERT_TRUE(ui::PressKey(frame, VK_RETURN));  // Enter opens the editor
    HWND editor = Editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(ui::TextOf(editor), "Adams, A (1990)");
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Gear trains");
    EXPECT_EQ(Field(editor, IDC_REF_SOURCE), "Mech J");
    EXPECT_EQ(Field(editor, IDC_REF_SOURCE_LABEL), "&Journal:");
    EXPECT_FALSE(IsWindowEnabled(frame));
    SaveShot("editref");
    ui::Type(editor, IDC_REF_ABSTRACT, "Fluid gears");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{0});

    ASSERT_TRUE(ui::DoubleClickLine(list_, 0));
    editor = Editor();
    ASSERT_TRUE(editor);
    ui::Type(editor, IDC_REF_TITLE, "Xylophones\r\nand drums");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{2});

    // Ctrl+Enter: the author dialog on the selected line.
    ASSERT_TRUE(ui::SelectLines(list_, {1}));
    ASSERT_TRUE(ui::PressKey(frame, VK_RETURN, ui::kControl));
    HWND authors = Dialog(kAuthorDialogTitle);
    ASSERT_TRUE(authors);
    EXPECT_EQ(Field(authors, IDC_ETITLE_AUTHORS), "Adams, A");
    ui::Type(authors, IDC_ETITLE_AUTHORS, "Zorn, Z");
    ASSERT_TRUE(ui::CloseBox(authors, IDOK));
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{2});

    const std::string saved = Saved(frame);
    EXPECT_EQ(Titles(saved),
              (std::vector<std::string>{"Pumps", "Xylophones  and drums", "Valves"}));
    EXPECT_NE(saved.find("%X Fluid gears"), std::string::npos) << saved;
}

// "&<" and "&>" end at the ends of the list; a changed reference asks whether to keep the
// changes, and a kept change that moves it still steps to the neighbour it had.
TEST_F(ReferenceEditor, StepsThroughTheListAndAsksToKeepChanges)
{
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    HWND editor = OpenEditor(frame, 0);
    ASSERT_TRUE(editor);
    EXPECT_FALSE(ui::IsEnabled(editor, IDC_REF_PREVIOUS));
    EXPECT_TRUE(ui::IsEnabled(editor, IDC_REF_NEXT));
    EXPECT_TRUE(ui::IsEnabled(editor, IDC_REF_OK_AND_NEW));

    ui::Type(editor, IDC_REF_ABSTRACT, "Dropped");
    ui::PressButton(editor, IDC_REF_NEXT);
    HWND question = Dialog("Warning!", editor);
    ASSERT_TRUE(question);
    EXPECT_EQ(ui::DialogText(question),
              "This reference has been modified.\nDo you want to keep your changes?");
    ASSERT_TRUE(ui::CloseBox(question, IDNO));
    ui::Sync(editor);
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Pumps");
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{1});

    ui::Click(editor, IDC_REF_NEXT);  // unchanged: no question
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Valves");
    EXPECT_TRUE(ui::IsEnabled(editor, IDC_REF_PREVIOUS));
    EXPECT_FALSE(ui::IsEnabled(editor, IDC_REF_NEXT));

    ui::Type(editor, IDC_REF_TITLE, "Aardvarks");
    ui::PressButton(editor, IDC_REF_PREVIOUS);
    ASSERT_TRUE(ui::CloseBox(Dialog("Warning!", editor), IDYES));
    ui::Sync(editor);
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Pumps");
    EXPECT_FALSE(ui::IsEnabled(editor, IDC_REF_NEXT));  // Aardvarks went first
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{2});
    ASSERT_TRUE(ui::CloseBox(editor, IDCANCEL));

    const std::string saved = Saved(frame);
    EXPECT_EQ(Titles(saved), (std::vector<std::string>{"Aardvarks", "Gear trains", "Pumps"}));
    EXPECT_EQ(saved.find("Dropped"), std::string::npos);
}

// Copy formatted stores the changed fields first and copies the reference in the current
// format; Add to bibliography then shows the reference as in the bibliography. Add keywords
// changes only the keywords field: Cancel leaves the reference as it was, OK stores them.
TEST_F(ReferenceEditor, MenuCommandsCopyAddToBibliographyAndAddKeywords)
{
    ASSERT_TRUE(ui::SetProgramSetting("Keywords", "0", "alpha"));
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    HWND editor = OpenEditor(frame, 0);
    ASSERT_TRUE(editor);
    ui::Type(editor, IDC_REF_VOLUME, "12");
    ASSERT_TRUE(ui::SendCommand(editor, CMD_REF_COPY_FORMATTED));
    EXPECT_EQ(ui::ClipboardText(), "Adams, A (1990), Mech J 12\r\n\r\n");
    ui::MenuItem add = MenuEntry(editor, CMD_REF_ADD_TO_BIB);
    EXPECT_FALSE(add.grayed || add.checked);
    ASSERT_TRUE(ui::SendCommand(editor, CMD_REF_ADD_TO_BIB));
    add = MenuEntry(editor, CMD_REF_ADD_TO_BIB);
    EXPECT_TRUE(add.grayed && add.checked);
    ASSERT_TRUE(ui::CloseBox(editor, IDCANCEL));  // the stored volume stays
    EXPECT_EQ(ui::DatabaseWindows(frame).size(), 2u);
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, GetParent(list_)));
    EXPECT_NE(Saved(frame).find("%V 12"), std::string::npos);

    for (int button : {IDCANCEL, IDOK}) {
        editor = OpenEditor(frame, 1);
        ASSERT_TRUE(editor);
        HWND keywords = Open(editor, CMD_REF_ADD_KEYWORDS, "Add keyword(s)", editor);
        ASSERT_TRUE(keywords);
        HWND list = GetDlgItem(keywords, IDC_KEYWORDS_LIST);
        SendMessageA(list, LB_SETSEL, TRUE, 0);
        SendMessageA(keywords, WM_COMMAND, MAKEWPARAM(IDC_KEYWORDS_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        ASSERT_TRUE(ui::CloseBox(keywords, IDOK));
        ui::Sync(editor);
        EXPECT_EQ(Field(editor, IDC_REF_KEYWORDS), "alpha");
        ASSERT_TRUE(ui::CloseBox(editor, button));
        EXPECT_EQ(Saved(frame).find("%K alpha") != std::string::npos, button == IDOK);
    }
}

// A long imported abstract is stored whole: left alone when only the title changed, and read
// back whole when it was changed. The editor opens on the screen, and where it was last.
TEST_F(ReferenceEditor, ALongAbstractSurvivesOkAndTheEditorKeepsItsPlace)
{
    std::string abstract;
    for (int i = 0; abstract.size() < 20000; ++i)
        abstract += "word" + std::to_string(i) + " ";
    abstract.resize(20000);
    ASSERT_TRUE(ui::SetProgramSetting("EditDlg", "x", "5000"));
    ASSERT_TRUE(ui::SetProgramSetting("EditDlg", "y", "-300"));
    HWND frame = LaunchWith("%A Adams, A\r\n%D 1990\r\n%T Gears\r\n%X " + abstract + "\r\n\r\n");
    ASSERT_TRUE(frame);
    HWND editor = OpenEditor(frame, 0);
    ASSERT_TRUE(editor);
    RECT r;
    GetWindowRect(editor, &r);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
                r.bottom <= GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(editor, nullptr, 100, 80, 360, 260, SWP_NOZORDER);
    SaveShot("editref-small");
    ui::Type(editor, IDC_REF_TITLE, "Gear trains");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    EXPECT_NE(Saved(frame).find("%X " + abstract + "\r\n"), std::string::npos);

    editor = OpenEditor(frame, 0);
    ASSERT_TRUE(editor);
    GetWindowRect(editor, &r);
    EXPECT_TRUE(r.left == 100 && r.top == 80 && r.right - r.left == 360 && r.bottom - r.top == 260);
    ui::Type(editor, IDC_REF_ABSTRACT, abstract + "!");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    EXPECT_NE(Saved(frame).find("%X " + abstract + "!\r\n"), std::string::npos);
}

using NewReference = EditorTest;

// A new reference takes the author dialog, then the editor: Cancel in the first leaves
// nothing, Cancel in the second still puts it in with its authors, year and source type.
// "O&K && New" stores the reference and starts the next one at once.
TEST_F(NewReference, TakesBothDialogsAndOkAndNewChainsThem)
{
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::CloseBox(Open(frame, CMD_REF_NEW, kAuthorDialogTitle), IDCANCEL));
    EXPECT_EQ(ui::ListBoxCount(list_), 3);

    HWND authors = Open(frame, CMD_REF_NEW, kAuthorDialogTitle);
    ASSERT_TRUE(authors);
    EXPECT_EQ(Field(authors, IDC_ETITLE_AUTHORS), "");
    EXPECT_EQ(Field(authors, IDC_ETITLE_YEAR), "1994");
    ui::Type(authors, IDC_ETITLE_AUTHORS, "Aaron, Z");
    SendMessageA(GetDlgItem(authors, IDC_ETITLE_REPORT), BM_CLICK, 0, 0);
    SaveShot("etitle");
    ASSERT_TRUE(ui::CloseBox(authors, IDOK));
    HWND editor = Editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(ui::TextOf(editor), "Aaron, Z (1994)");
    EXPECT_EQ(Field(editor, IDC_REF_SOURCE_LABEL), "&Report, thesis etc:");
    EXPECT_FALSE(ui::IsEnabled(editor, IDC_REF_PREVIOUS) || ui::IsEnabled(editor, IDC_REF_NEXT));
    // Not in a list yet: it cannot join the bibliography.
    EXPECT_TRUE(MenuEntry(editor, CMD_REF_ADD_TO_BIB).grayed);
    ui::Type(editor, IDC_REF_TITLE, "Never stored");
    ASSERT_TRUE(ui::CloseBox(editor, IDCANCEL));
    EXPECT_EQ(ui::ListBoxCount(list_), 4);
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{0});  // its place in the order
    const std::string saved = Saved(frame);
    EXPECT_EQ(saved.rfind("%A Aaron, Z\r\n%D 1994\r\n", 0), 0u) << saved;
    EXPECT_EQ(saved.find("Never stored"), std::string::npos);

    ASSERT_TRUE(ui::PostCommand(frame, CMD_REF_NEW));
    for (const char* title : {"First", "Second"}) {
        HWND authors = Dialog(kAuthorDialogTitle);
        ASSERT_TRUE(authors);
        ui::Type(authors, IDC_ETITLE_AUTHORS, "Young, Y");
        ASSERT_TRUE(ui::CloseBox(authors, IDOK));
        HWND editor = Editor();
        ASSERT_TRUE(editor);
        ui::Type(editor, IDC_REF_TITLE, title);
        ASSERT_TRUE(ui::CloseBox(editor, title == std::string("First") ? IDC_REF_OK_AND_NEW : IDOK));
    }
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::ListBoxCount(list_), 6);
    EXPECT_EQ(Titles(Saved(frame)),
              (std::vector<std::string>{"Gear trains", "Pumps", "Valves", "First", "Second"}));
}

using CommonLists = EditorTest;

// The list dialog adds, changes and deletes entries of at most 99 characters; OK writes the
// list and the editor offers it at once.
TEST_F(CommonLists, AddChangeDeleteAndWhatOkWrites)
{
    ASSERT_TRUE(ui::SetProgramSetting("Journals", "Number", "1"));
    ASSERT_TRUE(ui::SetProgramSetting("Journals", "1", "Nature"));
    HWND frame = LaunchWith(kPapers);
    ASSERT_TRUE(frame);
    HWND editor = OpenEditor(frame, 0);
    ASSERT_TRUE(editor);
    HWND source = GetDlgItem(editor, IDC_REF_SOURCE);
    EXPECT_EQ(SendMessageA(source, CB_GETCOUNT, 0, 0), 1);

    HWND lists = Open(editor, CMD_EDIT_COMMON_JOURNALS, "Journals", editor);
    ASSERT_TRUE(lists);
    HWND list = GetDlgItem(lists, IDC_LISTEDIT_LIST);
    EXPECT_FALSE(ui::IsEnabled(lists, IDC_LISTEDIT_ADD) || ui::IsEnabled(lists, IDC_LISTEDIT_DELETE));
    for (const char* journal : {"Science", "Cell"}) {
        ui::Type(lists, IDC_LISTEDIT_TEXT, journal);
        EXPECT_TRUE(ui::IsEnabled(lists, IDC_LISTEDIT_ADD));
        ui::Click(lists, IDC_LISTEDIT_ADD);
    }
    EXPECT_EQ(ui::ListBoxTexts(list), (std::vector<std::string>{"Cell", "Nature", "Science"}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(ui::IsEnabled(lists, IDC_LISTEDIT_ADD));  // "Cell" is an entry now
    SaveShot("listedit");

    ui::Type(lists, IDC_LISTEDIT_TEXT, "Cells");
    ui::Click(lists, IDC_LISTEDIT_CHANGE);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(lists, WM_COMMAND, MAKEWPARAM(IDC_LISTEDIT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(Field(lists, IDC_LISTEDIT_TEXT), "Nature");
    ui::Click(lists, IDC_LISTEDIT_DELETE);
    EXPECT_EQ(ui::ListBoxTexts(list), (std::vector<std::string>{"Cells", "Science"}));
    ui::Type(lists, IDC_LISTEDIT_TEXT, std::string(150, 'x'));
    EXPECT_EQ(Field(lists, IDC_LISTEDIT_TEXT).size(), 99u);  // what the settings give back
    ASSERT_TRUE(ui::CloseBox(lists, IDOK));
    EXPECT_EQ(ui::ReadProgramSetting("Journals", "Number"), "2");
    EXPECT_EQ(ui::ReadProgramSetting("Journals", "1"), "Cells");
    EXPECT_EQ(ui::ReadProgramSetting("Journals", "2"), "Science");
    EXPECT_EQ(SendMessageA(source, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Field(editor, IDC_REF_SOURCE), "Mech J");

    ASSERT_TRUE(ui::CloseBox(editor, IDCANCEL));
}

class DuplicateEdit : public EditorTest {
protected:
    // Gives the paper in the editor the title of another one; returns the duplicate dialog.
    HWND EditTitleToPumps(HWND editor)
    {
        ui::Type(editor, IDC_REF_TITLE, "Pumps");
        return ui::CloseBox(editor, IDOK) ? Dialog(kDuplicateTitle) : nullptr;
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
    EXPECT_TRUE(ui::IsEnabled(duplicate, IDC_DUP_EDIT) && ui::IsEnabled(duplicate, IDC_DUP_EDIT_AUTHORS));
    SaveShot("duplicate");
    ASSERT_TRUE(ui::CloseBox(duplicate, IDC_DUP_EDIT));
    HWND editor = Editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Field(editor, IDC_REF_TITLE), "Pumps");
    EXPECT_FALSE(ui::IsEnabled(editor, IDC_REF_OK_AND_NEW) || ui::IsEnabled(editor, IDC_REF_PREVIOUS) ||
                 ui::IsEnabled(editor, IDC_REF_NEXT));
    ui::Type(editor, IDC_REF_TITLE, "Pumps II");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::ListBoxSelection(list_), std::vector<int>{1});
    EXPECT_EQ(Titles(Saved(frame)), (std::vector<std::string>{"Pumps", "Pumps II", "Valves"}));
}

// Inside a load the frame stays disabled after the editor closes, and the editor offers no
// new reference.
TEST_F(DuplicateEdit, InsideALoadTheFrameStaysDisabled)
{
    const std::string copy = "%A Adams, A\r\n%D 1990\r\n%T Pumps\r\n\r\n";
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ui::HandOver(frame, Write("twice.ref", copy + copy + copy), false);
    ASSERT_TRUE(ui::CloseBox(Dialog(kDuplicateTitle), IDC_DUP_EDIT));
    HWND editor = Editor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(IsWindowEnabled(frame));
    EXPECT_FALSE(ui::IsEnabled(editor, IDC_REF_OK_AND_NEW));
    ui::Type(editor, IDC_REF_TITLE, "Pumps II");
    ASSERT_TRUE(ui::CloseBox(editor, IDOK));
    HWND second = Dialog(kDuplicateTitle);
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
