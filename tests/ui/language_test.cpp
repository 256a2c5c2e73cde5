// Languages at run time: the language dialog lists the libraries beside the program, warns
// about other versions, and a chosen library takes over the running program and the next
// start.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "program_test.h"

namespace {

const char kUseAnyway[] = "\nSome functionality may not work as expected.\n\nDo you want to use it anyway?";

std::pair<std::string, std::string> TestLibrary(const std::string& built, const std::string& as)
{
    return {ui::TestProgramDir() + "\\" + built, as};
}

class Language : public ProgramTest {
protected:
    // Starts a copy of the program in the test's folder with the English library and `extra`.
    HWND LaunchIn(const std::vector<std::pair<std::string, std::string>>& extra)
    {
        EXPECT_TRUE(ui::CopyProgramTo(dir_, extra));
        return Launch({}, Path("CARTUL32.EXE"));
    }

    HWND OpenDialog(HWND frame)
    {
        return Open(frame, CMD_OPT_LANGUAGE, "Choose Language");
    }

    // Selects the entry `language` and presses OK; returns the warning that comes, if any.
    HWND Choose(HWND dialog, const std::string& language)
    {
        EXPECT_NE(SendDlgItemMessageA(dialog, IDC_LANGUAGE_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(language.c_str())), LB_ERR) << language;
        ui::PressButton(dialog, IDOK);
        return ui::WaitForDialog(program_.Pid(), 2000, dialog);
    }
};

// The libraries beside the program are listed, a file that is no library left out and the
// current language selected. Only major and minor version numbers count: other
// versions are taken only after a warning, whose No keeps the dialog open; OK with nothing
// selected does nothing; the library of the program's own version is taken without a word.
TEST_F(Language, DialogListsTheLibrariesAndWarnsAboutOtherVersions)
{
    HWND frame = LaunchIn({TestLibrary("CTNTEST.DLL", "CTNTEST.DLL"),
                           TestLibrary("CTNNEXT.DLL", "CTNNEXT.DLL"),
                           TestLibrary("CTNNOVER.DLL", "CTNNOVER.DLL"),
                           {ui::DeliverablesDir() + "\\CARTUL32.HTM", "CTNJUNK.DLL"}});
    ASSERT_TRUE(frame);
    HWND dialog = OpenDialog(frame);
    ASSERT_TRUE(dialog);
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    std::vector<std::string> texts = ui::ListBoxTexts(list);
    EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()),
              (std::set<std::string>{"UK English", "Test language", "Newer test language",
                                     "Unversioned test language"}));
    int current = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    ASSERT_GE(current, 0);
    EXPECT_EQ(texts[current], "UK English");
    SaveShot("four");

    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ui::PressButton(dialog, IDOK);
    EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 500, dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    struct Case {
        const char* language;
        std::string warning;
    };
    const Case cases[] = {
        {"Test language", std::string("CTNTEST.DLL was designed for a previous\nversion of Cartulan.") + kUseAnyway},
        {"Newer test language", std::string("CTNNEXT.DLL was designed for a more\nrecent version of Cartulan.") + kUseAnyway},
        {"Unversioned test language", std::string("CTNNOVER.DLL contains no version information.\nIt is probably an old version.") + kUseAnyway},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.language);
        HWND warning = Choose(dialog, test.language);
        ASSERT_TRUE(warning);
        EXPECT_EQ(ui::TextOf(warning), "Warning!");
        EXPECT_EQ(ui::DialogText(warning), test.warning);
        if (&test == &cases[0])
            SaveShot("warning");
        ASSERT_TRUE(ui::CloseBox(warning, IDNO));
        EXPECT_TRUE(IsWindowVisible(dialog));
    }
    EXPECT_EQ(ui::ReadProgramSetting("Display", "Language"), ui::kMissing);
    EXPECT_FALSE(Choose(dialog, "UK English"));
    EXPECT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ui::ReadProgramSetting("Display", "Language"), "CTNEN.DLL");
}

// The new library's menu takes the window list over; windows without a file name and the
// bibliography take the new titles, every window the new check box text. The library's name,
// longer than 12 characters, is remembered whole for the next start.
TEST_F(Language, SwitchingRetitlesTheOpenWindowsAndLastsBeyondARestart)
{
    const std::string longName = "CTNLONGLANGUAGENAME.DLL";
    HWND frame = LaunchIn({TestLibrary("CTNTEST.DLL", longName)});
    ASSERT_TRUE(frame);
    std::string file = Write("named.ref", ui::ReferText(0, 2));
    ASSERT_TRUE(ui::HandOver(frame, file));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_OPEN_BIBLIOGRAPHY));
    ASSERT_EQ(ui::DatabaseWindows(frame).size(), 3u);
    HMENU englishMenu = GetMenu(frame);

    HWND dialog = OpenDialog(frame);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(ui::CloseBox(Choose(dialog, "Test language"), IDYES));
    ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(ui::Sync(frame));
    std::multiset<std::string> titles, boxes;
    for (HWND window : ui::DatabaseWindows(frame)) {
        titles.insert(ui::TextOf(window));
        boxes.insert(ui::TextOf(GetDlgItem(window, IDC_DBWIN_SEARCHABLE)));
    }
    EXPECT_EQ(titles, (std::multiset<std::string>{file, "Nameless", "Reading list"}));
    EXPECT_EQ(boxes, (std::multiset<std::string>{"Findable", "Findable", "Findable"}));
    EXPECT_NE(GetMenu(frame), englishMenu);
    std::vector<ui::MenuItem> windowMenu = ui::Popup(frame, MENU_POS_WINDOW);
    size_t listed = std::count_if(windowMenu.begin(), windowMenu.end(),
                                  [](const ui::MenuItem& item) { return item.id >= MDI_FIRST_CHILD_ID; });
    EXPECT_EQ(listed, 3u);
    EXPECT_EQ(ui::TextOf(frame), "Cartulan 7.8");
    SaveShot("switched");

    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_EXIT));
    ASSERT_EQ(ExitCode(), 0);
    EXPECT_EQ(ui::ReadProgramSetting("Display", "Language"), longName);
    frame = Launch({}, Path("CARTUL32.EXE"));
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    EXPECT_EQ(ui::TextOf(ui::ActiveDatabaseWindow(frame)), "Nameless");
}

}  // namespace
