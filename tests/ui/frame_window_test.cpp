// The frame window as a user first sees it: its class, title, menu bar and MDI client.
#include <gtest/gtest.h>

#include <set>

#include "program_test.h"

namespace {

using FrameWindow = ProgramTest;

const int kToolbarCommands[] = {
    CMD_FILE_NEW, CMD_FILE_OPEN, CMD_FILE_SAVE, CMD_FILE_PRINT, CMD_EDIT_CUT, CMD_EDIT_COPY,
    CMD_EDIT_PASTE, CMD_REF_NEW, CMD_REF_ADD_TO_BIB, CMD_OPT_FORMATTED_BIB, CMD_SEARCH_NEW,
    CMD_SEARCH_NARROW, CMD_SEARCH_EXPAND, CMD_HELP_CONTENTS,
};

std::set<int> EnabledButtons(HWND frame)
{
    std::set<int> enabled;
    for (int command : kToolbarCommands) {
        if (ui::ToolbarButtonEnabled(frame, command))
            enabled.insert(command);
    }
    return enabled;
}

// The commands of a pop-up (and its sub-pop-ups) that are not grayed.
std::set<int> EnabledItems(const std::vector<ui::MenuItem>& popup)
{
    std::set<int> enabled;
    for (const ui::MenuItem& item : popup) {
        if (item.popup) {
            std::set<int> inner = EnabledItems(item.items);
            enabled.insert(inner.begin(), inner.end());
        } else if (!item.separator && !item.grayed) {
            enabled.insert(item.id);
        }
    }
    return enabled;
}

bool Enabled(HWND frame, int position, int command)
{
    return EnabledItems(ui::Popup(frame, position)).count(command) != 0;
}

// The frame holds the MDI client and the menu bar of the language library; without windows
// only the commands that make one are enabled.
TEST_F(FrameWindow, StartsEmptyWithOnlyTheCommandsThatMakeAWindowEnabled)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    EXPECT_EQ(ui::TextOf(frame), "Cartulan 7.8");
    HWND client = ui::FindChildByClass(frame, "MDIClient");
    ASSERT_TRUE(client) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(GetWindowLongA(client, GWL_STYLE) & WS_CLIPCHILDREN);
    std::vector<ui::MenuItem> bar;
    ASSERT_TRUE(ui::ReadMenuBar(frame, bar)) << "the menu probe did not answer";
    ASSERT_EQ(bar.size(), 7u);
    EXPECT_EQ(bar[MENU_POS_WINDOW].text, "&Window");

    EXPECT_EQ(EnabledButtons(frame), (std::set<int>{CMD_FILE_NEW, CMD_FILE_OPEN,
                                                    CMD_OPT_FORMATTED_BIB, CMD_HELP_CONTENTS}));
    const std::set<int> expected[] = {
        {CMD_FILE_NEW, CMD_FILE_OPEN, CMD_FILE_IMPORT, CMD_FILE_EXIT}, {},
        {CMD_REF_ADD_KEYWORDS}, {}, {}, {}, {CMD_HELP_CONTENTS, CMD_HELP_USING_HELP, CMD_HELP_ABOUT},
    };
    for (int position : {0, 1, 2, 3, 5, 6}) {
        SCOPED_TRACE("pop-up " + std::to_string(position));
        EXPECT_EQ(EnabledItems(ui::Popup(frame, position)), expected[position]);
    }
    // Options: all but Display formatted bibliography; the flags show as check marks.
    for (const ui::MenuItem& item : ui::Popup(frame, 4)) {
        SCOPED_TRACE(item.text);
        if (item.separator)
            continue;
        EXPECT_EQ(item.grayed, item.id == CMD_OPT_FORMATTED_BIB);
        EXPECT_EQ(item.checked, item.id == CMD_OPT_AUTO_VIEW || item.id == CMD_OPT_SAVE_BACKUPS);
    }
    SaveShot("empty");
}

