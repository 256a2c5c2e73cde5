// What the program relies on in the English library and its own resources: a text for every
// string id and command help it loads, exactly the conversions each formatted message gets,
// every command of ids.h on a menu, the menu positions the program edits, and the keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ids.h"
#include "ids_header.h"

namespace {

using lang_test::Ids;
using lang_test::LoadedModule;

std::string LoadText(HMODULE module, UINT id)
{
    char buffer[4096] = {};
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

BOOL CALLBACK CollectBlock(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    const UINT block = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    for (UINT id = (block - 1) * 16; id < block * 16; ++id)
        if (!LoadText(module, id).empty()) reinterpret_cast<std::set<UINT>*>(param)->insert(id);
    return TRUE;
}

// The conversions of a printf format, in order ("%lu%s"); "%%" is none.
std::string Conversions(const std::string& format)
{
    std::string found;
    for (std::size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at)) {
        std::size_t end = format.find_first_not_of("-+ #0123456789.hlL", at + 1);
        if (end == std::string::npos) end = format.size() - 1;
        if (format[end] != '%') found += format.substr(at, end - at + 1);
        at = end + 1;
    }
    return found;
}

TEST(LanguageLibrary, HasATextForEveryStringAndCommandAndNoOthers)
{
    ASSERT_TRUE(Ids().read);
    LoadedModule library(lang_test::EnglishLibraryPath());
    ASSERT_TRUE(library);
    std::set<UINT> named;
    for (const auto& [name, id] : Ids().WithPrefix("IDS_")) named.insert(id);
    for (const auto& [name, id] : Ids().WithPrefix("CMD_"))
        if (id >= 500 && id < 600) named.insert(id);  // status-bar help of the commands
    std::set<UINT> present;
    EnumResourceNamesA(library.get(), reinterpret_cast<LPCSTR>(RT_STRING), CollectBlock,
                       reinterpret_cast<LONG_PTR>(&present));
    EXPECT_EQ(present, named);

    // A wrong conversion crashes the formatting call, so each message has exactly the ones
    // the program passes, in order; every other text has none.
    const std::map<UINT, std::string> formatted = {
        {IDS_FOUND_REFERENCES, "%lu%s"}, {IDS_SAVED_REFERENCES, "%lu"},
        {IDS_LOADED_REFERENCES, "%lu"},  {IDS_SCANNED_REFERENCES, "%lu"},
        {IDS_SORTING_PROGRESS, "%u"},    {IDS_STATUS_LINE, "%s%lu"},
        {IDS_PAGE_NUMBER, "%u"},         {IDS_ALLOCATION_FAILED, "%u"},
        // File messages: the name, then the system's reason where there is one.
        {IDS_FILTER_FAILED, "%s"},       {IDS_READ_FAILED, "%s%s"},
        {IDS_WRITE_FAILED, "%s%s"},      {IDS_SAVE_STOPPED, "%s"},
        {IDS_REPLACE_FAILED, "%s%s"},    {IDS_NAME_TOO_LONG, "%s"},
        {IDS_FILE_READ_ONLY, "%s"},      {IDS_FOLDER_REFUSES_FILES, "%s"},
        {IDS_UTF16_FILE, "%s"},          {IDS_UNMAPPED_CHARACTERS, "%s%lu"},
    };
    for (UINT id : present) {
        SCOPED_TRACE(id);
        const auto expected = formatted.find(id);
        EXPECT_EQ(Conversions(LoadText(library.get(), id)),
                  expected != formatted.end() ? expected->second : "");
    }
    EXPECT_EQ(LoadText(library.get(), IDS_CONJUNCTION), "and ");  // at most 11, blank kept
}

// Every item's command id, depth first.
void CollectItems(HMENU menu, std::vector<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i))
            CollectItems(popup, ids);
        else if (GetMenuItemID(menu, i) != 0)  // separators have id 0
            ids.push_back(GetMenuItemID(menu, i));
    }
}

