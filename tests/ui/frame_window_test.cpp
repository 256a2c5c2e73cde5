// The frame window as a user first sees it: its class, title, menu bar and MDI client.
#include <gtest/gtest.h>

#include <iterator>

#include "ids.h"
#include "program_test.h"

namespace {

struct ExpectedItem {
    int id;  // 0 for a separator
    const char* text;
};

const ExpectedItem kFileItems[] = {
    {CMD_FILE_NEW, "&New"}, {CMD_FILE_OPEN, "&Open...\tCtrl+O"}, {0, ""},
    {CMD_FILE_SAVE, "&Save\tCtrl+S"}, {CMD_FILE_SAVE_AS, "Save &as..."}, {0, ""},
    {CMD_FILE_IMPORT, "&Import..."}, {CMD_FILE_EXPORT, "&Export..."}, {0, ""},
    {CMD_FILE_PRINT, "&Print..."}, {0, ""}, {CMD_FILE_CLOSE, "&Close"}, {0, ""},
    {CMD_FILE_EXIT, "E&xit\tAlt+F4"},
};
const ExpectedItem kEditItems[] = {
    {CMD_EDIT_UNDO, "&Undo\tCtrl+Z"}, {0, ""}, {CMD_EDIT_CUT, "Cu&t\tCtrl+X"},
    {CMD_EDIT_COPY, "&Copy\tCtrl+C"}, {CMD_EDIT_PASTE, "&Paste\tCtrl+V"},
};
const ExpectedItem kReferenceItems[] = {
    {CMD_REF_NEW, "&New...\tF7"}, {CMD_REF_EDIT, "&Edit...\tF6"},
    {CMD_REF_EDIT_AUTHOR, "Edit &author...\tF2"}, {0, ""},
    {CMD_REF_ADD_TO_BIB, "Add to &bibliography\tCtrl+B"},
    {CMD_REF_ADD_KEYWORDS, "Add &keywords..."}, {CMD_REF_SELECT_ALL, "&Select all"}, {0, ""},
    {CMD_REF_DELETE, "&Delete\tDel"},
};
const ExpectedItem kSearchItems[] = {
    {CMD_SEARCH_SHOW_ALL, "Show &all references"}, {CMD_SEARCH_NEW, "New &search...\tF3"},
    {0, ""}, {CMD_SEARCH_NARROW, "&Narrow search..."}, {CMD_SEARCH_EXPAND, "&Expand search..."},
};
// The "&Fonts" pop-up (id -1 here) is checked on its own below.
const ExpectedItem kOptionsItems[] = {
    {CMD_OPT_LIST_FORMAT, "&List format..."}, {CMD_OPT_SORTING, "&Sorting..."},
    {CMD_OPT_SEARCHING, "Sea&rching..."}, {CMD_OPT_AUTO_VIEW, "&Auto view all"},
    {CMD_OPT_INPUT_DEFAULTS, "&Input defaults..."}, {CMD_OPT_CONFIRMATION, "&Confirmation..."},
    {-1, "&Fonts"}, {0, ""},
    {CMD_OPT_FORMATTED_BIB, "&Display formatted bibliography"},
    {CMD_OPT_BIB_FORMAT, "Bibliography forma&t..."},
    {CMD_OPT_BIB_COLOUR, "C&olour bibliography items..."}, {0, ""},
    {CMD_OPT_LANGUAGE, "La&nguage..."}, {CMD_OPT_DEFAULT_FORMAT, "D&efault file format..."},
    {0, ""}, {CMD_OPT_SAVE_BACKUPS, "Save &backups"},
};
const ExpectedItem kFontsItems[] = {
    {CMD_OPT_FONT_PRINTER, "&Printer..."}, {CMD_OPT_FONT_DATABASE, "&Database..."},
    {CMD_OPT_FONT_EDIT, "&Edit window..."},
};
const ExpectedItem kWindowItems[] = {
    {CMD_WINDOW_CASCADE, "&Cascade\tShift + F5"}, {CMD_WINDOW_TILE, "&Tile\tShift + F4"},
    {CMD_WINDOW_ARRANGE_ICONS, "&Arrange icons"},
};
const ExpectedItem kHelpItems[] = {
    {CMD_HELP_CONTENTS, "&Contents"}, {CMD_HELP_USING_HELP, "&Using help"}, {0, ""},
    {CMD_HELP_ABOUT, "&About Cartulan..."},
};

template <size_t N>
void ExpectItems(const ui::MenuItem& popup, const ExpectedItem (&expected)[N])
{
    SCOPED_TRACE("pop-up " + popup.text);
    ASSERT_EQ(popup.items.size(), N);
    for (size_t i = 0; i < N; ++i) {
        SCOPED_TRACE("position " + std::to_string(i));
        const ui::MenuItem& item = popup.items[i];
        if (expected[i].id == 0) {
            EXPECT_TRUE(item.separator);
        } else if (expected[i].id < 0) {
            EXPECT_TRUE(item.popup);
            EXPECT_EQ(item.text, expected[i].text);
        } else {
            EXPECT_FALSE(item.separator || item.popup);
            EXPECT_EQ(item.id, expected[i].id);
            EXPECT_EQ(item.text, expected[i].text);
        }
    }
}

class FrameWindow : public ProgramTest {};

TEST_F(FrameWindow, IsRefFrameTitledWithProgramNameAndHoldsMdiClient)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    EXPECT_EQ(ui::ClassOf(frame), "RefFrame");
    EXPECT_EQ(ui::TextOf(frame), "Cartulan 7.8");
    HWND client = ui::FindChildByClass(frame, "MDIClient");
    ASSERT_TRUE(client) << ui::DescribeWindowsOf(program_.Pid());
    EXPECT_TRUE(IsWindowVisible(client));
    EXPECT_TRUE(GetWindowLongA(client, GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(FrameWindow, MenuBarHasTheSevenPopupsOfTheLanguageLibrary)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    std::vector<ui::MenuItem> bar;
    ASSERT_TRUE(ui::ReadMenuBar(frame, bar)) << "the menu probe did not answer";

    const char* const popups[] = {"&File", "&Edit", "&Reference", "&Search", "&Options",
                                  "&Window", "&Help"};
    ASSERT_EQ(bar.size(), std::size(popups));
    for (size_t i = 0; i < bar.size(); ++i) {
        EXPECT_TRUE(bar[i].popup);
        EXPECT_EQ(bar[i].text, popups[i]);
    }
    // The recent files are appended after the 14 File items and the window list to the
    // sixth pop-up: both depend on these positions.
    EXPECT_EQ(bar[MENU_POS_FILE].items.size(), size_t{MENU_FILE_FIXED_ITEMS});
    EXPECT_EQ(bar[MENU_POS_WINDOW].text, "&Window");

    ExpectItems(bar[0], kFileItems);
    ExpectItems(bar[1], kEditItems);
    ExpectItems(bar[2], kReferenceItems);
    ExpectItems(bar[3], kSearchItems);
    ExpectItems(bar[4], kOptionsItems);
    ExpectItems(bar[4].items[6], kFontsItems);
    ExpectItems(bar[5], kWindowItems);
    ExpectItems(bar[6], kHelpItems);
}

TEST_F(FrameWindow, ItemsWithoutAnOperationLeaveTheProgramRunning)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    for (int command : {CMD_FILE_NEW, CMD_REF_DELETE, CMD_SEARCH_NARROW, CMD_OPT_SAVE_BACKUPS,
                        CMD_WINDOW_CASCADE, CMD_WINDOW_TILE, CMD_WINDOW_ARRANGE_ICONS}) {
        SCOPED_TRACE(command);
        EXPECT_TRUE(ui::SendCommand(frame, command));
        EXPECT_FALSE(ui::WaitForDialog(program_.Pid(), 0));
    }
    EXPECT_TRUE(program_.IsRunning());
    EXPECT_EQ(ui::TextOf(frame), "Cartulan 7.8");
}

}  // namespace