TEST_F(FrameWindow, ToolbarAndMenusFollowTheActiveWindow)
{
    std::string file = Write("four.ref", ui::ReferText(0, 4));
    HWND frame = Launch();
    ASSERT_TRUE(frame);

    // An untitled window without references.
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    HWND untitled = ui::ActiveDatabaseWindow(frame);
    EXPECT_EQ(EnabledButtons(frame),
              (std::set<int>{CMD_FILE_NEW, CMD_FILE_OPEN, CMD_FILE_SAVE, CMD_FILE_PRINT,
                             CMD_REF_NEW, CMD_OPT_FORMATTED_BIB, CMD_SEARCH_NEW,
                             CMD_HELP_CONTENTS}));
    std::set<int> fileMenu = EnabledItems(ui::Popup(frame, 0));
    EXPECT_TRUE(fileMenu.count(CMD_FILE_CLOSE));
    EXPECT_FALSE(fileMenu.count(CMD_FILE_SAVE) || fileMenu.count(CMD_FILE_SAVE_AS));
    EXPECT_EQ(EnabledItems(ui::Popup(frame, 3)),
              (std::set<int>{CMD_SEARCH_SHOW_ALL, CMD_SEARCH_NEW}));
    EXPECT_EQ(EnabledItems(ui::Popup(frame, 5)).count(CMD_WINDOW_TILE), 1u);

    // A window with a file, one reference selected, then two.
    ASSERT_TRUE(ui::HandOver(frame, file));
    HWND named = ui::ActiveDatabaseWindow(frame);
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(named), {1}));
    EXPECT_TRUE(ui::ToolbarButtonEnabled(frame, CMD_EDIT_COPY));
    EXPECT_TRUE(ui::ToolbarButtonEnabled(frame, CMD_REF_ADD_TO_BIB));
    EXPECT_FALSE(ui::ToolbarButtonEnabled(frame, CMD_EDIT_PASTE));
    EXPECT_TRUE(Enabled(frame, 0, CMD_FILE_SAVE));
    EXPECT_EQ(EnabledItems(ui::Popup(frame, 2)),
              (std::set<int>{CMD_REF_NEW, CMD_REF_EDIT, CMD_REF_EDIT_AUTHOR, CMD_REF_ADD_TO_BIB,
                             CMD_REF_ADD_KEYWORDS, CMD_REF_SELECT_ALL, CMD_REF_DELETE}));
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(named), {0, 3}));
    EXPECT_FALSE(Enabled(frame, 2, CMD_REF_EDIT));
    EXPECT_TRUE(Enabled(frame, 2, CMD_REF_DELETE));

    // Copied references pasted into the untitled window: it holds references but has no
    // file name, so the menu's Save is grayed while Save as and the toolbar's Save are not.
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));
    EXPECT_TRUE(ui::ToolbarButtonEnabled(frame, CMD_EDIT_PASTE));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, untitled));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    EXPECT_EQ(ui::ListBoxCount(ui::ListOf(untitled)), 2);
    fileMenu = EnabledItems(ui::Popup(frame, 0));
    EXPECT_FALSE(fileMenu.count(CMD_FILE_SAVE));
    EXPECT_TRUE(fileMenu.count(CMD_FILE_SAVE_AS));
    EXPECT_TRUE(ui::ToolbarButtonEnabled(frame, CMD_FILE_SAVE));

    // The bibliography window, active with one line selected.
    ASSERT_TRUE(ui::SendCommand(frame, CMD_REF_ADD_TO_BIB));
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 3));
    HWND bibliography = ui::DatabaseWindowTitled(frame, "Bibliography");
    ASSERT_TRUE(bibliography);
    EXPECT_TRUE(Enabled(frame, 4, CMD_OPT_FORMATTED_BIB));
    ASSERT_TRUE(ui::ActivateDatabaseWindow(frame, bibliography));
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(bibliography), {0}));
    EXPECT_FALSE(ui::ToolbarButtonEnabled(frame, CMD_REF_NEW));
    EXPECT_FALSE(ui::ToolbarButtonEnabled(frame, CMD_REF_ADD_TO_BIB));
    EXPECT_TRUE(ui::ToolbarButtonEnabled(frame, CMD_EDIT_CUT));
    EXPECT_EQ(EnabledItems(ui::Popup(frame, 2)),
              (std::set<int>{CMD_REF_EDIT, CMD_REF_ADD_KEYWORDS, CMD_REF_SELECT_ALL,
                             CMD_REF_DELETE}));
    EXPECT_FALSE(Enabled(frame, 0, CMD_FILE_SAVE));
    SaveShot("bibliography");
}