TEST(LanguageLibrary, MenusCarryEveryCommandWhereTheProgramLooksForIt)
{
    std::set<UINT> commands;
    for (const auto& [name, id] : Ids().WithPrefix("CMD_")) commands.insert(id);
    // Commands the program gives without a menu item: windows and recent files add their own.
    for (UINT id : {CMD_OPEN_BIBLIOGRAPHY, CMD_REBUILD_CONTENT, CMD_FILE_RECENT_FIRST,
                    CMD_FILE_RECENT_LAST})
        commands.erase(id);
    for (const std::string& path : {lang_test::EnglishLibraryPath(), lang_test::TestLibraryPath()}) {
        SCOPED_TRACE(path);
        LoadedModule library(path);
        ASSERT_TRUE(library);
        HMENU main = LoadMenuA(library.get(), MENU_MAIN);
        HMENU editor = LoadMenuA(library.get(), MENU_EDIT_REF);
        ASSERT_TRUE(main && editor);
        std::vector<UINT> items;
        CollectItems(main, items);
        CollectItems(editor, items);
        for (UINT id : items) EXPECT_EQ(commands.count(id), 1u) << "unknown command " << id;
        EXPECT_EQ(std::set<UINT>(items.begin(), items.end()), commands);
        // Recent files go after the fixed File items; the window list into the Window menu.
        HMENU file = GetSubMenu(main, MENU_POS_FILE);
        EXPECT_EQ(GetMenuItemCount(file), MENU_FILE_FIXED_ITEMS);
        EXPECT_EQ(GetMenuItemID(file, MENU_FILE_FIXED_ITEMS - 1), UINT(CMD_FILE_EXIT));
        EXPECT_EQ(GetMenuItemID(GetSubMenu(main, MENU_POS_WINDOW), 0), UINT(CMD_WINDOW_CASCADE));
        DestroyMenu(main);
        DestroyMenu(editor);
    }
}

int g_command = 0;

LRESULT CALLBACK KeyTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) g_command = LOWORD(wParam);
    return message == WM_COMMAND ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

// Translates one key press with modifier keys held; the command it sent, or 0.
int Press(HWND window, HACCEL table, WORD key, BYTE modifiers)
{
    BYTE keys[256] = {};
    if (modifiers & FCONTROL) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    if (modifiers & FSHIFT) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    if (modifiers & FALT) keys[VK_MENU] = keys[VK_LMENU] = 0x80;
    keys[key] = 0x80;
    SetKeyboardState(keys);
    MSG msg = {};
    msg.hwnd = window;
    msg.message = (modifiers & FALT) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1 | ((modifiers & FALT) ? (1 << 29) : 0);
    g_command = 0;
    TranslateAcceleratorA(window, table, &msg);
    return g_command;
}

TEST(ProgramResources, EachKeyGivesItsCommandAndOthersNothing)
{
    LoadedModule program(lang_test::ProgramPath(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    HACCEL table = LoadAcceleratorsA(program.get(), ACCEL_KEYS);
    ASSERT_TRUE(table);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = KeyTarget;
    windowClass.lpszClassName = "CartulanKeyTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    struct Key {
        WORD key;
        BYTE modifiers;
        int command;
    };
    const Key keys[] = {
        {'S', FCONTROL, CMD_FILE_SAVE},         {'O', FCONTROL, CMD_FILE_OPEN},
        {VK_F7, 0, CMD_REF_NEW},                {'B', FCONTROL, CMD_REF_ADD_TO_BIB},
        {'C', FCONTROL, CMD_EDIT_COPY},         {VK_INSERT, FCONTROL, CMD_EDIT_COPY},
        {'X', FCONTROL, CMD_EDIT_CUT},          {VK_DELETE, FSHIFT, CMD_EDIT_CUT},
        {'V', FCONTROL, CMD_EDIT_PASTE},        {VK_INSERT, FSHIFT, CMD_EDIT_PASTE},
        {'Z', FCONTROL, CMD_EDIT_UNDO},         {VK_BACK, FALT, CMD_EDIT_UNDO},
        {VK_F4, FSHIFT, CMD_WINDOW_TILE},       {VK_F5, FSHIFT, CMD_WINDOW_CASCADE},
        {VK_RETURN, 0, CMD_REF_EDIT},           {VK_RETURN, FCONTROL, CMD_REF_EDIT_AUTHOR},
        {VK_F2, 0, CMD_REF_EDIT_AUTHOR},        {VK_F6, 0, CMD_REF_EDIT},
        {VK_DELETE, 0, CMD_REF_DELETE},         {VK_F3, 0, CMD_SEARCH_NEW},
        {VK_F1, 0, CMD_HELP_CONTENTS},
        {'S', 0, 0}, {VK_INSERT, 0, 0}, {VK_RETURN, FSHIFT, 0}, {VK_F4, FALT, 0},
    };
    for (const Key& key : keys) {
        SCOPED_TRACE(std::to_string(key.key) + " with " + std::to_string(key.modifiers));
        EXPECT_EQ(Press(window, table, key.key, key.modifiers), key.command);
    }
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 21);  // nothing beyond the list
    BYTE none[256] = {};
    SetKeyboardState(none);
    DestroyWindow(window);
    DestroyAcceleratorTable(table);
}

}  // namespace
