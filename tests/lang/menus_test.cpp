// The menus of the English library: the frame's menu bar "MAIN" and the reference editor's
// "EDIT_REF", with every item's position, id and text. The test language library carries the
// same "MAIN", since the program installs it on the frame in the same way.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ids.h"
#include "loaded_module.h"

namespace {

using lang_test::LoadedModule;

// id 0 is a separator, -1 a pop-up with its items.
struct Item {
    Item() = default;
    Item(int id_, std::string text_, std::vector<Item> items_ = {})
        : id(id_), text(std::move(text_)), items(std::move(items_))
    {
    }
    int id = 0;
    std::string text;
    std::vector<Item> items;
};

const std::vector<Item> kMain = {
    {-1, "&File", {{500, "&New"}, {501, "&Open...\tCtrl+O"}, {0, ""}, {502, "&Save\tCtrl+S"},
        {503, "Save &as..."}, {0, ""}, {505, "&Import..."}, {546, "&Export..."}, {0, ""},
        {524, "&Print..."}, {0, ""}, {506, "&Close"}, {0, ""}, {504, "E&xit\tAlt+F4"}}},
    {-1, "&Edit", {{772, "&Undo\tCtrl+Z"}, {0, ""}, {768, "Cu&t\tCtrl+X"}, {769, "&Copy\tCtrl+C"},
        {770, "&Paste\tCtrl+V"}}},
    {-1, "&Reference", {{507, "&New...\tF7"}, {508, "&Edit...\tF6"}, {512, "Edit &author...\tF2"},
        {0, ""}, {515, "Add to &bibliography\tCtrl+B"}, {584, "Add &keywords..."},
        {569, "&Select all"}, {0, ""}, {509, "&Delete\tDel"}}},
    {-1, "&Search", {{511, "Show &all references"}, {510, "New &search...\tF3"}, {0, ""},
        {513, "&Narrow search..."}, {514, "&Expand search..."}}},
    {-1, "&Options", {{519, "&List format..."}, {568, "&Sorting..."}, {521, "Sea&rching..."},
        {565, "&Auto view all"}, {520, "&Input defaults..."}, {523, "&Confirmation..."},
        {-1, "&Fonts", {{525, "&Printer..."}, {526, "&Database..."}, {587, "&Edit window..."}}},
        {0, ""}, {516, "&Display formatted bibliography"}, {517, "Bibliography forma&t..."},
        {566, "C&olour bibliography items..."}, {0, ""}, {522, "La&nguage..."},
        {580, "D&efault file format..."}, {0, ""}, {518, "Save &backups"}}},
    {-1, "&Window", {{420, "&Cascade\tShift + F5"}, {419, "&Tile\tShift + F4"},
        {421, "&Arrange icons"}}},
    {-1, "&Help", {{528, "&Contents"}, {529, "&Using help"}, {0, ""},
        {530, "&About Cartulan..."}}},
};

const std::vector<Item> kEditRef = {
    {-1, "&Reference", {{515, "&Add to bibliography"}, {584, "Add &keywords..."}, {0, ""},
        {433, "&Copy formatted"}, {524, "&Print..."}}},
    {-1, "&Edit", {{772, "&Undo\tCtrl+Z"}, {0, ""}, {768, "Cu&t\tCtrl+X"}, {769, "&Copy\tCtrl+C"},
        {770, "&Paste\tCtrl+V"}, {0, ""}, {602, "Common &Journals..."},
        {603, "Common &Book titles..."}, {604, "Common &Report titles..."}}},
    {998, "&Help"},
};

// Reads a menu with its pop-ups into the same shape.
std::vector<Item> ReadMenu(HMENU menu)
{
    std::vector<Item> items;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, position, TRUE, &info))
            break;
        Item item;
        item.text = text;
        if (info.fType & MFT_SEPARATOR) {
            item.id = 0;
        } else if (info.hSubMenu) {
            item.id = -1;
            item.items = ReadMenu(info.hSubMenu);
        } else {
            item.id = static_cast<int>(info.wID);
        }
        items.push_back(item);
    }
    return items;
}

void ExpectSameMenu(const std::vector<Item>& actual, const std::vector<Item>& expected,
                    const std::string& where)
{
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (size_t i = 0; i < expected.size(); ++i) {
        std::string here = where + " / " + std::to_string(i) + " " + expected[i].text;
        SCOPED_TRACE(here);
        EXPECT_EQ(actual[i].id, expected[i].id);
        if (expected[i].id != 0) {
            EXPECT_EQ(actual[i].text, expected[i].text);
        }
        ExpectSameMenu(actual[i].items, expected[i].items, here);
    }
}

struct LoadedMenu {
    HMENU menu;
    LoadedMenu(HMODULE module, const char* name) : menu(module ? LoadMenuA(module, name) : nullptr) {}
    ~LoadedMenu()
    {
        if (menu)
            DestroyMenu(menu);
    }
};

TEST(Menus, MainHasEveryItemInPlace)
{
    LoadedModule library(lang_test::EnglishLibraryPath());
    LoadedMenu main(library.get(), MENU_MAIN);
    ASSERT_TRUE(main.menu);
    ExpectSameMenu(ReadMenu(main.menu), kMain, "MAIN");
}

// The recent files are appended after the 14 fixed File items and the MDI window list to the
// sixth pop-up, so both positions are part of the menu's contract.
TEST(Menus, MainKeepsFourteenFileItemsAndWindowSixth)
{
    LoadedModule library(lang_test::EnglishLibraryPath());
    LoadedMenu main(library.get(), MENU_MAIN);
    ASSERT_TRUE(main.menu);
    EXPECT_EQ(GetMenuItemCount(main.menu), 7);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(main.menu, MENU_POS_FILE)), MENU_FILE_FIXED_ITEMS);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(main.menu, MENU_POS_FILE)), 14);
    char text[32] = {};
    GetMenuStringA(main.menu, MENU_POS_WINDOW, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Window");
    EXPECT_EQ(MENU_POS_WINDOW, 5);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(main.menu, MENU_POS_FILE), 13), UINT(CMD_FILE_EXIT));
}

TEST(Menus, EditRefHasEveryItemInPlace)
{
    LoadedModule library(lang_test::EnglishLibraryPath());
    LoadedMenu editRef(library.get(), MENU_EDIT_REF);
    ASSERT_TRUE(editRef.menu);
    ExpectSameMenu(ReadMenu(editRef.menu), kEditRef, "EDIT_REF");
}

TEST(Menus, TestLanguageLibraryCarriesTheSameMain)
{
    LoadedModule library(lang_test::TestLibraryPath());
    ASSERT_TRUE(library);
    LoadedMenu main(library.get(), MENU_MAIN);
    ASSERT_TRUE(main.menu);
    ExpectSameMenu(ReadMenu(main.menu), kMain, "test MAIN");
}

}  // namespace