TEST_F(FrameWindow, SixtyThreeWindowsAreTheMost)
{
    std::string file = Write("one.ref", ui::ReferText(0, 1));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::HandOver(frame, file));
    for (int i = 1; i < 63; ++i)
        ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    ASSERT_EQ(ui::DatabaseWindows(frame).size(), 63u);

    EXPECT_FALSE(ui::ToolbarButtonEnabled(frame, CMD_FILE_NEW));
    EXPECT_TRUE(ui::ToolbarButtonEnabled(frame, CMD_FILE_OPEN));
    std::vector<ui::MenuItem> fileMenu = ui::Popup(frame, 0);
    std::set<int> enabled = EnabledItems(fileMenu);
    for (int command : {CMD_FILE_NEW, CMD_FILE_OPEN, CMD_FILE_IMPORT, CMD_FILE_RECENT_FIRST})
        EXPECT_FALSE(enabled.count(command)) << command;
    ASSERT_GT(fileMenu.size(), size_t{MENU_FILE_FIXED_ITEMS + 1});
    EXPECT_EQ(fileMenu[MENU_FILE_FIXED_ITEMS + 1].id, CMD_FILE_RECENT_FIRST);

    // Whatever way a 64th window is asked for, the program says no and makes none.
    ASSERT_TRUE(Open(frame, CMD_FILE_RECENT_FIRST));
    SaveShot("full");
    EXPECT_EQ(AnswerText(), "Maximum number of open files exceeded!");
    ASSERT_TRUE(ui::Sync(frame));
    EXPECT_EQ(ui::DatabaseWindows(frame).size(), 63u);
}

// The File menu lists the recent files after its fixed items, also when a maximised window's
// system menu takes the first place of the menu bar, and after that window has gone.
TEST_F(FrameWindow, RecentFilesAreListedInTheFileMenu)
{
    std::string first = Write("first.ref", ui::ReferText(0, 2));
    std::string second = Write("second.ref", ui::ReferText(0, 3));
    std::string third = Write("third.ref", ui::ReferText(0, 4));
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ui::HandOver(frame, first));
    ASSERT_TRUE(ui::HandOver(frame, second));

    auto expectRecent = [&](const char* when, int position, const std::vector<std::string>& names) {
        SCOPED_TRACE(when);
        std::vector<ui::MenuItem> file = ui::Popup(frame, position);
        ASSERT_EQ(file.size(), MENU_FILE_FIXED_ITEMS + 1 + names.size());
        EXPECT_TRUE(file[MENU_FILE_FIXED_ITEMS].separator);
        for (size_t i = 0; i < names.size(); ++i) {
            const ui::MenuItem& item = file[MENU_FILE_FIXED_ITEMS + 1 + i];
            EXPECT_EQ(item.text, "&" + std::to_string(i + 1) + " " + names[i]);
            EXPECT_EQ(item.id, CMD_FILE_RECENT_FIRST + static_cast<int>(i));
            EXPECT_FALSE(item.grayed);
        }
    };
    expectRecent("restored", 0, {second, first});
    // A maximised window's system menu takes the first place of the menu bar.
    ASSERT_TRUE(ui::HandOver(frame, third));
    HWND active = ui::ActiveDatabaseWindow(frame);
    ASSERT_TRUE(SendMessageTimeoutA(ui::MdiClientOf(frame), WM_MDIMAXIMIZE,
                                    reinterpret_cast<WPARAM>(active), 0, SMTO_NORMAL,
                                    ui::kDefaultWaitMs, nullptr));
    expectRecent("maximised", 1, {third, second, first});
    SaveShot("maximised");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_CLOSE));
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 0));
    ASSERT_TRUE(ui::PostCommand(frame, CMD_FILE_RECENT_FIRST + 2));
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 1));
    EXPECT_EQ(ui::TextOf(ui::DatabaseWindows(frame)[0]), first);
    expectRecent("after the maximised windows closed", 0, {first, third, second});
}

}  // namespace
